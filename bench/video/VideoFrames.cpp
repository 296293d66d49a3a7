// Writes the frames a video export of a show folder encodes, as raw yuv420p converted as the
// encoder converts them, so that a peer encoder can be timed on exactly the same pictures:
// bench_video_frames SHOW_FOLDER WIDTH HEIGHT FPS OUTPUT.yuv
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

extern "C" {
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

#include "base/Global.h"
#include "compression/LZRW1KH.h"
#include "editor/ShowDocument.h"
#include "library/ShowIndex.h"
#include "publish/CategoryPreview.h"
#include "video/VideoRenderer.h"

using namespace velvora;

int main(int argc, char** argv) {
    if (argc != 6) {
        std::cerr << "usage: bench_video_frames SHOW_FOLDER WIDTH HEIGHT FPS OUTPUT.yuv\n";
        return 2;
    }
    const int width = std::stoi(argv[2]), height = std::stoi(argv[3]), fps = std::stoi(argv[4]);
    InitGlobal();
    InitLzrw1KH();
    ShowPath = WithTrailingSeparator(std::filesystem::absolute(argv[1]).string());
    ShowSettings.LoadFromFile(ShowPath + ShowSettingsFileName);
    ShowDocument document;
    document.LoadShow();
    const std::string published = std::string(argv[5]) + ".show";
    WritePreviewFile(*document.Tree().Root(), document.Tree().Root()->Text, published);
    const SlideShow show = SlideShow::Open(published);
    VideoRenderer renderer(show, width, height, fps);
    SwsContext* scaler = sws_getContext(width, height, AV_PIX_FMT_BGRA, width, height, AV_PIX_FMT_YUV420P,
                                        SWS_BILINEAR, nullptr, nullptr, nullptr);
    sws_setColorspaceDetails(scaler, sws_getCoefficients(SWS_CS_DEFAULT), 1, sws_getCoefficients(SWS_CS_ITU709), 0, 0,
                             1 << 16, 1 << 16);
    std::vector<std::uint8_t> yuv(std::size_t(width) * height * 3 / 2);
    std::uint8_t* planes[] = {yuv.data(), yuv.data() + width * height, yuv.data() + width * height * 5 / 4};
    const int strides[] = {width, width / 2, width / 2};
    std::FILE* output = std::fopen(argv[5], "wb");
    PixelBuffer frame;
    while (renderer.NextFrame(frame)) {
        if (!renderer.FrameRepeated()) {
            const std::uint8_t* source[] = {reinterpret_cast<const std::uint8_t*>(frame.Pixels.data())};
            const int sourceStride[] = {width * 4};
            sws_scale(scaler, source, sourceStride, 0, height, planes, strides);
        }
        std::fwrite(yuv.data(), 1, yuv.size(), output);
    }
    std::fclose(output);
    sws_freeContext(scaler);
    std::filesystem::remove(published);
    return 0;
}
