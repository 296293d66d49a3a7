// EXIF orientation through libexif.
#include "imaging/ExifOrientation.h"

#include <array>
#include <memory>

#include <libexif/exif-data.h>

namespace velvora {

namespace {

struct ExifDataUnref {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

constexpr int NormalOrientation = 1;

}  // namespace

int ReadExifOrientation(const std::string& path) {
    // The loader stops at the first segment that cannot hold EXIF, so the pixels are never read.
    const std::unique_ptr<ExifData, ExifDataUnref> data(exif_data_new_from_file(path.c_str()));
    if (!data) return NormalOrientation;
    // Only the main picture's IFD counts: IFD 1 describes the embedded preview.
    const ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (entry == nullptr || entry->format != EXIF_FORMAT_SHORT || entry->components < 1 || entry->size < 2)
        return NormalOrientation;
    const int orientation = exif_get_short(entry->data, exif_data_get_byte_order(data.get()));
    return orientation >= 1 && orientation <= 8 ? orientation : NormalOrientation;
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
