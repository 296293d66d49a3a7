// Any bytes as a published file: the prefix and the package are read, or refused with the
// reader's error, and whatever is read names only bytes inside the file. Inputs without a
// valid prefix are also read as a bare package, so that the package reader is reached
// without the fuzzer first having to find a marker and a compressed viewer.
#include <cstddef>
#include <cstdint>

#include "package/PackageFormat.h"

namespace {

using velvora::ByteExtent;

void ExpectInside(const ByteExtent& extent, std::size_t size) {
    if (extent.Offset > size || extent.Size > size - extent.Offset) __builtin_trap();
}

void ReadPackageAt(const velvora::ByteSource& file, std::uint64_t offset, std::size_t size) {
    try {
        const velvora::PackageContents contents = velvora::ReadPackage(file, offset);
        for (const velvora::PackageCategory& category : contents.Categories)
            for (const velvora::PackagePhoto& photo : category.Photos) {
                ExpectInside(photo.Thumbnail, size);
                if (photo.HasFullsize) ExpectInside(photo.Fullsize, size);
            }
    } catch (const velvora::EPackageError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const velvora::MemoryByteSource file({data, size});
    try {
        const velvora::ViewerPrefix prefix = velvora::ReadViewerPrefix(file);
        ExpectInside(prefix.ViewerRecord, size);
        ReadPackageAt(file, prefix.PackageOffset, size);
    } catch (const velvora::EPackageError&) {
        ReadPackageAt(file, 0, size);
    }
    return 0;
}
