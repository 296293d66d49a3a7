// Per-frame drawing for the front ends, keeping the slides of the photos on screen so that
// a frame costs only the transition's copies.
#include "viewer/core/SlideRenderer.h"

#include "viewer/core/Compositor.h"
#include "viewer/core/Scaling.h"
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

SlideRenderer::SlideRenderer(const SlideShow& show)
    : SlideRenderer(show, [&show](const SlidePhoto& photo) { return show.LoadPicture(photo); }) {}

void SlideRenderer::Release() {
    slides_.clear();
    preparer_.Want({});
    currentReady_ = true;
}

void SlideRenderer::Render(const SlidePlayer& player, int width, int height, PixelBuffer& target) {
    if (target.Width != width || target.Height != height) target = PixelBuffer(width, height);
    const int to = player.Frame().To;
    if (to < 0) {
        std::fill(target.Pixels.begin(), target.Pixels.end(), OpaqueBlack);
        Release();
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
    slideArea_ = box;
    caption_.clear();
    currentReady_ = true;
    if (frame.To < 0 || box.Width <= 0 || box.Height <= 0) return;
    // The one before is the photo leaving, else the entry before it, which Previous shows.
    const int before = frame.From >= 0 ? frame.From : frame.To - 1;
    std::erase_if(slides_, [&](const auto& slide) { return slide.first != frame.To && slide.first != before; });
    if (screen_.Width != box.Width || screen_.Height != box.Height)
        screen_ = PixelBuffer(box.Width, box.Height, PixelFromColorValue(player.Choice(frame.To).BackgroundColor));
    const CachedSlide* current = CurrentSlide(player, frame.To, box);
    AskForSlides(player, frame, before, box);
    currentReady_ = current != nullptr;
    if (current) {
        static const PixelBuffer background;
        const PixelBuffer& oldSlide = frame.From >= 0 ? LeavingSlide(player, frame.From, box) : background;
        ComposeTransition(oldSlide, current->Pixels, player.Choice(frame.To).Transition, frame.Progress, screen_);
    }
    CopyPicture(screen_, box.X, box.Y, target);
    // The text appears once the picture has settled, rather than moving with the slides.
    if (current && frame.Progress >= 1.0) caption_ = CaptionOf(PhotoOf(show_, player, frame.To), current->PictureMissing);
}

// Intro photos play in the intro category's box; everything else fills the screen.
PixelRect SlideRenderer::SlideBox(const SlidePlayer& player, int index, int width, int height) const {
    const int intro = show_.IntroCategory();
    if (!player.PlayList()[std::size_t(index)].Intro || intro < 0) return {0, 0, width, height};
    return CenteredBox(show_.Categories()[std::size_t(intro)].IntroWindow, width, height);
}

SlideRequest SlideRenderer::RequestFor(const SlidePlayer& player, int index, const DisplayChoice& choice,
                                       PixelRect box) const {
    return {index, &PhotoOf(show_, player, index), choice, box.Width, box.Height};
}

// The current photo's slide first, then the next photo's with the choice already made for
// it, then the one before. The next one is asked for at the current slide's size; where an
// intro gives way to the show the size changes, and that one slide waits for its placing.
void SlideRenderer::AskForSlides(const SlidePlayer& player, const SlideFrame& frame, int before, PixelRect box) {
    std::vector<SlideRequest> wanted;
    const auto want = [&](int index, const DisplayChoice& choice) {
        if (index >= 0 && !Fits(index, choice, box)) wanted.push_back(RequestFor(player, index, choice, box));
    };
    want(frame.To, player.Choice(frame.To));
    if (player.Upcoming() >= 0) want(player.Upcoming(), player.UpcomingChoice());
    want(before, before >= 0 ? player.Choice(before) : DisplayChoice());
    preparer_.Want(std::move(wanted));
}

bool SlideRenderer::Fits(int index, const DisplayChoice& choice, PixelRect box) const {
    const auto slide = slides_.find(index);
    return slide != slides_.end() && slide->second.Kind == SlideKind::Placed && slide->second.Choice == choice &&
           slide->second.Pixels.Width == box.Width && slide->second.Pixels.Height == box.Height;
}

// The slide of the current photo: kept, just prepared, or after a resize the kept one
// stretched; none while it is being prepared.
const SlideRenderer::CachedSlide* SlideRenderer::CurrentSlide(const SlidePlayer& player, int index, PixelRect box) {
    const DisplayChoice& choice = player.Choice(index);
    if (Fits(index, choice, box)) return &slides_.at(index);
    if (std::optional<PlacedPicture> picture = preparer_.Take(RequestFor(player, index, choice, box))) {
        Compose(index, choice, std::move(*picture), box);
        return &slides_.at(index);
    }
    const auto kept = slides_.find(index);
    if (kept == slides_.end() || kept->second.Kind == SlideKind::Screen || kept->second.Choice != choice)
        return nullptr;
    StretchTo(kept->second, box);
    return &kept->second;
}

// The slide of the photo leaving. One that left before its slide was ready leaves as the
// screen showed it then.
const PixelBuffer& SlideRenderer::LeavingSlide(const SlidePlayer& player, int index, PixelRect box) {
    const DisplayChoice& choice = player.Choice(index);
    const auto kept = slides_.find(index);
    if (kept != slides_.end() && kept->second.Choice == choice) {
        StretchTo(kept->second, box);
        return kept->second.Pixels;
    }
    CachedSlide& standIn = slides_[index];
    standIn = CachedSlide{choice, screen_, false, SlideKind::Screen};
    return standIn.Pixels;
}

void SlideRenderer::StretchTo(CachedSlide& slide, PixelRect box) {
    if (slide.Pixels.Width == box.Width && slide.Pixels.Height == box.Height) return;
    slide.Pixels = ScaleBilinear(slide.Pixels, box.Width, box.Height);
    slide.Kind = SlideKind::Stretched;
}

// A photo that leaves the previous one is drawn over the screen as it is; when the size
// changed there is nothing to keep, and it starts from its background.
void SlideRenderer::Compose(int index, const DisplayChoice& choice, PlacedPicture picture, PixelRect box) {
    CachedSlide slide{choice, {}, picture.Missing, SlideKind::Placed};
    if (choice.LeavePrevious && screen_.Width == box.Width && screen_.Height == box.Height)
        slide.Pixels = screen_;
    else
        slide.Pixels = PixelBuffer(box.Width, box.Height, PixelFromColorValue(choice.BackgroundColor));
    CopyPicture(picture.Pixels, picture.Place.X, picture.Place.Y, slide.Pixels);
    if (!picture.Error.empty()) lastPictureError_ = picture.Error;
    slides_[index] = std::move(slide);
}

}  // namespace velvora
