// Any bytes as a photo the viewers decode, turned by the quarter turns the first byte picks:
// decoding either fails with the picture error or gives the picture, turned to the right size.
#include <cstddef>
#include <cstdint>
#include <span>

#include "viewer/core/PictureDecoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    try {
        const velvora::PixelBuffer picture = velvora::DecodePicture(std::span(data + 1, size - 1));
        const int turns = data[0] % 4;
        const velvora::PixelBuffer turned = velvora::RotateQuarterTurns(picture, turns);
        const bool sideways = turns % 2 == 1;
        if (turned.Width != (sideways ? picture.Height : picture.Width) ||
            turned.Pixels.size() != picture.Pixels.size())
            __builtin_trap();
    } catch (const velvora::EPictureError&) {
    }
    return 0;
}
