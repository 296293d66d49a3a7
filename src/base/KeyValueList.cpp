// Key=value line lists.
#include "base/KeyValueList.h"

#include <algorithm>

#include "base/FileIo.h"

namespace velvora {

static char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void KeyValueList::LoadFromFile(const std::string& path) { lines_ = SplitLines(ReadWholeFile(path)); }

void KeyValueList::SaveToFile(const std::string& path) const { WriteFileAtomic(path, JoinLinesCrLf(lines_)); }

std::string KeyValueList::NameOf(std::string_view line) {
    return std::string(line.substr(0, std::min(line.find('='), line.size())));
}

std::string KeyValueList::ValueOf(std::string_view line) {
    std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string() : std::string(line.substr(equals + 1));
}

int KeyValueList::IndexOfName(std::string_view key) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string& line = lines_[i];
        std::size_t equals = line.find('=');
        if (equals != std::string::npos && SameTextIgnoringCase(std::string_view(line).substr(0, equals), key))
            return static_cast<int>(i);
    }
    return -1;
}

std::string KeyValueList::Value(std::string_view key) const {
    int index = IndexOfName(key);
    return index < 0 ? std::string() : ValueOf(lines_[std::size_t(index)]);
}

void KeyValueList::SetValue(std::string_view key, std::string_view value) {
    int index = IndexOfName(key);
    if (value.empty()) {
        if (index >= 0) lines_.erase(lines_.begin() + index);
        return;
    }
    std::string line = std::string(key) + "=" + std::string(value);
    if (index >= 0)
        lines_[std::size_t(index)] = std::move(line);
    else
        lines_.push_back(std::move(line));
}

std::string SingleLineValue(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return line;
}

}  // namespace velvora
