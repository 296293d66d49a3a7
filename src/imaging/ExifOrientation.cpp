// EXIF orientation through libexif.
#include "imaging/ExifOrientation.h"

#include <array>
#include <cstdlib>
#include <memory>
#include <string>

#include "imaging/ExifData.h"

namespace velvora {

namespace {

constexpr int NormalOrientation = 1;
constexpr std::string_view ExifPrefix{"Exif\0\0", 6};
// An APP1 segment's length field counts itself too.
constexpr std::size_t kMaxSegmentPayload = 65533;

// Only the main picture's IFD counts: IFD 1 describes the embedded preview.
ExifEntry* OrientationEntry(const ExifData* data) {
    ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (entry == nullptr || entry->format != EXIF_FORMAT_SHORT || entry->components < 1 || entry->size < 2)
        return nullptr;
    return entry;
}

int OrientationOf(ExifData* data) {
    if (data == nullptr) return NormalOrientation;
    const ExifEntry* entry = OrientationEntry(data);
    if (entry == nullptr) return NormalOrientation;
    const int orientation = exif_get_short(entry->data, exif_data_get_byte_order(data));
    return orientation >= 1 && orientation <= 8 ? orientation : NormalOrientation;
}

// libexif reads a block only behind the prefix a JPEG segment puts in front of it.
ExifDataPointer LoadBlock(std::string_view block) {
    if (block.empty()) return nullptr;
    std::string prefixed = block.starts_with(ExifPrefix) ? std::string(block) : std::string(ExifPrefix) + std::string(block);
    return ExifDataPointer(
        exif_data_new_from_data(reinterpret_cast<const unsigned char*>(prefixed.data()), unsigned(prefixed.size())));
}

bool HoldsEntries(const ExifData* data) {
    for (const ExifContent* ifd : data->ifd)
        if (ifd != nullptr && ifd->count > 0) return true;
    return false;
}

}  // namespace

int ReadExifOrientation(const std::string& path) {
    return OrientationOf(ReadExifFile(path).get());
}

int ExifBlockOrientation(std::string_view block) {
    return OrientationOf(LoadBlock(block).get());
}

std::string UprightExifSegment(std::string_view block) {
    if (block.size() > kMaxSegmentPayload) return {};
    const ExifDataPointer data = LoadBlock(block);
    // libexif makes an empty structure of nearly anything; that carries nothing worth keeping.
    if (!data || !HoldsEntries(data.get())) return {};
    if (ExifEntry* entry = OrientationEntry(data.get()))
        exif_set_short(entry->data, exif_data_get_byte_order(data.get()), NormalOrientation);
    unsigned char* saved = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data.get(), &saved, &size);
    const std::unique_ptr<unsigned char, decltype(&std::free)> owner(saved, std::free);
    if (saved == nullptr || size > kMaxSegmentPayload) return {};
    return std::string(reinterpret_cast<const char*>(saved), size);
}

int ClockwiseTurnsForOrientation(int orientation) {
    // Each value names where the stored top row and left column belong: 6 puts the top row at
    // the right and the left column at the top, hence a clockwise turn; 3 a half turn, 8 a
    // counter-clockwise one. A mirrored value gets the turn that puts whichever of those edges
    // belongs at the top or the bottom in its place, so the picture stands upright and only a
    // left-right mirror remains: 2 (top row at the top) none, 4 (top row at the bottom) a half
    // turn, 5 (left column at the top) clockwise, 7 (left column at the bottom)
    // counter-clockwise.
    static constexpr std::array<int, 9> Turns{0, 0, 0, 2, 2, 1, 1, 3, 3};
    return orientation >= 1 && orientation <= 8 ? Turns[static_cast<std::size_t>(orientation)] : 0;
}

}  // namespace velvora
