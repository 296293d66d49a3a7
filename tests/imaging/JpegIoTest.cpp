#include <cstdlib>
#include <memory>
#include <stdexcept>

#include <gtest/gtest.h>

#include "imaging/JPEG_IO.h"
#include "imaging/TestImages.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

using testing::EncodeTestJpeg;
using testing::Solid;

class JpegIoTest : public ::testing::Test {
protected:
    std::string Save(const std::string& name, const std::string& bytes) {
        const std::string path = folder_.Path() + name;
        testing::WriteFile(path, bytes);
        return path;
    }
    testing::TempFolder folder_;
};

void ExpectNear(const std::uint8_t* pixel, std::initializer_list<int> expected, int tolerance = 3) {
    int i = 0;
    for (int value : expected) EXPECT_NEAR(pixel[i++], value, tolerance) << "byte " << i - 1;
}

TEST_F(JpegIoTest, LoadJpegLibraryBinds) { EXPECT_TRUE(LoadJpegLibrary()); }

TEST_F(JpegIoTest, ReadJpegFileSizesAtEachScale) {
    const std::string path = Save("photo.jpg", EncodeTestJpeg(1001, 751, 3, Solid(10, 20, 30)));
    const struct {
        int scale, width, height;
    } rows[] = {{1, 1001, 751}, {2, 501, 376}, {4, 251, 188}, {8, 126, 94}, {3, 1001, 751}, {0, 1001, 751}};
    for (const auto& row : rows) {
        std::unique_ptr<Bitmap> bitmap;
        int fullWidth = 0;
        int fullHeight = 0;
        ASSERT_TRUE(ReadJpegFile(path, row.scale, bitmap, fullWidth, fullHeight)) << row.scale;
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(bitmap->Width(), row.width) << row.scale;
        EXPECT_EQ(bitmap->Height(), row.height) << row.scale;
        EXPECT_EQ(fullWidth, 1001);
        EXPECT_EQ(fullHeight, 751);
    }
    int width = 0;
    int height = 0;
    EXPECT_TRUE(ReadJpegDimensions(path, width, height));
    EXPECT_EQ(width, 1001);
    EXPECT_EQ(height, 751);
}

TEST_F(JpegIoTest, ChannelCountsGiveTheirFormats) {
    // Colour: B, G, R bytes, the picture upright (red top half, blue bottom half).
    const std::string colour = Save("colour.jpg", EncodeTestJpeg(32, 32, 3, [](int, int y, std::uint8_t* out) {
                                        out[0] = y < 16 ? 255 : 0;
                                        out[1] = 0;
                                        out[2] = y < 16 ? 0 : 255;
                                    }));
    // Inverted CMYK as Adobe files hold it; (200, 100, 50, 255) turns into B 49, G 99, R 199.
    const std::string cmyk = Save("cmyk.jpg", EncodeTestJpeg(16, 16, 4, Solid(200, 100, 50, 255)));
    const std::string grey = Save("grey.jpg", EncodeTestJpeg(16, 16, 1, Solid(77)));
    const std::string progressive = Save("progressive.jpg", EncodeTestJpeg(40, 24, 3, Solid(0, 128, 255), true));

    std::unique_ptr<Bitmap> bitmap;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(ReadJpegFile(colour, 1, bitmap, width, height));
    EXPECT_EQ(bitmap->Format(), PixelFormat::Bits24);
    ExpectNear(bitmap->Row(2), {0, 0, 255});
    ExpectNear(bitmap->Row(29), {255, 0, 0});

    ASSERT_TRUE(ReadJpegFile(cmyk, 1, bitmap, width, height));  // the bitmap is reused
    EXPECT_EQ(bitmap->Format(), PixelFormat::Bits32);
    ExpectNear(bitmap->Row(8) + 4 * 8, {49, 99, 199});

    ASSERT_TRUE(ReadJpegFile(grey, 2, bitmap, width, height));
    EXPECT_EQ(bitmap->Format(), PixelFormat::Bits8);
    EXPECT_EQ(bitmap->GetPalette(), CreateGreyPalette(1, 1, 1));
    ExpectNear(bitmap->Row(3) + 3, {77});

    ASSERT_TRUE(ReadJpegFile(progressive, 4, bitmap, width, height));
    EXPECT_EQ(bitmap->Width(), 10);
    EXPECT_EQ(bitmap->Height(), 6);
    ExpectNear(bitmap->Row(5) + 3 * 9, {255, 128, 0});
}

TEST_F(JpegIoTest, BrokenFilesFailSilently) {
    const std::string whole = EncodeTestJpeg(64, 48, 3, [](int x, int y, std::uint8_t* out) {
        out[0] = static_cast<std::uint8_t>(x * 4);
        out[1] = static_cast<std::uint8_t>(y * 5);
        out[2] = static_cast<std::uint8_t>(x ^ y);
    });
    const std::string truncated = Save("truncated.jpg", whole.substr(0, whole.size() / 2));
    const std::string headerOnly = Save("header.jpg", whole.substr(0, 20));
    const std::string notJpeg = Save("photo.jpg", "BM" + std::string(100, '\x01'));
    const std::string empty = Save("empty.jpg", "");
    const std::string missing = folder_.Path() + "missing.jpg";

    for (const std::string& path : {headerOnly, notJpeg, empty, missing}) {
        int width = -1;
        int height = -1;
        EXPECT_FALSE(ReadJpegDimensions(path, width, height)) << path;
        EXPECT_EQ(width, 0);
        EXPECT_EQ(height, 0);
        std::unique_ptr<Bitmap> bitmap;
        EXPECT_FALSE(ReadJpegFile(path, 1, bitmap, width, height)) << path;
        EXPECT_FALSE(bitmap) << path;
        EXPECT_FALSE(LoadJpegFitted(path, bitmap, 70, 70, false)) << path;
    }

    // The header is intact, so the stored size is known, but the picture is not.
    std::unique_ptr<Bitmap> bitmap;
    int width = 0;
    int height = 0;
    EXPECT_TRUE(ReadJpegDimensions(truncated, width, height));
    EXPECT_FALSE(ReadJpegFile(truncated, 1, bitmap, width, height));
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 48);
    EXPECT_FALSE(LoadJpegFitted(truncated, bitmap, 70, 70, false));
}

TEST_F(JpegIoTest, ScaleForRatio) {
    const std::pair<float, int> rows[] = {{0.0341796875f, 8}, {0.125f, 8}, {0.13f, 4}, {0.25f, 4},
                                          {0.35f, 2},         {0.5f, 2},   {0.7f, 1},  {1.4f, 1}};
    for (const auto& [ratio, scale] : rows) EXPECT_EQ(JpegScaleForRatio(ratio), scale) << ratio;
}

TEST_F(JpegIoTest, LoadJpegFittedIntoThumbnailBox) {
    const struct {
        int width, height, fittedWidth, fittedHeight;
    } rows[] = {{2048, 1536, 70, 52}, {200, 100, 70, 35}, {50, 40, 70, 56}, {70, 70, 70, 70}};
    for (const auto& row : rows) {
        const std::string path = Save("p.jpg", EncodeTestJpeg(row.width, row.height, 3, Solid(0, 200, 0)));
        auto bitmap = std::make_unique<Bitmap>();
        ASSERT_TRUE(LoadJpegFitted(path, bitmap, 70, 70, false)) << row.width;
        EXPECT_EQ(bitmap->Width(), row.fittedWidth) << row.width;
        EXPECT_EQ(bitmap->Height(), row.fittedHeight) << row.width;
        ExpectNear(bitmap->Row(bitmap->Height() / 2), {0, 200, 0});
    }
}

TEST_F(JpegIoTest, CreateGreyPaletteFactors) {
    const Palette palette = CreateGreyPalette(1, 0, 1);
    ASSERT_EQ(palette.size(), 256u);
    EXPECT_EQ(palette[200], (PaletteEntry{200, 0, 200, 1}));
    EXPECT_EQ(CreateGreyPalette(1, 1, 1)[255], (PaletteEntry{255, 255, 255, 1}));
    EXPECT_THROW(CreateGreyPalette(1, 2, 1), std::invalid_argument);
}

TEST_F(JpegIoTest, ConvertRgbaToBgra) {
    std::uint8_t pixels[8] = {10, 20, 30, 128, 255, 0, 255, 255};
    ConvertRgbaToBgra(pixels, 2, 1);
    const std::uint8_t expected[8] = {15, 10, 5, 128, 254, 0, 254, 255};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(pixels[i], expected[i]) << i;
}

}  // namespace
}  // namespace velvora
