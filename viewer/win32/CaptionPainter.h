// Writes a photo's caption on the viewer's frames: the wrapped text sizes a band over the
// bottom of the slide, the band is darkened on the frame, and once the frame is on the
// canvas the text is written on it in white.
#pragma once

#include <windows.h>

#include <string>

#include "viewer/core/PixelBuffer.h"

namespace velvora {

class CaptionPainter {
public:
    CaptionPainter() = default;
    ~CaptionPainter();
    CaptionPainter(const CaptionPainter&) = delete;
    CaptionPainter& operator=(const CaptionPainter&) = delete;

    // Darkens the band for `caption` (stored text) over the bottom of `slide` on `frame` and
    // keeps where the text goes; an empty caption leaves the frame alone.
    void Prepare(const std::string& caption, PixelRect slide, PixelBuffer& frame);
    // Writes the prepared caption on `target`, the DC the frame was copied to.
    void Draw(HDC target);

private:
    void UseFontHeight(int height);
    int WrappedHeight(int width);

    HFONT font_ = nullptr;
    int fontHeight_ = 0;
    std::string caption_;
    PixelRect slide_;
    std::wstring text_;
    RECT textArea_{};
    PixelRect band_;
};

}  // namespace velvora
