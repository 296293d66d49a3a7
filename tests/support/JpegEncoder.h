// JPEG files made on the spot for tests and benchmarks; the product itself only decodes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace velvora::testing {

// Writes the channel bytes of pixel (x, y); four bytes may be written whatever the channel
// count. Pixels are asked for row by row, left to right.
using PixelSource = std::function<void(int x, int y, std::uint8_t* out)>;

struct JpegOptions {
    int quality = 95;
    bool progressive = false;
    // Written as the Orientation of an APP1 EXIF segment, any value; 0 writes none.
    int exifOrientation = 0;
    // Written as the DateTimeOriginal of that segment, any text; empty writes none. The
    // segment is left out when it would hold neither.
    std::string exifDateTaken = {};
};

// An APP1 payload: "Exif\0\0", then a TIFF structure whose IFD 0 holds `orientation` (none for 0) and,
// when `dateTaken` ("YYYY:MM:DD HH:MM:SS") is given, an EXIF IFD with DateTimeOriginal.
std::string ExifSegment(int orientation, const std::string& dateTaken = {});

// A JPEG of 1 (grey), 3 (RGB) or 4 (CMYK, with the Adobe marker) channels.
std::string EncodeJpeg(int width, int height, int channels, const PixelSource& pixel, JpegOptions options = {});

}  // namespace velvora::testing
