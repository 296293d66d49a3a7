// Conversion between the bytes of stored text files and the UI's QString: Velvora writes
// UTF-8 and reads Windows-1252 where the bytes are not valid UTF-8, so shows made
// elsewhere keep their accents.
#pragma once

#include <string>
#include <string_view>

#include <QString>

#include "platform/StoredText.h"

namespace velvora {

QString FromStored(std::string_view bytes);
std::string ToStored(const QString& text);

}  // namespace velvora
