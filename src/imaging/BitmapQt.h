// Conversion between the core Bitmap and QImage, for drawing bitmaps in widgets.
#pragma once

#include <QImage>

#include "imaging/Bitmap.h"

namespace velvora {

// A QImage with the same pixels: 1 bit as Mono, 4 and 8 bits as Indexed8 with the palette,
// 16 bits as RGB555, 24 bits as BGR888, 32 bits as RGB32 (opaque). An empty bitmap gives a
// null image.
QImage ToQImage(const Bitmap& bitmap);

// An 8-bit bitmap with the colour table for Indexed8 images, otherwise a 24-bit one; alpha is
// dropped. A null image gives an empty bitmap.
Bitmap FromQImage(const QImage& image);

}  // namespace velvora
