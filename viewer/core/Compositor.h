// Drawing slides: a photo placed on its background by its size mode and alignment, and two
// such slides combined by a transition at a given progress.
#pragma once

#include <vector>

#include "viewer/core/PixelBuffer.h"
#include "viewer/core/SlideSettings.h"

namespace velvora {

// Where a picture of pictureWidth x pictureHeight lands in a window of windowWidth x
// windowHeight under `choice`'s size mode and alignment. The rectangle may reach past the
// window (actual size of a large photo, fit width of a tall one); the window clips it.
// A custom size of 0 pixels is shown best fit.
PixelRect PlacePicture(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight,
                       const DisplayChoice& choice);

// Draws `picture` scaled into its place on `slide` under `choice`; an empty picture draws nothing.
void DrawPlaced(const PixelBuffer& picture, const DisplayChoice& choice, PixelBuffer& slide);

// A whole-window slide: `choice`'s background, with `picture` scaled into its place. An
// empty picture (one that could not be decoded) leaves the background alone.
PixelBuffer RenderSlide(const PixelBuffer& picture, int windowWidth, int windowHeight, const DisplayChoice& choice);

// Which slide a piece of a transition frame comes from.
enum class SlideLayer { Old, New };

// A rectangle of one slide drawn moved by (OffsetX, OffsetY). A transition frame is its
// pieces drawn in order, the first covering the whole window.
struct TransitionPiece {
    SlideLayer Layer = SlideLayer::Old;
    PixelRect Source;
    int OffsetX = 0;
    int OffsetY = 0;
    bool operator==(const TransitionPiece&) const = default;
};

// The pieces of `transition` (an index of the transition list; Default and Random count as
// None) at `progress`, clamped to [0, 1], for slides of width x height. At 0 the frame is
// the old slide, at 1 the new one.
std::vector<TransitionPiece> TransitionPieces(int transition, int width, int height, double progress);

// Draws the frame of `transition` at `progress` from two slides of target's size into
// `target`. Either slide may be empty, which draws as black.
void ComposeTransition(const PixelBuffer& oldSlide, const PixelBuffer& newSlide, int transition, double progress,
                       PixelBuffer& target);

// Copies all of `source` into `target` with its top-left corner at (x, y), clipped to target.
void CopyPicture(const PixelBuffer& source, int x, int y, PixelBuffer& target);

// Fills `target` outside `keep` with `fill`.
void FillAround(PixelRect keep, Pixel fill, PixelBuffer& target);

// Darkens `area` of `target` (clipped to it) to `keepPercent` of its brightness, so that
// light text stays legible over any picture.
void Darken(PixelRect area, int keepPercent, PixelBuffer& target);

}  // namespace velvora
