// velvora-viewer's window offscreen: a small show plays two frames, keys move it, and a
// file that is not a show gives one warning and no window.
#include "viewer/qt/SlideShowWindow.h"

#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include "PublishedShow.h"
#include "support/ScriptedDialogs.h"

namespace velvora {
namespace {

class SlideShowWindowTest : public testing::PublishedShowTest {};

TEST_F(SlideShowWindowTest, PlaysTwoFramesOfASmallShowAndStepsWithTheKeys) {
    AddPhoto("0000", "00000000", "", testing::SolidBmp(8, 8, 0xFF0000));
    AddPhoto("0000", "00000001", "", testing::SolidBmp(8, 8, 0x0000FF));
    testing::ScriptedDialogs dialogs;
    auto window = OpenSlideShowWindow(
        QString::fromStdString(PublishFile("Title=Small\r\nTransition=1\r\nDuration=1\r\nViewerShowToolbar=1\r\n")), 7);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "Small");
    EXPECT_NE(window->findChild<QToolBar*>(), nullptr);
    window->resize(120, 90);
    window->show();
    window->Play();
    window->PlayFrame();
    ASSERT_FALSE(window->Frame().Empty());
    const int x = window->Frame().Width / 2, y = window->Frame().Height / 2;
    EXPECT_EQ(window->Frame().At(x, y), 0xFFFF0000u);

    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_EQ(window->Frame().At(x, y), 0xFF0000FFu);
    QTest::keyClick(window.get(), Qt::Key_Left);
    EXPECT_EQ(window->Player().Frame().To, 0);
    QTest::keyClick(window.get(), Qt::Key_P);
    EXPECT_EQ(window->Player().State(), PlayState::Paused);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SlideShowWindowTest, NotAShowGivesOneWarningAndNoWindow) {
    testing::WriteFile(Home() + "notes.txt", "just some text");
    testing::ScriptedDialogs dialogs;
    EXPECT_FALSE(OpenSlideShowWindow(QString::fromStdString(Home() + "notes.txt"), 1));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, testing::RecordedMessage::Kind::Warning);
    EXPECT_TRUE(dialogs.messages[0].text.contains("notes.txt"));
}

}  // namespace
}  // namespace velvora
