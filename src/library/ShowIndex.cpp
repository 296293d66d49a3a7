// Show library index and show folders.
#include "library/ShowIndex.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "app/FileIo.h"
#include "app/Global.h"

namespace velvora {

namespace fs = std::filesystem;

static constexpr std::string_view FolderNameCharacters =
    " ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789()-.,[]{}`~!@#$%^&'";

void InitShowsPath() {
    ShowsPath = AppPath + "Slide Shows" + PathSeparator;
    std::error_code ignored;
    fs::create_directories(ShowsPath, ignored);
}

void LoadShowList() {
    ShowList.clear();
    const std::string index = ShowsPath + ShowIndexFileName;
    std::error_code error;
    if (!fs::exists(index, error)) return;
    ShowList = SplitLines(ReadWholeFile(index));
}

void SaveShowList() { WriteFileAtomic(ShowsPath + ShowIndexFileName, JoinLinesCrLf(ShowList)); }

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
    ShowList.push_back(folder);
    SaveShowList();
}

// Entries that differ in letter case name different folders, so only the same text is a
// copy of an entry.
static int FirstIndexOf(const StringList& list, const std::string& text) {
    return static_cast<int>(std::find(list.begin(), list.end(), text) - list.begin());
}

static bool ReadShowRecord(const std::string& folder, ShowRecord& record) {
    // A relative entry would be looked up in whatever folder the program runs in.
    if (!fs::path(folder).is_absolute()) return false;
    const std::string settingsPath = folder + ShowSettingsFileName;
    if (!FolderExists(settingsPath)) return false;
    KeyValueList settings;
    try {
        settings.LoadFromFile(settingsPath);
    } catch (const std::runtime_error&) {
        return false;
    }
    record = {settings.Value("Title"), folder, settings.Value("Description"), settings.Value("Author")};
    return true;
}

std::vector<ShowRecord> ListShows() {
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

static bool IsStrictlyInside(const fs::path& inner, const fs::path& outer) {
    auto [outerEnd, innerAt] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
    return outerEnd == outer.end() && innerAt != inner.end();
}

static fs::path ResolvedWithoutTrailingSeparator(const std::string& path) {
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(fs::absolute(path, error), error);
    return resolved.has_filename() ? resolved : resolved.parent_path();
}

void DeleteShow(const std::string& folder) {
    const fs::path library = ResolvedWithoutTrailingSeparator(ShowsPath);
    const fs::path show = ResolvedWithoutTrailingSeparator(folder);
    if (ShowsPath.empty() || !IsStrictlyInside(show, library))
        throw std::runtime_error("The folder \"" + folder + "\" is not inside the slide show library.");
    DeleteDirTree(show.string());
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
