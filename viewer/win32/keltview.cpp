// keltview: the slide-show viewer for Windows. The stub starts it with the full path of
// the published file as its one argument; it reads the show from there.
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <exception>
#include <stdexcept>
#include <string>

#include "compression/Stream.h"
#include "publish/PackageFormat.h"
#include "viewer/common/PublishedViewer.h"
#include "viewer/win32/ViewerWindow.h"
#include "viewer/win32/Win32FileStream.h"
#include "viewer/win32/Win32Text.h"

namespace {

using namespace velvora;

// The published file named on the command line.
std::wstring PublishedFileArgument() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring path = arguments && count == 2 ? arguments[1] : L"";
    LocalFree(arguments);
    if (path.empty()) throw std::runtime_error("Start the viewer with the path of a published slide show.");
    return path;
}

ViewerPrefix ReadShowPrefix(const std::wstring& path) {
    Win32FileStream published(path, Win32FileStream::Mode::Read);
    return ReadViewerPrefix(StreamByteSource(published));
}

int RunViewer(int showCommand) {
    const ViewerPrefix prefix = ReadShowPrefix(PublishedFileArgument());
    ViewerWindow window(WideFromStored(prefix.Title));
    if (!window.Open(showCommand)) throw std::runtime_error("The viewer window could not be opened.");
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
