// Helper of bench/add/run: makes photo-like pictures in the converted formats, and makes one
// thumbnail the way Add Photos does, so that the script can time it as a whole process
// beside vipsthumbnail on the same file.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/PhotoAdding.h"
#include "support/PictureEncoders.h"

namespace {

// Smooth gradients with fine grain and hard edges, so that every coder has real work.
velvora::testing::RgbaSource PhotoPixels(int width, int height) {
    return [width, height, noise = 12345u](int x, int y, std::uint8_t* rgba) mutable {
        noise = noise * 1103515245u + 12345u;
        const int grain = static_cast<int>(noise >> 28);
        rgba[0] = static_cast<std::uint8_t>((x * 255 / width + grain) & 0xFF);
        rgba[1] = static_cast<std::uint8_t>((y * 255 / height + grain) & 0xFF);
        rgba[2] = static_cast<std::uint8_t>(((x + y) / 16 % 2 == 0 ? 60 : 190) + grain);
        rgba[3] = 255;
    };
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::exit(1);
    std::fclose(file);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && (args[0] == "make-png" || args[0] == "make-heic")) {
        const int width = std::stoi(args[2]);
        const int height = std::stoi(args[3]);
        const auto pixels = PhotoPixels(width, height);
        WriteBytes(args[1], args[0] == "make-png"
                                ? velvora::testing::EncodePng(width, height, velvora::testing::PngKind::Rgb, pixels)
                                : velvora::testing::EncodeHeic(width, height, pixels, 1, false, 80));
    } else if (args.size() == 3 && args[0] == "thumbnail") {
        int width = 0;
        int height = 0;
        if (!velvora::MakeThumbnail(args[1], args[2], width, height)) return 2;
    } else {
        std::fprintf(stderr, "usage: bench_add make-png|make-heic FILE W H | thumbnail PHOTO THUMBNAIL\n");
        return 1;
    }
    return 0;
}
