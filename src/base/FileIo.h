// Whole-file reading and the one atomic-write helper through which every file is saved.
#pragma once

#include <string>
#include <string_view>

namespace velvora {

// The bytes of a file. Throws std::runtime_error ("Cannot open file ...") on failure.
std::string ReadWholeFile(const std::string& path);

// When a written file reaches the disk: before the rename (a crash can then never leave an
// empty file in place of an old one), or later, when a batch of new files ends with
// SyncFolderFiles.
enum class FileSync { BeforeRename, Later };

// Writes `bytes` to a temporary file beside `path`, flushes it, then renames it over
// `path`, so that readers see either the old file or the new one, never a mix.
// Throws std::runtime_error ("Cannot create file ...") and leaves the old file intact.
void WriteFileAtomic(const std::string& path, std::string_view bytes, FileSync sync = FileSync::BeforeRename);

// Copies `source` to `destination` as WriteFileAtomic writes, without holding the whole
// file in memory. Throws std::runtime_error naming the file that cannot be read or
// written; a failed copy leaves neither a partial file nor its temporary one.
void CopyFileAtomic(const std::string& source, const std::string& destination, FileSync sync = FileSync::BeforeRename);

// Makes everything written to the file system that holds `folder` durable; what a batch
// written with FileSync::Later calls once at its end.
void SyncFolderFiles(const std::string& folder);

}  // namespace velvora
