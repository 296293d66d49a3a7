#include "platform/TextCodec.h"

namespace velvora {

QString FromStored(std::string_view bytes) { return QString::fromStdString(DecodeStoredText(bytes)); }

std::string ToStored(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace velvora
