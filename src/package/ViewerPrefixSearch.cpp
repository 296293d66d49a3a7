// The marker and the search for the viewer prefix behind it. Free of exceptions and
// allocation, so that the stub, built without the C++ runtime's exception support, finds
// its viewer with the same code as the tool and the viewer.
#include <algorithm>
#include <cstring>
#include <functional>

#include "compression/RecordDecoder.h"
#include "package/PackageFormat.h"

namespace velvora {

namespace {

constexpr std::array<std::uint8_t, PackageMarkerSize> MakePackageMarker() {
    std::array<std::uint8_t, PackageMarkerSize> marker{};
    std::size_t at = 0;
    const auto put = [&](std::size_t count, std::uint8_t value) {
        for (std::size_t i = 0; i < count; ++i) marker[at++] = value;
    };
    put(60, 0x20);
    put(4, 0x00);
    put(4, 0x14);
    put(7, 0xCF);
    put(2, 0x9B);
    put(7, 0xCF);
    put(4, 0x14);
    put(4, 0x00);
    return marker;
}

constexpr std::size_t SearchChunk = 64 * 1024;
static_assert(SearchChunk > PackageMarkerSize);

std::uint8_t ReadByte(const ByteSource& file, std::uint64_t at) {
    std::uint8_t byte = 0;
    file.ReadAt(at, {&byte, 1});
    return byte;
}

std::uint32_t ReadUInt32(const ByteSource& file, std::uint64_t at) {
    std::uint8_t bytes[4];
    file.ReadAt(at, bytes);
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// Whether a title that fits and the record's signature and total follow the marker at `marker`.
bool PrefixFollows(const ByteSource& file, std::uint64_t marker) {
    const std::uint64_t titleLengthAt = marker + PackageMarkerSize;
    if (titleLengthAt >= file.Size()) return false;
    const std::uint64_t signatureAt = titleLengthAt + 1 + ReadByte(file, titleLengthAt) + 4;
    if (signatureAt > file.Size() || file.Size() - signatureAt < RecordHeadSize) return false;
    std::uint8_t signature[RecordSignatureSize];
    file.ReadAt(signatureAt, signature);
    return std::memcmp(signature, RecordSignature, RecordSignatureSize) == 0;
}

// The first marker at or after `searchFrom` that a prefix follows; file.Size() if none.
std::uint64_t SearchMarker(const ByteSource& file, std::uint64_t searchFrom) {
    const std::boyer_moore_horspool_searcher searcher(PackageMarker.begin(), PackageMarker.end());
    const std::uint64_t size = file.Size();
    std::uint8_t window[SearchChunk];
    for (std::uint64_t start = searchFrom; start < size && size - start >= PackageMarkerSize;) {
        const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(SearchChunk, size - start));
        file.ReadAt(start, {window, length});
        const std::uint8_t* begin = window;
        const std::uint8_t* end = window + length;
        for (const std::uint8_t* hit = std::search(begin, end, searcher); hit != end;
             hit = std::search(hit + 1, end, searcher)) {
            if (PrefixFollows(file, start + std::uint64_t(hit - begin))) return start + std::uint64_t(hit - begin);
        }
        // Chunks overlap by one byte less than the marker, so that none is missed.
        start += length - (PackageMarkerSize - 1);
        if (start + PackageMarkerSize - 1 >= size) break;
    }
    return size;
}

}  // namespace

const std::array<std::uint8_t, PackageMarkerSize> PackageMarker = MakePackageMarker();

PrefixSearch LocateViewerPrefix(const ByteSource& file, std::uint64_t searchFrom, ViewerPrefixExtents& prefix) {
    prefix.MarkerOffset = SearchMarker(file, searchFrom);
    if (prefix.MarkerOffset == file.Size()) return PrefixSearch::NoMarker;
    // PrefixFollows has checked that everything up to the record's total lies in the file.
    const std::uint64_t titleLengthAt = prefix.MarkerOffset + PackageMarkerSize;
    prefix.Title = {titleLengthAt + 1, ReadByte(file, titleLengthAt)};
    const std::uint64_t sizeAt = prefix.Title.Offset + prefix.Title.Size;
    prefix.ViewerSize = ReadUInt32(file, sizeAt);
    prefix.ViewerRecord.Offset = sizeAt + 4;
    prefix.ViewerRecord.Size = RecordHeadSize + ReadUInt32(file, prefix.ViewerRecord.Offset + RecordSignatureSize);
    const bool fits = prefix.ViewerRecord.Offset <= file.Size() &&
                      prefix.ViewerRecord.Size <= file.Size() - prefix.ViewerRecord.Offset;
    return fits ? PrefixSearch::Found : PrefixSearch::RecordPastEnd;
}

}  // namespace velvora
