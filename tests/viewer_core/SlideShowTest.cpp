// The show model: a published file read back into the tree, settings resolved through the
// "Default" chain, pictures decoded and turned, and damaged input refused.
#include "viewer/core/SlideShow.h"

#include <random>

#include <gmock/gmock.h>

#include "PublishedShow.h"
#include "support/JpegEncoder.h"
#include "viewer/core/PictureDecoding.h"

namespace velvora {
namespace {

class SlideShowTest : public testing::PublishedShowTest {};

// The tree, options and photos come back from the file; each setting comes from the nearest
// level that sets it: photo, category, parent, show, and the built-in default when none
// does; "Custom..." (-1) and damaged values pass it on.
TEST_F(SlideShowTest, PublishedShowReadsBackAsTreeWithPhotosOptionsAndNearestSettings) {
    SetCategories(
        "\\Outer\r\nAlias=0001\r\nTransition=4\r\nVertical=4\r\nSize=3\r\nBackground=1\r\n"
        "BackgroundOption1=255\r\nKeyAdvance=1\r\n\r\n"
        "\\Outer\\Inner\r\nAlias=0002\r\nTransition=5\r\nDuration=8\r\nDurationCount=2\r\n\r\n"
        "\\Work\r\nAlias=0003\r\n\r\n");
    AddPhoto("0002", "00000000", "Transition=9\r\nHorizontal=4\r\nRotate=1\r\n", "");
    AddPhoto("0002", "00000001", "Background=1\r\nBackgroundColor=65280\r\nSize=5\r\nSizeCount=20000\r\n",
             testing::SolidBmp(4, 2, 0x0000FF), "sand.bmp");
    AddPhoto("0000", "00000002", "Name=Sea\r\nCaption=Blue\r\nHorizontal=-1\r\nDuration=99\r\n", "");
    const SlideShow show = Publish(
        "Title=Trip\r\nTransition=1\r\nHorizontal=2\r\nDuration=4\r\nDurationCount=7\r\nSize=1\r\nLoop=2\r\n"
        "ViewerShowToolbar=1\r\nViewerHideFilenames=0\r\n");

    EXPECT_EQ(show.Title(), "Trip");
    EXPECT_TRUE(show.Option("ViewerShowToolbar"));
    EXPECT_FALSE(show.Option("ViewerHideFilenames"));
    const auto& categories = show.Categories();
    ASSERT_EQ(categories.size(), 4u);
    EXPECT_EQ(categories[0].Name, "Trip");
    EXPECT_EQ(categories[0].Children, (std::vector<int>{1, 3}));
    EXPECT_EQ(categories[2].Name, "Inner");
    EXPECT_EQ(categories[2].Parent, 1);
    EXPECT_EQ(categories[3].Parent, 0);
    const SlidePhoto& sea = categories[0].Photos.at(0);
    EXPECT_EQ(sea.Name + "/" + sea.Caption, "Sea/Blue");
    const auto& inner = categories[2].Photos;
    ASSERT_EQ(inner.size(), 2u);
    EXPECT_EQ(inner[1].SourceFileName, "sand.bmp");
    const PixelBuffer sand = show.LoadPicture(inner[1]);
    EXPECT_EQ(sand.Width, 4);
    EXPECT_EQ(sand.Pixels, PixelBuffer(4, 2, 0xFF0000FFu).Pixels);

    // A category's "Custom..." brings its own seconds, not the show's.
    EXPECT_EQ(inner[0].Settings,
              (SlideSettings{9, 4, 4, DurationIndex::Custom, 2, SizeIndex::FitWidth, 0, 1, 255, true}));
    EXPECT_EQ(inner[1].Settings,
              (SlideSettings{5, 2, 4, DurationIndex::Custom, 2, SizeIndex::CustomWidth, 10000, 0, 0x00FF00, true}));
    EXPECT_EQ(sea.Settings, (SlideSettings{TransitionIndex::None, AlignIndex::Start, AlignIndex::Random, 4, 1,
                                           SizeIndex::ActualSize}));
    EXPECT_EQ(categories[2].Loop, LoopIndex::Continuous);
}

// That a seed settles "Random" the same way every time is checked through the player.
TEST(DisplayChoiceTest, RandomStaysInRange) {
    const SlideSettings random;  // every choice Random
    std::mt19937 generator(42);
    for (int i = 0; i < 200; ++i) {
        const DisplayChoice choice = ChooseDisplay(random, generator);
        EXPECT_GE(choice.Transition, TransitionIndex::SlideFromLeft);
        EXPECT_LE(choice.Transition, TransitionIndex::HorizontalBarsLarge);
        EXPECT_GE(choice.Horizontal, AlignIndex::Start);
        EXPECT_LE(choice.Vertical, AlignIndex::End);
        EXPECT_THAT(choice.DurationMs, ::testing::AnyOf(1000, 5000, 10000, 15000, 30000));
    }
}

// A show without settings also gives the photo without information the new show's defaults.
TEST_F(SlideShowTest, PhotosDecodeFromJpegAndBmpTurnedByTheirRotationAndBareOnesTakeTheDefaults) {
    const auto corner = [](int x, int y) -> std::uint32_t { return x == 0 && y == 0 ? 0xFFFFFF : 0x000000; };
    for (const char* turns : {"1", "2", "3"})
        AddPhoto("0000", std::string("0000000") + turns, std::string("Rotate=") + turns + "\r\n",
                 testing::MakeBmp(3, 2, corner));
    AddPhoto(
        "0000", "00000004", "",
        testing::EncodeJpeg(16, 8, 3, [](int, int, std::uint8_t* out) { out[0] = 200, out[1] = 100, out[2] = 50; }),
        "photo.jpg");
    const SlideShow show = Publish("Title=Turns\r\n");
    const auto& photos = show.Categories()[0].Photos;

    // The white corner pixel goes to the top-right, bottom-right and bottom-left.
    const struct { int width, x, y; } corners[] = {{2, 1, 0}, {3, 2, 1}, {2, 0, 2}};
    for (std::size_t turn = 0; turn < 3; ++turn) {
        const PixelBuffer turned = show.LoadPicture(photos[turn]);
        ASSERT_EQ(turned.Width, corners[turn].width) << turn;
        EXPECT_EQ(turned.At(corners[turn].x, corners[turn].y), 0xFFFFFFFFu) << turn;
    }

    const PixelBuffer decoded = show.LoadPicture(photos[3]);
    ASSERT_EQ(decoded.Width, 16);
    const Pixel pixel = decoded.At(8, 4);
    EXPECT_NEAR(int((pixel >> 16) & 0xFF), 200, 4);
    EXPECT_NEAR(int(pixel & 0xFF), 50, 4);
    EXPECT_EQ(photos[3].Settings, SlideSettings{});
    EXPECT_EQ(show.Categories()[0].Loop, LoopIndex::Once);
}

// Cuts anywhere in the package are refused by the package reader's own tests; here the
// viewer passes its error on for a file that is no show at all or is missing.
TEST_F(SlideShowTest, PicturesOfOtherFormatsDamagedOrHugeAndFilesThatAreNoShowAreRefused) {
    const auto decode = [](const std::string& bytes) {
        return DecodePicture(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    };
    EXPECT_THROW(decode("\x89PNG\r\n\x1a\n0000000000000000"), EPictureError);
    EXPECT_THROW(decode(""), EPictureError);
    EXPECT_THROW(decode(testing::SolidBmp(4, 4, 0).substr(0, 20)), EPictureError);  // cut inside its header
    // A header claiming 20000 x 20000 pixels (400 megapixels, 0x4E20 each way) over a handful of bytes.
    const std::string huge = testing::SolidBmp(1, 1, 0).replace(18, 8, std::string("\x20\x4E\0\0\x20\x4E\0\0", 8));
    EXPECT_THAT([&] { decode(huge); }, ::testing::ThrowsMessage<EPictureError>("This photo is too large to show."));
    // Within the limit, 2000 x 2000 (0x07D0), but far beyond what its bytes hold.
    const std::string claimingBmp = testing::SolidBmp(1, 1, 0).replace(18, 8, std::string("\xD0\x07\0\0\xD0\x07\0\0", 8));
    EXPECT_THAT([&] { decode(claimingBmp); }, ::testing::ThrowsMessage<EPictureError>("This photo is damaged."));
    // A JPEG of a few hundred bytes whose header claims 6000 x 6000 pixels, within the size
    // limit but far beyond what its bytes can hold.
    std::string claiming = testing::EncodeJpeg(8, 8, 3, [](int, int, std::uint8_t* out) { out[0] = out[1] = out[2] = 9; });
    const std::size_t frame = claiming.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    claiming.replace(frame + 5, 4, "\x17\x70\x17\x70");
    EXPECT_THAT([&] { decode(claiming); }, ::testing::ThrowsMessage<EPictureError>("This photo is damaged."));
    // A Huffman table whose code counts add up to more than 256 symbols, found by fuzzing:
    // the decoder would write past its tables.
    std::string overfull = testing::EncodeJpeg(8, 8, 1, [](int, int, std::uint8_t* out) { *out = 128; });
    const std::size_t table = overfull.find("\xFF\xC4");
    ASSERT_NE(table, std::string::npos);
    overfull.replace(table + 5, 16, 16, '\x20');
    EXPECT_THROW(decode(overfull), EPictureError);
    EXPECT_THROW(decode("\xFF\xFF" + overfull), EPictureError);  // fill bytes before its start
    // The same in a second table that the segment's length announces but that runs past it.
    const std::string overrun = "\xFF\xD8\xFF\xC4\x00\x15" + std::string(17, '\0') + std::string(1, '\0') +
                                std::string(16, '\x20') + "\xFF\xD9";
    EXPECT_THROW(decode(overrun), EPictureError);
    // A scan that decodes with Huffman tables the file never defined, found by fuzzing: the
    // decoder leaves its tables as the memory held them, here those of the colour photo just
    // shown, and would read symbols through whatever they point at.
    const auto flat = [](int, int, std::uint8_t* out) { out[0] = out[1] = out[2] = 128; };
    std::string undefined = testing::EncodeJpeg(8, 8, 1, flat);
    const std::size_t scan = undefined.find("\xFF\xDA");
    ASSERT_NE(scan, std::string::npos);
    undefined[scan + 6] = '\x11';  // the grey photo defines only tables 0
    EXPECT_NO_THROW(decode(testing::EncodeJpeg(8, 8, 3, flat)));
    EXPECT_NO_THROW(decode(testing::EncodeJpeg(24, 16, 3, flat, {80, true})));  // a table for each scan
    EXPECT_THROW(decode(undefined), EPictureError);
    testing::WriteFile(Home() + "notes.exe", "not a slide show at all");
    EXPECT_THROW(SlideShow::Open(Home() + "notes.exe"), EPackageError);
    EXPECT_THROW(SlideShow::Open(Home() + "missing.exe"), EPackageError);
}

}  // namespace
}  // namespace velvora
