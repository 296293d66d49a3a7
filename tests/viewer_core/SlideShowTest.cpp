// The show model: a published file read back into the tree, settings resolved through the
// "Default" chain, pictures decoded and turned, and damaged input refused.
#include "viewer/core/SlideShow.h"

#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "PublishedShow.h"
#include "support/JpegEncoder.h"
#include "viewer/core/PictureDecoding.h"

namespace velvora {
namespace {

using testing::WriteFile;

class SlideShowTest : public testing::PublishedShowTest {};

TEST_F(SlideShowTest, PublishedShowReadsBackAsTreeWithPhotosAndOptions) {
    SetCategories(
        "\\Holidays\r\nAlias=0001\r\n\r\n\\Holidays\\Beach\r\nAlias=0002\r\n\r\n\\Work\r\nAlias=0003\r\n\r\n");
    AddPhoto("0000", "00000000", "Name=Sea\r\nCaption=Blue\r\n", testing::SolidBmp(4, 2, 0xFF0000));
    AddPhoto("0002", "00000001", "Name=Sand\r\n", testing::SolidBmp(4, 2, 0x0000FF), "sand.bmp");
    const SlideShow show = Publish("Title=Trip\r\nViewerShowToolbar=1\r\nViewerHideFilenames=0\r\n");

    EXPECT_EQ(show.Title(), "Trip");
    EXPECT_TRUE(show.Option("ViewerShowToolbar"));
    EXPECT_FALSE(show.Option("ViewerHideFilenames"));
    const auto& categories = show.Categories();
    ASSERT_EQ(categories.size(), 4u);
    EXPECT_EQ(categories[0].Name, "Trip");
    EXPECT_EQ(categories[0].Children, (std::vector<int>{1, 3}));
    EXPECT_EQ(categories[2].Name, "Beach");
    EXPECT_EQ(categories[2].Parent, 1);
    EXPECT_EQ(categories[3].Parent, 0);
    ASSERT_EQ(categories[0].Photos.size(), 1u);
    EXPECT_EQ(categories[0].Photos[0].Name + "/" + categories[0].Photos[0].Caption, "Sea/Blue");
    ASSERT_EQ(categories[2].Photos.size(), 1u);
    EXPECT_EQ(categories[2].Photos[0].SourceFileName, "sand.bmp");

    const PixelBuffer sand = show.LoadPicture(categories[2].Photos[0]);
    EXPECT_EQ(sand.Width, 4);
    EXPECT_EQ(sand.Height, 2);
    EXPECT_EQ(sand.At(3, 1), 0xFF0000FFu);
}

// Each key comes from the nearest level that sets it: photo, category, parent, show, and
// the built-in default when none does; "Custom..." (-1) and damaged values pass it on.
TEST_F(SlideShowTest, SettingsComeFromTheNearestLevelThatSetsThem) {
    SetCategories(
        "\\Outer\r\nAlias=0001\r\nTransition=4\r\nVertical=4\r\nSize=3\r\nBackground=1\r\n"
        "BackgroundOption1=255\r\nKeyAdvance=1\r\n\r\n"
        "\\Outer\\Inner\r\nAlias=0002\r\nTransition=5\r\nDuration=8\r\n\r\n");
    AddPhoto("0002", "00000000", "Transition=9\r\nHorizontal=4\r\nRotate=1\r\n", "");
    AddPhoto("0002", "00000001", "Background=1\r\nBackgroundColor=65280\r\nSize=5\r\nSizeCount=20000\r\n", "");
    AddPhoto("0000", "00000002", "Horizontal=-1\r\nDuration=99\r\n", "");
    const SlideShow show =
        Publish("Title=T\r\nTransition=1\r\nHorizontal=2\r\nDuration=4\r\nDurationCount=7\r\nSize=1\r\nLoop=2\r\n");

    const auto& inner = show.Categories()[2].Photos;
    // Categories carry no seconds of their own: "Custom..." takes the show's.
    EXPECT_EQ(inner[0].Settings,
              (SlideSettings{9, 4, 4, DurationIndex::Custom, 7, SizeIndex::FitWidth, 0, 1, 255, true}));
    EXPECT_EQ(inner[1].Settings,
              (SlideSettings{5, 2, 4, DurationIndex::Custom, 7, SizeIndex::CustomWidth, 10000, 0, 0x00FF00, true}));
    EXPECT_EQ(
        show.Categories()[0].Photos[0].Settings,
        (SlideSettings{TransitionIndex::None, AlignIndex::Start, AlignIndex::Random, 4, 1, SizeIndex::ActualSize}));
    EXPECT_EQ(show.Categories()[2].Loop, LoopIndex::Continuous);
}

TEST_F(SlideShowTest, ShowWithoutSettingsTakesTheNewShowDefaults) {
    AddPhoto("0000", "00000000", "", "");
    const SlideShow show = Publish("Title=Bare\r\n");
    EXPECT_EQ(show.Categories()[0].Photos[0].Settings, SlideSettings{});
    EXPECT_EQ(show.Categories()[0].Loop, LoopIndex::Once);
}

TEST(DisplayChoiceTest, RandomSettlesTheSameWayForTheSameSeedAndStaysInRange) {
    const SlideSettings random;  // every choice Random
    std::mt19937 a(42), b(42);
    for (int i = 0; i < 200; ++i) {
        const DisplayChoice choice = ChooseDisplay(random, a);
        EXPECT_EQ(choice, ChooseDisplay(random, b));
        EXPECT_GE(choice.Transition, TransitionIndex::SlideFromLeft);
        EXPECT_LE(choice.Transition, TransitionIndex::HorizontalBarsLarge);
        EXPECT_GE(choice.Horizontal, AlignIndex::Start);
        EXPECT_LE(choice.Vertical, AlignIndex::End);
        EXPECT_TRUE(choice.DurationMs == 1000 || choice.DurationMs == 5000 || choice.DurationMs == 10000 ||
                    choice.DurationMs == 15000 || choice.DurationMs == 30000);
    }
}

TEST_F(SlideShowTest, PhotosDecodeFromJpegAndBmpTurnedByTheirRotation) {
    const auto corner = [](int x, int y) -> std::uint32_t { return x == 0 && y == 0 ? 0xFFFFFF : 0x000000; };
    AddPhoto("0000", "00000000", "Rotate=1\r\n", testing::MakeBmp(3, 2, corner));
    AddPhoto("0000", "00000001", "Rotate=2\r\n", testing::MakeBmp(3, 2, corner));
    AddPhoto("0000", "00000002", "Rotate=3\r\n", testing::MakeBmp(3, 2, corner));
    const std::string jpeg =
        testing::EncodeJpeg(16, 8, 3, [](int, int, std::uint8_t* out) { out[0] = 200, out[1] = 100, out[2] = 50; });
    AddPhoto("0000", "00000003", "", jpeg, "photo.jpg");
    const SlideShow show = Publish("Title=Turns\r\n");
    const auto& photos = show.Categories()[0].Photos;

    // The white corner pixel goes to the top-right, bottom-right and bottom-left.
    const PixelBuffer quarter = show.LoadPicture(photos[0]);
    ASSERT_EQ(quarter.Width, 2);
    EXPECT_EQ(quarter.At(1, 0), 0xFFFFFFFFu);
    const PixelBuffer half = show.LoadPicture(photos[1]);
    ASSERT_EQ(half.Width, 3);
    EXPECT_EQ(half.At(2, 1), 0xFFFFFFFFu);
    const PixelBuffer back = show.LoadPicture(photos[2]);
    ASSERT_EQ(back.Height, 3);
    EXPECT_EQ(back.At(0, 2), 0xFFFFFFFFu);

    const PixelBuffer decoded = show.LoadPicture(photos[3]);
    ASSERT_EQ(decoded.Width, 16);
    const Pixel pixel = decoded.At(8, 4);
    EXPECT_NEAR(int((pixel >> 16) & 0xFF), 200, 4);
    EXPECT_NEAR(int(pixel & 0xFF), 50, 4);
}

TEST(PictureDecodingTest, RefusesOtherFormatsDamageAndHugeHeadersBeforeDecoding) {
    const std::string png = "\x89PNG\r\n\x1a\n0000000000000000";
    EXPECT_THROW(DecodePicture(std::span(reinterpret_cast<const std::uint8_t*>(png.data()), png.size())),
                 EPictureError);
    EXPECT_THROW(DecodePicture({}), EPictureError);
    std::string bmp = testing::SolidBmp(4, 4, 0);
    bmp.resize(20);  // cut inside its header
    EXPECT_THROW(DecodePicture(std::span(reinterpret_cast<const std::uint8_t*>(bmp.data()), bmp.size())),
                 EPictureError);
    // A header claiming 20000 x 20000 pixels (400 megapixels) over a handful of bytes.
    std::string huge = testing::SolidBmp(1, 1, 0);
    for (const std::size_t at : {std::size_t(18), std::size_t(22)}) {
        huge[at] = char(20000 & 0xFF);
        huge[at + 1] = char(20000 >> 8);
    }
    try {
        DecodePicture(std::span(reinterpret_cast<const std::uint8_t*>(huge.data()), huge.size()));
        FAIL() << "a 400-megapixel header was accepted";
    } catch (const EPictureError& error) {
        EXPECT_STREQ(error.what(), "This photo is too large to show.");
    }
}

TEST_F(SlideShowTest, DamagedOrMissingFilesGiveTheReadersError) {
    AddPhoto("0000", "00000000", "", testing::SolidBmp(2, 2, 0));
    const std::string path = PublishFile("Title=Cut\r\n");
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 5);
    EXPECT_THROW(SlideShow::Open(path), EPackageError);
    WriteFile(path, "not a slide show at all");
    EXPECT_THROW(SlideShow::Open(path), EPackageError);
    EXPECT_THROW(SlideShow::Open(Home() + "missing.exe"), EPackageError);
}

}  // namespace
}  // namespace velvora
