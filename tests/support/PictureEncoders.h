// PNG, GIF, TIFF, WebP and HEIC files made on the spot with their libraries, for tests and
// benchmarks of the converted formats; the product itself only decodes them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace velvora::testing {

// Writes R, G, B, A of pixel (x, y). Pixels are asked for row by row, left to right.
using RgbaSource = std::function<void(int x, int y, std::uint8_t* rgba)>;

// The test picture: a `width` × `height` upright picture whose quadrants are red (top
// left), green (top right), blue (bottom left) and yellow (bottom right), as a file stored
// with EXIF `orientation` (1, 2, 3, 6 or 8) holds it: stored sideways for 6 and 8, so
// StoredWidth/StoredHeight swap then.
RgbaSource StoredQuadrants(int width, int height, int orientation);
int StoredWidth(int width, int height, int orientation);
int StoredHeight(int width, int height, int orientation);

enum class PngKind { Rgb, Rgba, Grey16, Palette };
// A PNG of `kind`: 8-bit RGB or RGBA, 16-bit grey (from the red channel) or a colour-mapped
// file with transparency, built from at most 256 distinct colours.
std::string EncodePng(int width, int height, PngKind kind, const RgbaSource& pixel);

// A GIF of one frame at (left, top) on a `screenWidth` × `screenHeight` logical screen,
// `secondFrame` adding a frame of index 1 everywhere after it. Pixel colours are indexes
// into a palette: `index(x, y)` is the colour index, `palette` 3 bytes per entry; index
// `transparent` (or none, when -1) is transparent.
struct GifLayout {
    int screenWidth = 0;
    int screenHeight = 0;
    int left = 0;
    int top = 0;
    int transparent = -1;
    bool interlaced = false;
    bool secondFrame = false;
};
std::string EncodeGif(int width, int height, const GifLayout& layout, const std::string& palette,
                      const std::function<int(int x, int y)>& index);

// A TIFF holding the pixels as stored with `orientation` in its Orientation tag, with an
// unassociated alpha channel when `alpha`.
std::string EncodeTiff(int width, int height, const RgbaSource& pixel, int orientation, bool alpha);

// A lossless WebP (with alpha when `alpha`) and, when `exif` is not empty (see
// ExifSegment), an EXIF chunk holding it.
std::string EncodeWebp(int width, int height, const RgbaSource& pixel, bool alpha, const std::string& exif = {});

// True when the HEIF library can encode HEVC here.
bool CanEncodeHeic();
// A HEIC of the stored pixels whose container turns them as EXIF `orientation` says, at
// `quality` (lossless when 100), with an alpha plane when `alpha`.
std::string EncodeHeic(int width, int height, const RgbaSource& pixel, int orientation, bool alpha, int quality = 100);

}  // namespace velvora::testing
