#include "imaging/TestImages.h"

#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace velvora::testing {

std::string EncodeTestJpeg(int width, int height, int channels, const PixelSource& pixel, bool progressive) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = channels;
    info.in_color_space = channels == 1 ? JCS_GRAYSCALE : channels == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (channels == 4) info.write_Adobe_marker = TRUE;
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    // Slack after the row lets a pixel source write four bytes for any channel count.
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width * channels) + 4);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < width; ++x) pixel(x, y, &row[static_cast<std::size_t>(x * channels)]);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

PixelSource Solid(std::uint8_t c0, std::uint8_t c1, std::uint8_t c2, std::uint8_t c3) {
    return [=](int, int, std::uint8_t* out) {
        const std::uint8_t colour[4] = {c0, c1, c2, c3};
        for (int i = 0; i < 4; ++i) out[i] = colour[i];
    };
}

}  // namespace velvora::testing
