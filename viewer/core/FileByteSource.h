// A published file read on demand through the standard library's file stream. Apart from
// the show model because that stream brings in the library's locale machinery, which the
// Windows viewer, reading through its own file handle, leaves out.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>

#include "package/PackageFormat.h"

namespace velvora {

// Throws EPackageError when the file cannot be opened or a read fails.
class FileByteSource : public ByteSource {
public:
    explicit FileByteSource(const std::filesystem::path& path);
    std::uint64_t Size() const override { return size_; }
    void ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) const override;

private:
    mutable std::ifstream file_;
    std::uint64_t size_ = 0;
};

}  // namespace velvora
