// The stub's half of a published file: finding the viewer program behind the marker and
// decoding it. Standard C++ only, so the tool's tests run it too; DecodeViewer and
// PlausibleViewerSize are also free of exceptions and allocation, for the stub itself.
#pragma once

#include <cstdint>
#include <span>

#include "compression/RecordDecoder.h"
#include "compression/Stream.h"
#include "package/PackageFormat.h"

namespace velvora {

// Random access to a stream for the package reader. ReadAt moves the stream's position.
class StreamByteSource : public ByteSource {
public:
    explicit StreamByteSource(TStream& stream) : stream_(stream), size_(stream.Size()) {}
    std::uint64_t Size() const override { return size_; }
    void ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) const override;

private:
    TStream& stream_;
    std::uint64_t size_;
};

// Whether a viewer of `viewerSize` bytes, never empty, could come out of a record of
// `recordSize` bytes; a size no record could give is not worth the memory for it.
bool PlausibleViewerSize(std::uint32_t viewerSize, std::uint64_t recordSize);

// Decodes the record that `record` reads into `viewer`, which is as large as the viewer
// the prefix declares. True when the record is sound and fills `viewer` exactly.
bool DecodeViewer(RecordInput& record, std::span<std::uint8_t> viewer, RecordScratch& scratch);

// Decodes the viewer record that `prefix` locates in `published` into `destination`.
// Throws EPackageError ("The viewer program inside this file is damaged.") when the
// record cannot be decoded or does not give exactly prefix.ViewerSize bytes.
void ExtractViewer(TStream& published, const ViewerPrefix& prefix, TStream& destination);

}  // namespace velvora
