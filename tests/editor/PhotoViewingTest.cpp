#include "editor/PhotoViewing.h"

#include <gtest/gtest.h>

#include "support/JpegEncoder.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

TEST(FitPicture, ScalesToTheRoomLeftByTheMarginsAndTheBarUpOrDown) {
    const std::tuple<int, int, int, int, PictureBounds> rows[] = {
        {320, 280, 1600, 1200, {8, 8, 304, 228}},  // sx 0.19 is below sy 0.2
        {320, 280, 100, 50, {8, 8, 304, 152}},     // small photos are enlarged
        {320, 280, 50, 100, {8, 8, 120, 240}},
        {10, 10, 50, 100, {8, 8, 0, 0}},  // a pane smaller than its margins shows nothing
    };
    for (const auto& [paneWidth, paneHeight, width, height, expected] : rows) {
        PictureBounds bounds;
        ASSERT_TRUE(FitPicture(paneWidth, paneHeight, 24, width, height, bounds));
        EXPECT_EQ(bounds, expected) << width << "x" << height;
    }
    PictureBounds none;
    EXPECT_FALSE(FitPicture(320, 280, 24, 0, 10, none));
}

class PhotoViewingTest : public testing::ProgramFolderTest {};

TEST_F(PhotoViewingTest, StoredRotationTurnsThePhotoAndOnlyKnownExtensionsAreDecoded) {
    const auto grey = [](int, int, std::uint8_t* out) { out[0] = 200; };
    testing::WriteFile(Home() + "0000000A.pho", testing::EncodeJpeg(40, 20, 1, grey));
    const PhotoEntry jpeg{"0000000A", "beach.JPG", "", "", "40", "20"};
    EXPECT_EQ(LoadPhotoForViewing(Home(), jpeg).Width(), 40);
    testing::WriteFile(Home() + "0000000A.dat", "Rotate=1\r\n");
    const Bitmap turned = LoadPhotoForViewing(Home(), jpeg);
    EXPECT_EQ(turned.Width(), 20);
    EXPECT_EQ(turned.Height(), 40);
    // A source stored converted has a JPEG too.
    EXPECT_EQ(LoadPhotoForViewing(Home(), {"0000000A", "beach.heic", "", "", "", ""}).Width(), 20);
    for (const char* source : {"beach.txt", "beach", "beach.bmp"})  // the last is no bitmap: empty
        EXPECT_TRUE(LoadPhotoForViewing(Home(), {"0000000A", source, "", "", "", ""}).IsEmpty()) << source;
    EXPECT_TRUE(LoadPhotoForViewing(Home(), {"../0000000A", "beach.jpg", "", "", "", ""}).IsEmpty());
}

}  // namespace
}  // namespace velvora
