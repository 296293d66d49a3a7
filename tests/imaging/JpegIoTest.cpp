// JPEG reading at each scale and channel count, broken files, and the thumbnail fit, on JPEGs
// encoded by the test itself.
#include <memory>
#include <stdexcept>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "imaging/JPEG_IO.h"
#include "support/JpegEncoder.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

using testing::EncodeJpeg;

testing::PixelSource Solid(std::uint8_t c0, std::uint8_t c1 = 0, std::uint8_t c2 = 0, std::uint8_t c3 = 0) {
    return [=](int, int, std::uint8_t* out) { out[0] = c0, out[1] = c1, out[2] = c2, out[3] = c3; };
}

void ExpectNear(const std::uint8_t* pixel, std::initializer_list<int> expected) {
    int i = 0;
    for (int value : expected) EXPECT_NEAR(pixel[i++], value, 3) << "byte " << i - 1;
}

class JpegIoTest : public ::testing::Test {
protected:
    std::string Save(const std::string& name, const std::string& bytes) {
        testing::WriteFile(folder_.Path() + name, bytes);
        return folder_.Path() + name;
    }
    bool Read(const std::string& jpeg, int scale) {
        return ReadJpegFile(Save("p.jpg", jpeg), scale, bitmap_, width_, height_);
    }
    testing::TempFolder folder_;
    std::unique_ptr<Bitmap> bitmap_;
    int width_ = -1, height_ = -1;
};

TEST_F(JpegIoTest, ReadJpegFileSizesAtEachScale) {
    EXPECT_TRUE(LoadJpegLibrary());
    const std::string path = Save("photo.jpg", EncodeJpeg(1001, 751, 3, Solid(10, 20, 30)));
    const int rows[][3] = {{1, 1001, 751}, {2, 501, 376}, {4, 251, 188}, {8, 126, 94}, {3, 1001, 751}, {0, 1001, 751}};
    for (const auto& [scale, width, height] : rows) {
        ASSERT_TRUE(ReadJpegFile(path, scale, bitmap_, width_, height_)) << scale;
        EXPECT_EQ(std::pair(bitmap_->Width(), bitmap_->Height()), std::pair(width, height)) << scale;
        EXPECT_EQ(std::pair(width_, height_), std::pair(1001, 751));
    }
}

TEST_F(JpegIoTest, ChannelCountsGiveTheirFormats) {
    // Colour: B, G, R bytes, the picture upright (red top half, blue bottom half).
    const auto redOverBlue = [](int, int y, std::uint8_t* out) {
        out[0] = y < 16 ? 255 : 0, out[1] = 0, out[2] = y < 16 ? 0 : 255;
    };
    ASSERT_TRUE(Read(EncodeJpeg(32, 32, 3, redOverBlue), 1));
    EXPECT_EQ(bitmap_->Format(), PixelFormat::Bits24);
    ExpectNear(bitmap_->Row(2), {0, 0, 255});
    ExpectNear(bitmap_->Row(29), {255, 0, 0});

    // Inverted CMYK as Adobe files hold it; (200, 100, 50, 255) turns into B 49, G 99, R 199,
    // each channel scaled by the fourth byte and rounded as the conversion promises.
    ASSERT_TRUE(Read(EncodeJpeg(16, 16, 4, Solid(200, 100, 50, 255)), 1));
    EXPECT_EQ(bitmap_->Format(), PixelFormat::Bits32);
    ExpectNear(bitmap_->Row(8) + 4 * 8, {49, 99, 199});
    std::vector<std::uint8_t> pixels = {10, 20, 30, 128, 1, 1, 1, 255, 255, 0, 255, 255};
    ConvertRgbaToBgra(pixels.data(), 3, 1);
    EXPECT_EQ(pixels, (std::vector<std::uint8_t>{15, 10, 5, 128, 1, 1, 1, 255, 254, 0, 254, 255}));

    ASSERT_TRUE(Read(EncodeJpeg(16, 16, 1, Solid(77)), 2));
    EXPECT_EQ(bitmap_->Format(), PixelFormat::Bits8);
    ASSERT_EQ(bitmap_->GetPalette().size(), 256u);
    EXPECT_EQ(bitmap_->GetPalette()[255], (PaletteEntry{255, 255, 255, 1}));
    ExpectNear(bitmap_->Row(3) + 3, {77});

    ASSERT_TRUE(Read(EncodeJpeg(40, 24, 3, Solid(0, 128, 255), {.progressive = true}), 4));
    EXPECT_EQ(std::pair(bitmap_->Width(), bitmap_->Height()), std::pair(10, 6));
    ExpectNear(bitmap_->Row(5) + 3 * 9, {255, 128, 0});
}

TEST_F(JpegIoTest, BrokenFilesFailSilently) {
    const std::string whole = EncodeJpeg(64, 48, 3, [](int x, int y, std::uint8_t* out) {
        out[0] = static_cast<std::uint8_t>(x * 4), out[1] = static_cast<std::uint8_t>(y * 5),
        out[2] = static_cast<std::uint8_t>(x ^ y);
    });
    // Cut in half, the header is intact, so the stored size is known, but the picture is not,
    // also when an end marker follows the cut.
    const std::string half = whole.substr(0, whole.size() / 2);
    const std::pair<std::string, bool> cases[] = {{Save("truncated.jpg", half), true},
                                                  {Save("ended.jpg", half + "\xFF\xD9"), true},
                                                  {Save("header.jpg", whole.substr(0, 20)), false},
                                                  {Save("photo.jpg", "BM" + std::string(100, '\x01')), false},
                                                  {Save("empty.jpg", ""), false},
                                                  {folder_.Path() + "missing.jpg", false}};
    for (const auto& [path, headerIntact] : cases) {
        EXPECT_EQ(ReadJpegDimensions(path, width_, height_), headerIntact) << path;
        EXPECT_EQ(std::pair(width_, height_), headerIntact ? std::pair(64, 48) : std::pair(0, 0)) << path;
        bitmap_.reset();
        EXPECT_FALSE(ReadJpegFile(path, 1, bitmap_, width_, height_)) << path;
        EXPECT_TRUE(headerIntact || !bitmap_) << path;  // nothing allocated before the header
        EXPECT_FALSE(LoadJpegFitted(path, bitmap_, 70, 70, false)) << path;
    }
    // Stray bytes before the end marker, as some cameras write, leave the picture whole.
    const std::string stray = whole.substr(0, whole.size() - 2) + "\x12\x34\xFF\xD9";
    EXPECT_TRUE(ReadJpegFile(Save("stray.jpg", stray), 1, bitmap_, width_, height_));
}

// The JPEG with its frame header declaring width x height instead of its own size.
std::string WithDeclaredSize(std::string jpeg, int width, int height) {
    std::size_t at = 2;  // past the start-of-image marker
    while (static_cast<std::uint8_t>(jpeg[at + 1]) < 0xC0 || static_cast<std::uint8_t>(jpeg[at + 1]) > 0xC2)
        at += 2 + (static_cast<std::size_t>(static_cast<std::uint8_t>(jpeg[at + 2])) << 8 |
                   static_cast<std::uint8_t>(jpeg[at + 3]));
    const auto put16 = [&](std::size_t offset, int value) {
        jpeg[offset] = char(value >> 8), jpeg[offset + 1] = char(value & 0xFF);
    };
    put16(at + 5, height);
    put16(at + 7, width);
    return jpeg;
}

// A few hundred bytes declaring hundreds of megapixels or more: refused before any pixel
// memory is taken, whether above the ceiling or merely far more than the bytes can hold.
TEST_F(JpegIoTest, TinyFilesDeclaringHugePicturesAreRefused) {
    const std::string baseline = EncodeJpeg(16, 16, 3, Solid(90, 90, 90));
    const std::string progressive = EncodeJpeg(16, 16, 3, Solid(90, 90, 90), {.progressive = true});
    const std::tuple<std::string, int, int> hostile[] = {
        {progressive, 20000, 20000}, {baseline, 65500, 65500}, {baseline, 12000, 12000}};
    for (const auto& [jpeg, width, height] : hostile) {
        const std::string path = Save("hostile.jpg", WithDeclaredSize(jpeg, width, height));
        bitmap_.reset();
        EXPECT_FALSE(ReadJpegFile(path, 8, bitmap_, width_, height_)) << width;
        EXPECT_EQ(std::pair(width_, height_), std::pair(width, height));
        EXPECT_FALSE(bitmap_) << width;
        EXPECT_FALSE(LoadJpegFitted(path, bitmap_, 70, 70, false)) << width;
    }
}

TEST_F(JpegIoTest, LoadJpegFittedIntoThumbnailBox) {
    const std::pair<float, int> scales[] = {{0.0341796875f, 8}, {0.125f, 8}, {0.13f, 4}, {0.25f, 4},
                                            {0.35f, 2},         {0.5f, 2},   {0.7f, 1},  {1.4f, 1}};
    for (const auto& [ratio, scale] : scales) EXPECT_EQ(JpegScaleForRatio(ratio), scale) << ratio;
    const int rows[][4] = {{2048, 1536, 70, 52}, {200, 100, 70, 35}, {50, 40, 70, 56}, {70, 70, 70, 70}};
    for (const auto& [width, height, fittedWidth, fittedHeight] : rows) {
        const std::string path = Save("p.jpg", EncodeJpeg(width, height, 3, Solid(0, 200, 0)));
        bitmap_ = std::make_unique<Bitmap>();
        ASSERT_TRUE(LoadJpegFitted(path, bitmap_, 70, 70, false)) << width;
        EXPECT_EQ(std::pair(bitmap_->Width(), bitmap_->Height()), std::pair(fittedWidth, fittedHeight)) << width;
        ExpectNear(bitmap_->Row(bitmap_->Height() / 2), {0, 200, 0});
    }
}

TEST(CreateGreyPalette, RampsTheChosenChannelsAndRefusesOtherFactors) {
    EXPECT_EQ(CreateGreyPalette(1, 0, 1)[200], (PaletteEntry{200, 0, 200, 1}));
    EXPECT_THROW(CreateGreyPalette(1, 2, 1), std::invalid_argument);
}

}  // namespace
}  // namespace velvora
