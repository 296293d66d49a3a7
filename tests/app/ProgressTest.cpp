#include "app/Progress.h"

#include <gtest/gtest.h>

namespace velvora {
namespace {

TEST(ProgressEstimate, BuildsTheRemainingTimeText) {
    // 10 of 40 done after 29 s: with the extra second, 3 s per item and 30 items left.
    EXPECT_EQ(ProgressEstimateText(10, 40, 29000), "Estimated time remaining: 1 minute 30 seconds ");
    EXPECT_EQ(ProgressEstimateText(1, 3662, 0), "Estimated time remaining: 1 hour 1 minute 1 second ");
    EXPECT_EQ(ProgressEstimateText(1, 7201, 0), "Estimated time remaining: 2 hours ");
    EXPECT_EQ(ProgressEstimateText(0, 2, 0), "Estimated time remaining: 1 second ");  // position 0 counts as 1
    EXPECT_EQ(ProgressEstimateText(1000, 1001, 0), "");                                // under a second
    EXPECT_EQ(ProgressEstimateText(50, 10, 5000), "");                                 // past the maximum
}

class RecordingView : public ProgressView {
public:
    void SetLine(ProgressLine, const std::string&) override {}
    void SetBar(bool visible, int maximum, int position) override {
        barVisible = visible;
        barMaximum = maximum;
        barPosition = position;
    }
    void ShowCancel(bool visible) override { cancelVisible = visible; }
    void Repaint() override {}
    void RepaintStatus() override { ++statusRepaints; }

    bool barVisible = true, cancelVisible = false;
    int barMaximum = 0, barPosition = 0, statusRepaints = 0;
};

TEST(ProgressWindow, EachOpenIsFreshAndOperationsAreHarmlessWhenClosed) {
    RecordingView* view = nullptr;
    std::function<void()> cancel;
    auto previous = SetProgressViewFactory([&](std::function<void()> onCancel) {
        auto made = std::make_unique<RecordingView>();
        view = made.get();
        cancel = std::move(onCancel);
        return made;
    });

    ProgressOpen();
    ProgressSetTitle("Deleting slide show...");
    ProgressSetMax(0);
    EXPECT_FALSE(view->barVisible);
    ProgressSetMax(4);
    ProgressStartTiming();
    ProgressStep();
    ProgressSetPosition(1);
    EXPECT_TRUE(view->barVisible);
    EXPECT_EQ(view->barPosition, 1);
    EXPECT_EQ(view->barMaximum, 4);
    EXPECT_EQ(view->statusRepaints, 1);  // the estimate text is set once, then unchanged
    EXPECT_EQ(ProgressLineText(ProgressLine::Title), "Deleting slide show...");
    cancel();
    EXPECT_TRUE(ProgressCancelled());
    ProgressClose();

    EXPECT_FALSE(ProgressCancelled());
    ProgressStep();
    ProgressSetTitle("ignored");
    EXPECT_FALSE(ProgressIsOpen());
    ProgressOpen();
    EXPECT_FALSE(ProgressCancelled());
    EXPECT_EQ(ProgressLineText(ProgressLine::Title), "");
    ProgressClose();
    SetProgressViewFactory(std::move(previous));
}

}  // namespace
}  // namespace velvora
