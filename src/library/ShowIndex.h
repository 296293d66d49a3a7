// The show library: the index "shows.dat" of show folders below ShowsPath, naming and
// making new show folders, listing the shows with their titles, and deleting them.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velvora {

// One listed show, as the open-show frame displays it.
struct ShowRecord {
    std::string Title;
    std::string Folder;  // the index entry: absolute, ending in a separator
    std::string Description;
    std::string Author;
};

inline constexpr const char* ShowIndexFileName = "shows.dat";
inline constexpr const char* ShowSettingsFileName = "quillond.dat";

// ShowsPath = AppPath + "Slide Shows/", created with any missing parents.
void InitShowsPath();
// Fills ShowList from ShowsPath + "shows.dat"; a missing file gives an empty list.
void LoadShowList();
// Writes ShowList atomically; throws std::runtime_error and keeps the old file on failure.
void SaveShowList();
// Folder name cleaned from `title`, made unique below ShowsPath with " (2)", " (3)", ...
// The folder is created; its path (ending in a separator) is returned.
std::string MakeShowFolder(std::string_view title);
// Appends `folder` to ShowList and saves the index.
void RegisterShow(const std::string& folder);
// Records of the listed shows that still have their settings file, from the last entry
// to the first; removes earlier duplicate entries from ShowList (in memory only).
std::vector<ShowRecord> ListShows();
// Orders what ListShows produced as the library is shown: by title alone, so that a title
// which begins another ("Rome", "Rome 2") comes first; shows of equal titles keep the
// listing's order, the latest registered first. `titleLess` compares two stored titles
// without regard to letter case (the window folds Unicode letters, the command line ASCII).
using TitleLess = std::function<bool(const std::string&, const std::string&)>;
bool AsciiTitleLess(const std::string& a, const std::string& b);
void SortShowsByTitle(std::vector<ShowRecord>& records, const TitleLess& titleLess = AsciiTitleLess);
// Deletes a show folder and all it holds. Throws std::runtime_error, deleting nothing,
// when `folder` is not strictly inside ShowsPath.
void DeleteShow(const std::string& folder);

}  // namespace velvora
