// Mouse and key meaning of the viewer.
#include "viewer/core/ViewerInput.h"


namespace velvora {

ViewerCommand CommandForKey(ViewerKey key, bool photoBrowser, bool aboutOpen) {
    switch (key) {
        case ViewerKey::Space:
        case ViewerKey::Right:
        case ViewerKey::PageDown:
            return ViewerCommand::Next;
        case ViewerKey::Left:
        case ViewerKey::PageUp:
            return ViewerCommand::Previous;
        case ViewerKey::Home:
            return ViewerCommand::First;
        case ViewerKey::End:
            return ViewerCommand::Last;
        case ViewerKey::P:
            return photoBrowser ? ViewerCommand::ShowPhotos : ViewerCommand::TogglePause;
        case ViewerKey::Pause:
            return ViewerCommand::TogglePause;
        case ViewerKey::F1:
            return ViewerCommand::ShowAbout;
        case ViewerKey::F11:
            return ViewerCommand::ToggleFullScreen;
        case ViewerKey::Escape:
            return aboutOpen ? ViewerCommand::CloseAbout : ViewerCommand::Exit;
        case ViewerKey::Other:
            break;
    }
    return ViewerCommand::None;
}

ViewerCommand SlideClicks::Press(bool aboutOpen, std::int64_t nowMs) {
    if (aboutOpen) {
        pressedMs_.reset();
        return ViewerCommand::CloseAbout;
    }
    pressedMs_ = nowMs;
    return ViewerCommand::None;
}

ViewerCommand SlideClicks::DoubleClick() {
    pressedMs_.reset();
    return ViewerCommand::ToggleFullScreen;
}

ViewerCommand SlideClicks::Due(std::int64_t nowMs, std::int64_t doubleClickMs) {
    if (!pressedMs_ || nowMs - *pressedMs_ < doubleClickMs) return ViewerCommand::None;
    pressedMs_.reset();
    return ViewerCommand::Next;
}

int WheelNotches::Add(int delta) {
    constexpr int Notch = 120;
    remainder_ += delta;
    const int notches = remainder_ / Notch;
    remainder_ -= notches * Notch;
    return notches;
}

void PointerIdle::Observe(int x, int y, std::int64_t nowMs) {
    const std::pair<int, int> position{x, y};
    if (position_ == position) return;
    position_ = position;
    movedMs_ = nowMs;
}

bool PointerIdle::Hidden(bool fullScreen, std::int64_t nowMs) const {
    return fullScreen && nowMs - movedMs_ >= PointerIdleMs;
}

std::string PositionText(const SlidePlayer& player) {
    const int current = player.Frame().To;
    if (current < 0) return {};
    return std::to_string(current + 1) + " / " + std::to_string(player.PlayList().size());
}

}  // namespace velvora
