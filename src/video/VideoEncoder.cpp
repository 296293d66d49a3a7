// The libav* side of the video export.
#include "video/VideoEncoder.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

namespace velvora {

const char* const NoH264EncoderMessage =
    "This computer's video library has no H.264 encoder (libx264), so the show cannot be made "
    "into a video. Install the distribution's libavcodec with libx264 and try again.";

namespace {

constexpr int MinimumSide = 16;
constexpr int MaximumSide = 8192;
constexpr int MaximumFps = 120;
constexpr int MaximumCrf = 51;

std::string AvErrorText(int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return text;
}

// Every libav* call that can fail goes through here, so a failure carries what was being
// done and libav's own reason.
void Check(int result, const char* doing) {
    if (result < 0)
        throw std::runtime_error(std::string("The video could not be written (") + doing + ": " + AvErrorText(result) +
                                 ").");
}

// The part file reaches the disk before it is renamed, so a crash never leaves a truncated
// video under the name the user chose.
void SyncFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string VideoFormatProblem(const VideoStreamFormat& format) {
    if (format.Width < MinimumSide || format.Height < MinimumSide || format.Width > MaximumSide ||
        format.Height > MaximumSide)
        return "The video's width and height must be from 16 to 8192 pixels.";
    if (format.Width % 2 != 0 || format.Height % 2 != 0) return "The video's width and height must be even.";
    if (format.Fps < 1 || format.Fps > MaximumFps)
        return "The video's frame rate must be from 1 to 120 frames a second.";
    if (format.Crf < 0 || format.Crf > MaximumCrf) return "The video's quality is out of range.";
    return {};
}

struct VideoEncoder::State {
    std::string Path;
    std::string PartPath;
    AVFormatContext* Format = nullptr;
    AVCodecContext* Codec = nullptr;
    AVStream* Stream = nullptr;
    AVFrame* Frame = nullptr;
    AVPacket* Packet = nullptr;
    SwsContext* Scaler = nullptr;
    std::int64_t NextPts = 0;
    bool Finished = false;

    ~State() {
        sws_freeContext(Scaler);
        av_packet_free(&Packet);
        av_frame_free(&Frame);
        avcodec_free_context(&Codec);
        if (Format) {
            if (Format->pb) avio_closep(&Format->pb);
            avformat_free_context(Format);
        }
        if (!Finished && !PartPath.empty()) std::remove(PartPath.c_str());
    }

    void OpenCodec(const VideoStreamFormat& format) {
        const AVCodec* encoder = avcodec_find_encoder_by_name("libx264");
        if (!encoder) throw std::runtime_error(NoH264EncoderMessage);
        Codec = avcodec_alloc_context3(encoder);
        if (!Codec) Check(AVERROR(ENOMEM), "allocating the encoder");
        Codec->width = format.Width;
        Codec->height = format.Height;
        Codec->pix_fmt = AV_PIX_FMT_YUV420P;
        Codec->time_base = AVRational{1, format.Fps};
        Codec->framerate = AVRational{format.Fps, 1};
        Codec->color_range = AVCOL_RANGE_MPEG;
        Codec->colorspace = AVCOL_SPC_BT709;
        Codec->color_primaries = AVCOL_PRI_BT709;
        Codec->color_trc = AVCOL_TRC_BT709;
        if (Format->oformat->flags & AVFMT_GLOBALHEADER) Codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        AVDictionary* options = nullptr;
        av_dict_set(&options, "preset", "medium", 0);
        av_dict_set_int(&options, "crf", format.Crf, 0);
        const int opened = avcodec_open2(Codec, encoder, &options);
        av_dict_free(&options);
        Check(opened, "opening the H.264 encoder");
    }

    void OpenStream() {
        Stream = avformat_new_stream(Format, nullptr);
        if (!Stream) Check(AVERROR(ENOMEM), "adding the video stream");
        Stream->time_base = Codec->time_base;
        Check(avcodec_parameters_from_context(Stream->codecpar, Codec), "describing the video stream");
    }

    void OpenFile() {
        if (avio_open(&Format->pb, PartPath.c_str(), AVIO_FLAG_WRITE) < 0)
            throw std::runtime_error("The video cannot be written to " + Path +
                                     ". Make sure the folder exists and that you may write to it.");
        AVDictionary* options = nullptr;
        av_dict_set(&options, "movflags", "+faststart", 0);
        const int written = avformat_write_header(Format, &options);
        av_dict_free(&options);
        Check(written, "writing the file header");
    }

    void OpenConverter(const VideoStreamFormat& format) {
        Frame = av_frame_alloc();
        Packet = av_packet_alloc();
        if (!Frame || !Packet) Check(AVERROR(ENOMEM), "allocating a frame");
        Frame->format = Codec->pix_fmt;
        Frame->width = format.Width;
        Frame->height = format.Height;
        Check(av_frame_get_buffer(Frame, 0), "allocating a frame");
        Scaler = sws_getContext(format.Width, format.Height, AV_PIX_FMT_BGRA, format.Width, format.Height,
                                AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr);
        if (!Scaler) Check(AVERROR(EINVAL), "preparing the colour conversion");
        // Full-range RGB in, studio-range BT.709 out, as the stream says it is.
        sws_setColorspaceDetails(Scaler, sws_getCoefficients(SWS_CS_DEFAULT), 1, sws_getCoefficients(SWS_CS_ITU709), 0,
                                 0, 1 << 16, 1 << 16);
    }

    // Sends `frame` (null to drain) and writes every packet the encoder has ready.
    void Encode(const AVFrame* frame) {
        Check(avcodec_send_frame(Codec, frame), "encoding a frame");
        for (;;) {
            const int received = avcodec_receive_packet(Codec, Packet);
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
            Check(received, "encoding a frame");
            // Every frame lasts one tick; left unsaid, the muxer gives the last frame no time
            // and players drop it.
            Packet->duration = 1;
            av_packet_rescale_ts(Packet, Codec->time_base, Stream->time_base);
            Packet->stream_index = Stream->index;
            Check(av_interleaved_write_frame(Format, Packet), "writing a frame");
        }
    }
};

VideoEncoder::VideoEncoder(const std::string& path, const VideoStreamFormat& format) : state_(new State) {
    if (const std::string problem = VideoFormatProblem(format); !problem.empty()) throw std::runtime_error(problem);
    // libav's notes go to stderr, over the progress line; its errors come back as results.
    av_log_set_level(AV_LOG_ERROR);
    state_->Path = path;
    state_->PartPath = path + ".part";
    Check(avformat_alloc_output_context2(&state_->Format, nullptr, "mp4", state_->PartPath.c_str()),
          "preparing the MP4 file");
    state_->OpenCodec(format);
    state_->OpenStream();
    state_->OpenConverter(format);
    state_->OpenFile();
}

VideoEncoder::~VideoEncoder() = default;

void VideoEncoder::Write(const PixelBuffer& frame) {
    State& state = *state_;
    if (frame.Width != state.Codec->width || frame.Height != state.Codec->height)
        throw std::logic_error("a video frame of the wrong size");
    Check(av_frame_make_writable(state.Frame), "encoding a frame");
    const std::uint8_t* source[] = {reinterpret_cast<const std::uint8_t*>(frame.Pixels.data())};
    const int sourceStride[] = {frame.Width * 4};
    sws_scale(state.Scaler, source, sourceStride, 0, frame.Height, state.Frame->data, state.Frame->linesize);
    state.Frame->pts = state.NextPts++;
    state.Encode(state.Frame);
}

void VideoEncoder::Repeat() {
    State& state = *state_;
    if (state.NextPts == 0) throw std::logic_error("a video frame repeated before any was written");
    // Keeps the converted picture, copying it only if the encoder still holds the buffer.
    Check(av_frame_make_writable(state.Frame), "encoding a frame");
    state.Frame->pts = state.NextPts++;
    state.Encode(state.Frame);
}

void VideoEncoder::Finish() {
    State& state = *state_;
    state.Encode(nullptr);
    Check(av_write_trailer(state.Format), "writing the index");
    Check(avio_closep(&state.Format->pb), "closing the file");
    SyncFile(state.PartPath);
    std::error_code error;
    std::filesystem::rename(state.PartPath, state.Path, error);
    if (error) throw std::runtime_error("The video cannot be written to " + state.Path + ": " + error.message());
    state.Finished = true;
}

}  // namespace velvora
