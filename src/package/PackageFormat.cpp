// Marker, scrambler and the checked reader of published viewer files.
#include "package/PackageFormat.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace velvora {

namespace {

constexpr std::string_view PackageSignature = "ZORB";
constexpr const char* NoSlideShow = "This file holds no slide show.";
constexpr std::string_view BlockTerminator = "*\r\n\r\n";

[[noreturn]] void Damaged(const std::string& what) {
    throw EPackageError("The slide show in this file is damaged (" + what + ").");
}

std::uint64_t CheckedEnd(const ByteSource& file, std::uint64_t offset, std::uint64_t size) {
    if (offset > file.Size() || size > file.Size() - offset) Damaged("data past the end of the file");
    return offset + size;
}

std::string ReadBytes(const ByteSource& file, std::uint64_t offset, std::size_t size) {
    CheckedEnd(file, offset, size);
    std::string bytes(size, '\0');
    file.ReadAt(offset, {reinterpret_cast<std::uint8_t*>(bytes.data()), size});
    return bytes;
}

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of `line` = `key` followed by exactly eight uppercase hexadecimal digits.
std::uint32_t HexField(std::string_view line, std::string_view key) {
    if (!StartsWith(line, key) || line.size() != key.size() + 8) Damaged("bad " + std::string(key) + " line");
    std::uint32_t value = 0;
    for (char c : line.substr(key.size())) {
        const int digit = HexDigitValue(c);
        if (digit < 0) Damaged("bad " + std::string(key) + " line");
        value = value * 16 + std::uint32_t(digit);
    }
    return value;
}

// Sequential reading of the package: scrambled lines and raw bytes through a small buffer.
class PackageCursor {
public:
    PackageCursor(const ByteSource& file, std::uint64_t position) : file_(file), position_(position) {}

    std::uint64_t Position() const { return position_; }
    void Seek(std::uint64_t position) { position_ = position; }
    Scrambler& Scramble() { return scrambler_; }

    std::string ReadRaw(std::size_t count) {
        std::string bytes;
        while (bytes.size() < count) bytes += char(NextByte());
        return bytes;
    }
    std::string ReadScrambled(std::size_t count) { return scrambler_.ScrambleText(ReadRaw(count)); }

    // The next scrambled line without its CR LF.
    std::string ReadLine() {
        std::string line;
        for (;;) {
            std::uint8_t byte = NextByte();
            scrambler_.ScrambleText({&byte, 1});
            if (byte == '\n' && !line.empty() && line.back() == '\r') break;
            line += char(byte);
        }
        line.pop_back();
        return line;
    }

    void ExpectLines(std::initializer_list<std::string_view> lines, const char* what) {
        for (std::string_view expected : lines)
            if (ReadLine() != expected) Damaged(what);
    }

private:
    std::uint8_t NextByte() {
        if (position_ < bufferStart_ || position_ - bufferStart_ >= buffer_.size()) Refill();
        return static_cast<std::uint8_t>(buffer_[std::size_t(position_++ - bufferStart_)]);
    }
    void Refill() {
        if (position_ >= file_.Size()) Damaged("the file ends too early");
        bufferStart_ = position_;
        buffer_ = ReadBytes(file_, position_, std::size_t(std::min<std::uint64_t>(4096, file_.Size() - position_)));
    }

    const ByteSource& file_;
    std::uint64_t position_;
    Scrambler scrambler_;
    std::string buffer_;
    std::uint64_t bufferStart_ = 0;
};

void ApplySectionLine(PackageCategory& category, const std::string& line, bool& hasLookup) {
    if (line == "Selected=1") {
        category.Selected = true;
    } else if (line == "Expanded=1") {
        category.Expanded = true;
    } else if (StartsWith(line, "Alias=")) {
        category.Alias = line.substr(6);
    } else if (StartsWith(line, "Lookup=")) {
        category.BlockOffset = HexField(line, "Lookup=");
        hasLookup = true;
    } else {
        category.Settings.push_back(line);
    }
}

// The root's section repeats the show settings after its path line, then a blank line.
void SkipRepeatedSettings(PackageCursor& cursor, const std::vector<std::string>& settings) {
    for (const std::string& line : settings)
        if (cursor.ReadLine() != line) Damaged("the root section differs from the show settings");
    cursor.ExpectLines({""}, "the root section differs from the show settings");
}

void ReadCategorySections(PackageCursor& cursor, PackageContents& contents) {
    for (std::string path = cursor.ReadLine(); path != "*"; path = cursor.ReadLine()) {
        if (!StartsWith(path, "\\")) Damaged("bad category path line");
        PackageCategory& category = contents.Categories.emplace_back();
        category.Path = path;
        if (contents.Categories.size() == 1) SkipRepeatedSettings(cursor, contents.ShowSettings);
        bool hasLookup = false;
        for (std::string line = cursor.ReadLine(); !line.empty(); line = cursor.ReadLine())
            ApplySectionLine(category, line, hasLookup);
        if (!hasLookup) Damaged("a category has no Lookup line");
    }
    if (contents.Categories.empty() || contents.Categories.front().Path != "\\") Damaged("no root category");
}

void ReadPhotoRecord(PackageCursor& cursor, PackagePhoto& photo) {
    cursor.Scramble().SetPhase(0);
    photo.Thumbnail.Offset = HexField(cursor.ReadLine(), "Lookup=");
    std::string line = cursor.ReadLine();
    if (StartsWith(line, "Fullsize=")) {
        photo.HasFullsize = true;
        photo.Fullsize.Offset = HexField(line, "Fullsize=");
        photo.Fullsize.Size = HexField(cursor.ReadLine(), "FullsizeBytes=");
        line = cursor.ReadLine();
    }
    for (; !line.empty(); line = cursor.ReadLine()) photo.Information.push_back(line);
}

// Sizes the photos' data, which lies back to back from `dataStart`. A thumbnail's size
// is not stored: it runs to the image file's bytes or, without those, to the next photo's
// thumbnail or the terminator before `blockEnd`. Returns where the data ends.
std::uint64_t LocatePhotoData(const ByteSource& file, std::vector<PackagePhoto>& photos, std::uint64_t dataStart,
                              std::uint64_t blockEnd) {
    if (blockEnd < dataStart + BlockTerminator.size()) Damaged("category block out of place");
    std::uint64_t next = dataStart;
    for (std::size_t i = 0; i < photos.size(); ++i) {
        PackagePhoto& photo = photos[i];
        if (photo.Thumbnail.Offset != next) Damaged("photo data out of place");
        std::uint64_t thumbnailEnd = 0;
        if (photo.HasFullsize) {
            thumbnailEnd = photo.Fullsize.Offset;
            next = photo.Fullsize.Offset + photo.Fullsize.Size;
        } else {
            thumbnailEnd = i + 1 < photos.size() ? photos[i + 1].Thumbnail.Offset : blockEnd - BlockTerminator.size();
            next = thumbnailEnd;
        }
        if (thumbnailEnd < photo.Thumbnail.Offset) Damaged("photo data out of place");
        photo.Thumbnail.Size = thumbnailEnd - photo.Thumbnail.Offset;
        CheckedEnd(file, next, BlockTerminator.size());
    }
    return next;
}

void ReadCategoryBlock(PackageCursor& cursor, const ByteSource& file, PackageCategory& category,
                       std::uint64_t blockEnd) {
    if (category.BlockOffset != cursor.Position()) Damaged("category block out of place");
    cursor.Scramble().SetPhase(0);
    for (std::string line = cursor.ReadLine(); !line.empty(); line = cursor.ReadLine()) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) Damaged("bad photo list line");
        PackagePhoto& photo = category.Photos.emplace_back();
        photo.Id = line.substr(0, equals);
        photo.SourceFileName = line.substr(equals + 1);
    }
    for (PackagePhoto& photo : category.Photos) ReadPhotoRecord(cursor, photo);
    cursor.ExpectLines({"*", ""}, "photo records not terminated");
    cursor.Seek(LocatePhotoData(file, category.Photos, cursor.Position(), blockEnd));
    cursor.ExpectLines({"*", ""}, "photo data not terminated");
}

}  // namespace

const std::array<std::uint8_t, ScramblePhaseCount> ScrambleKey = {0x5A, 0xC3, 0x17, 0x9E, 0x61, 0xB4, 0x2D, 0xF8, 0x86};

void Scrambler::SetPhase(int phase) { phase_ = std::clamp(phase, 0, ScramblePhaseCount); }

void Scrambler::ScrambleText(std::span<std::uint8_t> bytes) {
    for (std::uint8_t& byte : bytes) {
        phase_ = phase_ >= ScramblePhaseCount ? 1 : phase_ + 1;
        byte ^= ScrambleKey[std::size_t(phase_ - 1)];
    }
}

std::string Scrambler::ScrambleText(std::string_view text) {
    std::string bytes(text);
    ScrambleText({reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()});
    return bytes;
}

std::string Hex8(std::uint32_t value) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i, value >>= 4) text[std::size_t(i)] = Digits[value & 0xF];
    return text;
}

void MemoryByteSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) const {
    if (offset > bytes_.size() || bytes.size() > bytes_.size() - offset) Damaged("data past the end of the file");
    std::memcpy(bytes.data(), bytes_.data() + offset, bytes.size());
}

std::uint64_t FindPackageMarker(const ByteSource& file, std::uint64_t searchFrom) {
    ViewerPrefixExtents extents;
    if (LocateViewerPrefix(file, searchFrom, extents) == PrefixSearch::NoMarker) throw EPackageError(NoSlideShow);
    return extents.MarkerOffset;
}

ViewerPrefix ReadViewerPrefix(const ByteSource& file, std::uint64_t searchFrom) {
    ViewerPrefixExtents extents;
    const PrefixSearch found = LocateViewerPrefix(file, searchFrom, extents);
    if (found == PrefixSearch::NoMarker) throw EPackageError(NoSlideShow);
    if (found == PrefixSearch::RecordPastEnd) Damaged("data past the end of the file");
    ViewerPrefix prefix;
    prefix.MarkerOffset = extents.MarkerOffset;
    prefix.Title = ReadBytes(file, extents.Title.Offset, std::size_t(extents.Title.Size));
    prefix.ViewerSize = extents.ViewerSize;
    prefix.ViewerRecord = extents.ViewerRecord;
    prefix.PackageOffset = extents.ViewerRecord.Offset + extents.ViewerRecord.Size;
    return prefix;
}

PackageContents ReadPackage(const ByteSource& file, std::uint64_t packageOffset) {
    PackageCursor cursor(file, packageOffset);
    if (cursor.ReadScrambled(PackageSignature.size()) != PackageSignature || cursor.ReadRaw(2) != "\r\n")
        throw EPackageError(NoSlideShow);
    PackageContents contents;
    const std::string versionLine = cursor.ReadLine();
    if (!StartsWith(versionLine, "Version=")) Damaged("no version line");
    contents.Version = versionLine.substr(8);
    cursor.ExpectLines({"", "*", ""}, "bad package head");
    for (std::string line = cursor.ReadLine(); !line.empty(); line = cursor.ReadLine())
        contents.ShowSettings.push_back(line);
    cursor.ExpectLines({"*", ""}, "bad package head");
    ReadCategorySections(cursor, contents);
    for (std::size_t i = 0; i < contents.Categories.size(); ++i) {
        const bool last = i + 1 == contents.Categories.size();
        ReadCategoryBlock(cursor, file, contents.Categories[i],
                          last ? file.Size() : contents.Categories[i + 1].BlockOffset);
    }
    return contents;
}

}  // namespace velvora
