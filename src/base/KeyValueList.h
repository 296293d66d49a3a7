// The key=value line list that is the form of every settings file: whole-file load and
// save with CR LF line ends, and name/value access that ignores the letter case of keys.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velvora {

class KeyValueList {
public:
    KeyValueList() = default;
    explicit KeyValueList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    // Replaces the lines with those of the file; CR, LF and CR LF all end a line.
    // Throws std::runtime_error when the file cannot be read.
    void LoadFromFile(const std::string& path);
    // Writes every line followed by CR LF, atomically. Throws std::runtime_error on failure.
    void SaveToFile(const std::string& path) const;

    // Value of the first line whose key equals `key` without regard to case; empty if none.
    std::string Value(std::string_view key) const;
    // Replaces the first matching line, or appends one; the empty value removes the line.
    void SetValue(std::string_view key, std::string_view value);
    // Index of the first line with this key, or -1.
    int IndexOfName(std::string_view key) const;

    // Key and value of one line: the text before and after its first "=".
    static std::string NameOf(std::string_view line);
    static std::string ValueOf(std::string_view line);

    const std::vector<std::string>& Lines() const { return lines_; }
    std::vector<std::string>& Lines() { return lines_; }
    void Add(std::string line) { lines_.push_back(std::move(line)); }
    void Clear() { lines_.clear(); }
    int Count() const { return static_cast<int>(lines_.size()); }

private:
    std::vector<std::string> lines_;
};

// Splits text into lines at CR, LF or CR LF; a final line end does not start a new line.
std::vector<std::string> SplitLines(std::string_view text);
// Joins lines with CR LF after every line, the last included.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);
// `text` made safe to store as the value of one key=value line: CR, LF and every other
// control character become spaces, so that pasted text can never start a line of its own.
std::string SingleLineValue(std::string_view text);
// True when the two texts are equal ignoring ASCII letter case.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace velvora
