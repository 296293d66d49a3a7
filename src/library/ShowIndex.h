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
// Fills ShowList from ShowsPath + "shows.dat"; a missing file gives an empty list. An index
// that exists but cannot be read (a folder of that name, a file without read permission)
// gives an empty list and throws std::runtime_error with the message for the user; from then
// until an index is read again, nothing writes it (see RequireWritableShowList).
void LoadShowList();
// Throws std::runtime_error, saying why, when the last LoadShowList could not read the index:
// writing it then would replace the entries it holds.
void RequireWritableShowList();
// Writes ShowList atomically; throws std::runtime_error and keeps the old file on failure,
// or when RequireWritableShowList refuses.
void SaveShowList();
// Folder name cleaned from `title`, made unique below ShowsPath with " (2)", " (3)", ...
// The folder is created; its path (ending in a separator) is returned.
std::string MakeShowFolder(std::string_view title);
// Appends `folder` to ShowList and saves the index; throws std::runtime_error, changing
// nothing, when RequireWritableShowList refuses.
void RegisterShow(const std::string& folder);
// First appends to ShowList every folder directly below ShowsPath that holds a readable
// settings file and that no listed entry names, in name order, and saves the index (quietly
// keeping them in memory only when it cannot be saved). Then gives the records of the
// entries that are absolute, inside ShowsPath (after links and ".." are resolved) and still
// have their settings file, from the last entry to the first, and removes earlier duplicate
// entries from ShowList (in memory only).
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
