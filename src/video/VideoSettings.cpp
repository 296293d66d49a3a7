// Reading and writing the video settings file.
#include "video/VideoSettings.h"

#include <algorithm>
#include <cmath>

#include "base/FileIo.h"
#include "base/Global.h"
#include "publish/PublishSettings.h"

namespace velvora {

int CrfOfQuality(int quality) { return int(std::lround(45.0 - 0.3 * std::clamp(quality, 1, 100))); }

VideoStreamFormat StreamFormatOf(const VideoSettings& settings) {
    return {settings.Size.Width, settings.Size.Height, settings.Fps, CrfOfQuality(settings.Quality)};
}

VideoSettings LoadVideoSettings(const std::string& path, const std::string& defaultDirectory) {
    const KeyValueList section = SettingsSection(path);
    VideoSettings settings;
    settings.Directory = TextOr(section, "Directory", defaultDirectory);
    if (settings.Directory.empty()) settings.Directory = defaultDirectory;
    settings.Filename = TextOr(section, "Filename", settings.Filename);
    const VideoSize size{IntegerOr(section, "Width", 0), IntegerOr(section, "Height", 0)};
    if (std::find(VideoSizes.begin(), VideoSizes.end(), size) != VideoSizes.end()) settings.Size = size;
    const int fps = IntegerOr(section, "FrameRate", 0);
    if (std::find(VideoFrameRates.begin(), VideoFrameRates.end(), fps) != VideoFrameRates.end()) settings.Fps = fps;
    settings.Quality = std::clamp(IntegerOr(section, "Quality", settings.Quality), 1, 100);
    return settings;
}

std::string VideoSettingsText(const VideoSettings& settings) {
    return JoinLinesCrLf({"[Settings]", "Directory=" + SingleLineValue(settings.Directory),
                          "Filename=" + SingleLineValue(settings.Filename),
                          "Width=" + std::to_string(settings.Size.Width),
                          "Height=" + std::to_string(settings.Size.Height), "FrameRate=" + std::to_string(settings.Fps),
                          "Quality=" + std::to_string(settings.Quality)});
}

void SaveVideoSettings(const std::string& path, const VideoSettings& settings) {
    WriteFileAtomic(path, VideoSettingsText(settings));
}

}  // namespace velvora
