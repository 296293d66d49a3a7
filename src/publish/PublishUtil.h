// Writing published viewer files: the prefix of stub, marker, title and compressed viewer,
// and the scrambled package of the saved show folder that follows it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "compression/Stream.h"
#include "editor/CategoryTree.h"

namespace velvora {

inline constexpr const char* StubFileName = "zorbstub.exe";
// The title is stored behind a one-byte length.
inline constexpr std::size_t MaxTitleBytes = 255;

// Appends the stub (ProgramFilePath("zorbstub.exe"), nothing when it is missing), the package
// marker, the title with its length byte, the size of `viewerFile` and that file as a
// compressed record. Throws std::runtime_error before writing anything when the title is
// longer than 255 bytes or the viewer file is missing or larger than 4 GB.
void WriteViewerPrefix(TStream& stream, const std::string& title, const std::string& viewerFile);

// Number of photos a run will publish, from the saved show folder (ShowPath): the photo
// lists of the root and of every category that "categories.dat" names, plus a photo list
// directly in the show folder. Sets the progress bar to 0 of twice that count.
int CountPublishPhotos();

// Appends the package of the saved show in ShowPath, with the categories of `tree`, at the
// end of `stream`. `includeFullsize` adds each photo's image file to its thumbnail;
// `photoTotal` (CountPublishPhotos) feeds the time estimate. Polls the progress window's
// Cancel before each photo's data and returns early, leaving the package incomplete for
// the caller to delete. A category whose alias could leave the show folder, or that has
// no "folder.dat", is published with no photos; photo list lines whose id is not a photo
// id are left out, as the editor leaves them out. Throws std::runtime_error when an offset
// or size would not fit in 32 bits, and the stream's and files' own errors.
void WritePublishedShow(TStream& stream, const CategoryTree& tree, bool includeFullsize, int photoTotal);

// Appends the bytes of a file and returns how many: copied by the kernel when `stream` is a
// TPublishStream, else in blocks of a mebibyte; a missing file appends nothing.
std::uint64_t AppendFile(TStream& stream, const std::string& path);
// Appends a file as one compressed record; a missing file appends nothing.
void AppendFileCompressed(TStream& stream, const std::string& path);
// The file's lines, each ended by CR LF; empty when the file is missing.
std::string ReadTextFile(const std::string& path);

}  // namespace velvora
