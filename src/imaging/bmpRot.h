// Quarter turns of a bitmap, for every pixel format; the palette stays as it was.
#pragma once

#include "imaging/Bitmap.h"

namespace velvora {

// A quarter turn anticlockwise: the top edge becomes the left edge, and the top-right corner
// the top-left one. Width and height swap.
void RotateBitmapCCW(Bitmap& bitmap);
// The same pixels as two anticlockwise quarter turns, in one pass.
void RotateBitmap180(Bitmap& bitmap);
// A quarter turn clockwise: the same pixels as three anticlockwise turns, in one pass.
void RotateBitmapCW(Bitmap& bitmap);
// `turns` quarter turns clockwise, as a photo's Rotate value counts them: 1 clockwise, 2 a
// half turn, 3 anticlockwise; any other value leaves the bitmap alone.
void RotateBitmapClockwise(Bitmap& bitmap, int turns);

}  // namespace velvora
