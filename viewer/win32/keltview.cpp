// keltview: the slide-show viewer for Windows. The stub starts it with the full path of
// the published file as its one argument; "--window" before the path plays the show in a
// window instead of full screen.
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "viewer/core/SlideShow.h"
#include "viewer/win32/ViewerWindow.h"
#include "viewer/win32/Win32FileSource.h"
#include "viewer/win32/Win32Text.h"

namespace {

using namespace velvora;

struct ViewerArguments {
    std::wstring Path;
    bool Windowed = false;
};

std::vector<std::wstring> CommandLineArguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> list(arguments + (arguments ? 1 : 0), arguments + (arguments ? count : 0));
    LocalFree(arguments);
    return list;
}

ViewerArguments ParseArguments(const std::vector<std::wstring>& arguments) {
    ViewerArguments parsed;
    std::size_t next = 0;
    if (next < arguments.size() && arguments[next] == L"--window") {
        parsed.Windowed = true;
        ++next;
    }
    if (arguments.size() != next + 1 || arguments[next].empty())
        throw std::runtime_error("Start the viewer with the path of a published slide show.");
    parsed.Path = arguments[next];
    return parsed;
}

SlideShow OpenShow(const std::wstring& path) {
    try {
        return SlideShow::Read(std::make_unique<Win32FileSource>(path));
    } catch (const std::exception& error) {
        throw std::runtime_error("The slide show \"" + Utf8FromWide(path) + "\" cannot be played.\r\n" + error.what());
    }
}

// Each run settles "Random" afresh.
std::uint32_t FreshSeed() {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<std::uint32_t>(counter.QuadPart) ^ (GetCurrentProcessId() << 16);
}

int RunViewer(int showCommand) {
    // Photos are drawn pixel for pixel; a program that does not say so is stretched as a
    // whole bitmap on screens scaled above 100 %, which blurs every slide.
    SetProcessDPIAware();
    const ViewerArguments arguments = ParseArguments(CommandLineArguments());
    ViewerWindow window(OpenShow(arguments.Path), FreshSeed());
    window.Open(!arguments.Windowed, showCommand);
    return Win32Window::RunMessageLoop();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    try {
        return RunViewer(showCommand);
    } catch (const std::exception& error) {
        ShowFatalError(error.what());
    } catch (...) {
        ShowFatalError("The slide show could not be shown.");
    }
    return 1;
}
