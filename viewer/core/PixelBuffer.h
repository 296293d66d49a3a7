// The viewer's picture type: 32-bit pixels in the byte order B, G, R, A, rows top down and
// packed without padding, which is what both a GDI 32-bit DIB section and a QImage of
// Format_RGB32 take without conversion.
#pragma once

#include <cstdint>
#include <vector>

namespace velvora {

// One pixel as a 32-bit value: 0xAARRGGBB, so its little-endian bytes read B, G, R, A.
using Pixel = std::uint32_t;

inline constexpr Pixel OpaqueBlack = 0xFF000000u;

// A settings colour (red in the low byte, then green, then blue) as an opaque pixel.
constexpr Pixel PixelFromColorValue(std::uint32_t color) {
    const std::uint32_t red = color & 0xFFu, green = (color >> 8) & 0xFFu, blue = (color >> 16) & 0xFFu;
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

struct PixelRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const PixelRect&) const = default;
};

struct PixelBuffer {
    int Width = 0;
    int Height = 0;
    std::vector<Pixel> Pixels;  // Width * Height values, row after row

    PixelBuffer() = default;
    // A picture of the given size filled with `fill`; negative sizes count as 0.
    PixelBuffer(int width, int height, Pixel fill = OpaqueBlack);

    bool Empty() const { return Width <= 0 || Height <= 0; }
    Pixel At(int x, int y) const { return Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)]; }
    Pixel& At(int x, int y) { return Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)]; }
    Pixel* Row(int y) { return Pixels.data() + std::size_t(y) * std::size_t(Width); }
    const Pixel* Row(int y) const { return Pixels.data() + std::size_t(y) * std::size_t(Width); }
};

}  // namespace velvora
