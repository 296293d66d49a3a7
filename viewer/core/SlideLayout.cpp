// Intro and about boxes, and the caption band.
#include "viewer/core/SlideLayout.h"

#include <algorithm>
#include <cstdint>

namespace velvora {
namespace {

int Share(int length, int percent) {
    return std::max(1, int((std::int64_t(length) * std::clamp(percent, 1, 100) + 50) / 100));
}

int CaptionPadding(PixelRect slide) { return std::max(4, CaptionFontHeight(slide) / 2); }

}  // namespace

PixelRect CenteredBox(WindowPercent percent, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    const int boxWidth = Share(width, percent.Width), boxHeight = Share(height, percent.Height);
    return {(width - boxWidth) / 2, (height - boxHeight) / 2, boxWidth, boxHeight};
}

int CaptionFontHeight(PixelRect slide) { return std::clamp(slide.Height / 24, 12, 40); }

int CaptionWrapWidth(PixelRect slide) { return std::max(0, slide.Width - 4 * CaptionPadding(slide)); }

CaptionLayout PlaceCaption(PixelRect slide, int textHeight) {
    if (slide.Width <= 0 || slide.Height <= 0 || textHeight <= 0) return {};
    const int padding = CaptionPadding(slide);
    const int bandHeight = std::min(textHeight + 2 * padding, slide.Height / 3);
    const PixelRect band{slide.X, slide.Y + slide.Height - bandHeight, slide.Width, bandHeight};
    const int textWidth = CaptionWrapWidth(slide);
    const PixelRect text{slide.X + (slide.Width - textWidth) / 2, band.Y + padding, textWidth,
                         std::max(0, bandHeight - 2 * padding)};
    return {band, text};
}

}  // namespace velvora
