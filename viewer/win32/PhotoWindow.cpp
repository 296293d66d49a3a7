// The single-photo window of the photo browser.
#include "viewer/win32/PhotoWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "viewer/core/Compositor.h"
#include "viewer/win32/PhotoCommands.h"
#include "viewer/win32/Win32Text.h"

namespace velvora {
namespace {

constexpr wchar_t PhotoWindowClass[] = L"VelvoraPhotoWindow";
constexpr DWORD PhotoWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// The window opens at the photo's own size, up to this share of the work area.
constexpr int ScreenSharePercent = 85;

// The outer frame for a client area showing `picture` whole, within most of the work area.
WindowFrame FrameFor(const PixelBuffer& picture, HWND owner, bool hasMenu) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int maxWidth = (work.right - work.left) * ScreenSharePercent / 100;
    const int maxHeight = (work.bottom - work.top) * ScreenSharePercent / 100;
    DisplayChoice fit;
    const PixelRect place = PlacePicture(picture.Width, picture.Height, maxWidth, maxHeight, fit);
    const bool fitsAsIs = picture.Width <= maxWidth && picture.Height <= maxHeight;
    RECT outer{0, 0, fitsAsIs ? picture.Width : place.Width, fitsAsIs ? picture.Height : place.Height};
    AdjustWindowRectEx(&outer, PhotoWindowStyle, hasMenu, 0);
    return {PhotoWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, owner};
}

}  // namespace

PhotoWindow::PhotoWindow(const SlideShow& show, const SlidePhoto& photo, const ViewerFeatures& features)
    : show_(show), photo_(photo), features_(features), picture_(show.LoadPicture(photo)) {}

void PhotoWindow::Open(HWND owner) {
    const HMENU menu = CreatePhotoMenu(features_, false, true);
    const std::wstring title = WideFromStored(PhotoTitle(photo_));
    if (!Create(PhotoWindowClass, title, FrameFor(picture_, owner, menu != nullptr))) {
        if (menu) DestroyMenu(menu);
        throw std::runtime_error("The photo's window could not be opened.");
    }
    if (menu) SetMenu(Handle(), menu);
    Fit();
    Show(SW_SHOWNORMAL);
}

// The photo best fit on black in the client area, never enlarged past its own size.
void PhotoWindow::Fit() {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return;
    DisplayChoice fit;
    if (picture_.Width <= width && picture_.Height <= height) fit.Size = SizeIndex::ActualSize;
    fitted_ = RenderSlide(picture_, width, height, fit);
    canvas_.Update(fitted_);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void PhotoWindow::Paint() {
    PAINTSTRUCT paint;
    const HDC target = BeginPaint(Handle(), &paint);
    canvas_.Draw(target, 0, 0);
    EndPaint(Handle(), &paint);
}

void PhotoWindow::ShowContextMenu(LPARAM where) {
    const HMENU menu = CreatePhotoMenu(features_, false, false);
    if (!menu) return;
    POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (point.x == -1 && point.y == -1) {  // from the keyboard: at the window's corner
        point = {0, 0};
        ClientToScreen(Handle(), &point);
    }
    const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, Handle(), nullptr);
    DestroyMenu(menu);
    if (chosen) RunPhotoCommand(chosen, Handle(), show_, photo_);
}

LRESULT PhotoWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            Fit();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_CONTEXTMENU:
            ShowContextMenu(lParam);
            return 0;
        case WM_COMMAND:
            if (RunPhotoCommand(LOWORD(wParam), Handle(), show_, photo_)) return 0;
            break;
        case WM_KEYDOWN:
            if (wParam != VK_ESCAPE) break;
            DestroyWindow(Handle());
            return 0;
        default:
            break;
    }
    return Win32Window::HandleMessage(message, wParam, lParam);
}

}  // namespace velvora
