// Decoding the viewer program of a published file, without exceptions or allocation.
#include "viewer/common/PublishedViewer.h"

namespace velvora {

bool PlausibleViewerSize(std::uint32_t viewerSize, std::uint64_t recordSize) {
    return viewerSize > 0 && viewerSize <= MaxDecodedSize(recordSize);
}

bool DecodeViewer(RecordInput& record, std::span<std::uint8_t> viewer, RecordScratch& scratch) {
    SpanRecordOutput output(viewer);
    return DecodeRecord(record, output, scratch).Status == RecordStatus::Decoded && output.Written() == viewer.size();
}

}  // namespace velvora
