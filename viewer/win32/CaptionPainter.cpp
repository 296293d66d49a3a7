// GDI text on the viewer's frames.
#include "viewer/win32/CaptionPainter.h"

#include "viewer/core/Compositor.h"
#include "viewer/core/SlideLayout.h"
#include "viewer/win32/Win32Text.h"

namespace velvora {
namespace {

constexpr UINT CaptionFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;

}  // namespace

CaptionPainter::~CaptionPainter() {
    if (font_) DeleteObject(font_);
}

void CaptionPainter::Prepare(const std::string& caption, PixelRect slide, PixelBuffer& frame) {
    if (caption.empty()) {
        text_.clear();
        return;
    }
    // The layout changes only with the photo or the window, not from frame to frame.
    if (caption != caption_ || slide != slide_ || text_.empty()) {
        caption_ = caption;
        slide_ = slide;
        text_ = WideFromStored(caption);
        UseFontHeight(CaptionFontHeight(slide));
        const CaptionLayout layout = PlaceCaption(slide, WrappedHeight(CaptionWrapWidth(slide)));
        band_ = layout.Band;
        textArea_ = {layout.Text.X, layout.Text.Y, layout.Text.X + layout.Text.Width,
                     layout.Text.Y + layout.Text.Height};
    }
    Darken(band_, CaptionBandKeepPercent, frame);
}

void CaptionPainter::Draw(HDC target) {
    if (text_.empty() || !target) return;
    const HGDIOBJ previousFont = SelectObject(target, font_);
    SetBkMode(target, TRANSPARENT);
    SetTextColor(target, RGB(255, 255, 255));
    DrawTextW(target, text_.c_str(), static_cast<int>(text_.size()), &textArea_, CaptionFormat);
    SelectObject(target, previousFont);
}

void CaptionPainter::UseFontHeight(int height) {
    if (font_ && height == fontHeight_) return;
    if (font_) DeleteObject(font_);
    font_ = CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    fontHeight_ = height;
}

int CaptionPainter::WrappedHeight(int width) {
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ previousFont = SelectObject(screen, font_);
    RECT measured{0, 0, width, 0};
    DrawTextW(screen, text_.c_str(), static_cast<int>(text_.size()), &measured, CaptionFormat | DT_CALCRECT);
    SelectObject(screen, previousFont);
    ReleaseDC(nullptr, screen);
    return measured.bottom - measured.top;
}

}  // namespace velvora
