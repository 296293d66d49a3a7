// What a front end calls each frame: the player's current frame drawn into a pixel buffer
// of the window's size, with the slides it needs kept between frames and the next ones
// prepared on a worker thread, so that no frame waits for a photo to decode.
#pragma once

#include <map>
#include <string>

#include "viewer/core/PixelBuffer.h"
#include "viewer/core/SlidePlayer.h"
#include "viewer/core/SlidePreparer.h"
#include "viewer/core/SlideShow.h"

namespace velvora {

// The caption of a photo whose picture cannot be decoded, above its own caption, so that
// whoever watches sees why only the background shows.
inline constexpr const char* UndecodablePhotoNotice = "This photo cannot be shown.";

class SlideRenderer {
public:
    // Decodes through the show's own LoadPicture.
    explicit SlideRenderer(const SlideShow& show);
    SlideRenderer(const SlideShow& show, SlidePreparer::PictureLoader load) : show_(show), preparer_(std::move(load)) {}

    // Draws `player`'s frame into `target`, resizing it to width x height first. The slides
    // fill all of it, except while the intro plays: then they fill the intro's centred box
    // and the rest shows the photo's background. Photos that cannot be decoded show as their
    // background with UndecodablePhotoNotice in their caption, and the show goes on; the
    // error of the latest one is kept in LastPictureError().
    //
    // While the current photo's slide is still being prepared, the frame shows the screen as
    // it was and CurrentSlideReady() is false; whoever drives the player holds its clock
    // meanwhile. After a resize, the slides kept are stretched to the new size until they
    // are placed again.
    void Render(const SlidePlayer& player, int width, int height, PixelBuffer& target);
    // Draws `player`'s frame into `box` of `target` and leaves the rest alone, as the about
    // box plays over the show.
    void RenderInto(const SlidePlayer& player, PixelRect box, PixelBuffer& target);

    // Lets go of every slide, kept or being prepared, when nothing of this player shows any more.
    void Release();

    // False while the last frame waited for the current photo's slide.
    bool CurrentSlideReady() const { return currentReady_; }
    // Slides kept and prepared: the one before the current photo, the current one and the
    // next, so never more than three once the screen has settled.
    int HeldSlides() const { return int(slides_.size()) + preparer_.HeldCount(); }

    // The caption of the photo drawn last once its transition is over, empty before and for
    // decodable photos without one, and the rectangle its slide fills on the target.
    const std::string& Caption() const { return caption_; }
    PixelRect SlideArea() const { return slideArea_; }
    const std::string& LastPictureError() const { return lastPictureError_; }

private:
    enum class SlideKind {
        Placed,     // drawn from its placed picture
        Stretched,  // a placed slide stretched to a new size until it is placed again
        Screen,     // the screen as it was, for a photo that leaves before its slide was ready
    };
    struct CachedSlide {
        DisplayChoice Choice;
        PixelBuffer Pixels;
        bool PictureMissing = false;  // not decoded: the slide is the photo's background
        SlideKind Kind = SlideKind::Placed;
    };

    PixelRect SlideBox(const SlidePlayer& player, int index, int width, int height) const;
    SlideRequest RequestFor(const SlidePlayer& player, int index, const DisplayChoice& choice, PixelRect box) const;
    void AskForSlides(const SlidePlayer& player, const SlideFrame& frame, int before, PixelRect box);
    bool Fits(int index, const DisplayChoice& choice, PixelRect box) const;
    const CachedSlide* CurrentSlide(const SlidePlayer& player, int index, PixelRect box);
    const PixelBuffer& LeavingSlide(const SlidePlayer& player, int index, PixelRect box);
    void Compose(int index, const DisplayChoice& choice, PlacedPicture picture, PixelRect box);
    static void StretchTo(CachedSlide& slide, PixelRect box);

    const SlideShow& show_;
    // The slides on screen and the one before them, by play list index.
    std::map<int, CachedSlide> slides_;
    SlidePreparer preparer_;
    bool currentReady_ = true;
    // The slide area as last drawn: what a photo that leaves the previous one is drawn over.
    PixelBuffer screen_;
    PixelRect slideArea_;
    std::string caption_;
    std::string lastPictureError_;
};

}  // namespace velvora
