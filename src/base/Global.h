// Process-wide state of the authoring tool: program and show folders, the known shows,
// the open show's settings, the fixed name lists whose indexes the show files store,
// and the small string and file utilities that every subsystem calls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/KeyValueList.h"

namespace velvora {

using StringList = std::vector<std::string>;

// Folder the program keeps its shows, copies and settings files in, ending in a separator:
// $VELVORA_HOME when set; else, for an installed program, the per-user data folder
// ($XDG_DATA_HOME/velvora, by default ~/.local/share/velvora); else the running program's folder.
extern std::string AppPath;
// Folder of the read-only files installed with the program (the stub, the user guide), ending
// in a separator: <prefix>/share/velvora/ for an installed program, else the program's folder.
extern std::string ProgramDataPath;
// AppPath + "Slide Shows/": the show library.
extern std::string ShowsPath;
// In-memory copy of the library index "shows.dat": one show folder per entry.
extern StringList ShowList;
// Folder of the open show, ending in a separator.
extern std::string ShowPath;
// The open show's "quillond.dat".
extern KeyValueList ShowSettings;
// Working copy of the show setting "AliasCount".
extern std::int32_t AliasCount;
// Photo list of the category the editor shows, as loaded from its "folder.dat".
extern StringList FolderList;

// Display names; settings files store indexes into these, so order and spelling are fixed.
extern const StringList TransitionNames;
extern const StringList HorizontalAlignNames;
extern const StringList VerticalAlignNames;
extern const StringList DurationNames;
extern const StringList SizeNames;
extern const StringList LoopNames;
extern const StringList BackgroundNames;

inline constexpr char PathSeparator = '/';

// Name of the file that `cmake --install` puts into <prefix>/share/velvora/. A program whose
// folder has it at InstalledDataFolder (relative to the program's folder) is installed; any
// other, such as one run from its build tree or a test, keeps the program folder as its home.
inline constexpr const char* InstalledMarkerName = "installed";

// Reads one environment variable; null when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

struct ProgramFolders {
    std::string data;      // what AppPath becomes
    std::string shipped;   // what ProgramDataPath becomes
    bool perUser = false;  // data is the per-user folder, which may not exist yet
};

// Decides both folders for the program at `executablePath` (absolute) from the environment
// and the install marker. Reads the file system only to look for the marker.
ProgramFolders ChooseProgramFolders(const std::string& executablePath, const EnvironmentLookup& environment);

// Sets AppPath and ProgramDataPath by ChooseProgramFolders for `executablePath` (default: the
// running executable, wherever it was called from), creates a missing per-user folder, and
// clears the rest of the state. Tests call it again after changing $VELVORA_HOME.
void InitGlobal(const std::string& executablePath = {});

// Where a file shipped with the program is read from: AppPath + name when that file exists
// (a copy placed there by the user or by the tool), else ProgramDataPath + name when that
// exists, else AppPath + name, where the tool would place its own copy.
std::string ProgramFilePath(std::string_view name);

// Returns `folder` with exactly one trailing separator added when it has none.
std::string WithTrailingSeparator(std::string folder);

// Removes a folder and everything below it. Files that cannot be deleted are skipped;
// symbolic links are removed as links and never followed. Throws std::runtime_error when
// the folder itself cannot be removed. Pending UI events run after each entry.
void DeleteDirTree(const std::string& folder);

// Size of a file in bytes, 0 when it does not exist or cannot be read; sizes past
// 32 bits saturate.
std::uint32_t FileSizeOf(const std::string& path);

// Doubles every "&" so that user text in a caption or menu shows no accelerator.
std::string EscapeAmpersands(std::string_view text);

// Copies a file, replacing the destination; failure is silently ignored.
void CopyFileOverwrite(const std::string& source, const std::string& destination);

// Moves the text before the first `separator` into `token` and removes it and the
// separator from `text`; with no separator the whole text becomes the token.
void CutToken(std::string& text, std::string_view separator, std::string& token);

// Decimal integer in [minimum, maximum]; text that is not a number gives `minimum`.
int StrToIntRange(std::string_view text, int minimum, int maximum);

// Appends TransitionNames[0..10] ("Default" to "Slide from bottom-right") to `list`.
void FillBasicTransitions(StringList& list);

}  // namespace velvora
