// A thin owner of one top-level Win32 window: registers the window class once, creates the
// window, and routes its messages to the virtual HandleMessage of the object that owns it.
#pragma once

#include <windows.h>

#include <string>

namespace velvora {

class Win32Window {
public:
    Win32Window() = default;
    virtual ~Win32Window();
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // Creates the window hidden, with `title` as its caption; false when Windows refuses.
    bool Create(const wchar_t* className, const std::wstring& title, int width, int height);
    void Show(int showCommand) const;
    HWND Handle() const { return window_; }

    // Runs the thread's message loop until WM_QUIT and returns its exit code.
    static int RunMessageLoop();

protected:
    // Messages that a subclass does not handle go to DefWindowProcW.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static bool RegisterClassOnce(const wchar_t* className);

    HWND window_ = nullptr;
};

}  // namespace velvora
