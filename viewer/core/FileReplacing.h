// Saving a file so that a failed write never leaves a damaged one: the bytes go to
// "<path>.partial" beside the destination first, which then replaces it in one rename.
// The platform's file calls come from the front end, so the core keeps to standard C++.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace velvora {

// The file calls a replacing write needs; paths are UTF-8.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Creates or empties the file and writes all of `bytes` to it, flushed; false on any failure.
    virtual bool WriteNew(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
    // Renames `from` to `to`, replacing a file there; false on failure.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    virtual void Remove(const std::string& path) = 0;
};

// Throws std::runtime_error ("The file "PATH" could not be written.") after removing the
// partial file; a file already at `path` is then left as it was.
void WriteFileReplacing(FileSystem& files, const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace velvora
