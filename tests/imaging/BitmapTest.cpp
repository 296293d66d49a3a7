// BMP reading and writing, and quarter turns, of every pixel format.
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "imaging/Bitmap.h"
#include "imaging/bmpRot.h"

namespace velvora {
namespace {

using namespace std::string_literals;

// Little-endian fields of `size` bytes each.
std::string Le(int size, std::initializer_list<std::uint32_t> values) {
    std::string out;
    for (const std::uint32_t value : values) {
        for (int i = 0; i < size; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
    }
    return out;
}

// A BMP file image with a header of `headerSize` bytes (40 or more), `extra` after it (masks,
// palette) and then `pixels`.
std::string InfoBmp(std::int32_t width, std::int32_t height, unsigned bits, std::uint32_t compression,
                    const std::string& extra, const std::string& pixels, std::uint32_t headerSize = 40,
                    std::uint32_t colours = 0) {
    const auto offset = static_cast<std::uint32_t>(14 + headerSize + extra.size());
    const auto size = static_cast<std::uint32_t>(pixels.size());
    std::string out = "BM" +
                      Le(4, {offset + size, 0, offset, headerSize, std::uint32_t(width), std::uint32_t(height)}) +
                      Le(2, {1, bits}) + Le(4, {compression, size, 0, 0, colours, 0});
    out.resize(14 + headerSize, '\0');
    return out + extra + pixels;
}

// All pixel memory, row padding included.
std::string Memory(const Bitmap& bitmap) {
    return {reinterpret_cast<const char*>(bitmap.Pixels()), bitmap.PixelBytes()};
}

// Pixel bytes that use every bit of each row's pixels but leave the padding zero.
Bitmap PatternBitmap(PixelFormat format, int width, int height) {
    Bitmap bitmap(width, height, format);
    const int bits = BitsPerPixel(format);
    const std::size_t used = (static_cast<std::size_t>(width) * bits + 7) / 8;
    for (int y = 0; y < height; ++y) {
        for (std::size_t i = 0; i < used; ++i) bitmap.Row(y)[i] = static_cast<std::uint8_t>(37 * y + 11 * i + 5);
        bitmap.Row(y)[used - 1] &= static_cast<std::uint8_t>(0xFF << (used * 8 - width * bits));
    }
    Palette palette;
    for (int i = 0; bits <= 8 && i < (1 << bits); ++i)
        palette.push_back({std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7), 0});
    bitmap.SetPalette(palette);
    return bitmap;
}

TEST(BitmapTest, SaveWritesBottomUpInfoHeaderAndLoadReadsEitherRowOrder) {
    Bitmap bitmap(1, 2, PixelFormat::Bits24);
    bitmap.Row(0)[0] = 0x11;  // top row
    bitmap.Row(1)[0] = 0x22;
    EXPECT_EQ(bitmap.SaveToBmp(), InfoBmp(1, 2, 24, 0, "", "\x22\0\0\0\x11\0\0\0"s));
    Bitmap topDown;
    topDown.LoadFromBmp(InfoBmp(1, -2, 24, 0, "", "\x11\0\0\0\x22\0\0\0"s));
    EXPECT_EQ(topDown, bitmap);
    Bitmap unpaddedLastRow;
    unpaddedLastRow.LoadFromBmp(InfoBmp(1, 2, 24, 0, "", "\x01\x02\x03\x00\x04\x05\x06"s));
    EXPECT_EQ(Memory(unpaddedLastRow), "\x04\x05\x06\0\x01\x02\x03\0"s);
    Bitmap noColumns;  // rows without pixel memory
    noColumns.LoadFromBmp(InfoBmp(0, 3, 24, 0, "", ""));
    EXPECT_EQ(noColumns.Height(), 3);
}

TEST(BitmapTest, LoadFromBmp_CoreHeaderBitfieldsAndRunLengths) {
    // Three-byte palette entries red and blue, pixels 1 0 1.
    Bitmap core;
    core.LoadFromBmp("BM" + Le(4, {0, 0, 14 + 12 + 6, 12}) + Le(2, {3, 1, 1, 1}) + "\0\0\xFF\xFF\0\0\xA0\0\0\0"s);
    ASSERT_EQ(core.Format(), PixelFormat::Bits1);
    EXPECT_EQ(core.GetPalette(), (Palette{{255, 0, 0, 0}, {0, 0, 255, 0}}));
    EXPECT_EQ(Memory(core), "\xA0\0\0\0"s);

    Bitmap info;  // 5-6-5 masks, red and blue at full
    info.LoadFromBmp(InfoBmp(1, 1, 16, 3, Le(4, {0xF800, 0x07E0, 0x001F}), "\x1F\xF8\0\0"s));
    ASSERT_EQ(info.Format(), PixelFormat::Bits24);
    EXPECT_EQ(Memory(info), "\xFF\0\xFF\0"s);

    // V5 keeps its masks inside the header; native 8-8-8 masks keep the 32-bit pixels.
    std::string v5 = InfoBmp(1, 1, 32, 3, "", "\x10\x20\x30\x40", 124);
    v5.replace(14 + 40, 12, Le(4, {0xFF0000, 0x00FF00, 0x0000FF}));
    Bitmap bitmap;
    bitmap.LoadFromBmp(v5);
    ASSERT_EQ(bitmap.Format(), PixelFormat::Bits32);
    EXPECT_EQ(Memory(bitmap), "\x10\x20\x30\x40");

    const std::string palette = Le(4, {0, 0x010101, 0x020202, 0x030303});
    // Row 0 (bottom): run of 3 × index 2, absolute 1 2 3 (padded), end of line; delta to
    // column 1 of row 1 then run of 2 × index 1; end of bitmap.
    Bitmap eight;
    eight.LoadFromBmp(InfoBmp(6, 2, 8, 1, palette,
                              "\x03\x02\x00\x03\x01\x02\x03\x00\x00\x00\x00\x02\x01\x00\x02\x01\x00\x01"s, 40, 4));
    EXPECT_EQ(Memory(eight), "\0\x01\x01\0\0\0\0\0\x02\x02\x02\x01\x02\x03\0\0"s);
    // Run of 5 alternating 1 and 2, then absolute 3 pixels 3 0 1.
    Bitmap four;
    four.LoadFromBmp(InfoBmp(8, 1, 4, 2, palette, "\x05\x12\x00\x03\x30\x10\x00\x01"s, 40, 4));
    EXPECT_EQ(Memory(four), "\x12\x12\x13\x01"s);
}

TEST(BitmapTest, LoadFromBmp_DamagedImagesFailAndLeaveBitmapUnchanged) {
    const std::string row(4, '\x7F'), black = Le(4, {0});
    std::string offsetBeyondEnd = InfoBmp(1, 1, 24, 0, "", row);
    offsetBeyondEnd[10] = offsetBeyondEnd[11] = '\x7F';
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"not a bitmap", "GIF89a" + std::string(60, '\0')},
        {"header cut off", InfoBmp(1, 1, 24, 0, "", row).substr(0, 30)},
        {"unknown header size", InfoBmp(1, 1, 24, 0, "", row, 64)},
        {"depth 7", InfoBmp(1, 1, 7, 0, "", row)},
        {"JPEG inside", InfoBmp(1, 1, 24, 4, "", row)},
        {"RLE8 at 24 bits", InfoBmp(1, 1, 24, 1, "", row)},
        {"pixels cut off", InfoBmp(4, 4, 24, 0, "", std::string(40, '\0'))},
        {"100000 x 100000 in 2 KB", InfoBmp(100000, 100000, 24, 0, "", std::string(2000, '\0'))},
        {"30000 x 30000 in 2 KB", InfoBmp(30000, 30000, 8, 0, "", std::string(2000, '\0'))},
        {"pixel offset beyond end", offsetBeyondEnd},
        {"palette cut off", InfoBmp(1, 1, 8, 0, "", "", 40, 200)},
        {"top-down RLE", InfoBmp(2, -1, 8, 1, black, "\x02\x00\x00\x01"s, 40, 1)},
        {"absolute run cut off", InfoBmp(8, 1, 8, 1, black, "\x00\x08\x01\x02"s, 40, 1)},
    };
    for (const auto& [name, bytes] : cases) {
        Bitmap bitmap = PatternBitmap(PixelFormat::Bits8, 3, 3);
        const Bitmap before = bitmap;
        try {
            bitmap.LoadFromBmp(bytes);
            ADD_FAILURE() << name << " was accepted";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()).rfind("Cannot read bitmap: ", 0), 0u) << name;
        }
        EXPECT_EQ(bitmap, before) << name;
    }
}

// The palette index, or the pixel's bytes, of pixel (x, y).
std::uint32_t PixelAt(const Bitmap& bitmap, int x, int y) {
    const int bits = BitsPerPixel(bitmap.Format());
    if (bits < 8) return PackedIndex(bitmap.Row(y), x, bits);
    std::uint32_t value = 0;
    std::memcpy(&value, bitmap.Row(y) + x * bits / 8, static_cast<std::size_t>(bits / 8));
    return value;
}

// Widths that leave partial bytes (1 and 4 bits) and row padding (all formats), before and after.
// The anticlockwise turn is checked pixel by pixel; two, three and four of them must give the
// half turn, the clockwise turn and the original, padding included.
TEST(BitmapTest, EveryFormatSurvivesBmpAndTurnsMapEveryPixel) {
    const std::pair<PixelFormat, int> cases[] = {{PixelFormat::Bits1, 10}, {PixelFormat::Bits4, 3},
                                                 {PixelFormat::Bits8, 5},  {PixelFormat::Bits16, 3},
                                                 {PixelFormat::Bits24, 7}, {PixelFormat::Bits32, 3}};
    for (const auto& [format, width] : cases) {
        const Bitmap original = PatternBitmap(format, width, 6);
        Bitmap turned = original, half = original, clockwise = original, loaded;
        loaded.LoadFromBmp(original.SaveToBmp());
        EXPECT_EQ(loaded, original) << BitsPerPixel(format) << " bits, BMP";
        RotateBitmap180(half);
        RotateBitmapCW(clockwise);
        RotateBitmapCCW(turned);
        ASSERT_EQ(std::pair(turned.Width(), turned.Height()), std::pair(6, width));
        EXPECT_EQ(turned.GetPalette(), original.GetPalette());
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(PixelAt(turned, y, width - 1 - x), PixelAt(original, x, y)) << width;
        }
        const Bitmap* afterTurns[] = {&half, &clockwise, &original};  // after two, three and four quarter turns
        for (int turns = 2; turns <= 4; ++turns) {
            RotateBitmapCCW(turned);
            EXPECT_EQ(turned, *afterTurns[turns - 2]) << BitsPerPixel(format) << " bits, " << turns << " turns";
        }
    }
}

}  // namespace
}  // namespace velvora
