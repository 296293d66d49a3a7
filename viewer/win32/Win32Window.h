// A thin owner of one top-level Win32 window: registers the window class once, creates the
// window, and routes its messages to the virtual HandleMessage of the object that owns it.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace velvora {

// The window's style and outer rectangle in screen pixels.
struct WindowFrame {
    DWORD Style = WS_OVERLAPPEDWINDOW;
    int X = CW_USEDEFAULT;
    int Y = CW_USEDEFAULT;
    int Width = CW_USEDEFAULT;
    int Height = CW_USEDEFAULT;
    HWND Owner = nullptr;  // an owned window stays above its owner and closes with it
};

class Win32Window {
public:
    Win32Window() = default;
    virtual ~Win32Window();
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // Creates the window hidden, with `title` as its caption; false when Windows refuses.
    bool Create(const wchar_t* className, const std::wstring& title, const WindowFrame& frame);
    void Show(int showCommand) const;
    HWND Handle() const { return window_; }

    // Runs the thread's message loop until WM_QUIT and returns its exit code. An exception
    // thrown while a message was handled ends the loop and is thrown again from here, since
    // it cannot pass through Windows' own frames.
    static int RunMessageLoop();

protected:
    // Messages that a subclass does not handle go to DefWindowProcW.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT Dispatch(Win32Window& owner, UINT message, WPARAM wParam, LPARAM lParam);
    static bool RegisterClassOnce(const wchar_t* className);

    static inline std::exception_ptr pendingError_;
    HWND window_ = nullptr;
};

}  // namespace velvora
