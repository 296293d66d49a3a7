// Timer, keys, buttons and painting of keltview's window.
#include "viewer/win32/ViewerWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include "viewer/win32/PhotoCommands.h"
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

MONITORINFO PrimaryMonitor() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor;
}

WindowFrame FullScreenFrame() {
    const RECT screen = PrimaryMonitor().rcMonitor;
    return {FullScreenStyle, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top};
}

// Centred on the primary screen's work area.
WindowFrame WindowedFrame() {
    RECT outer{0, 0, WindowedClientWidth, WindowedClientHeight};
    AdjustWindowRectEx(&outer, WindowedStyle, FALSE, 0);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    const RECT work = PrimaryMonitor().rcWork;
    const int left = work.left + std::max<int>(0, (work.right - work.left - width) / 2);
    const int top = work.top + std::max<int>(0, (work.bottom - work.top - height) / 2);
    return {WindowedStyle, left, top, width, height};
}

ViewerKey KeyOf(WPARAM key) {
    switch (key) {
        case VK_SPACE:
            return ViewerKey::Space;
        case VK_RIGHT:
            return ViewerKey::Right;
        case VK_NEXT:
            return ViewerKey::PageDown;
        case VK_LEFT:
            return ViewerKey::Left;
        case VK_PRIOR:
            return ViewerKey::PageUp;
        case VK_HOME:
            return ViewerKey::Home;
        case VK_END:
            return ViewerKey::End;
        case 'P':
            return ViewerKey::P;
        case VK_PAUSE:
            return ViewerKey::Pause;
        case VK_F1:
            return ViewerKey::F1;
        case VK_F11:
            return ViewerKey::F11;
        case VK_ESCAPE:
            return ViewerKey::Escape;
        default:
            return ViewerKey::Other;
    }
}

}  // namespace

ViewerWindow::ViewerWindow(SlideShow show, std::uint32_t seed) : ViewerSession(std::move(show), seed) {}

void ViewerWindow::Open(bool fullScreen, int showCommand) {
    fullScreen_ = fullScreen;
    if (!Create(ViewerWindowClass, WideFromStored(Slides().Title()), fullScreen ? FullScreenFrame() : WindowedFrame()))
        throw std::runtime_error("The viewer window could not be opened.");
    if (Features().Toolbar) toolbar_.emplace().Create(Handle(), Features());
    Show(showCommand);
    SetFocus(Handle());
    Play();
}

void ViewerWindow::Play() {
    startTicks_ = GetTickCount64();
    // The timer first: a show that ends at once destroys the window, and the timer with it.
    if (!SetTimer(Handle(), FrameTimer, FrameIntervalMs, nullptr))
        throw std::runtime_error("The viewer could not start its clock.");
    StartShow();
}

std::int64_t ViewerWindow::Now() const { return static_cast<std::int64_t>(GetTickCount64() - startTicks_); }

void ViewerWindow::ShowPosition(const std::string& text) {
    if (toolbar_) toolbar_->ShowPosition(WideFromStored(text));
}

int ViewerWindow::DoubleClickMs() const { return static_cast<int>(GetDoubleClickTime()); }

void ViewerWindow::CloseViewer() { DestroyWindow(Handle()); }

// Polled with every frame: the moves over the buttons go to the buttons, not to this window.
void ViewerWindow::UpdatePointer() {
    POINT at{};
    if (GetCursorPos(&at)) pointer_.Observe(at.x, at.y, Now());
    const bool hidden = pointer_.Hidden(fullScreen_, Now());
    if (hidden == pointerHidden_) return;
    pointerHidden_ = hidden;
    // WM_SETCURSOR keeps it so from now on; this changes it without waiting for a move.
    if (GetForegroundWindow() == Handle()) SetCursor(hidden ? nullptr : LoadCursorW(nullptr, IDC_ARROW));
}

void ViewerWindow::RenderFrame() {
    const RECT area = SlideArea();
    const int width = area.right - area.left, height = area.bottom - area.top;
    // A minimised window has no area to draw; the next WM_SIZE brings the frames back.
    if (width <= 0 || height <= 0) return;
    Screen().Render(width, height, frame_);
    caption_.Prepare(Screen().Caption(), Screen().CaptionSlide(), frame_);
    canvas_.Update(frame_);
    caption_.Draw(canvas_.Context());
    InvalidateRect(Handle(), &area, FALSE);
}

// The WM_SIZE of the new frame draws the slides for its size.
void ViewerWindow::ToggleFullScreen() {
    fullScreen_ = !fullScreen_;
    const WindowFrame frame = fullScreen_ ? FullScreenFrame() : WindowedFrame();
    SetWindowLongPtrW(Handle(), GWL_STYLE, static_cast<LONG_PTR>(frame.Style | WS_VISIBLE));
    SetWindowPos(Handle(), nullptr, frame.X, frame.Y, frame.Width, frame.Height,
                 SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    UpdatePointer();
}

bool ViewerWindow::RaisePhotoList() {
    if (!photoBrowser_ || !photoBrowser_->Handle()) return false;
    SetForegroundWindow(photoBrowser_->Handle());
    return true;
}

void ViewerWindow::OpenPhotoList() {
    photoBrowser_ = std::make_unique<PhotoBrowser>(Slides(), Features(), [this] {
        PhotosClosed();
        if (Handle()) SetFocus(Handle());
    });
    try {
        photoBrowser_->Open(Handle());
    } catch (const std::exception& error) {
        ShowCommandError(Handle(), error.what());
    }
}

void ViewerWindow::ShowPauseState() {
    if (toolbar_) toolbar_->ShowPaused(Screen().State() == PlayState::Paused);
}

RECT ViewerWindow::SlideArea() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    client.top = std::min<LONG>(client.bottom, client.top + ToolbarHeight());
    return client;
}

bool ViewerWindow::HandleKey(WPARAM key) {
    const ViewerCommand command = CommandForKey(KeyOf(key), Features().PhotoBrowser, AboutOpen());
    Run(command);
    return command != ViewerCommand::None;
}

bool ViewerWindow::OnSlides(LPARAM clientPoint) const {
    const RECT area = SlideArea();
    const POINT at{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    return PtInRect(&area, at) != FALSE;
}

void ViewerWindow::HandleCommand(PlaybackCommand command) {
    switch (command) {
        case PlaybackCommand::Previous:
            Run(ViewerCommand::Previous);
            break;
        case PlaybackCommand::Pause:
            Run(ViewerCommand::TogglePause);
            break;
        case PlaybackCommand::Next:
            Run(ViewerCommand::Next);
            break;
        case PlaybackCommand::About:
            Run(ViewerCommand::ShowAbout);
            break;
        case PlaybackCommand::Photos:
            Run(ViewerCommand::ShowPhotos);
            return;
        case PlaybackCommand::Exit:
            Run(ViewerCommand::Exit);
            return;
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
    if (canvas_.Empty())
        FillRect(target, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    else
        canvas_.Draw(target, area.left, area.top);
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
        case WM_LBUTTONDOWN:
            if (OnSlides(lParam)) SlidePressed();
            return 0;
        case WM_LBUTTONDBLCLK:
            if (OnSlides(lParam)) SlideDoubleClicked();
            return 0;
        case WM_MOUSEWHEEL:
            Wheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_SETCURSOR:
            if (!pointerHidden_ || LOWORD(lParam) != HTCLIENT) break;
            SetCursor(nullptr);
            return TRUE;
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
        default:
            break;
    }
    return Win32Window::HandleMessage(message, wParam, lParam);
}

}  // namespace velvora
