// The layout that binds the tool, which writes published viewer files, to the stub and the
// viewer, which read them: the marker after the stub, the rolling key that scrambles the
// package's text, and a reader that checks every length and offset it takes from the file.
// Standard C++ only: the Windows stub and viewer compile this file as well.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velvora {

inline constexpr std::size_t PackageMarkerSize = 92;
// Separates the stub from the rest of a published file.
extern const std::array<std::uint8_t, PackageMarkerSize> PackageMarker;

// Key bytes of the scramble phases 1..9: phase p uses ScrambleKey[p - 1].
inline constexpr int ScramblePhaseCount = 9;
extern const std::array<std::uint8_t, ScramblePhaseCount> ScrambleKey;

// The rolling scrambler of the package text. Before each byte the phase advances
// (1, 2, ..., 9, 1, ...) and the byte is XORed with that phase's key byte, so scrambling
// again from the same phase restores the text and the length never changes.
class Scrambler {
public:
    int Phase() const { return phase_; }
    // `phase` in 0..9; 0 makes the next byte use phase 1.
    void SetPhase(int phase);
    void ScrambleText(std::span<std::uint8_t> bytes);
    std::string ScrambleText(std::string_view text);

private:
    int phase_ = 0;
};

// Package lines that carry offsets, as the writer reserves them and later fills them in.
inline constexpr std::string_view LookupPlaceholder = "Lookup=00000000\r\n";
inline constexpr std::string_view FullsizePlaceholder = "Fullsize=00000000\r\n";
inline constexpr std::string_view FullsizeBytesPlaceholder = "FullsizeBytes=00000000\r\n";

// Eight uppercase hexadecimal digits, zero-padded.
std::string Hex8(std::uint32_t value);

// A published file that is damaged or is not one; the message is meant for the user.
class EPackageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Random access to the bytes of a published file, so that the viewer may read a file or
// a memory-mapped view. The reader checks every range against Size() before ReadAt.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Copies bytes.size() bytes starting at `offset`; the range lies inside Size().
    virtual void ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) const = 0;
};

class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    void ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) const override;

private:
    std::span<const std::uint8_t> bytes_;
};

// Where a run of bytes lies in the published file.
struct ByteExtent {
    std::uint64_t Offset = 0;
    std::uint64_t Size = 0;
    bool operator==(const ByteExtent&) const = default;
};

// Fields 2 to 6 of a published file: marker, title, viewer size and the compressed
// viewer record ("TQXB10", its total, its blocks).
struct ViewerPrefix {
    std::uint64_t MarkerOffset = 0;
    std::string Title;
    std::uint32_t ViewerSize = 0;  // bytes of the uncompressed viewer program
    ByteExtent ViewerRecord;       // the whole record, signature included
    std::uint64_t PackageOffset = 0;
};

// Where fields 2 to 6 lie, as LocateViewerPrefix finds them.
struct ViewerPrefixExtents {
    std::uint64_t MarkerOffset = 0;
    ByteExtent Title;
    std::uint32_t ViewerSize = 0;
    ByteExtent ViewerRecord;
};

enum class PrefixSearch { Found, NoMarker, RecordPastEnd };

// ReadViewerPrefix without exceptions or allocation, for the stub: the same marker search,
// and the extents behind the marker it finds. With RecordPastEnd the extents are filled in
// but the record runs past the end of the file. Exceptions of file.ReadAt pass through.
PrefixSearch LocateViewerPrefix(const ByteSource& file, std::uint64_t searchFrom, ViewerPrefixExtents& prefix);

// The first marker at or after `searchFrom` that is followed by a well-formed prefix: a
// title that fits and the record signature where the title length puts it. Taking the
// first keeps photo bytes later in the file (which may hold anything, a marker too) from
// being mistaken for it; requiring the record skips a copy of the marker inside the stub.
// A stub that knows its own size may pass it as `searchFrom`. Throws EPackageError when
// no marker qualifies.
std::uint64_t FindPackageMarker(const ByteSource& file, std::uint64_t searchFrom = 0);
ViewerPrefix ReadViewerPrefix(const ByteSource& file, std::uint64_t searchFrom = 0);

struct PackagePhoto {
    std::string Id;
    std::string SourceFileName;
    std::vector<std::string> Information;  // key=value lines of the photo's record
    ByteExtent Thumbnail;
    bool HasFullsize = false;
    ByteExtent Fullsize;  // the image file's bytes, with HasFullsize
};

struct PackageCategory {
    std::string Path;  // "\" for the root, "\Holidays\Beach" below it
    bool Selected = false;
    bool Expanded = false;
    std::string Alias;
    std::vector<std::string> Settings;  // key=value lines other than the four above and Lookup
    std::uint64_t BlockOffset = 0;      // where the category's photo list starts
    std::vector<PackagePhoto> Photos;
};

struct PackageContents {
    std::string Version;
    std::vector<std::string> ShowSettings;
    std::vector<PackageCategory> Categories;  // root first, then the tree in pre-order
};

// Parses the package that starts at `packageOffset` (ViewerPrefix::PackageOffset).
// Checks the structure, that every category block and every photo's data follow one
// another without gaps, and that every extent lies inside the file. Throws EPackageError
// naming what is damaged; never reads outside the source.
PackageContents ReadPackage(const ByteSource& file, std::uint64_t packageOffset);

}  // namespace velvora
