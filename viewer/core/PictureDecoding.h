// Turning a photo's stored bytes (JPEG or BMP) into pixels, and turning pixels by quarter turns.
#pragma once

#include <cstdint>
#include <span>
#include <vector>
#include <stdexcept>

#include "viewer/core/PixelBuffer.h"

namespace velvora {

// A picture that cannot be shown; the message is meant for the user.
class EPictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Pictures beyond this many pixels are refused before any pixel memory is taken, so that a
// hostile header cannot exhaust memory (64 megapixels, 256 MB of pixels).
inline constexpr std::uint64_t MaxPicturePixels = 64ull * 1024 * 1024;

// Decodes a JPEG or BMP file held in `bytes` (the format is recognised from the bytes).
// Throws EPictureError for other formats, damaged data and pictures beyond MaxPicturePixels.
PixelBuffer DecodePicture(std::span<const std::uint8_t> bytes);
// The same, letting go of the file's bytes once they are decoded, before the picture is made.
PixelBuffer DecodePicture(std::vector<std::uint8_t>&& bytes);

// The picture turned by `quarterTurns` quarter turns clockwise (a photo's Rotate value:
// 1 clockwise, 2 half turn, 3 counter-clockwise); values outside 0..3 are taken modulo 4.
// Taken by value, so that a picture without a turn passes through without a copy.
PixelBuffer RotateQuarterTurns(PixelBuffer picture, int quarterTurns);

}  // namespace velvora
