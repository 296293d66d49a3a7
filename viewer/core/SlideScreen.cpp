// The show with its about box on top.
#include "viewer/core/SlideScreen.h"

#include "viewer/core/SlideLayout.h"

namespace velvora {

SlideScreen::SlideScreen(const SlideShow& show, std::uint32_t seed)
    : slideShow_(show), seed_(seed), show_(show, seed), showRenderer_(show), aboutRenderer_(show) {}

void SlideScreen::Start(std::int64_t nowMs) { show_.Start(nowMs); }

void SlideScreen::Tick(std::int64_t nowMs) {
    show_.Tick(nowMs);
    if (about_) about_->Tick(nowMs);
    CloseFinishedAbout(nowMs);
}

void SlideScreen::Next(std::int64_t nowMs) {
    Top().Next(nowMs);
    CloseFinishedAbout(nowMs);
}

void SlideScreen::Previous(std::int64_t nowMs) { Top().Previous(nowMs); }

void SlideScreen::First(std::int64_t nowMs) { Top().First(nowMs); }

void SlideScreen::Last(std::int64_t nowMs) { Top().Last(nowMs); }

void SlideScreen::TogglePause(std::int64_t nowMs) { Top().TogglePause(nowMs); }

void SlideScreen::OpenAbout(std::int64_t nowMs) {
    if (about_) return;
    // Every opening settles "Random" afresh, yet the same seed still plays the same way.
    SlidePlayer& about = about_.emplace(slideShow_, seed_ + ++aboutRuns_, slideShow_.AboutCategory());
    if (about.PlayList().empty()) {
        about_.reset();
        return;
    }
    resumeShow_ = show_.State() == PlayState::Playing;
    if (resumeShow_) show_.TogglePause(nowMs);
    about.Start(nowMs);
}

void SlideScreen::CloseAbout(std::int64_t nowMs) {
    if (!about_) return;
    about_.reset();
    if (resumeShow_ && show_.State() == PlayState::Paused) show_.TogglePause(nowMs);
    resumeShow_ = false;
}

void SlideScreen::CloseFinishedAbout(std::int64_t nowMs) {
    if (about_ && about_->State() == PlayState::Finished) CloseAbout(nowMs);
}

void SlideScreen::Render(int width, int height, PixelBuffer& target) {
    showRenderer_.Render(show_, width, height, target);
    if (!about_) return;
    const SlideCategory& category = slideShow_.Categories()[std::size_t(slideShow_.AboutCategory())];
    aboutRenderer_.RenderInto(*about_, CenteredBox(category.AboutWindow, width, height), target);
}

}  // namespace velvora
