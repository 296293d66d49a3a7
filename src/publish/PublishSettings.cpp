// Reading and writing the publishing settings files.
#include "publish/PublishSettings.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <stdexcept>

#include "base/FileIo.h"
#include "base/Global.h"
#include "base/KeyValueList.h"

namespace velvora {

namespace {

constexpr const char* SectionLine = "[Settings]";
constexpr int MinimumSize = 10;
constexpr int MaximumSize = 10000;
constexpr int DefaultQuality = 75;

int TrackPosition(int quality) { return std::clamp(101 - quality, 1, 100); }

std::string Flag(bool set) { return set ? "1" : "0"; }

}  // namespace

// Other sections may be there if the file was edited by hand, and their keys must not be
// mistaken for ours.
KeyValueList SettingsSection(const std::string& path) {
    KeyValueList file;
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) return file;
    try {
        file.LoadFromFile(path);
    } catch (const std::runtime_error&) {
        return {};
    }
    KeyValueList section;
    bool inside = false;
    for (const std::string& line : file.Lines()) {
        if (!line.empty() && line.front() == '[') {
            inside = SameTextIgnoringCase(line, SectionLine);
            continue;
        }
        if (inside) section.Add(line);
    }
    return section;
}

int IntegerOr(const KeyValueList& section, const char* key, int fallback) {
    const std::string text = section.Value(key);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return fallback;
    return value;
}

bool FlagOr(const KeyValueList& section, const char* key, bool fallback) {
    return IntegerOr(section, key, fallback ? 1 : 0) != 0;
}

std::string TextOr(const KeyValueList& section, const char* key, const std::string& fallback) {
    return section.IndexOfName(key) < 0 ? fallback : section.Value(key);
}

PublishSettings LoadPublishSettings(const std::string& path, const std::string& defaultDirectory,
                                    AutoPlayLine autoPlay) {
    const KeyValueList section = SettingsSection(path);
    PublishSettings settings;
    settings.Directory = TextOr(section, "Directory", defaultDirectory);
    if (settings.Directory.empty()) settings.Directory = defaultDirectory;
    settings.Filename = TextOr(section, "Filename", settings.Filename);
    if (autoPlay == AutoPlayLine::Used) settings.AutoPlay = FlagOr(section, "AutoPlay", true);
    settings.DownSample = FlagOr(section, "Downsample", false);
    settings.DownSampleWidth = TextOr(section, "Downsamplewidth", settings.DownSampleWidth);
    settings.DownSampleHeight = TextOr(section, "DownsampleHeight", settings.DownSampleHeight);
    settings.Compression = TrackPosition(IntegerOr(section, "Downsamplequality", DefaultQuality));
    settings.HighQuality = FlagOr(section, "Downsamplehigh", false);
    return settings;
}

void NormaliseDownSampleSize(PublishSettings& settings) {
    for (std::string* box : {&settings.DownSampleWidth, &settings.DownSampleHeight})
        *box = std::to_string(StrToIntRange(*box, MinimumSize, MaximumSize));
}

std::string PublishSettingsText(const PublishSettings& settings, AutoPlayLine autoPlay) {
    StringList lines{SectionLine, "Directory=" + SingleLineValue(settings.Directory),
                     "Filename=" + SingleLineValue(settings.Filename)};
    // A missing line reads as ticked, so an unticked box has to be written as 0.
    if (autoPlay == AutoPlayLine::Used) lines.push_back("AutoPlay=" + Flag(settings.AutoPlay));
    lines.push_back("Downsample=" + Flag(settings.DownSample));
    if (settings.DownSample) {
        lines.push_back("Downsamplewidth=" + settings.DownSampleWidth);
        lines.push_back("Downsampleheight=" + settings.DownSampleHeight);
        lines.push_back("Downsamplequality=" + std::to_string(101 - settings.Compression));
        lines.push_back("Downsamplehigh=" + Flag(settings.HighQuality));
    }
    return JoinLinesCrLf(lines);
}

void SavePublishSettings(const std::string& path, PublishSettings& settings, AutoPlayLine autoPlay) {
    NormaliseDownSampleSize(settings);
    WriteFileAtomic(path, PublishSettingsText(settings, autoPlay));
}

std::string AutorunText(const std::string& fileName, const std::string& label) {
    return JoinLinesCrLf({"[autorun]", "open=" + fileName, "icon=" + fileName + ",0", "label=" + label});
}

}  // namespace velvora
