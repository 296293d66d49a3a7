// Any bytes as a BMP image: loading either fails with the reader's error, or gives a bitmap
// that saves and loads back unchanged. A few hundred run-length bytes can describe a picture
// of a quarter gigapixel, within what bitmaps accept; saving that proves nothing a small
// one does not and takes the sanitizers half a minute, so only small ones go round.
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
    constexpr long long RoundTripPixels = 4'000'000;
    if (static_cast<long long>(bitmap.Width()) * bitmap.Height() > RoundTripPixels) return 0;
    velvora::Bitmap again;
    again.LoadFromBmp(bitmap.SaveToBmp());
    if (!(again == bitmap)) __builtin_trap();
    return 0;
}
