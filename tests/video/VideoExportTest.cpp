// The video export as its users meet it: a show of solid-colour photos with known durations
// played into frames and into an MP4 that is decoded back and looked at.
#include <cstdio>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include "base/Progress.h"
#include "editor/ShowDocument.h"
#include "platform/MessagePump.h"
#include "video/VideoExport.h"
#include "viewer_core/PublishedShow.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;

constexpr int Width = 160;
constexpr int Height = 90;
constexpr int Fps = 25;  // 40 ms a frame, so the durations below fall on frames exactly

constexpr std::uint32_t Red = 0xFF0000, Blue = 0x0000FF, Green = 0x00FF00;  // 0xRRGGBB

struct DecodedVideo {
    int Width = 0;
    int Height = 0;
    AVRational FrameRate{0, 1};
    std::vector<PixelBuffer> Frames;
};

// Every frame of an MP4, back in the viewer's pixels, through libavcodec's own decoder.
DecodedVideo Decode(const std::string& path) {
    DecodedVideo video;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) {
        ADD_FAILURE() << "cannot open " << path;
        return video;
    }
    std::unique_ptr<AVFormatContext*, void (*)(AVFormatContext**)> closeFormat(&format, avformat_close_input);
    EXPECT_GE(avformat_find_stream_info(format, nullptr), 0);
    const int stream = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    EXPECT_EQ(format->nb_streams, 1u) << "no sound yet, so the video is the only stream";
    const AVCodecParameters* parameters = format->streams[stream]->codecpar;
    EXPECT_EQ(parameters->codec_id, AV_CODEC_ID_H264);
    EXPECT_EQ(parameters->format, AV_PIX_FMT_YUV420P);
    video.Width = parameters->width;
    video.Height = parameters->height;
    video.FrameRate = format->streams[stream]->avg_frame_rate;
    AVCodecContext* codec = avcodec_alloc_context3(avcodec_find_decoder(parameters->codec_id));
    avcodec_parameters_to_context(codec, parameters);
    avcodec_open2(codec, codec->codec, nullptr);
    AVFrame* frame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    SwsContext* scaler = sws_getContext(video.Width, video.Height, AV_PIX_FMT_YUV420P, video.Width, video.Height,
                                        AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    sws_setColorspaceDetails(scaler, sws_getCoefficients(SWS_CS_ITU709), 0, sws_getCoefficients(SWS_CS_DEFAULT), 1, 0,
                             1 << 16, 1 << 16);
    const auto receive = [&] {
        while (avcodec_receive_frame(codec, frame) >= 0) {
            PixelBuffer& pixels = video.Frames.emplace_back(video.Width, video.Height);
            std::uint8_t* target[] = {reinterpret_cast<std::uint8_t*>(pixels.Pixels.data())};
            const int stride[] = {video.Width * 4};
            sws_scale(scaler, frame->data, frame->linesize, 0, video.Height, target, stride);
        }
    };
    while (av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == stream) avcodec_send_packet(codec, packet);
        av_packet_unref(packet);
        receive();
    }
    avcodec_send_packet(codec, nullptr);
    receive();
    sws_freeContext(scaler);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&codec);
    return video;
}

// Within what yuv420p and the encoder's rounding leave of a flat colour.
::testing::AssertionResult LooksLike(const PixelBuffer& frame, int x, int y, std::uint32_t color) {
    const Pixel expected = 0xFF000000u | color, actual = frame.At(x, y);
    for (int shift = 0; shift < 24; shift += 8) {
        const int difference = int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF);
        if (difference > 12 || difference < -12)
            return ::testing::AssertionFailure() << std::hex << "pixel " << std::dec << x << "," << y << " is 0x"
                                                 << std::hex << actual << ", not 0x" << expected;
    }
    return ::testing::AssertionSuccess();
}

class VideoExportTest : public testing::PublishedShowTest {
protected:
    void SetUp() override {
        PublishedShowTest::SetUp();
        Output = Home() + "show.mp4";
    }

    // Red for 2 s without a transition; blue sliding in from the left for 1 s and staying
    // 1 s; green waiting for a key, which a video gives 5 s. The show loops, which a video
    // plays once: 9 s, 225 frames.
    void MakeColourShow() {
        AddPhoto("0000", "00000000", "Transition=1\r\nDuration=8\r\nDurationCount=2\r\n",
                 testing::SolidBmp(Width, Height, Red));
        AddPhoto("0000", "00000001", "Transition=3\r\nDuration=8\r\nDurationCount=1\r\n",
                 testing::SolidBmp(Width, Height, Blue));
        AddPhoto("0000", "00000002", "Transition=1\r\nDuration=1\r\n", testing::SolidBmp(Width, Height, Green));
        ShowSettingsLines = "Title=Colours\r\nLoop=2\r\nSize=2\r\n";
    }

    PublishResult Export(const std::string& output) {
        PublishFile(ShowSettingsLines);
        ShowDocument document;
        document.LoadShow();
        VideoExportRequest request;
        request.OutputPath = output;
        request.Format = {Width, Height, Fps, 18};
        return RunVideoExport(document.Tree(), request, "Making the video...");
    }

    std::string Output;
    std::string ShowSettingsLines = "Title=Colours\r\n";
};

TEST_F(VideoExportTest, Renderer_PlaysTheShowOnceOnTheFrameClock) {
    MakeColourShow();
    const SlideShow show = Publish(ShowSettingsLines);
    VideoRenderer renderer(show, Width, Height, Fps);
    EXPECT_EQ(renderer.FrameCount(), 225);
    std::vector<PixelBuffer> frames;
    for (PixelBuffer frame; renderer.NextFrame(frame);) frames.push_back(frame);
    ASSERT_EQ(frames.size(), 225u);
    EXPECT_TRUE(LooksLike(frames[0], 80, 45, Red));
    EXPECT_TRUE(LooksLike(frames[49], 80, 45, Red));
    // 480 ms into the slide: the blue picture covers the left 48 per cent.
    EXPECT_TRUE(LooksLike(frames[62], 20, 45, Blue));
    EXPECT_TRUE(LooksLike(frames[62], 140, 45, Red));
    EXPECT_TRUE(LooksLike(frames[87], 80, 45, Blue));
    EXPECT_TRUE(LooksLike(frames[100], 80, 45, Green));
    EXPECT_TRUE(LooksLike(frames[224], 80, 45, Green));
}

TEST_F(VideoExportTest, Export_WritesTheAskedStreamThatShowsTheShow) {
    MakeColourShow();
    const PublishResult result = Export(Output);
    ASSERT_EQ(result.Outcome, PublishOutcome::Published) << result.Message;
    EXPECT_FALSE(fs::exists(Output + ".part"));
    const DecodedVideo video = Decode(Output);
    EXPECT_EQ(video.Width, Width);
    EXPECT_EQ(video.Height, Height);
    EXPECT_EQ(video.FrameRate.num, Fps);
    EXPECT_EQ(video.FrameRate.den, 1);
    ASSERT_EQ(video.Frames.size(), 225u);
    EXPECT_TRUE(LooksLike(video.Frames[25], 80, 45, Red));
    EXPECT_TRUE(LooksLike(video.Frames[62], 20, 45, Blue));
    EXPECT_TRUE(LooksLike(video.Frames[62], 140, 45, Red));
    EXPECT_TRUE(LooksLike(video.Frames[87], 80, 45, Blue));
    EXPECT_TRUE(LooksLike(video.Frames[150], 80, 45, Green));
    // A real player's view of it, where the machine has one.
    if (std::system("command -v ffmpeg >/dev/null 2>&1") == 0) {
        const std::string command = "ffmpeg -nostdin -v error -i '" + Output + "' -f null - 2>&1";
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
        std::string complaints;
        for (int c; (c = std::fgetc(pipe.get())) != EOF;) complaints += char(c);
        EXPECT_EQ(complaints, "");
    }
}

TEST_F(VideoExportTest, Export_GivesTheSameFramesEveryTime) {
    // Random transitions and alignments, settled by the video's seed.
    for (const char* id : {"00000000", "00000001", "00000002", "00000003"})
        AddPhoto(
            "0000", id, "Transition=2\r\nHorizontal=1\r\nVertical=1\r\nSize=1\r\nDuration=8\r\nDurationCount=1\r\n",
            testing::MakeBmp(60, 40, [](int x, int y) { return std::uint32_t(x * 4) | std::uint32_t(y * 6) << 8; }));
    ASSERT_EQ(Export(Output).Outcome, PublishOutcome::Published);
    const std::string second = Home() + "again.mp4";
    ASSERT_EQ(Export(second).Outcome, PublishOutcome::Published);
    const DecodedVideo first = Decode(Output), again = Decode(second);
    ASSERT_EQ(first.Frames.size(), again.Frames.size());
    for (std::size_t frame = 0; frame < first.Frames.size(); ++frame)
        ASSERT_EQ(first.Frames[frame].Pixels, again.Frames[frame].Pixels) << "frame " << frame;
}

TEST_F(VideoExportTest, Cancel_LeavesTheEarlierFileAndNoPart) {
    MakeColourShow();
    testing::WriteFile(Output, "an earlier video");
    int framePumps = 0;
    const auto previous = SetMessagePump([&] {
        if (ProgressLineText(ProgressLine::Text) == "Making the video." && ++framePumps == 30) ProgressCancel();
    });
    const PublishResult result = Export(Output);
    SetMessagePump(previous);
    EXPECT_EQ(result.Outcome, PublishOutcome::Cancelled);
    EXPECT_EQ(testing::ReadFile(Output), "an earlier video");
    EXPECT_FALSE(fs::exists(Output + ".part"));
    EXPECT_FALSE(ProgressIsOpen());
}

TEST_F(VideoExportTest, Failures_AreToldAndWriteNothing) {
    // No photos at all.
    PublishResult result = Export(Output);
    EXPECT_EQ(result.Outcome, PublishOutcome::Failed);
    EXPECT_EQ(result.Message, NoPhotosForVideoMessage);
    // A folder that does not exist, and a size the encoder cannot take.
    MakeColourShow();
    result = Export(Home() + "missing/show.mp4");
    EXPECT_EQ(result.Outcome, PublishOutcome::Failed);
    EXPECT_NE(result.Message.find("does not exist"), std::string::npos) << result.Message;
    EXPECT_FALSE(fs::exists(Output));
    EXPECT_EQ(VideoFormatProblem({161, 90, 25, 23}), "The video's width and height must be even.");
    EXPECT_NE(VideoFormatProblem({160, 90, 0, 23}), "");
    EXPECT_EQ(VideoFormatProblem({3840, 2160, 60, 23}), "");
}

}  // namespace
}  // namespace velvora
