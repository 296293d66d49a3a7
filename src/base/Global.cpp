// Process-wide state, the fixed name lists and the shared utilities.
#include "base/Global.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <system_error>

#include <pwd.h>
#include <unistd.h>

#include "platform/MessagePump.h"

namespace velvora {

namespace fs = std::filesystem;

std::string AppPath;
std::string ProgramDataPath;
std::string ShowsPath;
StringList ShowList;
std::string ShowPath;
KeyValueList ShowSettings;
std::int32_t AliasCount = 0;
StringList FolderList;

const StringList TransitionNames = {
    "Default",
    "None",
    "Random",
    "Slide from left",
    "Slide from right",
    "Slide from top",
    "Slide from bottom",
    "Slide from top-left",
    "Slide from top-right",
    "Slide from bottom-left",
    "Slide from bottom-right",
    "Wipe from left",
    "Slide from left and right",
    "Slide from top and bottom",
    "Slide from top-left and bottom-right (vertical split)",
    "Slide from top-right and bottom-left (vertical split)",
    "Slide from top-left and bottom-right (horizontal split)",
    "Slide from top-right and bottom-left (horizontal split)",
    "Slide off to right",
    "Slide off to left",
    "Slide off to bottom",
    "Slide off to top",
    "Wipe from right",
    "Wipe from top",
    "Wipe from bottom",
    "Expand from center",
    "Expand verticaly from center",
    "Expand horizontaly from center",
    "Expand verticaly from center, slide old off",
    "Expand horizontaly from center, slide old off",
    "Vertical bars",
    "Vertical bars large",
    "Horizontal bars",
    "Horizontal bars large",
};
const StringList HorizontalAlignNames = {"Default", "Random", "Left", "Center", "Right"};
const StringList VerticalAlignNames = {"Default", "Random", "Top", "Middle", "Bottom"};
const StringList DurationNames = {"Default",   "Indefinite", "Random",     "1 Second",  "5 Seconds",
                                  "10 Seconds", "15 Seconds", "30 Seconds", "Custom..."};
const StringList SizeNames = {"Default",    "Actual size",     "Best fit on screen", "Fit width",
                              "Fit height", "Custom width...", "Custom height..."};
const StringList LoopNames = {"Default", "Display each photo once then stop.", "Coninuously loop through photos."};
const StringList BackgroundNames = {"Default", "Specific color."};

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != PathSeparator) folder += PathSeparator;
    return folder;
}

static std::string ProgramFolder(const std::string& executablePath) {
    std::error_code error;
    fs::path program = executablePath.empty() ? fs::read_symlink("/proc/self/exe", error) : fs::path(executablePath);
    if (program.empty()) program = fs::current_path(error) / "velvora";
    return WithTrailingSeparator(fs::absolute(program, error).parent_path().string());
}

static bool IsSet(const char* value) { return value && *value; }

// The XDG rule: $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
static std::string UserDataFolder(const EnvironmentLookup& environment) {
    const char* xdg = environment("XDG_DATA_HOME");
    if (IsSet(xdg) && fs::path(xdg).is_absolute()) return WithTrailingSeparator(xdg) + "velvora/";
    const char* home = environment("HOME");
    std::string homeFolder = IsSet(home) ? home : "";
    if (homeFolder.empty())
        if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) homeFolder = user->pw_dir;
    return WithTrailingSeparator(homeFolder) + ".local/share/velvora/";
}

ProgramFolders ChooseProgramFolders(const std::string& executablePath, const EnvironmentLookup& environment) {
    const std::string programFolder = ProgramFolder(executablePath);
    // The build defines the data folder relative to the program folder, so that an
    // installation under any prefix, or one moved whole, finds its files.
    const fs::path installedData = (fs::path(programFolder) / VELVORA_INSTALLED_DATA_FOLDER).lexically_normal();
    std::error_code error;
    const bool installed = fs::is_regular_file(installedData / InstalledMarkerName, error);
    ProgramFolders folders;
    folders.shipped = installed ? WithTrailingSeparator(installedData.string()) : programFolder;
    folders.perUser = installed && !IsSet(environment("VELVORA_HOME"));
    if (const char* home = environment("VELVORA_HOME"); IsSet(home))
        folders.data = WithTrailingSeparator(fs::absolute(home, error).string());
    else
        folders.data = installed ? UserDataFolder(environment) : programFolder;
    return folders;
}

void InitGlobal(const std::string& executablePath) {
    const ProgramFolders folders =
        ChooseProgramFolders(executablePath, [](const char* name) { return std::getenv(name); });
    AppPath = folders.data;
    ProgramDataPath = folders.shipped;
    // A new user's folder is made here, so that every later write finds it; a failure
    // shows up at the first write, with that file's name.
    std::error_code ignored;
    if (folders.perUser) fs::create_directories(AppPath, ignored);
    ShowsPath.clear();
    ShowList.clear();
    ShowPath.clear();
    ShowSettings.Clear();
    AliasCount = 0;
    FolderList.clear();
}

std::string ProgramFilePath(std::string_view name) {
    std::string own = AppPath + std::string(name);
    std::string shipped = ProgramDataPath + std::string(name);
    std::error_code ignored;
    if (!fs::exists(own, ignored) && fs::exists(shipped, ignored)) return shipped;
    return own;
}

static void DeleteFolderEntries(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::directory_entry& entry = *it;
        std::error_code ignored;
        if (entry.is_directory(ignored) && !entry.is_symlink(ignored))
            DeleteDirTree(entry.path().string());
        else
            fs::remove(entry.path(), ignored);
        PumpMessages();
    }
}

void DeleteDirTree(const std::string& folder) {
    const fs::path root(WithTrailingSeparator(folder));
    // Without its trailing separator the path names a link itself, not the folder it points
    // to; a link given as the folder is removed as a link, so its target is never emptied.
    const fs::path named = root.parent_path();
    std::error_code error;
    if (!fs::is_symlink(named, error)) DeleteFolderEntries(root);
    if (!fs::remove(named, error) || error) throw std::runtime_error("Cannot remove folder \"" + root.string() + "\".");
}

std::uint32_t FileSizeOf(const std::string& path) {
    std::error_code error;
    std::uintmax_t size = fs::file_size(path, error);
    if (error) return 0;
    return static_cast<std::uint32_t>(std::min<std::uintmax_t>(size, std::numeric_limits<std::uint32_t>::max()));
}

std::string EscapeAmpersands(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        escaped += c;
        if (c == '&') escaped += '&';
    }
    return escaped;
}

void CopyFileOverwrite(const std::string& source, const std::string& destination) {
    std::error_code ignored;
    fs::copy_file(source, destination, fs::copy_options::overwrite_existing, ignored);
}

void CutToken(std::string& text, std::string_view separator, std::string& token) {
    std::size_t position = separator.empty() ? std::string::npos : text.find(separator);
    if (position == std::string::npos) {
        token = std::move(text);
        text.clear();
        return;
    }
    token = text.substr(0, position);
    text.erase(0, position + separator.size());
}

int StrToIntRange(std::string_view text, int minimum, int maximum) {
    long long value = minimum;
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error == std::errc::invalid_argument || end != digits.data() + digits.size())
        return minimum;
    if (error == std::errc::result_out_of_range) value = digits.front() == '-' ? minimum : maximum;
    return static_cast<int>(std::clamp<long long>(value, minimum, maximum));
}

void FillBasicTransitions(StringList& list) {
    list.insert(list.end(), TransitionNames.begin(), TransitionNames.begin() + 11);
}

}  // namespace velvora
