// What a viewer window shows: the show, and over it, when asked for, the about category
// playing in its box while the show waits. The commands go to whichever plays on top, so
// both front ends only pass on the clock, the keys and the window size.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "viewer/core/PixelBuffer.h"
#include "viewer/core/SlidePlayer.h"
#include "viewer/core/SlideRenderer.h"
#include "viewer/core/SlideShow.h"

namespace velvora {

class SlideScreen {
public:
    // `seed` settles the show's "Random" settings, and those of each about box played.
    // Pictures are decoded through `load`, by default the show's own LoadPicture.
    SlideScreen(const SlideShow& show, std::uint32_t seed, SlidePreparer::PictureLoader load = {});

    const SlidePlayer& Show() const { return show_; }
    bool AboutOpen() const { return about_.has_value(); }
    // The state of what plays on top.
    PlayState State() const { return about_ ? about_->State() : show_.State(); }
    bool ExitRequested() const { return show_.ExitRequested(); }

    void Start(std::int64_t nowMs);
    // Moves on to now; the about box closes by itself once it has played to its end.
    void Tick(std::int64_t nowMs);
    void Next(std::int64_t nowMs);
    void Previous(std::int64_t nowMs);
    void First(std::int64_t nowMs);
    void Last(std::int64_t nowMs);
    void TogglePause(std::int64_t nowMs);

    // Pauses the show and plays the about category from its start over it; nothing when the
    // show has no about photos or the box is already open.
    void OpenAbout(std::int64_t nowMs);
    // Returns to the show where it was, playing again unless it had been paused before.
    void CloseAbout(std::int64_t nowMs);

    // Draws the show, and the about box in its centred box over it, into a width x height
    // target.
    void Render(int width, int height, PixelBuffer& target);
    // False while the last frame waited for a slide being prepared.
    bool SlidesReady() const {
        return showRenderer_.CurrentSlideReady() && (!about_ || aboutRenderer_.CurrentSlideReady());
    }
    // The caption on top as last rendered, and the slide rectangle it belongs on.
    const std::string& Caption() const { return TopRenderer().Caption(); }
    PixelRect CaptionSlide() const { return TopRenderer().SlideArea(); }

private:
    const SlideRenderer& TopRenderer() const { return about_ ? aboutRenderer_ : showRenderer_; }
    SlidePlayer& Top() { return about_ ? *about_ : show_; }
    void CloseFinishedAbout(std::int64_t nowMs);

    const SlideShow& slideShow_;
    std::uint32_t seed_;
    SlidePlayer show_;
    SlideRenderer showRenderer_;
    std::optional<SlidePlayer> about_;
    SlideRenderer aboutRenderer_;
    bool resumeShow_ = false;
    std::uint32_t aboutRuns_ = 0;
};

}  // namespace velvora
