// One photo of the show in a window of its own, fitted to the window, with the photo
// commands the show allows in its menu bar and on a right click.
#pragma once

#include "viewer/core/PixelBuffer.h"
#include "viewer/core/SlideShow.h"
#include "viewer/core/ViewerFeatures.h"
#include "viewer/win32/DibCanvas.h"
#include "viewer/win32/Win32Window.h"

namespace velvora {

class PhotoWindow : public Win32Window {
public:
    // Decodes the photo; throws EPictureError or EPackageError when it cannot be shown.
    PhotoWindow(const SlideShow& show, const SlidePhoto& photo, const ViewerFeatures& features);

    // Opens the window above `owner`, sized to the photo within most of the screen. Throws
    // std::runtime_error when Windows refuses.
    void Open(HWND owner);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Fit();
    void Paint();
    void ShowContextMenu(LPARAM where);

    const SlideShow& show_;
    const SlidePhoto& photo_;
    ViewerFeatures features_;
    PixelBuffer picture_;
    PixelBuffer fitted_;
    DibCanvas canvas_;
};

}  // namespace velvora
