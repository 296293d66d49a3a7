// BMP writing.
#include "viewer/core/PictureEncoding.h"

namespace velvora {
namespace {

constexpr std::size_t InfoHeaderBytes = 40;

void Put(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + std::size_t(i)] = std::uint8_t(value >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> EncodeBmpFile(const PixelBuffer& picture) {
    if (picture.Empty()) return {};
    const std::size_t rowBytes = (std::size_t(picture.Width) * 3 + 3) / 4 * 4;
    const std::size_t pixelStart = BmpFileHeaderBytes + InfoHeaderBytes;
    std::vector<std::uint8_t> bytes(pixelStart + rowBytes * std::size_t(picture.Height));
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put(bytes, 2, std::uint32_t(bytes.size()), 4);
    Put(bytes, 10, std::uint32_t(pixelStart), 4);
    Put(bytes, 14, std::uint32_t(InfoHeaderBytes), 4);
    Put(bytes, 18, std::uint32_t(picture.Width), 4);
    Put(bytes, 22, std::uint32_t(picture.Height), 4);
    Put(bytes, 26, 1, 2);   // planes
    Put(bytes, 28, 24, 2);  // bits per pixel; compression and the rest stay 0
    Put(bytes, 34, std::uint32_t(rowBytes * std::size_t(picture.Height)), 4);
    for (int y = 0; y < picture.Height; ++y) {
        std::uint8_t* out = bytes.data() + pixelStart + rowBytes * std::size_t(picture.Height - 1 - y);
        for (const Pixel* pixel = picture.Row(y); pixel != picture.Row(y) + picture.Width; ++pixel) {
            *out++ = std::uint8_t(*pixel);
            *out++ = std::uint8_t(*pixel >> 8);
            *out++ = std::uint8_t(*pixel >> 16);
        }
    }
    return bytes;
}

}  // namespace velvora
