// zorbstub: the program at the front of every published show. It finds the viewer program
// packed behind the marker in its own file, writes it to a temporary program file, runs it
// on this file, waits for it and removes it again.
//
// Every published file carries this program, so it is built without exceptions, RTTI and
// the C++ library's strings and streams, whose runtime would be most of its size: it
// speaks to Windows alone, keeps text in heap blocks and reports failure by return value.
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <span>

#include "compression/RecordDecoder.h"
#include "package/PackageFormat.h"
#include "viewer/common/PublishedViewer.h"

namespace {

using namespace velvora;

// What went wrong, in the words the user sees; null when nothing did.
using Failure = const wchar_t*;

constexpr Failure NoSlideShow = L"This file holds no slide show.";
constexpr Failure ShowDamaged = L"The slide show in this file is damaged (data past the end of the file).";
constexpr Failure ViewerDamaged = L"The viewer program inside this file is damaged.";
constexpr Failure TemporaryFolderError = L"The slide show viewer could not be written to the temporary folder.";
constexpr Failure StartError = L"The slide show viewer could not be started.";
constexpr Failure GeneralError = L"The slide show could not be started.";

// Heap memory owned by the object, empty until Allocate succeeds.
class HeapBlock {
public:
    HeapBlock() = default;
    explicit HeapBlock(std::size_t size) { Allocate(size); }
    ~HeapBlock() { Free(); }
    HeapBlock(const HeapBlock&) = delete;
    HeapBlock& operator=(const HeapBlock&) = delete;

    // Replaces the memory held with `size` fresh bytes; false when there is no room.
    bool Allocate(std::size_t size) {
        Free();
        data_ = HeapAlloc(GetProcessHeap(), 0, size == 0 ? 1 : size);
        return data_ != nullptr;
    }
    void Free() {
        if (data_) HeapFree(GetProcessHeap(), 0, data_);
        data_ = nullptr;
    }
    explicit operator bool() const { return data_ != nullptr; }
    template <typename T>
    T* As() const {
        return static_cast<T*>(data_);
    }

private:
    void* data_ = nullptr;
};

// Wide text of any length on the heap, joined from pieces. A failed allocation leaves it
// empty, which every caller turns into its own failure.
class WideText {
public:
    WideText(std::initializer_list<const wchar_t*> pieces) : block_(Length(pieces) * sizeof(wchar_t)) {
        if (!block_) return;
        wchar_t* text = block_.As<wchar_t>();
        text[0] = L'\0';
        for (const wchar_t* piece : pieces) lstrcatW(text, piece);
    }
    explicit operator bool() const { return static_cast<bool>(block_); }
    wchar_t* Text() const { return block_.As<wchar_t>(); }

private:
    static std::size_t Length(std::initializer_list<const wchar_t*> pieces) {
        std::size_t length = 1;
        for (const wchar_t* piece : pieces) length += static_cast<std::size_t>(lstrlenW(piece));
        return length;
    }
    HeapBlock block_;
};

// The full path of this program, of any length: GetModuleFileNameW truncates silently, so
// a result that fills the buffer may be cut and is tried again with twice the room.
bool OwnProgramPath(HeapBlock& path) {
    for (DWORD capacity = MAX_PATH; capacity <= 32768 * 2; capacity *= 2) {
        if (!path.Allocate(capacity * sizeof(wchar_t))) return false;
        const DWORD length = GetModuleFileNameW(nullptr, path.As<wchar_t>(), capacity);
        if (length == 0) return false;
        if (length < capacity) return true;
    }
    return false;
}

// This program's own file by handle, for the marker search and the record decoder. A read
// that fails leaves zeros and is remembered, so that the search, which cannot fail on its
// own, ends in an error all the same.
class OwnFile final : public ByteSource, public RecordInput {
public:
    explicit OwnFile(const wchar_t* path)
        : file_(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr)) {
        LARGE_INTEGER size{};
        if (file_ == INVALID_HANDLE_VALUE || !GetFileSizeEx(file_, &size)) failed_ = true;
        size_ = static_cast<std::uint64_t>(size.QuadPart);
    }
    ~OwnFile() override {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    OwnFile(const OwnFile&) = delete;
    OwnFile& operator=(const OwnFile&) = delete;

    bool Failed() const { return failed_; }
    std::uint64_t Size() const override { return size_; }

    void ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) const override {
        if (!Seek(offset) || !ReadAll(bytes)) {
            failed_ = true;
            for (std::uint8_t& byte : bytes) byte = 0;
        }
    }
    bool Read(std::span<std::uint8_t> bytes) override { return ReadAll(bytes); }

    bool Seek(std::uint64_t offset) const {
        LARGE_INTEGER target{};
        target.QuadPart = static_cast<LONGLONG>(offset);
        return !failed_ && SetFilePointerEx(file_, target, nullptr, FILE_BEGIN);
    }

private:
    // The decoder asks for at most one block at a time, well within one ReadFile call.
    bool ReadAll(std::span<std::uint8_t> bytes) const {
        DWORD read = 0;
        return !failed_ && ReadFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
               read == bytes.size();
    }

    HANDLE file_;
    std::uint64_t size_ = 0;
    mutable bool failed_ = false;
};

// The viewer program decoded from this program's file into `viewer`.
Failure ReadViewer(const wchar_t* ownPath, HeapBlock& viewer, DWORD& viewerSize) {
    OwnFile file(ownPath);
    if (file.Failed()) return GeneralError;
    ViewerPrefixExtents prefix;
    const PrefixSearch found = LocateViewerPrefix(file, 0, prefix);
    if (file.Failed()) return GeneralError;
    if (found == PrefixSearch::NoMarker) return NoSlideShow;
    if (found == PrefixSearch::RecordPastEnd) return ShowDamaged;
    if (!PlausibleViewerSize(prefix.ViewerSize, prefix.ViewerRecord.Size)) return ViewerDamaged;
    HeapBlock scratch(sizeof(RecordScratch));
    if (!scratch || !viewer.Allocate(prefix.ViewerSize)) return GeneralError;
    viewerSize = prefix.ViewerSize;
    const std::span<std::uint8_t> bytes(viewer.As<std::uint8_t>(), viewerSize);
    if (!file.Seek(prefix.ViewerRecord.Offset) || !DecodeViewer(file, bytes, *scratch.As<RecordScratch>()) ||
        file.Failed())
        return ViewerDamaged;
    return nullptr;
}

// The temporary folder with its closing backslash, or an empty string.
void TemporaryFolder(wchar_t (&folder)[MAX_PATH + 1]) {
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) folder[0] = L'\0';
}

// An "*.exe" file under a name nobody else holds, open for writing; removed with the
// object. The name is taken by creating the file exclusively, so two shows started at
// once never share a viewer copy.
class TemporaryProgram {
public:
    TemporaryProgram() {
        wchar_t folder[MAX_PATH + 1];
        TemporaryFolder(folder);
        if (folder[0] == L'\0') return;
        for (unsigned attempt = 0; attempt < 1000; ++attempt) {
            wsprintfW(path_, L"%szorb%lu-%u.exe", folder, GetCurrentProcessId(), attempt);
            file_ = CreateFileW(path_, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file_ != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) break;
        }
        if (file_ == INVALID_HANDLE_VALUE) path_[0] = L'\0';
    }
    ~TemporaryProgram() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
        // The system may hold the image of a program that has just ended for a moment.
        if (path_[0] != L'\0')
            for (int attempt = 0; attempt < 20 && !DeleteFileW(path_); ++attempt) Sleep(100);
    }
    TemporaryProgram(const TemporaryProgram&) = delete;
    TemporaryProgram& operator=(const TemporaryProgram&) = delete;

    const wchar_t* Path() const { return path_; }

    // Writes the program and closes the file; false when the file was not made or not written.
    bool Write(std::span<const std::uint8_t> program) {
        if (file_ == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        const bool wrote = WriteFile(file_, program.data(), static_cast<DWORD>(program.size()), &written, nullptr) &&
                           written == program.size();
        const bool closed = CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
        return wrote && closed;
    }

private:
    // The folder is at most MAX_PATH long; the name adds at most 36 characters.
    wchar_t path_[MAX_PATH + 40] = L"";
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

// Runs `program` with `argument` as its one argument and waits for its exit code.
Failure RunAndWait(const wchar_t* program, const wchar_t* argument, DWORD& exitCode) {
    const WideText commandLine{L"\"", program, L"\" \"", argument, L"\""};
    if (!commandLine) return GeneralError;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.Text(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return StartError;
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    if (!GetExitCodeProcess(process.hProcess, &exitCode)) exitCode = 1;
    CloseHandle(process.hProcess);
    return nullptr;
}

Failure RunShow(const wchar_t* ownPath, DWORD& exitCode) {
    HeapBlock viewer;
    DWORD viewerSize = 0;
    if (const Failure failure = ReadViewer(ownPath, viewer, viewerSize)) return failure;
    TemporaryProgram program;
    if (!program.Write({viewer.As<std::uint8_t>(), viewerSize})) return TemporaryFolderError;
    viewer.Free();
    return RunAndWait(program.Path(), ownPath, exitCode);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    HeapBlock ownPath;
    DWORD exitCode = 1;
    const Failure failure = OwnProgramPath(ownPath) ? RunShow(ownPath.As<wchar_t>(), exitCode) : GeneralError;
    if (failure) {
        MessageBoxW(nullptr, failure, L"Slide show", MB_OK | MB_ICONERROR);
        return 1;
    }
    return static_cast<int>(exitCode);
}
