// Timer, keys, buttons and painting of keltview's window.
#include "viewer/win32/ViewerWindow.h"

#include <algorithm>
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
    : show_(std::move(show)), features_(ViewerFeaturesOf(show_)), screen_(show_, seed) {}

void ViewerWindow::Open(bool fullScreen, int showCommand) {
    if (!Create(ViewerWindowClass, WideFromStored(show_.Title()), fullScreen ? FullScreenFrame() : WindowedFrame()))
        throw std::runtime_error("The viewer window could not be opened.");
    if (features_.Toolbar) toolbar_.emplace().Create(Handle(), features_);
    Show(showCommand);
    SetFocus(Handle());
    Play();
}

void ViewerWindow::Play() {
    startTicks_ = GetTickCount64();
    screen_.Start(Now());
    // The timer first: a show that ends at once destroys the window, and the timer with it.
    if (!SetTimer(Handle(), FrameTimer, FrameIntervalMs, nullptr))
        throw std::runtime_error("The viewer could not start its clock.");
    PlayFrame();
}

std::int64_t ViewerWindow::Now() const { return static_cast<std::int64_t>(GetTickCount64() - startTicks_); }

void ViewerWindow::PlayFrame() {
    const bool aboutWasOpen = screen_.AboutOpen();
    screen_.Tick(Now());
    if (screen_.ExitRequested()) {
        DestroyWindow(Handle());
        return;
    }
    if (aboutWasOpen != screen_.AboutOpen()) ShowPauseState();
    RenderFrame();
}

void ViewerWindow::RenderFrame() {
    const RECT area = SlideArea();
    const int width = area.right - area.left, height = area.bottom - area.top;
    // A minimised window has no area to draw; the next WM_SIZE brings the frames back.
    if (width <= 0 || height <= 0) return;
    screen_.Render(width, height, frame_);
    caption_.Prepare(screen_.Caption(), screen_.CaptionSlide(), frame_);
    canvas_.Update(frame_);
    caption_.Draw(canvas_.Context());
    InvalidateRect(Handle(), &area, FALSE);
}

void ViewerWindow::NextPhoto() {
    screen_.Next(Now());
    PlayFrame();
}

void ViewerWindow::PreviousPhoto() {
    screen_.Previous(Now());
    PlayFrame();
}

void ViewerWindow::TogglePause() {
    screen_.TogglePause(Now());
    ShowPauseState();
}

void ViewerWindow::ShowAbout() {
    screen_.OpenAbout(Now());
    ShowPauseState();
    PlayFrame();
}

void ViewerWindow::CloseAbout() {
    if (!screen_.AboutOpen()) return;
    screen_.CloseAbout(Now());
    ShowPauseState();
    PlayFrame();
}

// The show waits while the user looks through its photos, and goes on when the list closes.
void ViewerWindow::ShowPhotos() {
    if (!features_.PhotoBrowser) return;
    if (photoBrowser_ && photoBrowser_->Handle()) {
        SetForegroundWindow(photoBrowser_->Handle());
        return;
    }
    CloseAbout();
    resumeAfterPhotos_ = screen_.State() == PlayState::Playing;
    if (resumeAfterPhotos_) TogglePause();
    photoBrowser_ = std::make_unique<PhotoBrowser>(show_, features_, [this] { PhotosClosed(); });
    try {
        photoBrowser_->Open(Handle());
    } catch (const std::exception& error) {
        ShowCommandError(Handle(), error.what());
    }
}

void ViewerWindow::PhotosClosed() {
    if (resumeAfterPhotos_ && screen_.State() == PlayState::Paused) TogglePause();
    resumeAfterPhotos_ = false;
    if (Handle()) SetFocus(Handle());
}

void ViewerWindow::ShowPauseState() const {
    if (toolbar_) toolbar_->ShowPaused(screen_.State() == PlayState::Paused);
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
        case VK_NEXT:
            NextPhoto();
            return true;
        case VK_LEFT:
        case VK_PRIOR:
            PreviousPhoto();
            return true;
        case 'P':
            // With the photo list allowed, P opens it; Pause still pauses.
            if (features_.PhotoBrowser)
                ShowPhotos();
            else
                TogglePause();
            return true;
        case VK_PAUSE:
            TogglePause();
            return true;
        case VK_F1:
            ShowAbout();
            return true;
        case VK_ESCAPE:
            if (screen_.AboutOpen())
                CloseAbout();
            else
                DestroyWindow(Handle());
            return true;
        default:
            return false;
    }
}

void ViewerWindow::HandleCommand(PlaybackCommand command) {
    switch (command) {
        case PlaybackCommand::Previous:
            PreviousPhoto();
            break;
        case PlaybackCommand::Pause:
            TogglePause();
            break;
        case PlaybackCommand::Next:
            NextPhoto();
            break;
        case PlaybackCommand::About:
            ShowAbout();
            break;
        case PlaybackCommand::Photos:
            ShowPhotos();
            return;
        case PlaybackCommand::Exit:
            DestroyWindow(Handle());
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
            CloseAbout();
            return 0;
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
