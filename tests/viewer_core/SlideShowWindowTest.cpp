// velvora-viewer's window offscreen: a small show plays, keys move it, an undecodable photo
// shows its notice, a file that is not a show gives one warning and no window, and the photo
// list offers what the show's options allow.
#include "viewer/qt/SlideShowWindow.h"

#include <filesystem>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QListWidget>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include "PublishedShow.h"
#include "support/ScriptedDialogs.h"
#include "viewer/qt/PhotoBrowser.h"
#include "viewer/qt/PhotoCommands.h"

namespace velvora {
namespace {

class SlideShowWindowTest : public testing::PublishedShowTest {
protected:
    std::unique_ptr<SlideShowWindow> Open(const std::string& settings) {
        auto window = OpenSlideShowWindow(QString::fromStdString(PublishFile("Title=Small\r\n" + settings)), 7);
        window->show();
        window->Play();
        return window;
    }

    testing::ScriptedDialogs dialogs;
};

// Frames from the window's own timer path until the slides it shows are prepared.
void PlaySettled(SlideShowWindow& window) {
    for (int frame = 0; frame < 10'000; ++frame) {
        window.PlayFrame();
        if (window.SlidesReady()) return;
        QTest::qWait(1);
    }
    ADD_FAILURE() << "the slide was never prepared";
}

QStringList TextsOf(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions) texts << action->text();
    return texts;
}

// Centred photos on a grey background. The third cannot be decoded: the background, and the
// notice in white letters on the caption band at the bottom, without a message box.
TEST_F(SlideShowWindowTest, PlaysASmallShowStepsWithTheKeysAndShowsTheNoticeOfAnUndecodablePhoto) {
    AddPhoto("0000", "00000000", "", testing::SolidBmp(8, 8, 0xFF0000));
    AddPhoto("0000", "00000001", "", testing::SolidBmp(8, 8, 0x0000FF));
    AddPhoto("0000", "00000002", "", "not a picture", "broken.jpg");
    auto window = Open(
        "Transition=1\r\nDuration=1\r\nHorizontal=3\r\nVertical=3\r\nViewerShowToolbar=1\r\n"
        "Background=1\r\nBackgroundOption1=8421504\r\n");
    EXPECT_EQ(window->windowTitle(), "Small");
    ASSERT_NE(window->findChild<QToolBar*>(), nullptr);
    EXPECT_FALSE(TextsOf(window->findChild<QToolBar*>()->actions()).contains("Photos"));
    window->resize(240, 120);
    PlaySettled(*window);
    ASSERT_FALSE(window->Frame().Empty());
    const int x = window->Frame().Width / 2, y = window->Frame().Height / 2;
    EXPECT_EQ(window->Frame().At(x, y), 0xFFFF0000u);

    QTest::keyClick(window.get(), Qt::Key_Space);
    PlaySettled(*window);
    EXPECT_EQ(window->Frame().At(x, y), 0xFF0000FFu);
    QTest::keyClick(window.get(), Qt::Key_Space);
    PlaySettled(*window);
    const QImage shown = window->grab().toImage();
    EXPECT_EQ(shown.pixelColor(5, shown.height() / 2), QColor(128, 128, 128));
    int letterPixels = 0;
    for (int row = shown.height() * 2 / 3; row < shown.height(); ++row)
        for (int column = 0; column < shown.width(); ++column)
            letterPixels += shown.pixelColor(column, row).lightness() > 200;
    EXPECT_GT(letterPixels, 20);

    QTest::keyClick(window.get(), Qt::Key_Left);
    EXPECT_EQ(window->Player().Frame().To, 1);
    QTest::keyClick(window.get(), Qt::Key_P);
    EXPECT_EQ(window->Player().State(), PlayState::Paused);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SlideShowWindowTest, NotAShowGivesOneWarningAndNoWindow) {
    testing::WriteFile(Home() + "notes.txt", "just some text");
    EXPECT_FALSE(OpenSlideShowWindow(QString::fromStdString(Home() + "notes.txt"), 1));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, testing::RecordedMessage::Kind::Warning);
    EXPECT_TRUE(dialogs.messages[0].text.contains("notes.txt"));
}

TEST_F(SlideShowWindowTest, PhotosOpensTheListOfLabelsWhileTheShowWaits) {
    AddPhoto("0000", "00000000", "Name=Beach\r\nWidth=8\r\nHeight=4\r\n", testing::SolidBmp(8, 4, 0xFF0000),
             "beach.bmp");
    AddPhoto("0000", "00000001", "", testing::SolidBmp(8, 8, 0x0000FF), "dunes.bmp");
    auto window = Open("ViewerShowToolbar=1\r\nViewerViewIndividualPhotos=1\r\n");
    EXPECT_TRUE(TextsOf(window->findChild<QToolBar*>()->actions()).contains("Photos"));
    QTest::keyClick(window.get(), Qt::Key_P);
    ASSERT_TRUE(window->PhotoList() && window->PhotoList()->isVisible());
    EXPECT_EQ(window->Player().State(), PlayState::Paused);
    const QListWidget& list = *window->PhotoList()->List();
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(0)->text(), "Beach\nbeach.bmp\n8 x 4");
    EXPECT_EQ(list.item(1)->text(), "dunes.bmp");
    // Without Copy or Save the photo window has no commands.
    window->PhotoList()->OpenPhoto(1);
    ASSERT_TRUE(window->PhotoList()->OpenPhotoWindow());
    EXPECT_TRUE(window->PhotoList()->OpenPhotoWindow()->Commands().isEmpty());
    window->PhotoList()->close();
    EXPECT_EQ(window->Player().State(), PlayState::Playing);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SlideShowWindowTest, CopyAndSaveFollowTheOptionsAndSaveWritesTheStoredBytesWhole) {
    AddPhoto("0000", "00000000", "", testing::SolidBmp(6, 3, 0x00FF00), "folder\\lawn?.bmp");
    auto copying = Open("ViewerViewIndividualPhotos=1\r\nViewerCopyIndividualPhotos=1\r\n");
    copying->Run(ViewerCommand::ShowPhotos);
    copying->PhotoList()->OpenPhoto(0);
    const auto copyActions = copying->PhotoList()->OpenPhotoWindow()->Commands();
    ASSERT_EQ(TextsOf(copyActions), QStringList{"&Copy"});
    copyActions[0]->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(6, 3));

    auto saving = Open("ViewerViewIndividualPhotos=1\r\nViewerSaveIndividualPhotos=1\r\n");
    saving->Run(ViewerCommand::ShowPhotos);
    saving->PhotoList()->OpenPhoto(0);
    const auto saveActions = saving->PhotoList()->OpenPhotoWindow()->Commands();
    ASSERT_EQ(TextsOf(saveActions), QStringList{"&Save..."});
    dialogs.pickedSaveFile = QString::fromStdString(Home() + "saved.bmp");
    testing::WriteFile(Home() + "saved.bmp", "an older file");
    saveActions[0]->trigger();
    EXPECT_EQ(dialogs.suggestedSaveFile, "lawn.bmp");
    const SlideShow show = SlideShow::Open(Home() + "show.exe");
    const std::vector<std::uint8_t> stored = show.ImageBytes(PhotoAt(show, {0, 0}));
    EXPECT_EQ(testing::ReadFile(Home() + "saved.bmp"), std::string(stored.begin(), stored.end()));
    EXPECT_FALSE(std::filesystem::exists(Home() + "saved.bmp.partial"));
    EXPECT_TRUE(dialogs.messages.empty());

    // A folder that is not there: one warning naming the file, and nothing left behind.
    dialogs.pickedSaveFile = QString::fromStdString(Home() + "missing/saved.bmp");
    saveActions[0]->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("missing/saved.bmp"));
    EXPECT_FALSE(std::filesystem::exists(Home() + "missing"));
}

}  // namespace
}  // namespace velvora
