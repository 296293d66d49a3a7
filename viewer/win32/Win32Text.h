// Text and error reporting shared by the Win32 programs: the core keeps UTF-8 bytes, the
// Windows API wants UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace velvora {

// UTF-16 of stored text. Text that is not valid UTF-8 is read as Windows-1252, so titles
// of shows made by older tools keep their accents.
std::wstring WideFromStored(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// Full path of the running program, of any length.
std::wstring OwnProgramPath();

// The one error box of a program that cannot go on; `message` is UTF-8.
void ShowFatalError(std::string_view message);

}  // namespace velvora
