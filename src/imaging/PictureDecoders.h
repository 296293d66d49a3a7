// The decoder of each converted format and the helpers they share; used inside imaging only.
// Each decoder fills `picture` from bytes it is handed whole, returns false on any failure
// and never throws (out of memory included).
#pragma once

#include <cstdint>
#include <string_view>

#include "imaging/PictureFormats.h"

namespace velvora::detail {

bool DecodePng(std::string_view bytes, ConvertedPicture& picture);
bool DecodeGif(std::string_view bytes, ConvertedPicture& picture);
bool DecodeTiff(std::string_view bytes, ConvertedPicture& picture);
bool DecodeWebp(std::string_view bytes, ConvertedPicture& picture);
bool DecodeHeif(std::string_view bytes, ConvertedPicture& picture);

// Whether a declared picture size may be decoded: both sides positive, within the JPEG
// pixel ceiling, the largest JPEG side and the bitmap size limits.
bool IsConvertibleSize(std::int64_t width, std::int64_t height);

// A 24-bit `width` × `height` bitmap with every pixel white.
Bitmap WhiteBitmap(int width, int height);

// Writes `width` R, G, B, A pixels (alpha not premultiplied) as B, G, R laid over white.
void FlattenRgbaOntoWhite(const std::uint8_t* rgba, std::uint8_t* bgr, int width);
// Writes `width` R, G, B pixels as B, G, R.
void CopyRgbAsBgr(const std::uint8_t* rgb, std::uint8_t* bgr, int width);

}  // namespace velvora::detail
