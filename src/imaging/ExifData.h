// libexif's parsed EXIF data, owned, for the EXIF readers of the imaging core.
#pragma once

#include <memory>
#include <string>

#include <libexif/exif-data.h>

namespace velvora {

struct ExifDataUnref {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

using ExifDataPointer = std::unique_ptr<ExifData, ExifDataUnref>;

// The EXIF data of the JPEG at `path`, or none. The loader stops at the first segment that
// cannot hold EXIF, so the pixels are never read.
inline ExifDataPointer ReadExifFile(const std::string& path) {
    return ExifDataPointer(exif_data_new_from_file(path.c_str()));
}

}  // namespace velvora
