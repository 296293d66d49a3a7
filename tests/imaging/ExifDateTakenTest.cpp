// EXIF dates taken of JPEGs encoded by the test itself, and dates cameras write for none.
#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "imaging/ExifDateTaken.h"
#include "support/JpegEncoder.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

TEST(ExifDateTaken, ReadsTheCamerasClockAsLocalTimeAndNothingForMissingOrUnknownDates) {
    const testing::TempFolder folder;
    const auto read = [&](const std::string& date, int orientation = 0) {
        testing::WriteFile(folder.Path() + "p.jpg",
                           testing::EncodeJpeg(8, 8, 1, [](int, int, std::uint8_t* out) { out[0] = 1; },
                                               {.exifOrientation = orientation, .exifDateTaken = date}));
        return ReadExifDateTaken(folder.Path() + "p.jpg");
    };
    std::tm local{};
    local.tm_year = 2021 - 1900, local.tm_mon = 2, local.tm_mday = 5, local.tm_hour = 10, local.tm_min = 4;
    local.tm_sec = 59, local.tm_isdst = -1;
    const auto taken = read("2021:03:05 10:04:59");
    ASSERT_TRUE(taken);
    EXPECT_EQ(std::chrono::system_clock::to_time_t(*taken), std::mktime(&local));
    for (const char* none : {"", "0000:00:00 00:00:00", "    :  :     :  :  ", "2021-03-05 10:04:59",
                             "2021:13:05 10:04:59", "2021:03:05 24:00:00", "2021:03:05"})
        EXPECT_FALSE(read(none, 6)) << none;
    EXPECT_FALSE(ReadExifDateTaken(folder.Path() + "missing.jpg"));
}

}  // namespace
}  // namespace velvora
