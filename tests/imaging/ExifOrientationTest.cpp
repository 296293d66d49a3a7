// EXIF orientation of JPEGs encoded by the test itself, damaged segments, and the turns.
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "imaging/ExifOrientation.h"
#include "support/JpegEncoder.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

std::string JpegWithOrientation(int orientation) {
    return testing::EncodeJpeg(16, 8, 3, [](int, int, std::uint8_t* out) { out[0] = out[1] = out[2] = 128; },
                               {.exifOrientation = orientation});
}

class ExifOrientationTest : public ::testing::Test {
protected:
    int Read(const std::string& bytes) {
        testing::WriteFile(folder_.Path() + "p.jpg", bytes);
        return ReadExifOrientation(folder_.Path() + "p.jpg");
    }
    testing::TempFolder folder_;
};

TEST_F(ExifOrientationTest, ReadsTheTagAndFallsBackToNormalWithoutOne) {
    // 0 encodes no EXIF segment at all; 9 is no orientation.
    const std::pair<int, int> rows[] = {{1, 1}, {3, 3}, {6, 6}, {8, 8}, {2, 2}, {5, 5}, {7, 7}, {0, 1}, {9, 1}};
    for (const auto& [written, read] : rows) EXPECT_EQ(Read(JpegWithOrientation(written)), read) << written;
    EXPECT_EQ(ReadExifOrientation(folder_.Path() + "missing.jpg"), 1);
}

TEST_F(ExifOrientationTest, DamagedSegmentGivesNormal) {
    const std::string whole = JpegWithOrientation(6);
    const std::size_t tiff = whole.find(std::string("Exif\0\0", 6)) + 6;
    ASSERT_EQ(Read(whole), 6);
    // Offsets into the TIFF structure: byte order, IFD 0 offset, the entry's type.
    const std::pair<std::size_t, std::string> damage[] = {
        {0, "XX"}, {4, "\xFF\xFF\xFF\x7F"}, {12, std::string("\x07\x00", 2)}};
    for (const auto& [offset, bytes] : damage) {
        std::string damaged = whole;
        damaged.replace(tiff + offset, bytes.size(), bytes);
        EXPECT_EQ(Read(damaged), 1) << offset;
    }
    EXPECT_EQ(Read(whole.substr(0, tiff + 12)), 1);
}

TEST(ClockwiseTurnsForOrientation, MirroredValuesTurnLikeTheirPartners) {
    const int turns[] = {0, 0, 0, 2, 2, 1, 1, 3, 3, 0};
    for (int orientation = 0; orientation <= 9; ++orientation)
        EXPECT_EQ(ClockwiseTurnsForOrientation(orientation), turns[orientation]) << orientation;
}

}  // namespace
}  // namespace velvora
