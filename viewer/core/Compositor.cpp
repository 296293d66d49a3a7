// Slides and transitions. A transition is described as pieces of the two slides, each moved
// by an offset, so that every effect is a few rectangle copies per frame.
#include "viewer/core/Compositor.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "viewer/core/Scaling.h"

namespace velvora {
namespace {

// `length` scaled by `numerator` / `denominator`, rounded, at least 1. Capped at 2^30 so
// that fitting a hostile 1 x 60000000 picture to a window cannot overflow the rectangle;
// only the part inside the window is ever drawn.
int ScaledLength(int length, std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t scaled = (std::int64_t(length) * numerator + denominator / 2) / denominator;
    return int(std::clamp<std::int64_t>(scaled, 1, std::int64_t(1) << 30));
}

PixelRect SizeFor(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight, const DisplayChoice& c) {
    const auto byWidth = [&](int width) {
        return PixelRect{0, 0, width, ScaledLength(pictureHeight, width, pictureWidth)};
    };
    const auto byHeight = [&](int height) {
        return PixelRect{0, 0, ScaledLength(pictureWidth, height, pictureHeight), height};
    };
    switch (c.Size) {
        case SizeIndex::ActualSize:
            return {0, 0, pictureWidth, pictureHeight};
        case SizeIndex::FitWidth:
            return byWidth(windowWidth);
        case SizeIndex::FitHeight:
            return byHeight(windowHeight);
        case SizeIndex::CustomWidth:
            if (c.SizeCount > 0) return byWidth(c.SizeCount);
            break;
        case SizeIndex::CustomHeight:
            if (c.SizeCount > 0) return byHeight(c.SizeCount);
            break;
        default:
            break;
    }
    // Best fit: the side that meets the window first decides.
    const bool tall = std::int64_t(pictureWidth) * windowHeight <= std::int64_t(pictureHeight) * windowWidth;
    return tall ? byHeight(windowHeight) : byWidth(windowWidth);
}

int Align(int align, int window, int length) {
    if (align == AlignIndex::Start) return 0;
    if (align == AlignIndex::End) return window - length;
    return (window - length) / 2;
}

int Part(int length, double share) { return int(std::lround(length * share)); }

// Draws `source`'s rectangle `from` moved by (dx, dy) into `target`, clipped to both.
void CopyRect(const PixelBuffer& source, PixelRect from, int dx, int dy, PixelBuffer& target) {
    const int left = std::max({from.X, 0, -dx});
    const int top = std::max({from.Y, 0, -dy});
    const int right = std::min({from.X + from.Width, source.Width, target.Width - dx});
    const int bottom = std::min({from.Y + from.Height, source.Height, target.Height - dy});
    for (int y = top; y < bottom; ++y)
        std::copy(source.Row(y) + left, source.Row(y) + right, target.Row(y + dy) + left + dx);
}

// `area` moved by (dx, dy) and clipped to the target.
PixelRect Clipped(PixelRect area, int dx, int dy, const PixelBuffer& target) {
    const int left = std::max(area.X + dx, 0), right = std::min(area.X + area.Width + dx, target.Width);
    const int top = std::max(area.Y + dy, 0), bottom = std::min(area.Y + area.Height + dy, target.Height);
    return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

void FillRect(PixelRect area, int dx, int dy, PixelBuffer& target, Pixel fill = OpaqueBlack) {
    const PixelRect clip = Clipped(area, dx, dy, target);
    for (int y = clip.Y; y < clip.Y + clip.Height; ++y)
        std::fill(target.Row(y) + clip.X, target.Row(y) + clip.X + clip.Width, fill);
}

using Pieces = std::vector<TransitionPiece>;

// The new slide moving in over the old one: it starts `(dx, dy)` times its size away.
Pieces SlideIn(int w, int h, double rest, int dx, int dy) {
    return {{SlideLayer::Old, {0, 0, w, h}, 0, 0},
            {SlideLayer::New, {0, 0, w, h}, dx * Part(w, rest), dy * Part(h, rest)}};
}

// The old slide moving off the new one towards (dx, dy).
Pieces SlideOff(int w, int h, double done, int dx, int dy) {
    return {{SlideLayer::New, {0, 0, w, h}, 0, 0},
            {SlideLayer::Old, {0, 0, w, h}, dx * Part(w, done), dy * Part(h, done)}};
}

Pieces Reveal(int w, int h, PixelRect area) {
    return {{SlideLayer::Old, {0, 0, w, h}, 0, 0}, {SlideLayer::New, area, 0, 0}};
}

// The two halves of the new slide coming in from opposite sides. A split along a vertical
// line moves the left half by (leftX, leftY) times the distance that hides it, the right
// half the opposite way; a split along a horizontal line does the same for top and bottom.
Pieces SplitIn(int w, int h, double rest, bool verticalSplit, int firstX, int firstY) {
    Pieces pieces{{SlideLayer::Old, {0, 0, w, h}, 0, 0}};
    if (verticalSplit) {
        const int half = w / 2;
        pieces.push_back({SlideLayer::New, {0, 0, half, h}, firstX * Part(half, rest), firstY * Part(h, rest)});
        pieces.push_back(
            {SlideLayer::New, {half, 0, w - half, h}, -firstX * Part(w - half, rest), -firstY * Part(h, rest)});
    } else {
        const int half = h / 2;
        pieces.push_back({SlideLayer::New, {0, 0, w, half}, firstX * Part(w, rest), firstY * Part(half, rest)});
        pieces.push_back(
            {SlideLayer::New, {0, half, w, h - half}, -firstX * Part(w, rest), -firstY * Part(h - half, rest)});
    }
    return pieces;
}

// The new slide opening from the middle while the old one's halves are pushed apart.
Pieces PushApart(int w, int h, double done, bool vertically) {
    Pieces pieces{{SlideLayer::New, {0, 0, w, h}, 0, 0}};
    if (vertically) {
        const int half = h / 2;
        pieces.push_back({SlideLayer::Old, {0, 0, w, half}, 0, -Part(half, done)});
        pieces.push_back({SlideLayer::Old, {0, half, w, h - half}, 0, Part(h - half, done)});
    } else {
        const int half = w / 2;
        pieces.push_back({SlideLayer::Old, {0, 0, half, h}, -Part(half, done), 0});
        pieces.push_back({SlideLayer::Old, {half, 0, w - half, h}, Part(w - half, done), 0});
    }
    return pieces;
}

// Bars across the window, each revealing the new slide from its leading edge.
Pieces Bars(int w, int h, double done, bool vertical, int barCount) {
    Pieces pieces{{SlideLayer::Old, {0, 0, w, h}, 0, 0}};
    const int length = vertical ? w : h;
    const int bar = std::max(1, (length + barCount - 1) / barCount);
    for (int start = 0; start < length; start += bar) {
        const int shown = Part(std::min(bar, length - start), done);
        pieces.push_back(
            {SlideLayer::New, vertical ? PixelRect{start, 0, shown, h} : PixelRect{0, start, w, shown}, 0, 0});
    }
    return pieces;
}

}  // namespace

PixelRect PlacePicture(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight,
                       const DisplayChoice& choice) {
    if (pictureWidth <= 0 || pictureHeight <= 0) return {};
    PixelRect place = SizeFor(pictureWidth, pictureHeight, windowWidth, windowHeight, choice);
    place.X = Align(choice.Horizontal, windowWidth, place.Width);
    place.Y = Align(choice.Vertical, windowHeight, place.Height);
    return place;
}

void DrawPlaced(const PixelBuffer& picture, const DisplayChoice& choice, PixelBuffer& slide) {
    if (!picture.Empty() && !slide.Empty())
        DrawScaled(picture, PlacePicture(picture.Width, picture.Height, slide.Width, slide.Height, choice), slide);
}

PixelBuffer RenderSlide(const PixelBuffer& picture, int windowWidth, int windowHeight, const DisplayChoice& choice) {
    PixelBuffer slide(windowWidth, windowHeight, PixelFromColorValue(choice.BackgroundColor));
    DrawPlaced(picture, choice, slide);
    return slide;
}

std::vector<TransitionPiece> TransitionPieces(int transition, int w, int h, double progress) {
    const double done = std::clamp(progress, 0.0, 1.0), rest = 1.0 - done;
    const auto centred = [&](double shareX, double shareY) {
        const int width = Part(w, shareX), height = Part(h, shareY);
        return PixelRect{(w - width) / 2, (h - height) / 2, width, height};
    };
    // The cases are the stored transition numbers, in the order of the transition list.
    switch (transition) {
        case 3:
            return SlideIn(w, h, rest, -1, 0);
        case 4:
            return SlideIn(w, h, rest, 1, 0);
        case 5:
            return SlideIn(w, h, rest, 0, -1);
        case 6:
            return SlideIn(w, h, rest, 0, 1);
        case 7:
            return SlideIn(w, h, rest, -1, -1);
        case 8:
            return SlideIn(w, h, rest, 1, -1);
        case 9:
            return SlideIn(w, h, rest, -1, 1);
        case 10:
            return SlideIn(w, h, rest, 1, 1);
        case 11:
            return Reveal(w, h, {0, 0, Part(w, done), h});
        case 12:
            return SplitIn(w, h, rest, true, -1, 0);
        case 13:
            return SplitIn(w, h, rest, false, 0, -1);
        case 14:
            return SplitIn(w, h, rest, true, -1, -1);
        case 15:
            return SplitIn(w, h, rest, true, -1, 1);
        case 16:
            return SplitIn(w, h, rest, false, -1, -1);
        case 17:
            return SplitIn(w, h, rest, false, 1, -1);
        case 18:
            return SlideOff(w, h, done, 1, 0);
        case 19:
            return SlideOff(w, h, done, -1, 0);
        case 20:
            return SlideOff(w, h, done, 0, 1);
        case 21:
            return SlideOff(w, h, done, 0, -1);
        case 22:
            return Reveal(w, h, {w - Part(w, done), 0, Part(w, done), h});
        case 23:
            return Reveal(w, h, {0, 0, w, Part(h, done)});
        case 24:
            return Reveal(w, h, {0, h - Part(h, done), w, Part(h, done)});
        case 25:
            return Reveal(w, h, centred(done, done));
        case 26:
            return Reveal(w, h, centred(1.0, done));
        case 27:
            return Reveal(w, h, centred(done, 1.0));
        case 28:
            return PushApart(w, h, done, true);
        case 29:
            return PushApart(w, h, done, false);
        case 30:
            return Bars(w, h, done, true, 32);
        case 31:
            return Bars(w, h, done, true, 8);
        case 32:
            return Bars(w, h, done, false, 32);
        case 33:
            return Bars(w, h, done, false, 8);
        default:
            return {{done >= 1.0 ? SlideLayer::New : SlideLayer::Old, {0, 0, w, h}, 0, 0}};
    }
}

void ComposeTransition(const PixelBuffer& oldSlide, const PixelBuffer& newSlide, int transition, double progress,
                       PixelBuffer& target) {
    for (const TransitionPiece& piece : TransitionPieces(transition, target.Width, target.Height, progress)) {
        const PixelBuffer& slide = piece.Layer == SlideLayer::Old ? oldSlide : newSlide;
        if (slide.Empty())
            FillRect(piece.Source, piece.OffsetX, piece.OffsetY, target);
        else
            CopyRect(slide, piece.Source, piece.OffsetX, piece.OffsetY, target);
    }
}

void CopyPicture(const PixelBuffer& source, int x, int y, PixelBuffer& target) {
    CopyRect(source, {0, 0, source.Width, source.Height}, x, y, target);
}

void FillAround(PixelRect keep, Pixel fill, PixelBuffer& target) {
    const PixelRect inner = Clipped(keep, 0, 0, target);
    FillRect({0, 0, target.Width, inner.Y}, 0, 0, target, fill);
    FillRect({0, inner.Y + inner.Height, target.Width, target.Height}, 0, 0, target, fill);
    FillRect({0, inner.Y, inner.X, inner.Height}, 0, 0, target, fill);
    FillRect({inner.X + inner.Width, inner.Y, target.Width, inner.Height}, 0, 0, target, fill);
}

void Darken(PixelRect area, int keepPercent, PixelBuffer& target) {
    const PixelRect clip = Clipped(area, 0, 0, target);
    const std::uint32_t keep = std::uint32_t(std::clamp(keepPercent, 0, 100)) * 256 / 100;
    for (int y = clip.Y; y < clip.Y + clip.Height; ++y)
        for (Pixel* pixel = target.Row(y) + clip.X; pixel != target.Row(y) + clip.X + clip.Width; ++pixel) {
            // Red and blue scale together in one multiply, green in another.
            const Pixel redBlue = ((*pixel & 0x00FF00FFu) * keep >> 8) & 0x00FF00FFu;
            const Pixel green = ((*pixel & 0x0000FF00u) * keep >> 8) & 0x0000FF00u;
            *pixel = OpaqueBlack | redBlue | green;
        }
}

}  // namespace velvora
