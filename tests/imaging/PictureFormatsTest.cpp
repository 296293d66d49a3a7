// Decoding the converted formats from files the test encodes itself: sizes, colours,
// orientation, transparency, damage; the EXIF block and the JPEG they are stored as.
#include "imaging/PictureFormats.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "imaging/ExifOrientation.h"
#include "imaging/JPEG_IO.h"
#include "imaging/JpegEncoding.h"
#include "support/JpegEncoder.h"
#include "support/PictureEncoders.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

using testing::StoredQuadrants;

// "RGB" of pixel (x, y) of a 24-bit bitmap, each channel rounded to the nearest of 0 and
// 255, so that lossy coding and colour conversion do not matter.
std::string ColourAt(const Bitmap& bitmap, int x, int y) {
    const std::uint8_t* bgr = bitmap.Row(y) + std::size_t(x) * 3;
    std::string rgb;
    for (int channel : {2, 1, 0}) rgb += bgr[channel] >= 128 ? 'F' : '0';
    return rgb;
}

// The four corners, clockwise from the top left: red, green, yellow, blue when upright.
std::string Corners(const Bitmap& bitmap) {
    const int right = bitmap.Width() - 1;
    const int bottom = bitmap.Height() - 1;
    return ColourAt(bitmap, 0, 0) + " " + ColourAt(bitmap, right, 0) + " " + ColourAt(bitmap, right, bottom) + " " +
           ColourAt(bitmap, 0, bottom);
}
constexpr const char* Upright = "F00 0F0 FF0 00F";

std::string GifQuadrants(int width, int height, const testing::GifLayout& layout) {
    const std::string palette("\xFF\0\0\0\xFF\0\0\0\xFF\xFF\xFF\0", 12);
    return testing::EncodeGif(width, height, layout, palette,
                              [=](int x, int y) { return (y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0); });
}

class PictureFormatsTest : public ::testing::Test {
protected:
    bool Decode(const std::string& bytes, ConvertedPicture& picture) {
        testing::WriteFile(folder_.Path() + "p", bytes);
        return DecodeConvertedPicture(folder_.Path() + "p", picture);
    }
    testing::TempFolder folder_;
};

// Every format, upright and stored turned or mirrored (TIFF by its tag, WebP by its EXIF
// chunk, HEIC by its container), comes out 64 x 48 and upright; cut or scrambled, it fails.
TEST_F(PictureFormatsTest, EachFormatDecodesUprightAtItsUprightSizeAndFailsDamaged) {
    const auto sideways = [](int orientation) { return StoredQuadrants(64, 48, orientation); };
    const int w6 = testing::StoredWidth(64, 48, 6), h6 = testing::StoredHeight(64, 48, 6);
    struct Row {
        const char* name;
        std::string bytes;
    };
    std::vector<Row> rows{
        {"png rgb", testing::EncodePng(64, 48, testing::PngKind::Rgb, sideways(1))},
        {"png palette", testing::EncodePng(64, 48, testing::PngKind::Palette, sideways(1))},
        {"gif", GifQuadrants(64, 48, {.screenWidth = 64, .screenHeight = 48})},
        {"gif interlaced, two frames",
         GifQuadrants(64, 48, {.screenWidth = 64, .screenHeight = 48, .interlaced = true, .secondFrame = true})},
        // A frame that overflows the logical screen is shown whole.
        {"gif beyond its screen", GifQuadrants(64, 48, {.screenWidth = 10, .screenHeight = 10, .left = 3})},
        {"tiff", testing::EncodeTiff(64, 48, sideways(1), 1, false)},
        {"tiff 6", testing::EncodeTiff(w6, h6, sideways(6), 6, false)},
        {"tiff 8", testing::EncodeTiff(w6, h6, sideways(8), 8, false)},
        {"tiff 3", testing::EncodeTiff(64, 48, sideways(3), 3, false)},
        {"webp", testing::EncodeWebp(64, 48, sideways(1), false)},
        {"webp 6", testing::EncodeWebp(w6, h6, sideways(6), false, testing::ExifSegment(6))},
        {"webp 2", testing::EncodeWebp(64, 48, sideways(2), true, testing::ExifSegment(2))},
    };
    if (testing::CanEncodeHeic()) {
        rows.push_back({"heic", testing::EncodeHeic(64, 48, sideways(1), 1, false)});
        // The EXIF block repeats the container's turn and must not turn it a second time.
        rows.push_back({"heic 6", testing::EncodeHeic(w6, h6, sideways(6), 6, false)});
        rows.push_back({"heic 8", testing::EncodeHeic(w6, h6, sideways(8), 8, true)});
    }
    for (const Row& row : rows) {
        ConvertedPicture picture;
        ASSERT_TRUE(Decode(row.bytes, picture)) << row.name;
        EXPECT_EQ(picture.Pixels.Format(), PixelFormat::Bits24) << row.name;
        EXPECT_EQ(picture.Pixels.Width() * 100 + picture.Pixels.Height(), 6448) << row.name;
        EXPECT_EQ(Corners(picture.Pixels), Upright) << row.name;
        EXPECT_FALSE(Decode(row.bytes.substr(0, row.bytes.size() / 2), picture)) << row.name << " cut in half";
        EXPECT_FALSE(Decode(row.bytes.substr(0, 16), picture)) << row.name << " header only";
        std::string scrambled = row.bytes;
        for (std::size_t i = 24; i < scrambled.size(); i += 7) scrambled[i] = char(scrambled[i] ^ 0x5A);
        EXPECT_FALSE(Decode(scrambled, picture)) << row.name << " scrambled";
    }
    if (!testing::CanEncodeHeic()) GTEST_SKIP() << "this libheif has no HEVC encoder; the HEIC rows were left out";
}

TEST_F(PictureFormatsTest, TransparencyIsLaidOverWhite) {
    // Left half fully transparent black, right half half-transparent red.
    const testing::RgbaSource pixel = [](int x, int, std::uint8_t* rgba) {
        rgba[0] = x < 8 ? 0 : 255, rgba[1] = rgba[2] = 0, rgba[3] = x < 8 ? 0 : 128;
    };
    std::vector<std::pair<const char*, std::string>> rows{
        {"png", testing::EncodePng(16, 4, testing::PngKind::Rgba, pixel)},
        {"png palette", testing::EncodePng(16, 4, testing::PngKind::Palette, pixel)},
        {"tiff", testing::EncodeTiff(16, 4, pixel, 1, true)},
        {"webp", testing::EncodeWebp(16, 4, pixel, true)},
    };
    if (testing::CanEncodeHeic()) rows.emplace_back("heic", testing::EncodeHeic(16, 4, pixel, 1, true));
    for (const auto& [name, bytes] : rows) {
        ConvertedPicture picture;
        ASSERT_TRUE(Decode(bytes, picture)) << name;
        const std::uint8_t* clear = picture.Pixels.Row(1);
        const std::uint8_t* half = picture.Pixels.Row(1) + 12 * 3;
        EXPECT_TRUE(clear[0] >= 250 && clear[1] >= 250 && clear[2] >= 250) << name;
        // Half red over white: red stays full, green and blue drop to about half.
        EXPECT_GE(half[2], 245) << name;
        EXPECT_NEAR(half[1], 127, 12) << name;
        EXPECT_NEAR(half[0], 127, 12) << name;
    }
    // A GIF's transparent index shows white too; 16-bit linear grey comes out as sRGB grey.
    ConvertedPicture gif;
    ASSERT_TRUE(Decode(GifQuadrants(8, 8, {.screenWidth = 8, .screenHeight = 8, .transparent = 0}), gif));
    EXPECT_EQ(ColourAt(gif.Pixels, 0, 0) + ColourAt(gif.Pixels, 7, 0), "FFF0F0");
    ConvertedPicture grey;
    ASSERT_TRUE(Decode(
        testing::EncodePng(4, 4, testing::PngKind::Grey16, [](int, int, std::uint8_t* rgba) { rgba[0] = 200; }), grey));
    EXPECT_NEAR(grey.Pixels.Row(0)[0], 229, 2);
    EXPECT_EQ(grey.Pixels.Row(0)[0], grey.Pixels.Row(0)[2]);
}

TEST_F(PictureFormatsTest, HugeForeignEmptyAndMissingFilesFail) {
    ConvertedPicture picture;
    // A logical screen of 65535 x 65535 pixels is refused before it is allocated.
    EXPECT_FALSE(Decode(GifQuadrants(2, 2, {.screenWidth = 65535, .screenHeight = 65535}), picture));
    EXPECT_FALSE(Decode(testing::EncodeJpeg(8, 8, 3, [](int, int, std::uint8_t*) {}), picture));
    EXPECT_FALSE(Decode("", picture));
    EXPECT_FALSE(DecodeConvertedPicture(folder_.Path() + "missing.png", picture));
}

// Each orientation's upright layout of the stored picture "abc/def" (three by two).
TEST(OrientUpright, TurnsAndMirrorsAsEachOrientationSays) {
    const std::pair<int, const char*> rows[] = {{1, "abc/def"},  {2, "cba/fed"},  {3, "fed/cba"},
                                                {4, "def/abc"},  {5, "ad/be/cf"}, {6, "da/eb/fc"},
                                                {7, "fc/eb/da"}, {8, "cf/be/ad"}, {9, "abc/def"}};
    for (const auto& [orientation, expected] : rows) {
        Bitmap bitmap(3, 2, PixelFormat::Bits24);
        for (int i = 0; i < 6; ++i) bitmap.Row(i / 3)[(i % 3) * 3] = std::uint8_t('a' + i);
        OrientUpright(bitmap, orientation);
        std::string layout;
        for (int y = 0; y < bitmap.Height(); ++y) {
            if (y > 0) layout += '/';
            for (int x = 0; x < bitmap.Width(); ++x) layout += char(bitmap.Row(y)[x * 3]);
        }
        EXPECT_EQ(layout, expected) << orientation;
    }
}

// The JPEG a converted picture is stored as decodes to the same picture and carries the
// source's EXIF details with the orientation reset.
TEST_F(PictureFormatsTest, StoredJpegHoldsThePictureAndTheUprightExifBlock) {
    ConvertedPicture picture;
    const std::string exif = testing::ExifSegment(6, "2021:07:14 10:30:00");
    ASSERT_TRUE(Decode(testing::EncodeWebp(48, 64, StoredQuadrants(64, 48, 6), false, exif), picture));
    EXPECT_EQ(ExifBlockOrientation(picture.Exif), 6);
    const std::string segment = UprightExifSegment(picture.Exif);
    EXPECT_EQ(ExifBlockOrientation(segment), 1);
    EXPECT_NE(segment.find("2021:07:14 10:30:00"), std::string::npos);
    std::string jpeg;
    ASSERT_TRUE(EncodeBitmapAsJpeg(picture.Pixels, 92, segment, jpeg));
    testing::WriteFile(folder_.Path() + "p.jpg", jpeg);
    EXPECT_EQ(ReadExifOrientation(folder_.Path() + "p.jpg"), 1);
    std::unique_ptr<Bitmap> decoded;
    int width = 0, height = 0;
    ASSERT_TRUE(ReadJpegFile(folder_.Path() + "p.jpg", 1, decoded, width, height));
    EXPECT_EQ(Corners(*decoded), Upright);
    EXPECT_EQ(width * 100 + height, 6448);
    // No block, a damaged one and pictures the encoder cannot take.
    EXPECT_EQ(UprightExifSegment(""), "");
    EXPECT_EQ(UprightExifSegment("II*\0garbage"), "");
    EXPECT_FALSE(EncodeBitmapAsJpeg(Bitmap(), 92, "", jpeg));
    EXPECT_FALSE(EncodeBitmapAsJpeg(Bitmap(4, 4, PixelFormat::Bits8), 92, "", jpeg));
    EXPECT_FALSE(EncodeBitmapAsJpeg(picture.Pixels, 92, std::string(70000, 'x'), jpeg));
}

}  // namespace
}  // namespace velvora
