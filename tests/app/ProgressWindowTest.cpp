// The progress operations and the "Please Wait" window they drive.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "app/frmProgress.h"
#include "support/ScriptedDialogs.h"

namespace velvora {
namespace {

TEST(ProgressEstimate, BuildsTheRemainingTimeText) {
    // 10 of 40 done after 29 s: with the extra second, 3 s per item and 30 items left.
    EXPECT_EQ(ProgressEstimateText(10, 40, 29000), "Estimated time remaining: 1 minute 30 seconds ");
    EXPECT_EQ(ProgressEstimateText(1, 3662, 0), "Estimated time remaining: 1 hour 1 minute 1 second ");
    EXPECT_EQ(ProgressEstimateText(1, 7201, 0), "Estimated time remaining: 2 hours ");
    EXPECT_EQ(ProgressEstimateText(0, 2, 0), "Estimated time remaining: 1 second ");  // position 0 counts as 1
    EXPECT_EQ(ProgressEstimateText(1000, 1001, 0), "");                               // under a second
    EXPECT_EQ(ProgressEstimateText(50, 10, 5000), "");                                // past the maximum
}

class ProgressWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = SetProgressViewFactory({});
        InstallProgressWindow();
        ProgressOpen();
    }
    void TearDown() override {
        ProgressClose();
        SetProgressViewFactory(previous_);
    }

    static TProgress* Window() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<TProgress*>(widget)) return window;
        return nullptr;
    }

    testing::ScriptedDialogs dialogs;

private:
    ProgressViewFactory previous_;
};

// Escape is the Cancel button, which asks first; only the running operation closes the window,
// and each opening starts fresh.
TEST_F(ProgressWindowTest, ShowsTheLinesAndTheBarAndCancelAsksFirstAndEachOpenIsFresh) {
    TProgress* window = Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Please Wait");
    ProgressSetTitle("Deleting slide show...");
    EXPECT_EQ(window->findChild<QLabel*>("Label1")->text(), "Deleting slide show...");
    auto* bar = window->findChild<QProgressBar*>("ProgressBar1");
    ProgressSetMax(0);
    EXPECT_FALSE(bar->isVisible());
    ProgressSetMax(4);
    ProgressStartTiming();
    ProgressSetPosition(2);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 4);
    EXPECT_EQ(bar->value(), 2);
    EXPECT_TRUE(window->findChild<QLabel*>("Label3")->text().startsWith("Estimated time remaining: "));

    auto* cancel = window->findChild<QPushButton*>("btnCancel");
    EXPECT_FALSE(cancel->isVisible());
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_TRUE(dialogs.messages.empty()) << "no Cancel button, nothing to ask";
    ProgressShowCancel(true);
    dialogs.AnswerConfirm(false);
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_EQ(dialogs.Texts(testing::RecordedMessage::Kind::Confirm),
              std::vector<QString>{"Are you sure you want to cancel?"});
    EXPECT_FALSE(ProgressCancelled());
    dialogs.AnswerConfirm(true);
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_TRUE(ProgressCancelled());
    EXPECT_FALSE(window->close());

    ProgressClose();
    EXPECT_FALSE(ProgressCancelled());
    ProgressStep();  // harmless while closed
    ProgressSetTitle("ignored");
    EXPECT_FALSE(ProgressIsOpen());
    ProgressOpen();
    EXPECT_FALSE(ProgressCancelled());
    EXPECT_EQ(ProgressLineText(ProgressLine::Title), "");
}

}  // namespace
}  // namespace velvora
