// What keys, clicks, the wheel and an idle pointer do.
#include "viewer/core/ViewerInput.h"

#include <gtest/gtest.h>

namespace velvora {
namespace {

TEST(ViewerInput, KeysDependOnThePhotoListAndTheAboutBox) {
    EXPECT_EQ(CommandForKey(ViewerKey::Home, false, false), ViewerCommand::First);
    EXPECT_EQ(CommandForKey(ViewerKey::End, false, false), ViewerCommand::Last);
    EXPECT_EQ(CommandForKey(ViewerKey::F11, false, false), ViewerCommand::ToggleFullScreen);
    EXPECT_EQ(CommandForKey(ViewerKey::P, true, false), ViewerCommand::ShowPhotos);
    EXPECT_EQ(CommandForKey(ViewerKey::P, false, false), ViewerCommand::TogglePause);
    EXPECT_EQ(CommandForKey(ViewerKey::Escape, false, true), ViewerCommand::CloseAbout);
    EXPECT_EQ(CommandForKey(ViewerKey::Escape, false, false), ViewerCommand::Exit);
}

TEST(ViewerInput, AClickIsNextOnlyOnceItCannotBecomeADoubleClickAndClosesTheAboutBoxAtOnce) {
    SlideClicks clicks;
    EXPECT_EQ(clicks.Press(false, 1000), ViewerCommand::None);
    EXPECT_EQ(clicks.Due(1499, 500), ViewerCommand::None);
    EXPECT_EQ(clicks.Due(1500, 500), ViewerCommand::Next);
    EXPECT_EQ(clicks.Due(1600, 500), ViewerCommand::None);

    clicks.Press(false, 2000);
    EXPECT_EQ(clicks.DoubleClick(), ViewerCommand::ToggleFullScreen);
    EXPECT_EQ(clicks.Due(9000, 500), ViewerCommand::None);

    clicks.Press(false, 3000);
    EXPECT_EQ(clicks.Press(true, 3100), ViewerCommand::CloseAbout);
    EXPECT_EQ(clicks.Due(9000, 500), ViewerCommand::None);
}

TEST(ViewerInput, WheelCountsWholeNotchesFromSmoothParts) {
    WheelNotches wheel;
    EXPECT_EQ(wheel.Add(240), 2);
    EXPECT_EQ(wheel.Add(-60), 0);
    EXPECT_EQ(wheel.Add(-90), -1);
    EXPECT_EQ(wheel.Add(30), 0);  // back where the notch began
    EXPECT_EQ(wheel.Add(120), 1);
}

TEST(ViewerInput, PointerHidesOnlyInFullScreenAfterTwoStillSecondsAndMovingBringsItBack) {
    PointerIdle pointer;
    pointer.Observe(5, 5, 1000);
    EXPECT_FALSE(pointer.Hidden(true, 2999));
    EXPECT_TRUE(pointer.Hidden(true, 3000));
    EXPECT_FALSE(pointer.Hidden(false, 9000));
    pointer.Observe(5, 5, 9000);  // the same place is no movement
    EXPECT_TRUE(pointer.Hidden(true, 9000));
    pointer.Observe(6, 5, 9100);
    EXPECT_FALSE(pointer.Hidden(true, 10000));
}

}  // namespace
}  // namespace velvora
