// JPEG files made by the tests with libjpeg's encoder, and small picture builders.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace velvora::testing {

// Writes the channel bytes of pixel (x, y) to `out` (1, 3 or 4 bytes).
using PixelSource = std::function<void(int x, int y, std::uint8_t* out)>;

// A quality-95 JPEG of 1 (grey), 3 (RGB) or 4 (CMYK, with the Adobe marker) channels.
std::string EncodeTestJpeg(int width, int height, int channels, const PixelSource& pixel, bool progressive = false);

// One colour everywhere.
PixelSource Solid(std::uint8_t c0, std::uint8_t c1 = 0, std::uint8_t c2 = 0, std::uint8_t c3 = 0);

}  // namespace velvora::testing
