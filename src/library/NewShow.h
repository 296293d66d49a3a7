// Creating a show: its folder, its first settings file and its line in the library index.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velvora {

// The settings a new show starts with, as the lines of its "quillond.dat". The three
// texts are stored as typed, but for control characters, which become spaces.
std::vector<std::string> InitialShowSettings(std::string_view title, std::string_view description,
                                             std::string_view author);

// True when `title` holds nothing but blanks and control characters.
bool IsBlankTitle(std::string_view title);

// Makes the show folder, writes its settings file and registers it; returns the folder.
// Throws std::runtime_error when a file cannot be written; what was written before stays.
// When the index could not be read (RequireWritableShowList) it throws before writing anything.
std::string CreateShow(std::string_view title, std::string_view description, std::string_view author);

}  // namespace velvora
