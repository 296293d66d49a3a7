// Painting and keys of the viewer's main window.
#include "viewer/win32/ViewerWindow.h"

namespace velvora {

namespace {

constexpr wchar_t ViewerWindowClass[] = L"VelvoraViewerWindow";
constexpr int InitialWidth = 800;
constexpr int InitialHeight = 600;
constexpr COLORREF TitleColour = RGB(255, 255, 255);

}  // namespace

bool ViewerWindow::Open(int showCommand) {
    if (!Create(ViewerWindowClass, title_, InitialWidth, InitialHeight)) return false;
    Show(showCommand);
    return true;
}

void ViewerWindow::Paint() {
    PAINTSTRUCT paint;
    const HDC canvas = BeginPaint(Handle(), &paint);
    RECT client;
    GetClientRect(Handle(), &client);
    SetBkMode(canvas, TRANSPARENT);
    SetTextColor(canvas, TitleColour);
    DrawTextW(canvas, title_.c_str(), static_cast<int>(title_.size()), &client,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    EndPaint(Handle(), &paint);
}

LRESULT ViewerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                DestroyWindow(Handle());
                return 0;
            }
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return Win32Window::HandleMessage(message, wParam, lParam);
}

}  // namespace velvora
