// "pubvideo.ini": what the video dialog reads back, and what it makes of a damaged file.
#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "video/VideoSettings.h"

namespace velvora {
namespace {

TEST(VideoSettings, SavedSettingsReadBackAsSaved) {
    testing::TempFolder folder;
    const std::string path = folder.Path() + VideoSettingsFileName;
    const VideoSettings saved{"/home/ann/Videos", "Summer = fun", {3840, 2160}, 60, 90};
    SaveVideoSettings(path, saved);
    EXPECT_EQ(testing::ReadFile(path),
              "[Settings]\r\nDirectory=/home/ann/Videos\r\nFilename=Summer = fun\r\nWidth=3840\r\nHeight=2160\r\n"
              "FrameRate=60\r\nQuality=90\r\n");
    EXPECT_EQ(LoadVideoSettings(path, "/elsewhere/"), saved);
}

TEST(VideoSettings, MissingOrOddValuesGiveTheDefaults) {
    testing::TempFolder folder;
    const std::string path = folder.Path() + VideoSettingsFileName;
    EXPECT_EQ(LoadVideoSettings(path, "/home/ann/"), (VideoSettings{"/home/ann/", "Photos", {1920, 1080}, 30, 75}));
    testing::WriteFile(path,
                       "[Other]\r\nWidth=1280\r\n[Settings]\r\nDirectory=\r\nWidth=1279\r\nHeight=720\r\n"
                       "FrameRate=24\r\nQuality=400\r\n");
    EXPECT_EQ(LoadVideoSettings(path, "/home/ann/"), (VideoSettings{"/home/ann/", "Photos", {1920, 1080}, 30, 100}));
}

TEST(VideoSettings, QualityMapsOntoTheEncodersScale) {
    EXPECT_EQ(CrfOfQuality(75), 23);
    EXPECT_EQ(CrfOfQuality(100), 15);
    EXPECT_EQ(CrfOfQuality(1), 45);
    EXPECT_EQ(StreamFormatOf(VideoSettings{}).Crf, 23);
}

}  // namespace
}  // namespace velvora
