// The Burn CD assistant: what its drag carries, how it stays on top, and how the main
// window's burn request opens it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QList>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QUrl>

#include "app/frmMain.h"
#include "publish/frmBurnCD.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

QList<QUrl> DraggedUrls(const TBurnCD& window) { return window.DropFileSource().MimeData()->urls(); }

TEST(BurnCDTest, DragCarriesTheFilesInOrderAsFileUrlsAndTheWindowStaysOnTopAtTheCorner) {
    TBurnCD window({"/cd/autorun.inf", "/cd/My Show.exe"});
    EXPECT_EQ(DraggedUrls(window),
              (QList<QUrl>{QUrl::fromLocalFile("/cd/autorun.inf"), QUrl::fromLocalFile("/cd/My Show.exe")}));
    EXPECT_EQ(window.DropFileSource().MimeData()->formats(), QStringList{"text/uri-list"});
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window.pos(), QPoint(0, 0));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Burn CD Assistant"));
}

class BurnRequestTest : public testing::ProgramFolderTest {};

TEST_F(BurnRequestTest, BurnRequestHidesTheMainWindowWhileTheAssistantOffersBurnFileList) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(Home() + "settings"));
    testing::ScriptedDialogs dialogs;
    TMain main([](EditorHost&, QWidget*) -> ShowEditorFrame* { return nullptr; });
    main.show();
    main.SetBurnWindowOpener([&main] { ShowBurnCDWindow(main, main.BurnFileList()); });
    main.BurnFileList() = {"/cd/Photos.exe"};
    main.RequestBurn();

    bool mainHidden = false;
    QList<QUrl> offered;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<TBurnCD*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        mainHidden = !main.isVisible();
        offered = DraggedUrls(*window);
        window->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    });
    QCoreApplication::sendPostedEvents(&main);
    EXPECT_TRUE(mainHidden);
    EXPECT_EQ(offered, QList<QUrl>{QUrl::fromLocalFile("/cd/Photos.exe")});
    EXPECT_TRUE(main.isVisible());
}

}  // namespace
}  // namespace velvora
