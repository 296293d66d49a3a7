// EXIF orientation and date taken of JPEGs encoded by the test itself, damaged segments,
// dates cameras write for none, and the turns.
#include <ctime>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "imaging/ExifDateTaken.h"
#include "imaging/ExifOrientation.h"
#include "support/JpegEncoder.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

std::string JpegWithExif(int orientation, const std::string& dateTaken = "") {
    return testing::EncodeJpeg(16, 8, 3, [](int, int, std::uint8_t* out) { out[0] = out[1] = out[2] = 128; },
                               {.exifOrientation = orientation, .exifDateTaken = dateTaken});
}

class ExifTest : public ::testing::Test {
protected:
    std::string Saved(const std::string& bytes) {
        testing::WriteFile(folder_.Path() + "p.jpg", bytes);
        return folder_.Path() + "p.jpg";
    }
    int Orientation(const std::string& bytes) { return ReadExifOrientation(Saved(bytes)); }
    testing::TempFolder folder_;
};

TEST_F(ExifTest, OrientationIsReadFromTheTagAndFallsBackToNormalWithoutOne) {
    // 0 encodes no EXIF segment at all; 9 is no orientation.
    const std::pair<int, int> rows[] = {{1, 1}, {3, 3}, {6, 6}, {8, 8}, {2, 2}, {5, 5}, {7, 7}, {0, 1}, {9, 1}};
    for (const auto& [written, read] : rows) EXPECT_EQ(Orientation(JpegWithExif(written)), read) << written;
    EXPECT_EQ(ReadExifOrientation(folder_.Path() + "missing.jpg"), 1);
}

TEST_F(ExifTest, DamagedSegmentGivesNormalOrientation) {
    const std::string whole = JpegWithExif(6);
    const std::size_t tiff = whole.find(std::string("Exif\0\0", 6)) + 6;
    ASSERT_EQ(Orientation(whole), 6);
    // Offsets into the TIFF structure: byte order, IFD 0 offset, the entry's type.
    const std::pair<std::size_t, std::string> damage[] = {
        {0, "XX"}, {4, "\xFF\xFF\xFF\x7F"}, {12, std::string("\x07\x00", 2)}};
    for (const auto& [offset, bytes] : damage) {
        std::string damaged = whole;
        damaged.replace(tiff + offset, bytes.size(), bytes);
        EXPECT_EQ(Orientation(damaged), 1) << offset;
    }
    EXPECT_EQ(Orientation(whole.substr(0, tiff + 12)), 1);
}

TEST(ClockwiseTurnsForOrientation, MirroredValuesTurnLikeTheirPartners) {
    const int turns[] = {0, 0, 0, 2, 2, 1, 1, 3, 3, 0};
    for (int orientation = 0; orientation <= 9; ++orientation)
        EXPECT_EQ(ClockwiseTurnsForOrientation(orientation), turns[orientation]) << orientation;
}

TEST_F(ExifTest, DateTakenReadsTheCamerasClockAsLocalTimeAndNothingForMissingOrUnknownDates) {
    std::tm local{};
    local.tm_year = 2021 - 1900, local.tm_mon = 2, local.tm_mday = 5, local.tm_hour = 10, local.tm_min = 4;
    local.tm_sec = 59, local.tm_isdst = -1;
    const auto taken = ReadExifDateTaken(Saved(JpegWithExif(0, "2021:03:05 10:04:59")));
    ASSERT_TRUE(taken);
    EXPECT_EQ(std::chrono::system_clock::to_time_t(*taken), std::mktime(&local));
    for (const char* none : {"", "0000:00:00 00:00:00", "    :  :     :  :  ", "2021-03-05 10:04:59",
                             "2021:13:05 10:04:59", "2021:03:05 24:00:00", "2021:03:05"})
        EXPECT_FALSE(ReadExifDateTaken(Saved(JpegWithExif(6, none)))) << none;
    EXPECT_FALSE(ReadExifDateTaken(folder_.Path() + "missing.jpg"));
}

}  // namespace
}  // namespace velvora
