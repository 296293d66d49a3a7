// Reading a published file from disk, and opening a show from one.
#include "viewer/core/FileByteSource.h"

#include <memory>

#include "viewer/core/SlideShow.h"

namespace velvora {

FileByteSource::FileByteSource(const std::filesystem::path& path) : file_(path, std::ios::binary) {
    if (!file_) throw EPackageError("The slide show file cannot be opened.");
    file_.seekg(0, std::ios::end);
    const std::streamoff end = file_.tellg();
    if (end < 0) throw EPackageError("The slide show file cannot be read.");
    size_ = std::uint64_t(end);
}

void FileByteSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) const {
    file_.clear();
    file_.seekg(std::streamoff(offset));
    file_.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!file_ || std::size_t(file_.gcount()) != bytes.size())
        throw EPackageError("The slide show file cannot be read.");
}

SlideShow SlideShow::Open(const std::filesystem::path& path) { return Read(std::make_unique<FileByteSource>(path)); }

}  // namespace velvora
