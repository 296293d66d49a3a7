// Any bytes as a published file opened by the viewer: the show is built (settings resolved
// through the category tree, the play list, the photo records) or refused with the
// reader's error, and a show that opens plays its first photos into a small frame without
// fault, a photo that cannot be decoded included.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "viewer/core/PictureDecoding.h"
#include "viewer/core/SlideScreen.h"
#include "viewer/core/SlideShow.h"

// Frames until the slides are prepared, so that every input has its pictures decoded; a
// picture that never comes would hang here, which the fuzzer reports as a timeout.
static void RenderSettled(velvora::SlideScreen& screen, velvora::PixelBuffer& frame) {
    do screen.Render(64, 48, frame);
    while (!screen.SlidesReady());
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const velvora::SlideShow show =
            velvora::SlideShow::Read(std::make_unique<velvora::MemoryByteSource>(std::span(data, size)));
        velvora::SlideScreen screen(show, 7);
        velvora::PixelBuffer frame;
        screen.Start(0);
        screen.Tick(400);
        RenderSettled(screen, frame);
        screen.Next(500);
        screen.Tick(4000);
        RenderSettled(screen, frame);
    } catch (const velvora::EPackageError&) {
    } catch (const velvora::EPictureError&) {
    }
    return 0;
}
