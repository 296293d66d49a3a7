// Playing a show into frames.
#include "video/VideoRenderer.h"

#include <chrono>
#include <thread>

namespace velvora {

int FindVideoCategory(const SlideShow& show, const std::string& path) {
    const std::vector<SlideCategory>& categories = show.Categories();
    for (std::size_t index = 0; index < categories.size(); ++index)
        if (categories[index].Path == path) return int(index);
    return -1;
}

VideoRenderer::VideoRenderer(const SlideShow& show, int width, int height, int fps, VideoContent content,
                             CaptionPainter painter)
    : show_(show),
      width_(width),
      height_(height),
      fps_(fps),
      content_(content),
      painter_(std::move(painter)),
      player_(MakePlayer()),
      renderer_(show) {
    frameCount_ = CountFrames();
    player_.Start(0);
}

SlidePlayer VideoRenderer::MakePlayer() const {
    SlidePlayer player =
        content_.Category < 0 ? SlidePlayer(show_, VideoSeed) : SlidePlayer(show_, VideoSeed, content_.Category);
    player.PlayUnattended(VideoKeyWaitMs);
    return player;
}

// The player's choices depend on the seed and the clock only, never on drawing, so a
// second player on the same frame times ends on the same frame.
int VideoRenderer::CountFrames() const {
    SlidePlayer player = MakePlayer();
    player.Start(0);
    int frames = 0;
    while (player.State() != PlayState::Finished) player.Tick(FrameTimeMs(++frames));
    return frames;
}

bool VideoRenderer::NextFrame(PixelBuffer& frame) {
    if (nextFrame_ > 0) player_.Tick(FrameTimeMs(nextFrame_));
    if (player_.State() == PlayState::Finished) return false;
    ++nextFrame_;
    // A settled slide draws the same pixels until the player moves on; the first frame of
    // it has already asked for the next photo's slide.
    const SlideFrame now = player_.Frame();
    repeated_ = nextFrame_ > 1 && now == lastFrame_ && now.Progress >= 1.0;
    if (repeated_) return true;
    lastFrame_ = now;
    RenderSettled(frame);
    if (painter_ && !renderer_.Caption().empty()) painter_(frame, renderer_.Caption(), renderer_.SlideArea());
    return true;
}

// The clock stands still while a slide is prepared, as a viewer's does, so a slow decode
// makes the export slower, never the video different.
void VideoRenderer::RenderSettled(PixelBuffer& frame) {
    for (;;) {
        renderer_.Render(player_, width_, height_, frame);
        player_.SetWaitingForSlide(!renderer_.CurrentSlideReady());
        if (renderer_.CurrentSlideReady()) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace velvora
