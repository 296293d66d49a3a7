// The "Please Wait" window as the global progress operations drive it.
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
    template <typename T>
    static T* Child(const char* name) {
        T* child = Window()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    testing::ScriptedDialogs dialogs;

private:
    ProgressViewFactory previous_;
};

TEST_F(ProgressWindowTest, ShowsTheLinesAndTheBarAtTheirPlaces) {
    TProgress* window = Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Please Wait");
    EXPECT_EQ(window->size(), QSize(385, 153));
    ProgressSetTitle("Deleting slide show...");
    EXPECT_EQ(Child<QLabel>("Label1")->text(), "Deleting slide show...");
    EXPECT_TRUE(Child<QLabel>("Label1")->font().bold());
    EXPECT_FALSE(Child<QProgressBar>("ProgressBar2")->isVisible());
    ProgressSetMax(4);
    ProgressStartTiming();
    ProgressSetPosition(2);
    EXPECT_TRUE(Child<QLabel>("Label3")->text().startsWith("Estimated time remaining: "));
}

TEST_F(ProgressWindowTest, CancelAsksFirstAndEscapeIsTheCancelButton) {
    auto* cancel = Child<QPushButton>("btnCancel");
    EXPECT_FALSE(cancel->isVisible());
    QTest::keyClick(Window(), Qt::Key_Escape);
    EXPECT_TRUE(dialogs.messages.empty()) << "no Cancel button, nothing to ask";

    ProgressShowCancel(true);
    dialogs.AnswerConfirm(false);
    QTest::keyClick(Window(), Qt::Key_Escape);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Are you sure you want to cancel?");
    EXPECT_FALSE(ProgressCancelled());
    dialogs.AnswerConfirm(true);
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_TRUE(ProgressCancelled());
    EXPECT_FALSE(Window()->close()) << "only the running operation closes the window";
}

}  // namespace
}  // namespace velvora
