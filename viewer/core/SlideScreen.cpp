// The show with its about box on top.
#include "viewer/core/SlideScreen.h"

#include "viewer/core/SlideLayout.h"

namespace velvora {

namespace {

SlidePreparer::PictureLoader LoaderOrShows(const SlideShow& show, SlidePreparer::PictureLoader load) {
    if (load) return load;
    return [&show](const SlidePhoto& photo) { return show.LoadPicture(photo); };
}

}  // namespace

SlideScreen::SlideScreen(const SlideShow& show, std::uint32_t seed, SlidePreparer::PictureLoader load)
    : slideShow_(show),
      seed_(seed),
      show_(show, seed),
      showRenderer_(show, LoaderOrShows(show, load)),
      aboutRenderer_(show, LoaderOrShows(show, load)) {}

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
    aboutRenderer_.Release();
    if (resumeShow_ && show_.State() == PlayState::Paused) show_.TogglePause(nowMs);
    resumeShow_ = false;
}

void SlideScreen::CloseFinishedAbout(std::int64_t nowMs) {
    if (about_ && about_->State() == PlayState::Finished) CloseAbout(nowMs);
}

// A player whose slide is not ready yet holds its clock until a frame can show it.
void SlideScreen::Render(int width, int height, PixelBuffer& target) {
    showRenderer_.Render(show_, width, height, target);
    show_.SetWaitingForSlide(!showRenderer_.CurrentSlideReady());
    if (!about_) return;
    const SlideCategory& category = slideShow_.Categories()[std::size_t(slideShow_.AboutCategory())];
    aboutRenderer_.RenderInto(*about_, CenteredBox(category.AboutWindow, width, height), target);
    about_->SetWaitingForSlide(!aboutRenderer_.CurrentSlideReady());
}

}  // namespace velvora
