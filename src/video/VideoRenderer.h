// A show played into video frames: the viewer core's player and renderer on a simulated
// clock at a fixed frame rate, so the video shows what a viewer with instant decoding shows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "viewer/core/PixelBuffer.h"
#include "viewer/core/SlidePlayer.h"
#include "viewer/core/SlideRenderer.h"
#include "viewer/core/SlideShow.h"

namespace velvora {

// Settles every "Random" of a video, so that the same show always gives the same frames.
inline constexpr std::uint32_t VideoSeed = 0x56454C56u;
// How long a photo that would wait for a key stays when it has no seconds of its own.
inline constexpr std::int64_t VideoKeyWaitMs = 5000;

// Writes a photo's caption onto its frame as the viewers do: darkens the band and draws the
// text. Empty for a video without captions (a build without the text renderer).
using CaptionPainter = std::function<void(PixelBuffer& frame, const std::string& caption, PixelRect slide)>;

// What the renderer plays: the show as the viewer opens it (intro, then the auto-run
// category or the whole show, without the about category), or one category and those
// below it, as Play does. A looping show plays once.
struct VideoContent {
    int Category = -1;  // index into the show's categories; -1 for the whole show
};

// The index of the category whose stored path is `path` ("\" for the show itself,
// "\Holidays\Beach"), or -1.
int FindVideoCategory(const SlideShow& show, const std::string& path);

class VideoRenderer {
public:
    // `show` must outlive the renderer.
    VideoRenderer(const SlideShow& show, int width, int height, int fps, VideoContent content = {},
                  CaptionPainter painter = {});

    // How many frames the video has: the frames drawn before the show ends, found by playing
    // the same seed's choices on the same clock without drawing.
    int FrameCount() const { return frameCount_; }
    bool HasPhotos() const { return !player_.PlayList().empty(); }

    // Draws the next frame into `frame` (resized to the video's size), waiting for its slide
    // to be prepared while the clock stands still; false, and `frame` untouched, once the
    // show is over.
    bool NextFrame(PixelBuffer& frame);
    // True when the last NextFrame left `frame` as the one before: a photo standing still
    // after its transition, which needs drawing and converting only once.
    bool FrameRepeated() const { return repeated_; }

private:
    std::int64_t FrameTimeMs(int frame) const { return std::int64_t(frame) * 1000 / fps_; }
    SlidePlayer MakePlayer() const;
    int CountFrames() const;
    void RenderSettled(PixelBuffer& frame);

    const SlideShow& show_;
    int width_;
    int height_;
    int fps_;
    VideoContent content_;
    CaptionPainter painter_;
    SlidePlayer player_;
    SlideRenderer renderer_;
    int frameCount_ = 0;
    int nextFrame_ = 0;
    SlideFrame lastFrame_;
    bool repeated_ = false;
};

}  // namespace velvora
