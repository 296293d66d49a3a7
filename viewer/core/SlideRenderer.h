// What a front end calls each frame: the player's current frame drawn into a pixel buffer
// of the window's size, with the pictures and slides it needs kept between frames.
#pragma once

#include <map>
#include <string>

#include "viewer/core/PixelBuffer.h"
#include "viewer/core/SlidePlayer.h"
#include "viewer/core/SlideShow.h"

namespace velvora {

class SlideRenderer {
public:
    explicit SlideRenderer(const SlideShow& show) : show_(show) {}

    // Draws `player`'s frame into `target`, resizing it to width x height first. Photos that
    // cannot be decoded show as their background; the error of the latest one is kept in
    // LastPictureError() for a front end that wants to say so.
    void Render(const SlidePlayer& player, int width, int height, PixelBuffer& target);

    const std::string& LastPictureError() const { return lastPictureError_; }

private:
    const PixelBuffer& Slide(const SlidePlayer& player, int index, int width, int height);
    PixelBuffer LoadPictureOrEmpty(const SlidePhoto& photo);

    struct CachedSlide {
        DisplayChoice Choice;
        PixelBuffer Pixels;
    };

    const SlideShow& show_;
    // The slides of the frame before, by play list index; at most the two a frame shows.
    std::map<int, CachedSlide> slides_;
    std::string lastPictureError_;
};

}  // namespace velvora
