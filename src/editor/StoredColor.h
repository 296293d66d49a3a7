// Colours as the show files keep them: decimal numbers with red in the low byte, then
// green, then blue.
#pragma once

#include <string>

#include <QColor>

#include "editor/Category.h"

namespace velvora {

inline QColor ColorFromStored(const std::string& text) {
    const int value = DecimalOrZero(text);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

inline std::string StoredFromColor(const QColor& color) {
    return std::to_string(color.red() | (color.green() << 8) | (color.blue() << 16));
}

}  // namespace velvora
