// JPEG decoding through libjpeg-turbo: the stored size, whole or 1/2, 1/4, 1/8 size decodes,
// and decodes fitted into a box. Every operation reports failure by returning false and never
// shows a message.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "imaging/Bitmap.h"
#include "imaging/JpegLimits.h"

namespace velvora {

// libjpeg's own buffers per decode. Baseline files need little at any size; a progressive
// one keeps every coefficient, 3 bytes per pixel at 4:2:0 and 6 at 4:4:4, so this admits
// progressive photos up to about 170 and 85 megapixels and fails larger ones cleanly.
inline constexpr long kMaxJpegWorkingMemory = 512L * 1024 * 1024;

// A decoding scale: 1, 2, 4 or 8 decode at 1/scale of the stored size in each direction; any
// other value decodes the whole picture.
using JpegScale = int;

// Binds the codec. libjpeg-turbo is linked in, so this only checks that the library in use
// matches the headers the program was built with; false if it does not, and every decode then
// fails as well. Called once at start-up.
bool LoadJpegLibrary();

// The stored pixel size from the file's header, without decoding. On false both are 0.
bool ReadJpegDimensions(const std::string& fileName, int& width, int& height);

// Decodes at 1/scale of the stored size, each side rounded up. One channel gives 8 bits with
// the grey palette, three give 24-bit B, G, R, four (CMYK and YCCK) give 32 bits run through
// ConvertRgbaToBgra; other channel counts, pictures above the bitmap size limits, implausible
// declared sizes (above) and decodes needing more than kMaxJpegWorkingMemory fail. A null
// `bitmap` receives a new one; an existing one is reused. fullWidth and fullHeight receive
// the stored size, also when decoding fails after the header was read; the bitmap may then
// have been resized. Damaged, truncated (also when an end marker follows the cut), missing
// and non-JPEG files give false.
bool ReadJpegFile(const std::string& fileName, JpegScale scale, std::unique_ptr<Bitmap>& bitmap, int& fullWidth,
                  int& fullHeight);

// The coarsest decoding scale whose picture is still at least as large as `ratio` demands.
JpegScale JpegScaleForRatio(float ratio);

// Decodes at the coarsest scale that still covers the box, then fits the result into
// maxWidth × maxHeight with FitBitmap.
bool LoadJpegFitted(const std::string& fileName, std::unique_ptr<Bitmap>& bitmap, int maxWidth, int maxHeight,
                    bool smooth);

// 256 entries, entry i = (i × red, i × green, i × blue) with flag byte 1. Each factor must be
// 0 or 1; anything else throws std::invalid_argument.
Palette CreateGreyPalette(std::uint16_t red, std::uint16_t green, std::uint16_t blue);

// Turns width × height contiguous four-byte pixels of inverted CMYK (as Adobe files hold it)
// into B, G, R, keeping byte 3: b0' = (b2·a + 1) >> 8, b1' = (b1·a + 1) >> 8,
// b2' = (b0·a + 1) >> 8 with a = byte 3.
void ConvertRgbaToBgra(std::uint8_t* pixels, int width, int height);

}  // namespace velvora
