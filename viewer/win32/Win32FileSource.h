// A published file read on demand by the slide-show core through a Win32 handle, so that
// paths in any script reach the file as the stub passed them.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "package/PackageFormat.h"
#include "viewer/common/PublishedViewer.h"
#include "viewer/win32/Win32FileStream.h"

namespace velvora {

class Win32FileSource : public ByteSource {
public:
    // Throws EStreamError when the file cannot be opened.
    explicit Win32FileSource(const std::wstring& path) : file_(path, Win32FileStream::Mode::Read), reader_(file_) {}

    std::uint64_t Size() const override { return reader_.Size(); }
    // Throws EStreamError when the bytes cannot be read.
    void ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) const override { reader_.ReadAt(offset, bytes); }

private:
    Win32FileStream file_;
    StreamByteSource reader_;
};

}  // namespace velvora
