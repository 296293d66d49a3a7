// Fixed facts about the product that menus, the About box and help commands show or open.
#pragma once

namespace velvora {

inline constexpr const char* ProductName = "Velvora";
inline constexpr const char* VersionText = "Version 1.11.154";
inline constexpr const char* MakerName = "Velvora Software";
inline constexpr const char* CopyrightText = "Copyright \u00a9 2026 Velvora Software. All rights reserved.";

// Web pages of the maker, opened by the Web Help items.
inline constexpr const char* SupportPageUrl = "https://www.velvora.example/support/";
inline constexpr const char* HomePageUrl = "https://www.velvora.example/";
inline constexpr const char* MakerPageUrl = "https://www.velvora-software.example/";

// The help file beside the program.
inline constexpr const char* HelpFileName = "zorb.chm";
// A preview copy of the viewer that another process asks us to remove when it ends.
inline constexpr const char* PreviewFileName = "preview.exe";

}  // namespace velvora
