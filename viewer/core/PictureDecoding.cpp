// JPEG and BMP decoding through stb_image, limited to those two formats and to a sane
// picture size, and quarter-turn rotation.
#include "viewer/core/PictureDecoding.h"

#include <climits>
#include <memory>

#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_FAILURE_STRINGS
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wdouble-promotion"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace velvora {
namespace {

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

// stb_image counts lengths in int.
int CheckedLength(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > std::size_t(INT_MAX)) throw EPictureError("This photo cannot be read.");
    return int(bytes.size());
}

void CheckPictureSize(int width, int height) {
    if (width <= 0 || height <= 0) throw EPictureError("This photo cannot be read.");
    if (std::uint64_t(width) * std::uint64_t(height) > MaxPicturePixels)
        throw EPictureError("This photo is too large to show.");
}

}  // namespace

PixelBuffer DecodePicture(std::span<const std::uint8_t> bytes) {
    const int length = CheckedLength(bytes);
    int width = 0, height = 0, channels = 0;
    // The header alone first: the size check must come before stb takes pixel memory.
    if (!stbi_info_from_memory(bytes.data(), length, &width, &height, &channels))
        throw EPictureError("This photo is not a JPEG or BMP picture, or it is damaged.");
    CheckPictureSize(width, height);
    const std::unique_ptr<stbi_uc, StbFree> rgba(
        stbi_load_from_memory(bytes.data(), length, &width, &height, &channels, 4));
    if (!rgba) throw EPictureError("This photo is damaged.");
    CheckPictureSize(width, height);

    PixelBuffer picture(width, height);
    const stbi_uc* source = rgba.get();
    for (Pixel& pixel : picture.Pixels) {
        pixel = 0xFF000000u | (Pixel(source[0]) << 16) | (Pixel(source[1]) << 8) | Pixel(source[2]);
        source += 4;
    }
    return picture;
}

PixelBuffer RotateQuarterTurns(const PixelBuffer& picture, int quarterTurns) {
    const int turns = ((quarterTurns % 4) + 4) % 4;
    if (turns == 0) return picture;
    const bool sideways = turns != 2;
    PixelBuffer turned(sideways ? picture.Height : picture.Width, sideways ? picture.Width : picture.Height);
    const int lastX = picture.Width - 1, lastY = picture.Height - 1;
    for (int y = 0; y < picture.Height; ++y) {
        for (int x = 0; x < picture.Width; ++x) {
            const Pixel pixel = picture.At(x, y);
            if (turns == 1)
                turned.At(lastY - y, x) = pixel;
            else if (turns == 2)
                turned.At(lastX - x, lastY - y) = pixel;
            else
                turned.At(y, lastX - x) = pixel;
        }
    }
    return turned;
}

}  // namespace velvora
