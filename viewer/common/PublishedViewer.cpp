// Reading the viewer program out of a published file.
#include "viewer/common/PublishedViewer.h"

#include <exception>
#include <memory>
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
// Decoding into memory first keeps a damaged record apart from a destination that cannot
// be written, and never leaves half a program behind.
static std::optional<std::vector<std::uint8_t>> DecodeViewerRecord(TStream& published, const ViewerPrefix& prefix) {
    if (!PlausibleViewerSize(prefix.ViewerSize, prefix.ViewerRecord.Size)) return std::nullopt;
    try {
        std::vector<std::uint8_t> viewer(prefix.ViewerSize);
        const auto scratch = std::make_unique<RecordScratch>();
        published.Seek(prefix.ViewerRecord.Offset);
        StreamRecordInput record(published);
        if (DecodeViewer(record, viewer, *scratch)) return viewer;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

void ExtractViewer(TStream& published, const ViewerPrefix& prefix, TStream& destination) {
    const auto viewer = DecodeViewerRecord(published, prefix);
    if (!viewer) throw EPackageError("The viewer program inside this file is damaged.");
    destination.Write(*viewer);
}

}  // namespace velvora
