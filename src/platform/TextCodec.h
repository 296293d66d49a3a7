// Conversion between the bytes of stored text files and the UI's QString: Velvora writes
// UTF-8 and reads Windows-1252 where the bytes are not valid UTF-8, so shows made
// elsewhere keep their accents.
#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace velvora {

QString FromStored(std::string_view bytes);
std::string ToStored(const QString& text);
// True when `bytes` is well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

}  // namespace velvora
