// The viewer's commands and frames, shared by its front ends.
#include "viewer/core/ViewerSession.h"

#include <cstdlib>
#include <utility>

namespace velvora {

ViewerSession::ViewerSession(SlideShow show, std::uint32_t seed)
    : show_(std::move(show)), features_(ViewerFeaturesOf(show_)), screen_(show_, seed) {}

void ViewerSession::StartShow() {
    screen_.Start(Now());
    PlayFrame();
}

void ViewerSession::PlayFrame() {
    const bool aboutWasOpen = screen_.AboutOpen();
    screen_.Tick(Now());
    if (screen_.ExitRequested()) {
        CloseViewer();
        return;
    }
    if (aboutWasOpen != screen_.AboutOpen()) ShowPauseState();
    RenderFrame();
    ShowPosition(PositionText(screen_.Show()));
    UpdatePointer();
    const ViewerCommand click = clicks_.Due(Now(), DoubleClickMs());
    if (click != ViewerCommand::None) Run(click);
}

void ViewerSession::Run(ViewerCommand command) {
    switch (command) {
        case ViewerCommand::None:
            break;
        case ViewerCommand::Next:
            Step(&SlideScreen::Next);
            break;
        case ViewerCommand::Previous:
            Step(&SlideScreen::Previous);
            break;
        case ViewerCommand::First:
            Step(&SlideScreen::First);
            break;
        case ViewerCommand::Last:
            Step(&SlideScreen::Last);
            break;
        case ViewerCommand::TogglePause:
            TogglePause();
            break;
        case ViewerCommand::ShowPhotos:
            ShowPhotos();
            break;
        case ViewerCommand::ShowAbout:
            ShowAbout();
            break;
        case ViewerCommand::CloseAbout:
            CloseAbout();
            break;
        case ViewerCommand::ToggleFullScreen:
            ToggleFullScreen();
            break;
        case ViewerCommand::Exit:
            CloseViewer();
            break;
    }
}

void ViewerSession::Wheel(int delta) {
    const int notches = wheel_.Add(delta);
    for (int notch = 0; notch < std::abs(notches); ++notch)
        Run(notches > 0 ? ViewerCommand::Previous : ViewerCommand::Next);
}

void ViewerSession::Step(void (SlideScreen::*move)(std::int64_t)) {
    (screen_.*move)(Now());
    PlayFrame();
}

void ViewerSession::TogglePause() {
    screen_.TogglePause(Now());
    ShowPauseState();
}

void ViewerSession::ShowAbout() {
    screen_.OpenAbout(Now());
    ShowPauseState();
    PlayFrame();
}

void ViewerSession::CloseAbout() {
    if (!screen_.AboutOpen()) return;
    screen_.CloseAbout(Now());
    ShowPauseState();
    PlayFrame();
}

// The show waits while the user looks through its photos, and goes on when the list closes.
void ViewerSession::ShowPhotos() {
    if (!features_.PhotoBrowser || RaisePhotoList()) return;
    CloseAbout();
    resumeAfterPhotos_ = screen_.State() == PlayState::Playing;
    if (resumeAfterPhotos_) TogglePause();
    OpenPhotoList();
}

void ViewerSession::PhotosClosed() {
    if (resumeAfterPhotos_ && screen_.State() == PlayState::Paused) TogglePause();
    resumeAfterPhotos_ = false;
}

}  // namespace velvora
