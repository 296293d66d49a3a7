// Timing driver for bench/imaging/run: makes test photos and times the thumbnail path, the
// filtered stretch and reduced decoding, printing one "NAME VALUE" line per figure so the
// script can set them against vips run on the same photos.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>


#include "imaging/JPEG_IO.h"
#include "imaging/resampler.h"
#include "support/JpegEncoder.h"

namespace {

using Clock = std::chrono::steady_clock;

// Median seconds of `runs` calls, after one warm-up call.
double MedianSeconds(int runs, const std::function<void()>& work) {
    work();
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
}

// A photo-like picture: smooth gradients with fine texture, so that the coder has real work.
void MakePhoto(const std::string& path, int width, int height) {
    unsigned noise = 12345;
    const std::string jpeg = velvora::testing::EncodeJpeg(width, height, 3, [&](int x, int y, std::uint8_t* out) {
        noise = noise * 1103515245u + 12345u;
        const int grain = static_cast<int>(noise >> 27);
        out[0] = static_cast<std::uint8_t>((x * 255 / width + grain) & 0xFF);
        out[1] = static_cast<std::uint8_t>((y * 255 / height + grain) & 0xFF);
        out[2] = static_cast<std::uint8_t>(((x + y) / 16 % 2 == 0 ? 60 : 190) + grain);
    }, {.quality = 90});
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(jpeg.data(), 1, jpeg.size(), file) != jpeg.size()) std::exit(1);
    std::fclose(file);
}

void TimeThumbnail(const std::string& photo, const std::string& outputFolder) {
    const std::string target = outputFolder + "/" + std::filesystem::path(photo).stem().string() + ".thu";
    const double seconds = MedianSeconds(5, [&] {
        auto bitmap = std::make_unique<velvora::Bitmap>();
        if (!velvora::LoadJpegFitted(photo, bitmap, 70, 70, false)) std::exit(2);
        bitmap->SaveToFile(target);
    });
    std::printf("thumbnail_ms %.3f\n", seconds * 1000);
}

void TimeStretch(const std::string& photo, int width, int height) {
    std::unique_ptr<velvora::Bitmap> source;
    int fullWidth = 0;
    int fullHeight = 0;
    if (!velvora::ReadJpegFile(photo, 1, source, fullWidth, fullHeight)) std::exit(2);
    velvora::Bitmap destination(width, height, velvora::PixelFormat::Bits24);
    const double seconds =
        MedianSeconds(3, [&] { velvora::Stretch(*source, destination, velvora::Lanczos3Filter, 3.0f); });
    std::printf("stretch_mpps %.2f\n", static_cast<double>(fullWidth) * fullHeight / 1e6 / seconds);
}

void TimeScales(const std::string& photo) {
    for (int scale : {1, 8}) {
        const double seconds = MedianSeconds(3, [&] {
            std::unique_ptr<velvora::Bitmap> bitmap;
            int width = 0;
            int height = 0;
            if (!velvora::ReadJpegFile(photo, scale, bitmap, width, height)) std::exit(2);
        });
        std::printf("decode_scale%d_ms %.2f\n", scale, seconds * 1000);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == "make") {
        MakePhoto(args[1], std::stoi(args[2]), std::stoi(args[3]));
    } else if (args.size() == 3 && args[0] == "thumbnail") {
        TimeThumbnail(args[1], args[2]);
    } else if (args.size() == 4 && args[0] == "stretch") {
        TimeStretch(args[1], std::stoi(args[2]), std::stoi(args[3]));
    } else if (args.size() == 2 && args[0] == "scales") {
        TimeScales(args[1]);
    } else {
        std::fprintf(
            stderr, "usage: bench_imaging make FILE W H | thumbnail PHOTO OUTDIR | stretch PHOTO W H | scales PHOTO\n");
        return 1;
    }
    return 0;
}
