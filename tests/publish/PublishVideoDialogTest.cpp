// The video dialog walked as a user walks it: the fourth choice of the publishing dialog, the
// settings kept in "pubvideo.ini", and Publish Now writing the MP4. The names it refuses are
// the other publishing dialogs' and are tested with them.
#include <filesystem>

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "app/frmPublish.h"
#include "base/Global.h"
#include "editor/ShowDocument.h"
#include "support/ScriptedDialogs.h"
#include "video/VideoSettings.h"
#include "video/frmPublishSettings_Video.h"
#include "viewer_core/PublishedShow.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using Kind = testing::RecordedMessage::Kind;

class PublishVideoDialogTest : public testing::PublishedShowTest {
protected:
    void SetUp() override {
        PublishedShowTest::SetUp();
        // One second of red with a caption, so the run is short at 1280 x 720.
        AddPhoto("0000", "00000000", "Caption=Beach\r\nTransition=1\r\nDuration=8\r\nDurationCount=1\r\n",
                 testing::SolidBmp(64, 36, 0xFF0000));
        PublishFile("Title=Summer Trip\r\n");
        document.LoadShow();
    }

    testing::ScriptedDialogs dialogs;
    ShowDocument document;
};

TEST_F(PublishVideoDialogTest, VideoChoicePublishesAndKeepsTheSettings) {
    dialogs.pickedFolder = QString::fromStdString(Home());
    {
        TPublish choice(document.Tree(), nullptr);
        choice.show();
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<TPublishSettings_Video*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QPushButton*>(QStringLiteral("btnBrowse"))->click();
            dialog->findChild<QLineEdit*>(QStringLiteral("txtFilename"))->setText(QStringLiteral("Summer"));
            dialog->findChild<QComboBox*>(QStringLiteral("cboSize"))->setCurrentIndex(0);
            dialog->findChild<QComboBox*>(QStringLiteral("cboFrameRate"))->setCurrentIndex(0);
            dialog->findChild<QSlider*>(QStringLiteral("trkQuality"))->setValue(40);
            dialog->findChild<QPushButton*>(QStringLiteral("btnPublish"))->click();
        });
        choice.findChild<QPushButton*>(QStringLiteral("btnPublishVideo"))->click();
        EXPECT_FALSE(choice.isVisible());
    }
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().kind, Kind::Choice) << dialogs.messages.back().text.toStdString();
    EXPECT_TRUE(dialogs.messages.back().text.startsWith(QStringLiteral("Your slide show has been published as \"Summer.mp4\" (")))
        << dialogs.messages.back().text.toStdString();
    const std::string video = Home() + "Summer.mp4";
    ASSERT_TRUE(fs::exists(video));
    EXPECT_EQ(testing::ReadFile(video).substr(4, 4), "ftyp");
    EXPECT_EQ(LoadVideoSettings(ShowPath + VideoSettingsFileName, "/"),
              (VideoSettings{Home(), "Summer", {1280, 720}, 25, 40}));

    // Opened again, the dialog shows what was chosen.
    TPublishSettings_Video again(document.Tree(), nullptr);
    EXPECT_EQ(again.findChild<QLineEdit*>(QStringLiteral("txtFilename"))->text(), QStringLiteral("Summer"));
    EXPECT_EQ(again.findChild<QComboBox*>(QStringLiteral("cboSize"))->currentText(), QStringLiteral("1280 x 720"));
    EXPECT_EQ(again.findChild<QSlider*>(QStringLiteral("trkQuality"))->value(), 40);
}

}  // namespace
}  // namespace velvora
