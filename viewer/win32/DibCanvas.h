// The viewer's off-screen picture: a 32-bit top-down DIB section in a memory DC. The core's
// frames have the section's own pixel layout, so a frame is one copy into it and one BitBlt
// out of it, and the section is made again only when the frame's size changes.
#pragma once

#include <windows.h>

#include "viewer/core/PixelBuffer.h"

namespace velvora {

class DibCanvas {
public:
    DibCanvas() = default;
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    // Holds a copy of `frame` from now on. Throws std::runtime_error when GDI has no room
    // for a section of the frame's size; an empty frame empties the canvas.
    void Update(const PixelBuffer& frame);
    bool Empty() const { return bits_ == nullptr; }
    // Copies the picture to `target` with its top-left corner at (x, y); nothing when empty.
    void Draw(HDC target, int x, int y) const;
    // The memory DC holding the picture, for GDI to draw on (text); null when empty.
    HDC Context() const { return memory_; }

private:
    void Allocate(int width, int height);
    void Release();

    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    void* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace velvora
