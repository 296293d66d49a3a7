// Process-wide state of the authoring tool: program and show folders, the known shows,
// the open show's settings, the fixed name lists whose indexes the show files store,
// and the small string and file utilities that every subsystem calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/KeyValueList.h"

namespace velvora {

using StringList = std::vector<std::string>;

// Folder of the running program (or $VELVORA_HOME), always ending in a separator.
extern std::string AppPath;
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

// Sets AppPath from $VELVORA_HOME or from the folder of `executablePath`, and clears the
// rest of the state. Tests call it again after changing $VELVORA_HOME.
void InitGlobal(const std::string& executablePath = {});

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
