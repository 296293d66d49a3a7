// H.264 MP4 files written frame by frame: the only part of Velvora that knows libavcodec
// and libavformat.
#pragma once

#include <memory>
#include <string>

#include "viewer/core/PixelBuffer.h"

namespace velvora {

// What the encoder is asked for. Width and Height must be even (yuv420p halves both for
// colour), from 16 to 8192; Fps from 1 to 120; Crf is x264's constant rate factor, 0 (best)
// to 51.
struct VideoStreamFormat {
    int Width = 1920;
    int Height = 1080;
    int Fps = 30;
    int Crf = 22;
};

// Why `format` cannot be encoded, empty when it can.
std::string VideoFormatProblem(const VideoStreamFormat& format);

// Shown when the libavcodec on this machine was built without libx264.
extern const char* const NoH264EncoderMessage;

// One MP4 being written: H.264 through libx264, yuv420p with BT.709 colours, the index at
// the front (+faststart) so that a web page can start playing before the file is all in, no
// sound. Frames go to "<path>.part" and the file appears at `path` only when Finish
// succeeds; an encoder destroyed before that removes its part file, so a cancelled or failed
// export leaves any earlier file at `path` as it was. Throws std::runtime_error with the
// user's message on every failure (format, missing encoder, unwritable folder, full disk).
class VideoEncoder {
public:
    VideoEncoder(const std::string& path, const VideoStreamFormat& format);
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Encodes the next frame; `frame` must be Width x Height.
    void Write(const PixelBuffer& frame);
    // Encodes the frame written last once more; only after a Write.
    void Repeat();
    // Drains the encoder, writes the index and puts the file at its path.
    void Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace velvora
