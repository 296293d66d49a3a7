// zorbstub: the program at the front of every published show. It finds the viewer program
// packed behind the marker in its own file, writes it to a temporary program file, runs it
// on this file, waits for it and removes it again.
#include <windows.h>

#include <exception>
#include <stdexcept>
#include <string>

#include "compression/Stream.h"
#include "publish/PackageFormat.h"
#include "viewer/common/PublishedViewer.h"
#include "viewer/win32/Win32FileStream.h"
#include "viewer/win32/Win32Text.h"

namespace {

using namespace velvora;

constexpr const char* TemporaryFolderError = "The slide show viewer could not be written to the temporary folder.";

[[noreturn]] void ThrowTemporaryFolderError() { throw std::runtime_error(TemporaryFolderError); }

std::wstring TemporaryFolder() {
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) ThrowTemporaryFolderError();
    return {folder, length};
}

// An empty "*.exe" file under a name nobody else holds; removed with the object. The
// name is taken by creating the file exclusively, so two shows started at once never
// share a viewer copy.
class TemporaryProgram {
public:
    TemporaryProgram() {
        const std::wstring stem = TemporaryFolder() + L"zorb" + std::to_wstring(GetCurrentProcessId()) + L"-";
        for (unsigned attempt = 0; attempt < 1000; ++attempt) {
            path_ = stem + std::to_wstring(attempt) + L".exe";
            const HANDLE file =
                CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                CloseHandle(file);
                return;
            }
            if (GetLastError() != ERROR_FILE_EXISTS) break;
        }
        ThrowTemporaryFolderError();
    }
    ~TemporaryProgram() {
        // The system may hold the image of a program that has just ended for a moment.
        for (int attempt = 0; attempt < 20 && !DeleteFileW(path_.c_str()); ++attempt) Sleep(100);
    }
    TemporaryProgram(const TemporaryProgram&) = delete;
    TemporaryProgram& operator=(const TemporaryProgram&) = delete;

    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

void WriteViewer(TStream& published, const ViewerPrefix& prefix, const TemporaryProgram& program) {
    try {
        Win32FileStream file(program.Path(), Win32FileStream::Mode::Create);
        ExtractViewer(published, prefix, file);
        file.Close();
    } catch (const EStreamError&) {
        ThrowTemporaryFolderError();
    }
}

// Runs `program` with `argument` as its one argument and returns its exit code.
DWORD RunAndWait(const std::wstring& program, const std::wstring& argument) {
    std::wstring commandLine = L"\"" + program + L"\" \"" + argument + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        throw std::runtime_error("The slide show viewer could not be started.");
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    return exitCode;
}

DWORD RunShow() {
    const std::wstring ownPath = OwnProgramPath();
    Win32FileStream published(ownPath, Win32FileStream::Mode::Read);
    const ViewerPrefix prefix = ReadViewerPrefix(StreamByteSource(published));
    const TemporaryProgram viewer;
    WriteViewer(published, prefix, viewer);
    return RunAndWait(viewer.Path(), ownPath);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        return static_cast<int>(RunShow());
    } catch (const std::exception& error) {
        ShowFatalError(error.what());
    } catch (...) {
        ShowFatalError("The slide show could not be started.");
    }
    return 1;
}
