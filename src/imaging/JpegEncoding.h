// JPEG encoding through libjpeg-turbo, for pictures that are stored as JPEGs made here.
#pragma once

#include <string>
#include <string_view>

#include "imaging/Bitmap.h"

namespace velvora {

// Encodes a 24-bit B, G, R `bitmap` as a baseline JPEG of `quality` (1 to 100, clamped),
// colour subsampled 2 × 2, with `app1` (an EXIF segment's payload, see UprightExifSegment)
// written behind the JFIF marker when it is not empty. Returns false, leaving `jpeg`
// unspecified, for an empty bitmap, one of another pixel format, an `app1` too long for
// one segment, or when the codec fails (out of memory); never throws.
bool EncodeBitmapAsJpeg(const Bitmap& bitmap, int quality, std::string_view app1, std::string& jpeg);

}  // namespace velvora
