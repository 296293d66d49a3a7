// The DIB section behind the viewer's window.
#include "viewer/win32/DibCanvas.h"

#include <cstring>
#include <stdexcept>

namespace velvora {

DibCanvas::~DibCanvas() { Release(); }

void DibCanvas::Update(const PixelBuffer& frame) {
    if (frame.Empty()) {
        Release();
        return;
    }
    if (frame.Width != width_ || frame.Height != height_) Allocate(frame.Width, frame.Height);
    // GDI may still be drawing from the section; its bits are ours only once it is done.
    GdiFlush();
    std::memcpy(bits_, frame.Pixels.data(), frame.Pixels.size() * sizeof(Pixel));
}

void DibCanvas::Draw(HDC target, int x, int y) const {
    if (!Empty()) BitBlt(target, x, y, width_, height_, memory_, 0, 0, SRCCOPY);
}

void DibCanvas::Allocate(int width, int height) {
    Release();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: rows top down, as the frame keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    memory_ = CreateCompatibleDC(nullptr);
    bitmap_ = memory_ ? CreateDIBSection(memory_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0) : nullptr;
    if (!bitmap_) {
        Release();
        throw std::runtime_error("There is not enough memory to draw the slides at this window size.");
    }
    previousBitmap_ = SelectObject(memory_, bitmap_);
    width_ = width;
    height_ = height;
}

void DibCanvas::Release() {
    if (memory_ && previousBitmap_) SelectObject(memory_, previousBitmap_);
    if (bitmap_) DeleteObject(bitmap_);
    if (memory_) DeleteDC(memory_);
    memory_ = nullptr;
    bitmap_ = nullptr;
    previousBitmap_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
}

}  // namespace velvora
