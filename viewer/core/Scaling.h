// Resampling a picture to another size for display.
#pragma once

#include "viewer/core/PixelBuffer.h"

namespace velvora {

// Draws `source` scaled to place.Width x place.Height with its top-left corner at
// (place.X, place.Y) of `target`, computing only the pixels inside the target, so a picture
// placed far larger than the window costs no more than the window. Bilinear between the
// four nearest source pixels with pixel centres mapped onto pixel centres (equal sizes copy
// exactly); reductions to half or less are first halved with a 2x2 box.
void DrawScaled(const PixelBuffer& source, PixelRect place, PixelBuffer& target);

// `source` scaled to width x height; an empty source or size gives an empty picture.
PixelBuffer ScaleBilinear(const PixelBuffer& source, int width, int height);

}  // namespace velvora
