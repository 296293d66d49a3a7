// Show library index and show folders.
#include "library/ShowIndex.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <system_error>

#include "base/FileIo.h"
#include "base/Global.h"
#include "base/KeyValueList.h"

namespace velvora {

namespace fs = std::filesystem;

static constexpr std::string_view FolderNameCharacters =
    " ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789()-.,[]{}`~!@#$%^&'";

// Why the index could not be read at the last LoadShowList, empty when it could. While it
// is set nothing writes the index: a list that lacks the file's entries would replace them.
static std::string unreadableIndexMessage;

void InitShowsPath() {
    ShowsPath = AppPath + "Slide Shows" + PathSeparator;
    unreadableIndexMessage.clear();
    std::error_code ignored;
    fs::create_directories(ShowsPath, ignored);
}

static std::string UnreadableIndexMessage(const std::string& index, const std::string& reason) {
    return "The list of slide shows \"" + index + "\" cannot be read. " + reason +
           "\r\n\r\nVelvora leaves it as it is, and no new slide show can be added to the library until it "
           "can be read.";
}

// Reading may fail part way: the stream library throws on a read error.
static bool TryReadShowList(const std::string& index) {
    try {
        ShowList = SplitLines(ReadWholeFile(index));
        return true;
    } catch (const std::exception&) {
        ShowList.clear();
        return false;
    }
}

void LoadShowList() {
    ShowList.clear();
    unreadableIndexMessage.clear();
    const std::string index = ShowsPath + ShowIndexFileName;
    std::error_code error;
    const fs::file_status status = fs::status(index, error);
    if (status.type() == fs::file_type::not_found) return;
    if (!error && !fs::is_directory(status) && TryReadShowList(index)) return;
    unreadableIndexMessage = UnreadableIndexMessage(
        index, fs::is_directory(status) ? "It is a folder, not a file."
                                        : "Make sure that it is a file you are allowed to read.");
    throw std::runtime_error(unreadableIndexMessage);
}

void RequireWritableShowList() {
    if (unreadableIndexMessage.empty()) return;
    throw std::runtime_error("The list of slide shows \"" + ShowsPath + ShowIndexFileName +
                             "\" could not be read when Velvora started. Velvora does not write it, because that "
                             "would lose the slide shows it names, so no new slide show can be added to the "
                             "library.\r\n\r\nMake it a file that can be read, then start Velvora again.");
}

void SaveShowList() {
    RequireWritableShowList();
    WriteFileAtomic(ShowsPath + ShowIndexFileName, JoinLinesCrLf(ShowList));
}

static std::string CleanFolderName(std::string_view title) {
    std::string name;
    for (char c : title) {
        if (FolderNameCharacters.find(c) == std::string_view::npos) continue;
        if (c == ' ' && !name.empty() && name.back() == ' ') continue;
        name += c;
    }
    return name;
}

static bool FolderExists(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error);
}

// The names in the library folder. A new folder must differ from each in more than letter
// case, or the show would be lost wherever names are compared without it (a copy of the
// library on a case-insensitive disk, the folder names of a Windows CD).
static StringList NamesInLibrary() {
    StringList names;
    std::error_code error;
    for (fs::directory_iterator it(ShowsPath, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    return names;
}

static bool IsNameTaken(const StringList& names, const std::string& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& taken) { return SameTextIgnoringCase(taken, name); });
}

std::string MakeShowFolder(std::string_view title) {
    const std::string name = CleanFolderName(title);
    const StringList taken = NamesInLibrary();
    std::string folderName = name;
    for (int n = 2; folderName.empty() || IsNameTaken(taken, folderName); ++n)
        folderName = name + " (" + std::to_string(n) + ")";
    std::string folder = ShowsPath + folderName + PathSeparator;
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    return folder;
}

void RegisterShow(const std::string& folder) {
    RequireWritableShowList();
    ShowList.push_back(folder);
    SaveShowList();
}

static bool IsStrictlyInside(const fs::path& inner, const fs::path& outer) {
    auto [outerEnd, innerAt] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
    return outerEnd == outer.end() && innerAt != inner.end();
}

static fs::path ResolvedWithoutTrailingSeparator(const std::string& path) {
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(fs::absolute(path, error), error);
    return resolved.has_filename() ? resolved : resolved.parent_path();
}

// The one test of whether an entry lies in the library, after links and ".." are resolved. A
// library path that cannot be resolved is empty, and would otherwise hold every path.
static bool IsInsideLibrary(const std::string& folder) {
    if (ShowsPath.empty()) return false;
    const fs::path library = ResolvedWithoutTrailingSeparator(ShowsPath);
    return !library.empty() && IsStrictlyInside(ResolvedWithoutTrailingSeparator(folder), library);
}

// Entries that differ in letter case name different folders, so only the same text is a
// copy of an entry.
static int FirstIndexOf(const StringList& list, const std::string& text) {
    return static_cast<int>(std::find(list.begin(), list.end(), text) - list.begin());
}

// The settings of the show in `folder`, if it is one the library lists: an absolute entry
// (a relative one would be looked up in whatever folder the program runs in) inside the
// library (opening a show writes into its folder), holding a settings file that can be read.
static bool ReadListedSettings(const std::string& folder, KeyValueList& settings) {
    if (!fs::path(folder).is_absolute() || !IsInsideLibrary(folder)) return false;
    const std::string settingsPath = folder + ShowSettingsFileName;
    if (!FolderExists(settingsPath)) return false;
    try {
        settings.LoadFromFile(settingsPath);
    } catch (const std::runtime_error&) {
        return false;
    }
    return true;
}

static bool ReadShowRecord(const std::string& folder, ShowRecord& record) {
    KeyValueList settings;
    if (!ReadListedSettings(folder, settings)) return false;
    record = {settings.Value("Title"), folder, settings.Value("Description"), settings.Value("Author")};
    return true;
}

// Appends the show folders directly below ShowsPath that no listed entry names (copied in by
// hand, or made while the index could not be written), in name order, and saves the index.
// An entry names a folder under its exact text or any other path to it ("./", "//"), so a
// show is never listed twice; links are left to the index, where only a user puts them.
static void AddUnindexedShows() {
    if (ShowsPath.empty()) return;
    // Only what an entry resolves to matters here; whether it is a show the listing decides.
    std::set<fs::path> listed;
    for (const std::string& entry : ShowList)
        if (fs::path(entry).is_absolute()) listed.insert(ResolvedWithoutTrailingSeparator(entry));
    KeyValueList settings;
    StringList found;
    std::error_code error;
    for (fs::directory_iterator it(ShowsPath, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (!it->is_directory(ignored) || it->is_symlink(ignored)) continue;
        std::string folder = ShowsPath + it->path().filename().string() + PathSeparator;
        if (ReadListedSettings(folder, settings)) found.push_back(std::move(folder));
    }
    std::sort(found.begin(), found.end());
    const std::size_t indexed = ShowList.size();
    for (std::string& folder : found)
        if (listed.insert(ResolvedWithoutTrailingSeparator(folder)).second) ShowList.push_back(std::move(folder));
    if (ShowList.size() == indexed) return;
    try {
        SaveShowList();
    } catch (const std::runtime_error&) {
        // The shows are listed all the same; the index gets them with its next save.
    }
}

std::vector<ShowRecord> ListShows() {
    AddUnindexedShows();
    std::vector<ShowRecord> records;
    // Every visit to a later copy of an entry removes the first remaining copy; the
    // walk then steps two places down because the entries above moved by one.
    for (int i = static_cast<int>(ShowList.size()) - 1; i >= 0;) {
        ShowRecord record;
        if (ReadShowRecord(ShowList[std::size_t(i)], record)) records.push_back(std::move(record));
        const int j = FirstIndexOf(ShowList, ShowList[std::size_t(i)]);
        if (j < i) {
            ShowList.erase(ShowList.begin() + j);
            i -= 2;
        } else {
            i -= 1;
        }
    }
    return records;
}

void DeleteShow(const std::string& folder) {
    if (!IsInsideLibrary(folder))
        throw std::runtime_error("The folder \"" + folder + "\" is not inside the slide show library.");
    DeleteDirTree(ResolvedWithoutTrailingSeparator(folder).string());
}

bool AsciiTitleLess(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char x, char y) { return lower(x) < lower(y); });
}

void SortShowsByTitle(std::vector<ShowRecord>& records, const TitleLess& titleLess) {
    std::stable_sort(records.begin(), records.end(),
                     [&](const ShowRecord& a, const ShowRecord& b) { return titleLess(a.Title, b.Title); });
}

}  // namespace velvora
