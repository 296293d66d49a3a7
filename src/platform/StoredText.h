// Decoding the bytes of stored text files. Velvora writes UTF-8; shows made elsewhere
// hold Windows-1252, so text that is not valid UTF-8 is read in that code page.
#pragma once

#include <string>
#include <string_view>

namespace velvora {

// True when `bytes` is well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

// `bytes` as UTF-8: unchanged when they are valid UTF-8, otherwise each byte read as a
// Windows-1252 character. UTF-8 never holds the byte 0xFF, so decoded text can always sit
// between the separators of a photo entry.
std::string DecodeStoredText(std::string_view bytes);

}  // namespace velvora
