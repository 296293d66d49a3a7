// UTF-8 and UTF-16 conversion, the program's own path and the error box.
#include "viewer/win32/Win32Text.h"

#include <windows.h>

namespace velvora {

namespace {

constexpr UINT Windows1252 = 1252;

std::wstring WideFromCodePage(std::string_view text, UINT codePage, DWORD flags) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

std::wstring WideFromStored(std::string_view text) {
    std::wstring wide = WideFromCodePage(text, CP_UTF8, MB_ERR_INVALID_CHARS);
    return wide.empty() ? WideFromCodePage(text, Windows1252, 0) : wide;
}

std::string Utf8FromWide(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::wstring OwnProgramPath() {
    // GetModuleFileNameW truncates silently; a result that fills the buffer may be cut.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void ShowFatalError(std::string_view message) {
    // A window that failed and was destroyed has asked its message loop to end; the box's own
    // loop would take that request and close the box before anyone could read it.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    MessageBoxW(nullptr, WideFromStored(message).c_str(), L"Slide show", MB_OK | MB_ICONERROR);
}

}  // namespace velvora
