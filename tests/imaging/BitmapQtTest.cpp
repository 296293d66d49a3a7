#include <gtest/gtest.h>

#include "imaging/BitmapQt.h"

namespace velvora {
namespace {

TEST(BitmapQtTest, ColoursSurviveTheWayThereAndBack) {
    Bitmap bgr(3, 2, PixelFormat::Bits24);
    for (int i = 0; i < 9; ++i) bgr.Row(1)[i] = static_cast<std::uint8_t>(10 * i + 10);
    EXPECT_EQ(ToQImage(bgr).pixel(2, 1), qRgb(90, 80, 70));  // B, G, R bytes
    EXPECT_EQ(FromQImage(ToQImage(bgr)), bgr);
    Bitmap spare(1, 1, PixelFormat::Bits32);  // the fourth byte is not alpha
    spare.Row(0)[2] = 99;
    EXPECT_EQ(ToQImage(spare).pixel(0, 0), qRgb(99, 0, 0));

    Bitmap nibbles(3, 1, PixelFormat::Bits4), indexed(5, 3, PixelFormat::Bits8);
    nibbles.SetPalette(Palette{{0, 0, 0, 0}, {1, 1, 1, 0}, {200, 100, 50, 0}});
    SetPackedIndex(nibbles.Row(0), 2, 4, 2);
    EXPECT_EQ(ToQImage(nibbles).pixel(2, 0), qRgb(200, 100, 50));
    indexed.SetPalette(Palette{{1, 2, 3, 0}, {4, 5, 6, 0}});
    indexed.Row(2)[4] = 1;
    EXPECT_EQ(FromQImage(ToQImage(indexed)), indexed);
    EXPECT_TRUE(ToQImage(Bitmap()).isNull());
}

}  // namespace
}  // namespace velvora
