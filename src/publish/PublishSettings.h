// The per-show publishing settings ("pubcd.ini", "pubem.ini" in the show folder): what the
// settings dialogs show, how they are read and written, and the "autorun.inf" of a CD.
#pragma once

#include <string>

#include "base/KeyValueList.h"

namespace velvora {

inline constexpr const char* CDSettingsFileName = "pubcd.ini";
inline constexpr const char* EmailSettingsFileName = "pubem.ini";
inline constexpr const char* AutorunFileName = "autorun.inf";

// The state of the settings dialog's controls. The down-sampling values have no page the
// user sees, but they are kept and written back as they were read.
struct PublishSettings {
    std::string Directory;            // output folder, as chosen; may lack its trailing separator
    std::string Filename = "Photos";  // without ".exe"
    bool AutoPlay = true;
    bool DownSample = false;
    std::string DownSampleWidth = "640";
    std::string DownSampleHeight = "480";
    int Compression = 26;  // track position 1..100; the stored quality is 101 - position
    bool HighQuality = false;

    bool operator==(const PublishSettings&) const = default;
};

// The key=value lines of the [Settings] section of `path`, keys without regard to case; none
// when the file is missing or unreadable.
KeyValueList SettingsSection(const std::string& path);
// A setting of that section; a missing key, or for IntegerOr one that is not a whole decimal
// number, gives `fallback`.
int IntegerOr(const KeyValueList& section, const char* key, int fallback);
bool FlagOr(const KeyValueList& section, const char* key, bool fallback);
std::string TextOr(const KeyValueList& section, const char* key, const std::string& fallback);

// Whether the settings carry the CD's "AutoPlay" line; the e-mail file never does.
enum class AutoPlayLine { Used, Unused };

// Reads the [Settings] section of `path`, keys without regard to case. A missing or
// unreadable file gives the defaults, with `defaultDirectory` as the folder; so does an
// empty "Directory=", which would otherwise publish into the file system's root.
PublishSettings LoadPublishSettings(const std::string& path, const std::string& defaultDirectory,
                                    AutoPlayLine autoPlay);

// Clamps the two size boxes to whole numbers from 10 to 10000 (text that is no number
// gives 10), as saving does before it writes them.
void NormaliseDownSampleSize(PublishSettings& settings);

// The file's text, CR LF after every line: "[Settings]", Directory, Filename, "AutoPlay=1"
// or "AutoPlay=0" (when used), Downsample, and the other down-sampling lines only after
// "Downsample=1".
std::string PublishSettingsText(const PublishSettings& settings, AutoPlayLine autoPlay);

// Normalises the size boxes, then writes the file atomically. Throws std::runtime_error
// when it cannot be written.
void SavePublishSettings(const std::string& path, PublishSettings& settings, AutoPlayLine autoPlay);

// The four lines of "autorun.inf" that start `fileName` (with ".exe") from a CD labelled
// `label`.
std::string AutorunText(const std::string& fileName, const std::string& label);

}  // namespace velvora
