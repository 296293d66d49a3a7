// Any bytes as a JPEG file, decoded at the scale the first byte picks: decoding either fails
// quietly or gives a bitmap of the rounded-up scaled size, and never leaks.
#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "imaging/JPEG_IO.h"

namespace {

// The decoder reads files, so each input goes through one file of this process.
struct InputFile {
    const std::string path = "/tmp/velvora-jpeg-fuzz-" + std::to_string(getpid()) + ".jpg";
    ~InputFile() { unlink(path.c_str()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const InputFile input;
    std::ofstream(input.path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    const int scale = 1 << (data[0] % 4);
    std::unique_ptr<velvora::Bitmap> bitmap;
    int width = 0, height = 0;
    if (velvora::ReadJpegFile(input.path, scale, bitmap, width, height) &&
        (bitmap->Width() != (width + scale - 1) / scale || bitmap->Height() != (height + scale - 1) / scale)) {
        __builtin_trap();
    }
    return 0;
}
