// Where things sit on the viewer's screen: the box an intro or about category plays in, and
// the band a photo's caption is written on. Both front ends lay out from these, so the two
// viewers agree to the pixel.
#pragma once

#include "viewer/core/PixelBuffer.h"
#include "viewer/core/SlideShow.h"

namespace velvora {

// The box of `percent` of a width x height screen, centred; per cents are taken as 1..100.
// Never empty on a non-empty screen.
PixelRect CenteredBox(WindowPercent percent, int width, int height);

// The caption's band over the bottom of `slide` and the text area inside it.
struct CaptionLayout {
    PixelRect Band;
    PixelRect Text;
    bool operator==(const CaptionLayout&) const = default;
};

// The pixel height of the caption's letters on `slide`: larger on larger screens, readable
// on small ones.
int CaptionFontHeight(PixelRect slide);
// The width the caption's text wraps at on `slide`.
int CaptionWrapWidth(PixelRect slide);
// The band for text of `textHeight` pixels once wrapped at CaptionWrapWidth: the full width
// of the slide, at its bottom, never more than a third of it high (longer text is cut).
CaptionLayout PlaceCaption(PixelRect slide, int textHeight);

// How much of a picture's brightness shows through the caption's band.
inline constexpr int CaptionBandKeepPercent = 40;

}  // namespace velvora
