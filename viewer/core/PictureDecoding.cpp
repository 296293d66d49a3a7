// JPEG and BMP decoding through stb_image, limited to those two formats and to a sane
// picture size, and quarter-turn rotation.
#include "viewer/core/PictureDecoding.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <memory>

#include "imaging/JpegLimits.h"

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

// The Huffman tables a JPEG has defined so far, a bit for each: bit n of Dc for DC table n.
struct DefinedTables {
    unsigned Dc = 0;
    unsigned Ac = 0;
};

// Reads the tables of the Huffman table segment whose tables start at `at`, `length` bytes of
// them declared: each a class byte, sixteen code counts and as many symbols as they add up
// to, and notes each in `defined`. As the decoder does, tables are read while declared bytes
// remain, even when a table's symbols run past the declared end, and bytes past the file read
// as 0. False when a table holds more than 256 symbols.
bool ReadHuffmanTables(std::span<const std::uint8_t> bytes, std::size_t at, std::ptrdiff_t length,
                       DefinedTables& defined) {
    const auto byteAt = [&](std::size_t i) { return i < bytes.size() ? bytes[i] : std::uint8_t{0}; };
    while (length > 0 && at < bytes.size()) {
        std::size_t symbols = 0;
        for (std::size_t i = 1; i <= 16; ++i) symbols += byteAt(at + i);
        if (symbols > 256) return false;
        const unsigned kind = bytes[at] >> 4, number = bytes[at] & 15u;
        if (number < 4) (kind == 0 ? defined.Dc : defined.Ac) |= 1u << number;
        at += 17 + symbols;
        length -= std::ptrdiff_t(17 + symbols);
    }
    return true;
}

// Whether every table the scan whose header starts at `at` decodes with has been defined:
// a sequential scan reads DC and AC codes, a progressive one DC codes in its first DC pass
// and AC codes in its AC passes. Selectors the decoder itself refuses pass here.
bool ScanTablesDefined(std::span<const std::uint8_t> bytes, std::size_t at, bool progressive,
                       const DefinedTables& defined) {
    if (at >= bytes.size()) return true;
    const std::size_t components = bytes[at];
    const std::size_t spectrum = at + 1 + 2 * components;
    if (spectrum + 2 >= bytes.size()) return true;
    const bool dcPass = bytes[spectrum] == 0, firstPass = bytes[spectrum + 2] >> 4 == 0;
    const bool needsDc = !progressive || (dcPass && firstPass), needsAc = !progressive || !dcPass;
    for (std::size_t i = 0; i < components; ++i) {
        const unsigned selectors = bytes[at + 2 + 2 * i];
        const unsigned dc = selectors >> 4, ac = selectors & 15u;
        if (dc > 3 || ac > 3) continue;
        if ((needsDc && !(defined.Dc & 1u << dc)) || (needsAc && !(defined.Ac & 1u << ac))) return false;
    }
    return true;
}

// The stb_image that Debian ships trusts a JPEG's Huffman tables in two ways that a damaged
// file breaks, and such a file is refused before stb reads it. It builds a table from its code
// counts without checking that they add up to at most 256 symbols, and writes past its arrays
// when they do not. And it never clears its tables, so a scan that names one the file did not
// define decodes through whatever the memory held. The walk goes from segment to segment and
// steps byte by byte through entropy-coded data, where a 0xFF byte is followed by 0x00 or a
// restart marker and so never starts a segment.
bool HuffmanTablesSound(std::span<const std::uint8_t> bytes) {
    // stb takes any number of 0xFF fill bytes before the start-of-image marker.
    std::size_t at = 0;
    while (at < bytes.size() && bytes[at] == 0xFF) ++at;
    if (at == 0 || at == bytes.size() || bytes[at] != 0xD8) return true;
    ++at;
    DefinedTables defined;
    bool progressive = false, sequential = false;
    while (at + 3 < bytes.size()) {
        const std::uint8_t marker = bytes[at + 1];
        const bool standalone = marker == 0x00 || marker == 0x01 || marker == 0xFF || (marker >= 0xD0 && marker <= 0xD7);
        if (bytes[at] != 0xFF || standalone) {
            at += bytes[at] == 0xFF && marker != 0xFF ? 2 : 1;
            continue;
        }
        if (marker == 0xD9) break;
        const std::size_t length = std::size_t(bytes[at + 2]) << 8 | bytes[at + 3];
        sequential |= marker == 0xC0 || marker == 0xC1;
        progressive |= marker == 0xC2;
        if (marker == 0xC4 && !ReadHuffmanTables(bytes, at + 4, std::ptrdiff_t(length) - 2, defined)) return false;
        if (marker == 0xDA && !ScanTablesDefined(bytes, at + 4, progressive && !sequential, defined)) return false;
        at += 2 + std::max<std::size_t>(length, 2);
    }
    return true;
}

void CheckPictureSize(int width, int height) {
    if (width <= 0 || height <= 0) throw EPictureError("This photo cannot be read.");
    if (std::uint64_t(width) * std::uint64_t(height) > MaxPicturePixels)
        throw EPictureError("This photo is too large to show.");
}

// The bits a pixel of a bitmap takes, from its header: at 24 in the small header of 12
// bytes, at 28 in every larger one. 0 when the header is cut short.
std::int64_t BitmapBitsPerPixel(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 30) return 0;
    const std::size_t at = bytes[14] == 12 && bytes[15] == 0 ? 24 : 28;
    return bytes[at] | bytes[at + 1] << 8;
}

// Whether a header declares more pixels than the file's bytes can hold; stb would make them
// all from nothing, spending memory and time on a picture of grey. A bitmap that stb reads
// is uncompressed, so it holds at least its pixels' bits.
bool DeclaresMoreThanItHolds(std::span<const std::uint8_t> bytes, int width, int height) {
    const std::int64_t pixels = std::int64_t{width} * height;
    if (bytes[0] == 0xFF) return !JpegBytesCanHold(pixels, bytes.size());
    return pixels * BitmapBitsPerPixel(bytes) / 8 > std::int64_t(bytes.size());
}

// A decoded picture as stb gives it: three bytes a pixel, R, G, B.
struct RgbPicture {
    std::unique_ptr<stbi_uc, StbFree> Pixels;
    int Width = 0;
    int Height = 0;
};

RgbPicture DecodeRgb(std::span<const std::uint8_t> bytes) {
    const int length = CheckedLength(bytes);
    if (!HuffmanTablesSound(bytes)) throw EPictureError("This photo is damaged.");
    int width = 0, height = 0, channels = 0;
    // The header alone first: the size check must come before stb takes pixel memory.
    if (!stbi_info_from_memory(bytes.data(), length, &width, &height, &channels))
        throw EPictureError("This photo is not a JPEG or BMP picture, or it is damaged.");
    CheckPictureSize(width, height);
    if (DeclaresMoreThanItHolds(bytes, width, height)) throw EPictureError("This photo is damaged.");
    // Three bytes a pixel rather than four: a camera photo's decode and its copy into the
    // picture live side by side for a moment, and that moment is the viewer's peak memory.
    RgbPicture rgb{std::unique_ptr<stbi_uc, StbFree>(
        stbi_load_from_memory(bytes.data(), length, &width, &height, &channels, 3))};
    if (!rgb.Pixels) throw EPictureError("This photo is damaged.");
    CheckPictureSize(width, height);
    rgb.Width = width;
    rgb.Height = height;
    return rgb;
}

PixelBuffer ToPixels(const RgbPicture& rgb) {
    PixelBuffer picture(rgb.Width, rgb.Height);
    const stbi_uc* source = rgb.Pixels.get();
    for (Pixel& pixel : picture.Pixels) {
        pixel = 0xFF000000u | (Pixel(source[0]) << 16) | (Pixel(source[1]) << 8) | Pixel(source[2]);
        source += 3;
    }
    return picture;
}

}  // namespace

PixelBuffer DecodePicture(std::span<const std::uint8_t> bytes) { return ToPixels(DecodeRgb(bytes)); }

PixelBuffer DecodePicture(std::vector<std::uint8_t>&& bytes) {
    const RgbPicture rgb = DecodeRgb(bytes);
    std::vector<std::uint8_t>().swap(bytes);
    return ToPixels(rgb);
}

PixelBuffer RotateQuarterTurns(PixelBuffer picture, int quarterTurns) {
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
