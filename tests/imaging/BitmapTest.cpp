#include <cstring>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "imaging/Bitmap.h"

namespace velvora {
namespace {

void PutU16(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8 & 0xFF));
}
void PutU32(std::string& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// A BMP file image with a header of `headerSize` bytes (40 or more), `extra` after it (masks,
// palette) and then `pixels`.
std::string InfoBmp(std::int32_t width, std::int32_t height, unsigned bits, std::uint32_t compression,
                    const std::string& extra, const std::string& pixels, std::uint32_t headerSize = 40,
                    std::uint32_t colours = 0) {
    std::string out = "BM";
    const std::uint32_t offset = 14 + headerSize + static_cast<std::uint32_t>(extra.size());
    PutU32(out, offset + static_cast<std::uint32_t>(pixels.size()));
    PutU32(out, 0);
    PutU32(out, offset);
    PutU32(out, headerSize);
    PutU32(out, static_cast<std::uint32_t>(width));
    PutU32(out, static_cast<std::uint32_t>(height));
    PutU16(out, 1);
    PutU16(out, bits);
    PutU32(out, compression);
    PutU32(out, static_cast<std::uint32_t>(pixels.size()));
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, colours);
    PutU32(out, 0);
    out.resize(14 + headerSize, '\0');
    return out + extra + pixels;
}

std::string Quad(unsigned char b, unsigned char g, unsigned char r) { return {char(b), char(g), char(r), '\0'}; }

// Pixel bytes that use every bit of each row's pixels but leave the padding zero.
Bitmap PatternBitmap(PixelFormat format, int width, int height) {
    Bitmap bitmap(width, height, format);
    const std::size_t used = (static_cast<std::size_t>(width) * BitsPerPixel(format) + 7) / 8;
    for (int y = 0; y < height; ++y) {
        for (std::size_t i = 0; i < used; ++i) bitmap.Row(y)[i] = static_cast<std::uint8_t>(37 * y + 11 * i + 5);
        const int spareBits = static_cast<int>(used * 8) - width * BitsPerPixel(format);
        bitmap.Row(y)[used - 1] &= static_cast<std::uint8_t>(0xFF << spareBits);
    }
    if (BitsPerPixel(format) <= 8) {
        Palette palette;
        for (int i = 0; i < (1 << BitsPerPixel(format)); ++i) {
            palette.push_back({std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7), 0});
        }
        bitmap.SetPalette(palette);
    }
    return bitmap;
}

TEST(BitmapTest, SaveAndLoad_RoundTripsEveryFormat) {
    for (PixelFormat format : {PixelFormat::Bits1, PixelFormat::Bits4, PixelFormat::Bits8, PixelFormat::Bits16,
                               PixelFormat::Bits24, PixelFormat::Bits32}) {
        const Bitmap original = PatternBitmap(format, 13, 5);
        Bitmap loaded;
        loaded.LoadFromBmp(original.SaveToBmp());
        EXPECT_EQ(loaded, original) << BitsPerPixel(format) << " bits";
    }
}

TEST(BitmapTest, SaveToBmp_WritesBottomUpInfoHeaderImage) {
    Bitmap bitmap(1, 2, PixelFormat::Bits24);
    bitmap.Row(0)[0] = 0x11;  // top row
    bitmap.Row(1)[0] = 0x22;
    const std::string bytes = bitmap.SaveToBmp();
    ASSERT_EQ(bytes.size(), 54u + 8u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bytes[2]), 62);
    EXPECT_EQ(static_cast<unsigned char>(bytes[10]), 54);
    EXPECT_EQ(static_cast<unsigned char>(bytes[14]), 40);
    EXPECT_EQ(static_cast<unsigned char>(bytes[22]), 2);  // positive height: bottom-up
    EXPECT_EQ(static_cast<unsigned char>(bytes[54]), 0x22);
    EXPECT_EQ(static_cast<unsigned char>(bytes[58]), 0x11);
}

TEST(BitmapTest, LoadFromBmp_TopDownRowsMatchBottomUp) {
    const std::string rows = std::string("\x01\x02\x03\x00", 4) + std::string("\x04\x05\x06\x00", 4);
    Bitmap bottomUp;
    bottomUp.LoadFromBmp(InfoBmp(1, 2, 24, 0, "", rows));
    Bitmap topDown;
    topDown.LoadFromBmp(InfoBmp(1, -2, 24, 0, "", rows));
    EXPECT_EQ(bottomUp.Row(0)[0], 4);
    EXPECT_EQ(topDown.Row(0)[0], 1);
    EXPECT_EQ(topDown.Row(1)[0], 4);
}

TEST(BitmapTest, LoadFromBmp_CoreHeaderWithThreeBytePalette) {
    std::string image = "BM";
    PutU32(image, 0);
    PutU32(image, 0);
    PutU32(image, 14 + 12 + 6);
    PutU32(image, 12);
    PutU16(image, 3);
    PutU16(image, 1);
    PutU16(image, 1);
    PutU16(image, 1);
    image += std::string("\x00\x00\xFF\xFF\x00\x00", 6);  // red, blue
    image += std::string("\xA0\x00\x00\x00", 4);          // pixels 1 0 1
    Bitmap bitmap;
    bitmap.LoadFromBmp(image);
    ASSERT_EQ(bitmap.Format(), PixelFormat::Bits1);
    EXPECT_EQ(bitmap.GetPalette(), (Palette{{255, 0, 0, 0}, {0, 0, 255, 0}}));
    EXPECT_EQ(PackedIndex(bitmap.Row(0), 0, 1), 1);
    EXPECT_EQ(PackedIndex(bitmap.Row(0), 1, 1), 0);
    EXPECT_EQ(PackedIndex(bitmap.Row(0), 2, 1), 1);
}

TEST(BitmapTest, LoadFromBmp_BitfieldsInInfoAndV5Headers) {
    std::string masks565;
    PutU32(masks565, 0xF800);
    PutU32(masks565, 0x07E0);
    PutU32(masks565, 0x001F);
    Bitmap info;
    info.LoadFromBmp(InfoBmp(1, 1, 16, 3, masks565, std::string("\x1F\xF8\x00\x00", 4)));
    ASSERT_EQ(info.Format(), PixelFormat::Bits24);  // red + blue at full
    EXPECT_EQ(info.Row(0)[0], 255);
    EXPECT_EQ(info.Row(0)[1], 0);
    EXPECT_EQ(info.Row(0)[2], 255);

    // V5 keeps its masks inside the header; native 8-8-8 masks keep the 32-bit pixels.
    std::string v5 = InfoBmp(1, 1, 32, 3, "", std::string("\x10\x20\x30\x40", 4), 124);
    std::string masks888;
    PutU32(masks888, 0xFF0000);
    PutU32(masks888, 0x00FF00);
    PutU32(masks888, 0x0000FF);
    v5.replace(14 + 40, 12, masks888);
    Bitmap bitmap;
    bitmap.LoadFromBmp(v5);
    ASSERT_EQ(bitmap.Format(), PixelFormat::Bits32);
    EXPECT_EQ(std::memcmp(bitmap.Row(0), "\x10\x20\x30\x40", 4), 0);
}

TEST(BitmapTest, LoadFromBmp_RunLengthImages) {
    const std::string palette = Quad(0, 0, 0) + Quad(1, 1, 1) + Quad(2, 2, 2) + Quad(3, 3, 3);
    // Row 0 (bottom): run of 3 × index 2, absolute 1 2 3 (padded), end of line; delta to
    // column 1 of row 1 then run of 2 × index 1; end of bitmap.
    const std::string rle8("\x03\x02\x00\x03\x01\x02\x03\x00\x00\x00\x00\x02\x01\x00\x02\x01\x00\x01", 18);
    Bitmap eight;
    eight.LoadFromBmp(InfoBmp(6, 2, 8, 1, palette, rle8, 40, 4));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(eight.Row(1)), 6), std::string("\x02\x02\x02\x01\x02\x03", 6));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(eight.Row(0)), 6), std::string("\x00\x01\x01\x00\x00\x00", 6));

    // Run of 5 alternating 1 and 2, then absolute 3 pixels 3 0 1.
    const std::string rle4("\x05\x12\x00\x03\x30\x10\x00\x01", 8);
    Bitmap four;
    four.LoadFromBmp(InfoBmp(8, 1, 4, 2, palette, rle4, 40, 4));
    const int expected[8] = {1, 2, 1, 2, 1, 3, 0, 1};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(PackedIndex(four.Row(0), x, 4), expected[x]) << x;
}

TEST(BitmapTest, LoadFromBmp_DamagedImagesFailAndLeaveBitmapUnchanged) {
    const std::string row(4, '\x7F');
    std::string hugeInSmallFile = InfoBmp(100000, 100000, 24, 0, "", std::string(2000, '\0'));
    std::string bigTruncated = InfoBmp(30000, 30000, 8, 0, "", std::string(2000, '\0'));
    std::string offsetBeyondEnd = InfoBmp(1, 1, 24, 0, "", row);
    offsetBeyondEnd[10] = '\x7F';
    offsetBeyondEnd[11] = '\x7F';
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"not a bitmap", "GIF89a" + std::string(60, '\0')},
        {"header cut off", InfoBmp(1, 1, 24, 0, "", row).substr(0, 30)},
        {"unknown header size", InfoBmp(1, 1, 24, 0, "", row, 64)},
        {"depth 7", InfoBmp(1, 1, 7, 0, "", row)},
        {"JPEG inside", InfoBmp(1, 1, 24, 4, "", row)},
        {"RLE8 at 24 bits", InfoBmp(1, 1, 24, 1, "", row)},
        {"pixels cut off", InfoBmp(4, 4, 24, 0, "", std::string(40, '\0'))},
        {"100000 x 100000 in 2 KB", hugeInSmallFile},
        {"30000 x 30000 in 2 KB", bigTruncated},
        {"pixel offset beyond end", offsetBeyondEnd},
        {"palette cut off", InfoBmp(1, 1, 8, 0, "", "", 40, 200)},
        {"top-down RLE", InfoBmp(2, -1, 8, 1, Quad(0, 0, 0), std::string("\x02\x00\x00\x01", 4), 40, 1)},
        {"absolute run cut off", InfoBmp(8, 1, 8, 1, Quad(0, 0, 0), std::string("\x00\x08\x01\x02", 4), 40, 1)},
    };
    for (const auto& c : cases) {
        Bitmap bitmap = PatternBitmap(PixelFormat::Bits8, 3, 3);
        const Bitmap before = bitmap;
        try {
            bitmap.LoadFromBmp(c.bytes);
            ADD_FAILURE() << c.name << " was accepted";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()).rfind("Cannot read bitmap: ", 0), 0u) << c.name;
        }
        EXPECT_EQ(bitmap, before) << c.name;
    }
}

TEST(BitmapTest, LoadFromBmp_AcceptsLastRowWithoutPadding) {
    Bitmap bitmap;
    bitmap.LoadFromBmp(InfoBmp(1, 2, 24, 0, "", std::string("\x01\x02\x03\x00\x04\x05\x06", 7)));
    EXPECT_EQ(bitmap.Row(0)[2], 6);
}

}  // namespace
}  // namespace velvora
