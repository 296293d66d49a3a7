// Per-frame drawing for the front ends, keeping the decoded and placed slides of the photos
// on screen so that a frame costs only the transition's copies.
#include "viewer/core/SlideRenderer.h"

#include "viewer/core/Compositor.h"
#include "viewer/core/PictureDecoding.h"

namespace velvora {

void SlideRenderer::Render(const SlidePlayer& player, int width, int height, PixelBuffer& target) {
    if (target.Width != width || target.Height != height) target = PixelBuffer(width, height);
    const SlideFrame frame = player.Frame();
    // Slides no longer on screen are dropped, so memory holds two window-sized slides at most.
    std::erase_if(slides_, [&](const auto& slide) { return slide.first != frame.From && slide.first != frame.To; });
    if (frame.To < 0) {
        std::fill(target.Pixels.begin(), target.Pixels.end(), OpaqueBlack);
        return;
    }
    static const PixelBuffer background;
    const PixelBuffer& oldSlide = frame.From >= 0 ? Slide(player, frame.From, width, height) : background;
    const PixelBuffer& newSlide = Slide(player, frame.To, width, height);
    ComposeTransition(oldSlide, newSlide, player.Choice(frame.To).Transition, frame.Progress, target);
}

// The slide of play list entry `index`, drawn again when its display choice or the window
// size changed since it was kept.
const PixelBuffer& SlideRenderer::Slide(const SlidePlayer& player, int index, int width, int height) {
    const DisplayChoice& choice = player.Choice(index);
    CachedSlide& cached = slides_[index];
    if (cached.Pixels.Width == width && cached.Pixels.Height == height && cached.Choice == choice) return cached.Pixels;
    const PlayEntry& entry = player.PlayList()[std::size_t(index)];
    const SlidePhoto& photo = show_.Categories()[std::size_t(entry.Category)].Photos[std::size_t(entry.Photo)];
    cached.Choice = choice;
    cached.Pixels = RenderSlide(LoadPictureOrEmpty(photo), width, height, choice);
    return cached.Pixels;
}

PixelBuffer SlideRenderer::LoadPictureOrEmpty(const SlidePhoto& photo) {
    try {
        return show_.LoadPicture(photo);
    } catch (const std::exception& error) {
        lastPictureError_ = photo.SourceFileName + ": " + error.what();
        return {};
    }
}

}  // namespace velvora
