// Window class registration and message routing for Win32Window.
#include "viewer/win32/Win32Window.h"

#include <utility>

namespace velvora {

Win32Window::~Win32Window() {
    if (window_) {
        // Detach first so that the messages of the destruction no longer reach this object.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

bool Win32Window::RegisterClassOnce(const wchar_t* className) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, className, &existing)) return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = &Win32Window::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0;
}

bool Win32Window::Create(const wchar_t* className, const std::wstring& title, const WindowFrame& frame) {
    if (!RegisterClassOnce(className)) return false;
    window_ = CreateWindowExW(0, className, title.c_str(), frame.Style, frame.X, frame.Y, frame.Width, frame.Height,
                              frame.Owner, nullptr, GetModuleHandleW(nullptr), this);
    return window_ != nullptr;
}

void Win32Window::Show(int showCommand) const {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

int Win32Window::RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (pendingError_) std::rethrow_exception(std::exchange(pendingError_, nullptr));
    return static_cast<int>(message.wParam);
}

LRESULT Win32Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK Win32Window::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The owner arrives with the first message; keep it with the window from then on.
        auto* owner = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        owner->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
    auto* owner = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!owner) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = Dispatch(*owner, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The last message of the window: the owner must not destroy it a second time.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        owner->window_ = nullptr;
    }
    return result;
}

LRESULT Win32Window::Dispatch(Win32Window& owner, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return owner.HandleMessage(message, wParam, lParam);
    } catch (...) {
        // Keep the first error; the messages of the window's destruction may fail as well.
        if (!pendingError_) pendingError_ = std::current_exception();
        PostQuitMessage(1);
        return DefWindowProcW(owner.window_, message, wParam, lParam);
    }
}

}  // namespace velvora
