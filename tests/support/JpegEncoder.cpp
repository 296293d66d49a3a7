#include "support/JpegEncoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <libexif/exif-data.h>

namespace velvora::testing {

// Adds a fresh entry for `tag` to `content`, initialised as libexif does, and returns it.
static ExifEntry* AddEntry(ExifContent* content, ExifTag tag) {
    ExifEntry* entry = exif_entry_new();
    exif_content_add_entry(content, entry);
    exif_entry_initialize(entry, tag);
    exif_entry_unref(entry);
    return entry;
}

// The "Exif\0\0" header and a TIFF structure holding the asked-for tags.
std::string ExifSegment(int orientation, const std::string& dateTaken) {
    ExifData* data = exif_data_new();
    exif_data_set_byte_order(data, EXIF_BYTE_ORDER_INTEL);
    if (orientation != 0)
        exif_set_short(AddEntry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION)->data, EXIF_BYTE_ORDER_INTEL,
                       static_cast<ExifShort>(orientation));
    if (!dateTaken.empty()) {
        ExifEntry* date = AddEntry(data->ifd[EXIF_IFD_EXIF], EXIF_TAG_DATE_TIME_ORIGINAL);
        std::free(date->data);
        date->size = static_cast<unsigned int>(dateTaken.size() + 1);
        date->components = date->size;
        date->data = static_cast<unsigned char*>(std::malloc(date->size));
        std::memcpy(date->data, dateTaken.c_str(), date->size);
    }
    unsigned char* bytes = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data, &bytes, &size);
    std::string segment(reinterpret_cast<const char*>(bytes), size);
    std::free(bytes);
    exif_data_unref(data);
    return segment;
}

std::string EncodeJpeg(int width, int height, int channels, const PixelSource& pixel, JpegOptions options) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width), info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = channels;
    info.in_color_space = channels == 1 ? JCS_GRAYSCALE : channels == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, options.quality, TRUE);
    info.write_Adobe_marker = channels == 4;
    if (options.progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    if (options.exifOrientation != 0 || !options.exifDateTaken.empty()) {
        const std::string exif = ExifSegment(options.exifOrientation, options.exifDateTaken);
        jpeg_write_marker(&info, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(exif.data()),
                          static_cast<unsigned int>(exif.size()));
    }
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width * channels) + 4);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x)
            pixel(x, static_cast<int>(info.next_scanline), &row[static_cast<std::size_t>(x * channels)]);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

}  // namespace velvora::testing
