// Fixed facts about the product that menus, the About box and help commands show or open.
#pragma once

namespace velvora {

inline constexpr const char* ProductName = "Velvora";
inline constexpr const char* VersionText = "Version 1.11.154";
inline constexpr const char* MakerName = "Velvora Software";
inline constexpr const char* CopyrightText = "Copyright \u00a9 2026 Velvora Software. All rights reserved.";

// Web pages of the maker, opened by the Web Help items. Empty while the product has no web
// site: the items then open the user guide, which holds what those pages would.
inline constexpr const char* SupportPageUrl = "";
inline constexpr const char* HomePageUrl = "";
inline constexpr const char* MakerPageUrl = "";

// The user guide's first page, among the files installed with the program (ProgramFilePath).
inline constexpr const char* GuideFileName = "guide/index.html";
// A preview copy of the viewer that another process asks us to remove when it ends.
inline constexpr const char* PreviewFileName = "preview.exe";

}  // namespace velvora
