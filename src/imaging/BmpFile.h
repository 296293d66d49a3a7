// Reading and writing the BMP file image behind Bitmap's load and save operations.
#pragma once

#include <string>
#include <string_view>

#include "imaging/Bitmap.h"

namespace velvora {

// Decodes a whole BMP file image. Every header field is checked against the bytes present
// and the bitmap size limits before memory is taken; throws std::runtime_error
// ("Cannot read bitmap: <reason>") for anything it cannot read.
Bitmap DecodeBmp(std::string_view bytes);

// An uncompressed bottom-up BMP with a BITMAPINFOHEADER, its palette for 1, 4 and 8 bits.
std::string EncodeBmp(const Bitmap& bitmap);

}  // namespace velvora
