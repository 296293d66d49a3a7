// Reading, writing and seeking through a Win32 file handle.
#include "viewer/win32/Win32FileStream.h"

#include <algorithm>

#include "viewer/win32/Win32Text.h"

namespace velvora {

namespace {

// ReadFile and WriteFile count in 32 bits; larger requests go in pieces of this size.
constexpr std::size_t MaxPiece = 1u << 30;

[[noreturn]] void ThrowReadError() { throw EStreamError("Stream read error"); }
[[noreturn]] void ThrowWriteError() { throw EStreamError("Stream write error"); }

HANDLE OpenFile(const std::wstring& path, Win32FileStream::Mode mode) {
    const bool create = mode == Win32FileStream::Mode::Create;
    return CreateFileW(path.c_str(), create ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ, nullptr,
                       create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

Win32FileStream::Win32FileStream(const std::wstring& path, Mode mode) : file_(OpenFile(path, mode)) {
    if (file_ == INVALID_HANDLE_VALUE) throw EStreamError("Cannot open file \"" + Utf8FromWide(path) + "\".");
}

Win32FileStream::~Win32FileStream() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

std::size_t Win32FileStream::Read(std::span<std::uint8_t> bytes) {
    std::size_t total = 0;
    while (total < bytes.size()) {
        const DWORD piece = static_cast<DWORD>(std::min(bytes.size() - total, MaxPiece));
        DWORD read = 0;
        if (!ReadFile(file_, bytes.data() + total, piece, &read, nullptr)) ThrowReadError();
        if (read == 0) break;
        total += read;
    }
    return total;
}

void Win32FileStream::Write(std::span<const std::uint8_t> bytes) {
    std::size_t total = 0;
    while (total < bytes.size()) {
        const DWORD piece = static_cast<DWORD>(std::min(bytes.size() - total, MaxPiece));
        DWORD written = 0;
        if (!WriteFile(file_, bytes.data() + total, piece, &written, nullptr) || written != piece) ThrowWriteError();
        total += written;
    }
}

std::uint64_t Win32FileStream::Position() {
    LARGE_INTEGER position{};
    if (!SetFilePointerEx(file_, LARGE_INTEGER{}, &position, FILE_CURRENT)) ThrowReadError();
    return static_cast<std::uint64_t>(position.QuadPart);
}

void Win32FileStream::Seek(std::uint64_t position) {
    LARGE_INTEGER target{};
    target.QuadPart = static_cast<LONGLONG>(position);
    if (!SetFilePointerEx(file_, target, nullptr, FILE_BEGIN)) ThrowReadError();
}

std::uint64_t Win32FileStream::Size() {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_, &size)) ThrowReadError();
    return static_cast<std::uint64_t>(size.QuadPart);
}

void Win32FileStream::Close() {
    const HANDLE file = file_;
    file_ = INVALID_HANDLE_VALUE;
    if (!CloseHandle(file)) ThrowWriteError();
}

}  // namespace velvora
