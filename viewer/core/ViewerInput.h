// What the viewer's keys, wheel and clicks mean, and the small pieces of state behind the
// mouse: a click that waits to see whether it becomes a double-click, whole wheel notches,
// and the pointer that hides in full screen. Both front ends translate their native events
// into these and run the command they get back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "viewer/core/SlidePlayer.h"

namespace velvora {

enum class ViewerKey { Space, Right, PageDown, Left, PageUp, Home, End, P, Pause, F1, F11, Escape, Other };

enum class ViewerCommand {
    None,
    Next,
    Previous,
    First,
    Last,
    TogglePause,
    ShowPhotos,
    ShowAbout,
    CloseAbout,
    ToggleFullScreen,
    Exit
};

// With the photo list allowed, P opens it (Pause still pauses); Escape closes the about box
// when it is open, else the viewer.
ViewerCommand CommandForKey(ViewerKey key, bool photoBrowser, bool aboutOpen);

// A click on the slides closes the about box at once; otherwise it is Next, but only once
// the double-click time has passed without a second click, so a double-click only switches
// full screen.
class SlideClicks {
public:
    // The command to run at once for a press at `nowMs`.
    ViewerCommand Press(bool aboutOpen, std::int64_t nowMs);
    ViewerCommand DoubleClick();
    // Next once a pending click is `doubleClickMs` old; call it from the frame timer.
    ViewerCommand Due(std::int64_t nowMs, std::int64_t doubleClickMs);

private:
    std::optional<std::int64_t> pressedMs_;
};

// Wheel deltas come in eighths of a degree, 120 to the notch, or in smaller parts from
// smooth wheels; each whole notch up is Previous, down is Next.
class WheelNotches {
public:
    // The signed number of whole notches completed by `delta`; positive is up.
    int Add(int delta);

private:
    int remainder_ = 0;
};

inline constexpr std::int64_t PointerIdleMs = 2000;

// The pointer over a full-screen show hides after PointerIdleMs without movement. Front ends
// report the pointer's position on every frame; only a changed position counts as movement,
// so hiding the pointer (which some systems answer with a move event) cannot wake it.
class PointerIdle {
public:
    void Observe(int x, int y, std::int64_t nowMs);
    bool Hidden(bool fullScreen, std::int64_t nowMs) const;

private:
    std::optional<std::pair<int, int>> position_;
    std::int64_t movedMs_ = 0;
};

// "3 / 12": the photo on screen in the play list, intro included, and the list's length;
// empty while no photo is on screen.
std::string PositionText(const SlidePlayer& player);

}  // namespace velvora
