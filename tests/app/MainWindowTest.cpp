// The main window driven through its menus, shortcuts and posted requests, with the real
// library frames and a recording stand-in for the editor.
#include <filesystem>
#include <stdexcept>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QTest>

#include "app/AppInfo.h"
#include "app/Global.h"
#include "app/Progress.h"
#include "app/UrlOpener.h"
#include "app/frmMain.h"
#include "library/ShowIndex.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

using Kind = testing::RecordedMessage::Kind;

// What the stand-in editor was asked to do, kept outside it because frames get destroyed.
struct EditorLog {
    int loads = 0;
    int closes = 0;
    bool refuseClose = false;
    bool failLoad = false;
    std::vector<EditorCommand> commands;
};

class RecordingEditor final : public ShowEditorFrame {
public:
    RecordingEditor(EditorLog& log, QWidget* parent) : ShowEditorFrame(parent), log_(log) {}
    void LoadShow() override {
        ++log_.loads;
        if (log_.failLoad) throw std::runtime_error("Cannot open file \"categories.dat\".");
    }
    bool CloseShow() override {
        ++log_.closes;
        return !log_.refuseClose;
    }
    void RunCommand(EditorCommand command) override { log_.commands.push_back(command); }
    bool PhotoViewerVisible() const override { return false; }
    void ShowPhotoViewer(bool, bool) override {}

private:
    EditorLog& log_;
};

struct TooltipRecorder : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ToolTip) ++tooltips;
        return false;
    }
    int tooltips = 0;
};

void RunPostedEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

class MainWindowTest : public testing::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settings_.Path()));
        previousOpener_ = SetUrlOpener([this](const QUrl& url) {
            openedUrls.push_back(url);
            return true;
        });
    }
    void TearDown() override {
        SetUrlOpener(previousOpener_);
        ProgressClose();
        ProgramFolderTest::TearDown();
    }

    std::unique_ptr<TMain> MakeMain() {
        auto main = std::make_unique<TMain>([this](TMain&, QWidget* parent) { return new RecordingEditor(editor, parent); });
        main->show();
        main->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
        return main;
    }

    std::string AddShow(const std::string& name, const std::string& title) {
        const std::string folder = Home() + "Slide Shows/" + name + "/";
        testing::WriteFile(folder + ShowSettingsFileName, "Title=" + title + "\r\n");
        return folder;
    }

    static QAction* Item(TMain& main, const char* name) {
        auto* item = main.findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(item, nullptr) << name;
        return item;
    }
    static bool MenuShown(TMain& main, const char* name) {
        return main.findChild<QMenu*>(QString::fromLatin1(name))->menuAction()->isVisible();
    }

    void OpenEditor(TMain& main) {
        main.OpenShow(AddShow("trip", "Trip"));
        RunPostedEvents();
        ASSERT_EQ(main.CurrentFrameKind(), FrameKind::Editor);
    }

    testing::ScriptedDialogs dialogs;
    EditorLog editor;
    std::vector<QUrl> openedUrls;

private:
    testing::TempFolder settings_;
    UrlOpenerFunction previousOpener_;
};

TEST_F(MainWindowTest, MenuStatesFollowTheFrame) {
    auto main = MakeMain();
    struct Row {
        FrameKind kind;
        bool photos, properties, close, publish;
    };
    for (const Row& row : {Row{FrameKind::StartPage, false, false, false, false},
                           Row{FrameKind::NewShow, false, false, true, false},
                           Row{FrameKind::OpenShow, false, false, true, false},
                           Row{FrameKind::Editor, true, true, true, true},
                           Row{FrameKind::StartPage, false, false, false, false}}) {
        if (row.kind == FrameKind::Editor)
            OpenEditor(*main);
        else
            main->ShowFrame(row.kind);
        SCOPED_TRACE(static_cast<int>(row.kind));
        EXPECT_EQ(main->CurrentFrameKind(), row.kind);
        EXPECT_FALSE(MenuShown(*main, "Categories1"));
        EXPECT_EQ(MenuShown(*main, "Photos1"), row.photos);
        EXPECT_EQ(Item(*main, "SlideShowProperties1")->isEnabled(), row.properties);
        EXPECT_EQ(Item(*main, "Close1")->isEnabled(), row.close);
        EXPECT_EQ(Item(*main, "Publish1")->isEnabled(), row.publish);
        EXPECT_FALSE(main->findChild<QMenu*>("Rotate1")->menuAction()->isVisible());
    }
}

TEST_F(MainWindowTest, NewShowTypedWithEnterOpensItInTheEditor) {
    auto main = MakeMain();
    QTest::keyClick(main.get(), Qt::Key_N, Qt::ControlModifier);
    RunPostedEvents();
    ASSERT_EQ(main->CurrentFrameKind(), FrameKind::NewShow);
    auto* title = main->findChild<QLineEdit*>("txtTitle");
    ASSERT_EQ(QApplication::focusWidget(), title);
    QTest::keyClicks(title, "Summer");
    for (int field = 0; field < 3; ++field) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    RunPostedEvents();
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::Editor);
    EXPECT_EQ(ShowSettings.Value("Title"), "Summer");
    ASSERT_EQ(ShowList.size(), 1u);
    EXPECT_EQ(ShowPath, ShowList[0]);
    EXPECT_EQ(editor.loads, 1);
}

TEST_F(MainWindowTest, CtrlNInTheEditorClosesTheShowFirstAndFocusesTheTitle) {
    auto main = MakeMain();
    OpenEditor(*main);
    QTest::keyClick(main.get(), Qt::Key_N, Qt::ControlModifier);
    RunPostedEvents();
    EXPECT_EQ(editor.closes, 1);
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::NewShow);
    EXPECT_EQ(QApplication::focusWidget(), main->findChild<QLineEdit*>("txtTitle"));
}

TEST_F(MainWindowTest, EditorThatRefusesToCloseStaysWithItsMenus) {
    auto main = MakeMain();
    OpenEditor(*main);
    editor.refuseClose = true;
    Item(*main, "Close1")->trigger();
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::Editor);
    EXPECT_TRUE(MenuShown(*main, "Photos1"));
    EXPECT_TRUE(Item(*main, "SlideShowProperties1")->isEnabled());
}

TEST_F(MainWindowTest, EditorThatFailsToLoadIsDroppedUnsavedForTheStartPage) {
    auto main = MakeMain();
    editor.failLoad = true;
    main->OpenShow(AddShow("broken", "Broken"));
    RunPostedEvents();
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::StartPage);
    EXPECT_EQ(editor.closes, 0);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Cannot open file \"categories.dat\".");
}

TEST_F(MainWindowTest, OpenShowWithoutSettingsFileThrowsAndChangesNothing) {
    auto main = MakeMain();
    main->ShowFrame(FrameKind::OpenShow);
    ShowPath = "/earlier/";
    const std::string folder = Home() + "Slide Shows/empty/";
    std::filesystem::create_directories(folder);
    EXPECT_THROW(main->OpenShow(folder), std::runtime_error);
    RunPostedEvents();
    EXPECT_EQ(ShowPath, "/earlier/");
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::OpenShow);
}

TEST_F(MainWindowTest, OpenRequestShowsProgressUntilTheListIsFilled) {
    auto main = MakeMain();
    main->RequestOpenShow();
    EXPECT_TRUE(ProgressIsOpen());
    EXPECT_EQ(ProgressLineText(ProgressLine::Title), "Opening slide show...");
    RunPostedEvents();
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::OpenShow);
    EXPECT_FALSE(ProgressIsOpen());
}

TEST_F(MainWindowTest, EditorCommandsReachOnlyTheEditorEvenFromTheHiddenMenu) {
    auto main = MakeMain();
    QTest::keyClick(main.get(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    Item(*main, "Add2")->trigger();
    EXPECT_TRUE(editor.commands.empty());
    OpenEditor(*main);
    QTest::keyClick(main.get(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(main.get(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(editor.commands, (std::vector{EditorCommand::AddCategory, EditorCommand::Publish}));
}

TEST_F(MainWindowTest, ClosingTheWindowClosesTheShowAndKeepsOptions) {
    {
        auto main = MakeMain();
        OpenEditor(*main);
        Item(*main, "ShowTooltips1")->trigger();
        main->SetPhotoDeleteAsk(false);
        main->close();
        EXPECT_EQ(editor.closes, 1);
        EXPECT_EQ(main->CurrentFrameKind(), FrameKind::None);
    }
    auto main = MakeMain();
    EXPECT_FALSE(main->TooltipsShown());
    EXPECT_FALSE(Item(*main, "ShowTooltips1")->isChecked());
    EXPECT_FALSE(main->PhotoDeleteAsk());
    EXPECT_EQ(main->CategoryPaneWidth(), 217);
    // With tooltips off the window's widgets never receive their events.
    TooltipRecorder recorder;
    QWidget* frame = main->CurrentFrame();
    frame->installEventFilter(&recorder);
    QHelpEvent tip(QEvent::ToolTip, QPoint(1, 1), frame->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(frame, &tip);
    EXPECT_EQ(recorder.tooltips, 0);
    Item(*main, "ShowTooltips1")->trigger();
    QApplication::sendEvent(frame, &tip);
    EXPECT_EQ(recorder.tooltips, 1);
}

TEST_F(MainWindowTest, MissingHelpFileIsReportedInsteadOfOpened) {
    auto main = MakeMain();
    Item(*main, "ContentsandIndex1")->trigger();
    EXPECT_TRUE(openedUrls.empty());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, Kind::Warning);
    testing::WriteFile(Home() + HelpFileName, "help");
    Item(*main, "ContentsandIndex1")->trigger();
    EXPECT_EQ(openedUrls, (std::vector{QUrl::fromLocalFile(QString::fromStdString(Home() + HelpFileName))}));
}

TEST_F(MainWindowTest, BurnRequestIsPostedWithTheFileList) {
    auto main = MakeMain();
    StringList burned;
    main->SetBurnWindowOpener([&] { burned = main->BurnFileList(); });
    main->BurnFileList() = {"/cd/autorun.inf", "/cd/show.exe"};
    main->RequestBurn();
    EXPECT_TRUE(burned.empty()) << "the request is posted, not run at once";
    RunPostedEvents();
    EXPECT_EQ(burned, (StringList{"/cd/autorun.inf", "/cd/show.exe"}));
}

}  // namespace
}  // namespace velvora
