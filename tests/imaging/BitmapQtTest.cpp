#include <gtest/gtest.h>

#include "imaging/BitmapQt.h"

namespace velvora {
namespace {

TEST(BitmapQtTest, ColoursSurviveTheWayThere) {
    Bitmap bgr(3, 2, PixelFormat::Bits24);
    bgr.Row(1)[6] = 10;  // blue of the bottom-right pixel
    bgr.Row(1)[7] = 20;
    bgr.Row(1)[8] = 30;
    EXPECT_EQ(ToQImage(bgr).pixel(2, 1), qRgb(30, 20, 10));

    Bitmap spare(1, 1, PixelFormat::Bits32);
    spare.Row(0)[2] = 99;
    EXPECT_EQ(ToQImage(spare).pixel(0, 0), qRgb(99, 0, 0));

    Bitmap nibbles(3, 1, PixelFormat::Bits4);
    nibbles.SetPalette(Palette{{0, 0, 0, 0}, {1, 1, 1, 0}, {200, 100, 50, 0}});
    SetPackedIndex(nibbles.Row(0), 2, 4, 2);
    EXPECT_EQ(ToQImage(nibbles).pixel(2, 0), qRgb(200, 100, 50));
    EXPECT_TRUE(ToQImage(Bitmap()).isNull());
}

TEST(BitmapQtTest, RoundTripsIndexedAndColourPictures) {
    Bitmap indexed(5, 3, PixelFormat::Bits8);
    indexed.SetPalette(Palette{{1, 2, 3, 0}, {4, 5, 6, 0}});
    indexed.Row(2)[4] = 1;
    EXPECT_EQ(FromQImage(ToQImage(indexed)), indexed);

    Bitmap colour(5, 3, PixelFormat::Bits24);
    for (int i = 0; i < 15; ++i) colour.Row(1)[i] = static_cast<std::uint8_t>(i * 17);
    EXPECT_EQ(FromQImage(ToQImage(colour)), colour);
}

}  // namespace
}  // namespace velvora
