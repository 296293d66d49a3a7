// What a front end calls each frame: the player's current frame drawn into a pixel buffer
// of the window's size, with the pictures and slides it needs kept between frames.
#pragma once

#include <map>
#include <string>

#include "viewer/core/PixelBuffer.h"
#include "viewer/core/SlidePlayer.h"
#include "viewer/core/SlideShow.h"

namespace velvora {

// The caption of a photo whose picture cannot be decoded, above its own caption, so that
// whoever watches sees why only the background shows.
inline constexpr const char* UndecodablePhotoNotice = "This photo cannot be shown.";

class SlideRenderer {
public:
    explicit SlideRenderer(const SlideShow& show) : show_(show) {}

    // Draws `player`'s frame into `target`, resizing it to width x height first. The slides
    // fill all of it, except while the intro plays: then they fill the intro's centred box
    // and the rest shows the photo's background. Photos that cannot be decoded show as their
    // background with UndecodablePhotoNotice in their caption, and the show goes on; the
    // error of the latest one is kept in LastPictureError().
    void Render(const SlidePlayer& player, int width, int height, PixelBuffer& target);
    // Draws `player`'s frame into `box` of `target` and leaves the rest alone, as the about
    // box plays over the show.
    void RenderInto(const SlidePlayer& player, PixelRect box, PixelBuffer& target);

    // The caption of the photo drawn last once its transition is over, empty before and for
    // decodable photos without one, and the rectangle its slide fills on the target.
    const std::string& Caption() const { return caption_; }
    PixelRect SlideArea() const { return slideArea_; }
    const std::string& LastPictureError() const { return lastPictureError_; }

private:
    PixelRect SlideBox(const SlidePlayer& player, int index, int width, int height) const;
    const PixelBuffer& Slide(const SlidePlayer& player, int index, int width, int height);
    PixelBuffer LoadPictureOrEmpty(const SlidePhoto& photo);

    struct CachedSlide {
        DisplayChoice Choice;
        PixelBuffer Pixels;
        bool PictureMissing = false;  // not decoded: the slide is the photo's background
    };

    const SlideShow& show_;
    // The slides of the frame before, by play list index; at most the two a frame shows.
    std::map<int, CachedSlide> slides_;
    // The slide area as last drawn: what a photo that leaves the previous one is drawn over.
    PixelBuffer screen_;
    PixelRect slideArea_;
    std::string caption_;
    std::string lastPictureError_;
};

}  // namespace velvora
