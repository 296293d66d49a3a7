// Pixels written out as a BMP, the one format every Windows program takes: for a wallpaper
// file and, without its file header, for the clipboard.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "viewer/core/PixelBuffer.h"

namespace velvora {

// The bytes before the DIB (info header and pixels) in a BMP file.
inline constexpr std::size_t BmpFileHeaderBytes = 14;

// A 24-bit uncompressed BMP file of `picture`, rows bottom up and padded to 4 bytes as the
// format wants. An empty picture gives an empty result.
std::vector<std::uint8_t> EncodeBmpFile(const PixelBuffer& picture);

}  // namespace velvora
