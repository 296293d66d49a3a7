// Any bytes as a BMP image: loading either fails with the reader's error, or gives a bitmap
// that saves and loads back unchanged.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "imaging/Bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velvora::Bitmap bitmap;
    try {
        bitmap.LoadFromBmp({reinterpret_cast<const char*>(data), size});
    } catch (const std::runtime_error&) {
        return 0;
    }
    velvora::Bitmap again;
    again.LoadFromBmp(bitmap.SaveToBmp());
    if (!(again == bitmap)) __builtin_trap();
    return 0;
}
