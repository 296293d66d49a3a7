// Timer, keys, buttons and painting of keltview's window.
#include "viewer/win32/ViewerWindow.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "viewer/win32/Win32Text.h"

namespace velvora {
namespace {

constexpr wchar_t ViewerWindowClass[] = L"VelvoraViewerWindow";
// Frames at about 30 per second.
constexpr UINT FrameIntervalMs = 33;
constexpr UINT_PTR FrameTimer = 1;
constexpr int WindowedClientWidth = 1024;
constexpr int WindowedClientHeight = 768;
// Children are left out of the window's own painting, so frames never draw over the buttons.
constexpr DWORD FullScreenStyle = WS_POPUP | WS_CLIPCHILDREN;
constexpr DWORD WindowedStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

WindowFrame FullScreenFrame() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& screen = monitor.rcMonitor;
    return {FullScreenStyle, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top};
}

WindowFrame WindowedFrame() {
    RECT outer{0, 0, WindowedClientWidth, WindowedClientHeight};
    AdjustWindowRectEx(&outer, WindowedStyle, FALSE, 0);
    return {WindowedStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace

ViewerWindow::ViewerWindow(SlideShow show, std::uint32_t seed)
    : show_(std::move(show)), player_(show_, seed), renderer_(show_) {}

void ViewerWindow::Open(bool fullScreen, int showCommand) {
    if (!Create(ViewerWindowClass, WideFromStored(show_.Title()), fullScreen ? FullScreenFrame() : WindowedFrame()))
        throw std::runtime_error("The viewer window could not be opened.");
    if (show_.Option("ViewerShowToolbar")) toolbar_.emplace().Create(Handle());
    Show(showCommand);
    SetFocus(Handle());
    Play();
}

void ViewerWindow::Play() {
    startTicks_ = GetTickCount64();
    player_.Start(Now());
    // The timer first: a show that ends at once destroys the window, and the timer with it.
    if (!SetTimer(Handle(), FrameTimer, FrameIntervalMs, nullptr))
        throw std::runtime_error("The viewer could not start its clock.");
    PlayFrame();
}

std::int64_t ViewerWindow::Now() const { return static_cast<std::int64_t>(GetTickCount64() - startTicks_); }

void ViewerWindow::PlayFrame() {
    player_.Tick(Now());
    if (player_.ExitRequested()) {
        DestroyWindow(Handle());
        return;
    }
    RenderFrame();
}

void ViewerWindow::RenderFrame() {
    const RECT area = SlideArea();
    const int width = area.right - area.left, height = area.bottom - area.top;
    // A minimised window has no area to draw; the next WM_SIZE brings the frames back.
    if (width <= 0 || height <= 0) return;
    renderer_.Render(player_, width, height, frame_);
    canvas_.Update(frame_);
    InvalidateRect(Handle(), &area, FALSE);
}

void ViewerWindow::NextPhoto() {
    player_.Next(Now());
    PlayFrame();
}

void ViewerWindow::PreviousPhoto() {
    player_.Previous(Now());
    PlayFrame();
}

void ViewerWindow::TogglePause() {
    player_.TogglePause(Now());
    if (toolbar_) toolbar_->ShowPaused(player_.State() == PlayState::Paused);
}

RECT ViewerWindow::SlideArea() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    client.top = std::min<LONG>(client.bottom, client.top + ToolbarHeight());
    return client;
}

bool ViewerWindow::HandleKey(WPARAM key) {
    switch (key) {
        case VK_SPACE:
        case VK_RIGHT:
        case VK_NEXT: NextPhoto(); return true;
        case VK_LEFT:
        case VK_PRIOR: PreviousPhoto(); return true;
        case 'P': TogglePause(); return true;
        case VK_ESCAPE: DestroyWindow(Handle()); return true;
        default: return false;
    }
}

void ViewerWindow::HandleCommand(PlaybackCommand command) {
    switch (command) {
        case PlaybackCommand::Previous: PreviousPhoto(); break;
        case PlaybackCommand::Pause: TogglePause(); break;
        case PlaybackCommand::Next: NextPhoto(); break;
        case PlaybackCommand::Exit: DestroyWindow(Handle()); return;
    }
    // A clicked button holds the focus; the keys go back to the show.
    SetFocus(Handle());
}

void ViewerWindow::Paint() {
    PAINTSTRUCT paint;
    const HDC target = BeginPaint(Handle(), &paint);
    RECT client{};
    GetClientRect(Handle(), &client);
    RECT strip = client;
    strip.bottom = std::min<LONG>(client.bottom, ToolbarHeight());
    FillRect(target, &strip, GetSysColorBrush(COLOR_BTNFACE));
    const RECT area = SlideArea();
    if (canvas_.Empty()) FillRect(target, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    else canvas_.Draw(target, area.left, area.top);
    EndPaint(Handle(), &paint);
}

LRESULT ViewerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam != FrameTimer) break;
            PlayFrame();
            return 0;
        case WM_SIZE:
            RenderFrame();
            return 0;
        case WM_KEYDOWN:
            if (HandleKey(wParam)) return 0;
            break;
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            HandleCommand(static_cast<PlaybackCommand>(LOWORD(wParam)));
            return 0;
        case WM_ERASEBKGND:
            // Paint covers the whole client area; erasing first would only flicker.
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_DESTROY:
            KillTimer(Handle(), FrameTimer);
            PostQuitMessage(0);
            return 0;
        default: break;
    }
    return Win32Window::HandleMessage(message, wParam, lParam);
}

}  // namespace velvora
