// A file stream on a Win32 file handle. The programs use it instead of TFileStream because
// it takes UTF-16 paths as they are and keeps the C++ stream library, and with it a large
// part of the stub's size, out of the programs.
#pragma once

#include <windows.h>

#include <string>

#include "compression/Stream.h"

namespace velvora {

class Win32FileStream : public TStream {
public:
    enum class Mode { Read, Create };

    // Create empties an existing file. Throws EStreamError ("Cannot open file ...").
    Win32FileStream(const std::wstring& path, Mode mode);
    ~Win32FileStream() override;
    Win32FileStream(const Win32FileStream&) = delete;
    Win32FileStream& operator=(const Win32FileStream&) = delete;

    std::size_t Read(std::span<std::uint8_t> bytes) override;
    void Write(std::span<const std::uint8_t> bytes) override;
    std::uint64_t Position() override;
    void Seek(std::uint64_t position) override;
    std::uint64_t Size() override;

    // Closes the file; throws EStreamError ("Stream write error") when that fails.
    void Close();

private:
    HANDLE file_;
};

}  // namespace velvora
