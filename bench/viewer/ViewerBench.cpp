// Viewer drawing speed: our display scaling against stb_image_resize on the same pictures in
// the same process, and a 1920 x 1080 transition frame against a plain copy of the frame.
// Prints one "NAME VALUE" line per figure and the ratios, and a goal line for each: our
// scaling no slower than stb's, each transition frame within 8 ms.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STBIR_DEFAULT_FILTER_DOWNSAMPLE STBIR_FILTER_TRIANGLE
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_resize.h>
#pragma GCC diagnostic pop

#include "viewer/core/Compositor.h"
#include "viewer/core/Scaling.h"

namespace {

using Clock = std::chrono::steady_clock;

// Median milliseconds of `runs` calls, after one warm-up call.
double MedianMs(int runs, const std::function<void()>& work) {
    work();
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// Smooth gradients with grain, like a photo.
velvora::PixelBuffer MakePicture(int width, int height) {
    velvora::PixelBuffer picture(width, height);
    unsigned noise = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            const unsigned grain = noise >> 28;
            picture.At(x, y) = 0xFF000000u | ((x * 255 / width + grain) & 0xFF) << 16 |
                               ((y * 255 / height + grain) & 0xFF) << 8 | (((x + y) / 16 % 2 ? 60 : 190) + grain);
        }
    return picture;
}

void Goal(const std::string& name, double measured, double target, bool atMost) {
    const bool met = atMost ? measured <= target : measured >= target;
    std::printf("goal %s: measured %.2f, target %.2f, %s\n", name.c_str(), measured, target, met ? "met" : "missed");
}

void CompareScaling(const char* name, int fromWidth, int fromHeight, int toWidth, int toHeight) {
    const velvora::PixelBuffer source = MakePicture(fromWidth, fromHeight);
    std::vector<unsigned char> peerOut(std::size_t(toWidth) * std::size_t(toHeight) * 4);
    const double ours = MedianMs(7, [&] { velvora::ScaleBilinear(source, toWidth, toHeight); });
    const double peer = MedianMs(7, [&] {
        stbir_resize_uint8(reinterpret_cast<const unsigned char*>(source.Pixels.data()), fromWidth, fromHeight, 0,
                           peerOut.data(), toWidth, toHeight, 0, 4);
    });
    std::printf("%s_ours_ms %.2f\n%s_stbir_ms %.2f\n%s_stbir_over_ours %.2f\n", name, ours, name, peer, name,
                peer / ours);
    // Display scaling is ours so that both viewers agree to the pixel; it must not cost more.
    Goal(std::string(name) + "_stbir_over_ours", peer / ours, 1.0, false);
}

void CompareFrame(int transition) {
    const velvora::PixelBuffer oldSlide = MakePicture(1920, 1080), newSlide = MakePicture(1920, 1080);
    velvora::PixelBuffer target(1920, 1080);
    const double ours = MedianMs(21, [&] { velvora::ComposeTransition(oldSlide, newSlide, transition, 0.37, target); });
    const double copy = MedianMs(21, [&] {
        std::memcpy(target.Pixels.data(), newSlide.Pixels.data(), newSlide.Pixels.size() * sizeof(velvora::Pixel));
    });
    std::printf("frame%d_ms %.3f\nframe%d_copy_ms %.3f\nframe%d_over_copy %.2f\n", transition, ours, transition, copy,
                transition, ours / copy);
    // Half of a frame at 60 frames a second, so that a transition never drops one.
    Goal("frame" + std::to_string(transition) + "_ms", ours, 8.0, true);
}

}  // namespace

int main() {
    CompareScaling("reduce_4000x3000_to_1440x1080", 4000, 3000, 1440, 1080);
    CompareScaling("enlarge_1280x720_to_1920x1080", 1280, 720, 1920, 1080);
    for (int transition : {3, 14, 25, 28, 31}) CompareFrame(transition);
    return 0;
}
