// Reading the viewer program out of a published file.
#include "viewer/common/PublishedViewer.h"

#include <exception>
#include <optional>
#include <vector>

#include "compression/Compress.h"

namespace velvora {

void StreamByteSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) const {
    stream_.Seek(offset);
    stream_.ReadBuffer(bytes);
}

// The decoded record, or nothing when it is damaged: its own messages speak of streams
// and blocks, while the user only needs to know that this copy of the show is unusable.
static std::optional<std::vector<std::uint8_t>> DecodeViewerRecord(TStream& published, const ViewerPrefix& prefix) {
    TMemoryStream viewer;
    try {
        published.Seek(prefix.ViewerRecord.Offset);
        TCompressStream().DecompressStream(published, viewer);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return viewer.Bytes();
}

void ExtractViewer(TStream& published, const ViewerPrefix& prefix, TStream& destination) {
    // Decoding into memory first keeps a damaged record apart from a destination that
    // cannot be written, and never leaves half a program behind.
    const auto viewer = DecodeViewerRecord(published, prefix);
    if (!viewer || viewer->empty() || viewer->size() != prefix.ViewerSize)
        throw EPackageError("The viewer program inside this file is damaged.");
    destination.Write(*viewer);
}

}  // namespace velvora
