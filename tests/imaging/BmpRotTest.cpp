#include <gtest/gtest.h>

#include "imaging/Bitmap.h"
#include "imaging/bmpRot.h"

namespace velvora {
namespace {

// A 3 × 2 24-bit picture, top row A B C and bottom row D E F; each pixel's blue byte is its letter.
Bitmap Letters() {
    Bitmap bitmap(3, 2, PixelFormat::Bits24);
    const char* letters = "ABCDEF";
    for (int i = 0; i < 6; ++i) bitmap.Row(i / 3)[3 * (i % 3)] = static_cast<std::uint8_t>(letters[i]);
    return bitmap;
}

std::string RowsOf(const Bitmap& bitmap) {
    std::string rows;
    for (int y = 0; y < bitmap.Height(); ++y) {
        if (y > 0) rows += ' ';
        for (int x = 0; x < bitmap.Width(); ++x) rows += static_cast<char>(bitmap.Row(y)[3 * x]);
    }
    return rows;
}

TEST(BmpRotTest, QuarterAndHalfTurnsOfThreeByTwo) {
    Bitmap ccw = Letters();
    RotateBitmapCCW(ccw);
    EXPECT_EQ(ccw.Width(), 2);
    EXPECT_EQ(ccw.Height(), 3);
    EXPECT_EQ(RowsOf(ccw), "CF BE AD");

    Bitmap cw = Letters();
    RotateBitmapCW(cw);
    EXPECT_EQ(RowsOf(cw), "DA EB FC");

    Bitmap half = Letters();
    RotateBitmap180(half);
    EXPECT_EQ(RowsOf(half), "FED CBA");
}

Bitmap Pattern(PixelFormat format, int width, int height) {
    Bitmap bitmap(width, height, format);
    const int bits = BitsPerPixel(format);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (bits < 8) {
                SetPackedIndex(bitmap.Row(y), x, bits, static_cast<std::uint8_t>((x * 5 + y * 3) % (1 << bits)));
            } else {
                for (int b = 0; b < bits / 8; ++b)
                    bitmap.Row(y)[x * bits / 8 + b] = static_cast<std::uint8_t>(x * 31 + y * 7 + b);
            }
        }
    }
    if (bits <= 8) bitmap.SetPalette(Palette{{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 1}});
    return bitmap;
}

// Widths that leave partial bytes (1 and 4 bits) and row padding (all formats).
TEST(BmpRotTest, TurnsAgreeAndFourTurnsRestoreEveryFormat) {
    const struct {
        PixelFormat format;
        int width;
    } cases[] = {{PixelFormat::Bits1, 10}, {PixelFormat::Bits4, 3},  {PixelFormat::Bits8, 5},
                 {PixelFormat::Bits16, 3}, {PixelFormat::Bits24, 7}, {PixelFormat::Bits32, 3}};
    for (const auto& c : cases) {
        const Bitmap original = Pattern(c.format, c.width, 6);
        Bitmap turned = original;
        RotateBitmapCCW(turned);
        RotateBitmapCCW(turned);
        Bitmap half = original;
        RotateBitmap180(half);
        EXPECT_EQ(half, turned) << BitsPerPixel(c.format) << " bits, 180";
        RotateBitmapCCW(turned);
        Bitmap clockwise = original;
        RotateBitmapCW(clockwise);
        EXPECT_EQ(clockwise, turned) << BitsPerPixel(c.format) << " bits, clockwise";
        RotateBitmapCCW(turned);
        EXPECT_EQ(turned, original) << BitsPerPixel(c.format) << " bits, four turns";
    }
}

TEST(BmpRotTest, PackedPixelsLandInTheirTurnedPlace) {
    Bitmap bitmap(10, 2, PixelFormat::Bits1);
    SetPackedIndex(bitmap.Row(0), 9, 1, 1);  // top-right corner
    RotateBitmapCCW(bitmap);
    ASSERT_EQ(bitmap.Width(), 2);
    ASSERT_EQ(bitmap.Height(), 10);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(PackedIndex(bitmap.Row(y), x, 1), x == 0 && y == 0 ? 1 : 0) << x << "," << y;
    }
}

}  // namespace
}  // namespace velvora
