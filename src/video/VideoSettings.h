// The per-show video settings ("pubvideo.ini" in the show folder): what the video dialog
// shows, and how it is read and written.
#pragma once

#include <array>
#include <string>

#include "video/VideoEncoder.h"

namespace velvora {

inline constexpr const char* VideoSettingsFileName = "pubvideo.ini";
inline constexpr std::string_view VideoExtension = ".mp4";

struct VideoSize {
    int Width;
    int Height;
    bool operator==(const VideoSize&) const = default;
};

// What the dialog offers; a file naming anything else reads as the defaults.
inline constexpr std::array<VideoSize, 3> VideoSizes{{{1280, 720}, {1920, 1080}, {3840, 2160}}};
inline constexpr std::array<int, 3> VideoFrameRates{25, 30, 60};

struct VideoSettings {
    std::string Directory;            // output folder, as chosen; may lack its trailing separator
    std::string Filename = "Photos";  // without ".mp4"
    VideoSize Size{1920, 1080};
    int Fps = 30;
    int Quality = 75;  // 1 (smallest file) to 100 (best picture)

    bool operator==(const VideoSettings&) const = default;
};

// x264's constant rate factor for a quality: 75 gives x264's own default of 23.
int CrfOfQuality(int quality);
// The encoder's format for the settings.
VideoStreamFormat StreamFormatOf(const VideoSettings& settings);

// Reads the [Settings] section of `path`. A missing or unreadable file gives the defaults
// with `defaultDirectory` as the folder, and so does an empty "Directory="; a size or frame
// rate the dialog does not offer gives its default, a quality outside 1..100 is clamped.
VideoSettings LoadVideoSettings(const std::string& path, const std::string& defaultDirectory);

// The file's text, CR LF after every line.
std::string VideoSettingsText(const VideoSettings& settings);

// Writes the file atomically; throws std::runtime_error when it cannot be written.
void SaveVideoSettings(const std::string& path, const VideoSettings& settings);

}  // namespace velvora
