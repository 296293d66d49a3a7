// Whole-file reading and the one atomic-write helper through which every file is saved.
#pragma once

#include <string>
#include <string_view>

namespace velvora {

// The bytes of a file. Throws std::runtime_error ("Cannot open file ...") on failure.
std::string ReadWholeFile(const std::string& path);

// Writes `bytes` to a temporary file beside `path`, flushes it, then renames it over
// `path`, so that readers see either the old file or the new one, never a mix.
// Throws std::runtime_error ("Cannot create file ...") and leaves the old file intact.
void WriteFileAtomic(const std::string& path, std::string_view bytes);

}  // namespace velvora
