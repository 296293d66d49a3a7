// How far a JPEG's header is believed, by the tool's decoder and by the viewers' alike.
#pragma once

#include <cstdint>

namespace velvora {

// Headers are not trusted: a few kilobytes may declare a picture whose decode would take
// gigabytes and seconds. A declared size above the ceiling, or one that the file's bytes
// cannot hold, is refused before any pixel memory is taken.
//
// The ceiling lies well above the largest camera sensors (about 150 megapixels).
inline constexpr std::int64_t kMaxJpegPixels = 200'000'000;
// Huffman coding spends at least one bit on every 8 x 8 block of a full-resolution
// component, even for a flat grey picture (its DC code; a baseline file spends two), so a
// valid file holds at least 1953 bytes per megapixel; real photos hold tens of kilobytes
// and more. Half that floor refuses no such file, however smooth the picture.
inline constexpr std::int64_t kMinJpegBytesPerMegapixel = 1000;

// Whether a JPEG file of `fileBytes` bytes can hold the `pixels` its header declares.
constexpr bool JpegBytesCanHold(std::int64_t pixels, std::uintmax_t fileBytes) {
    return static_cast<std::uintmax_t>(pixels * kMinJpegBytesPerMegapixel / 1'000'000) <= fileBytes;
}

}  // namespace velvora
