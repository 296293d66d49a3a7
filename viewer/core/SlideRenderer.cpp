// Per-frame drawing for the front ends, keeping the decoded and placed slides of the photos
// on screen so that a frame costs only the transition's copies.
#include "viewer/core/SlideRenderer.h"

#include "viewer/core/Compositor.h"
#include "viewer/core/PictureDecoding.h"
#include "viewer/core/SlideLayout.h"

namespace velvora {
namespace {

const SlidePhoto& PhotoOf(const SlideShow& show, const SlidePlayer& player, int index) {
    const PlayEntry& entry = player.PlayList()[std::size_t(index)];
    return show.Categories()[std::size_t(entry.Category)].Photos[std::size_t(entry.Photo)];
}

std::string CaptionOf(const SlidePhoto& photo, bool pictureMissing) {
    if (!pictureMissing) return photo.Caption;
    const std::string notice = UndecodablePhotoNotice;
    return photo.Caption.empty() ? notice : notice + "\n" + photo.Caption;
}

}  // namespace

void SlideRenderer::Render(const SlidePlayer& player, int width, int height, PixelBuffer& target) {
    if (target.Width != width || target.Height != height) target = PixelBuffer(width, height);
    const int to = player.Frame().To;
    if (to < 0) {
        std::fill(target.Pixels.begin(), target.Pixels.end(), OpaqueBlack);
        slides_.clear();
        slideArea_ = {};
        caption_.clear();
        return;
    }
    const PixelRect box = SlideBox(player, to, width, height);
    FillAround(box, PixelFromColorValue(player.Choice(to).BackgroundColor), target);
    RenderInto(player, box, target);
}

void SlideRenderer::RenderInto(const SlidePlayer& player, PixelRect box, PixelBuffer& target) {
    const SlideFrame frame = player.Frame();
    // Slides no longer on screen are dropped, so memory holds two slides at most.
    std::erase_if(slides_, [&](const auto& slide) { return slide.first != frame.From && slide.first != frame.To; });
    slideArea_ = box;
    caption_.clear();
    if (frame.To < 0 || box.Width <= 0 || box.Height <= 0) return;
    static const PixelBuffer background;
    const PixelBuffer& oldSlide = frame.From >= 0 ? Slide(player, frame.From, box.Width, box.Height) : background;
    const PixelBuffer& newSlide = Slide(player, frame.To, box.Width, box.Height);
    if (screen_.Width != box.Width || screen_.Height != box.Height) screen_ = PixelBuffer(box.Width, box.Height);
    ComposeTransition(oldSlide, newSlide, player.Choice(frame.To).Transition, frame.Progress, screen_);
    CopyPicture(screen_, box.X, box.Y, target);
    // The text appears once the picture has settled, rather than moving with the slides.
    if (frame.Progress >= 1.0)
        caption_ = CaptionOf(PhotoOf(show_, player, frame.To), slides_.at(frame.To).PictureMissing);
}

// Intro photos play in the intro category's box; everything else fills the screen.
PixelRect SlideRenderer::SlideBox(const SlidePlayer& player, int index, int width, int height) const {
    const int intro = show_.IntroCategory();
    if (!player.PlayList()[std::size_t(index)].Intro || intro < 0) return {0, 0, width, height};
    return CenteredBox(show_.Categories()[std::size_t(intro)].IntroWindow, width, height);
}

// The slide of play list entry `index`, drawn again when its display choice or the slide
// size changed since it was kept. A photo that leaves the previous picture is drawn over
// the screen as it was; when the size changed there is nothing to keep, and it starts from
// its background.
const PixelBuffer& SlideRenderer::Slide(const SlidePlayer& player, int index, int width, int height) {
    const DisplayChoice& choice = player.Choice(index);
    CachedSlide& cached = slides_[index];
    if (cached.Pixels.Width == width && cached.Pixels.Height == height && cached.Choice == choice) return cached.Pixels;
    cached.Choice = choice;
    const PixelBuffer picture = LoadPictureOrEmpty(PhotoOf(show_, player, index));
    cached.PictureMissing = picture.Empty();
    if (choice.LeavePrevious && screen_.Width == width && screen_.Height == height) {
        cached.Pixels = screen_;
        DrawPlaced(picture, choice, cached.Pixels);
    } else {
        cached.Pixels = RenderSlide(picture, width, height, choice);
    }
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
