// Any bytes as a PNG, GIF, TIFF, WebP or HEIF picture: decoding either fails or gives an
// upright 24-bit picture within the size limits, whose stored JPEG can be made. Only small
// pictures are encoded, as in the BMP target.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/ExifOrientation.h"
#include "imaging/JpegEncoding.h"
#include "imaging/PictureFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velvora::ConvertedPicture picture;
    if (!velvora::DecodeConvertedBytes({reinterpret_cast<const char*>(data), size}, picture)) return 0;
    const velvora::Bitmap& pixels = picture.Pixels;
    if (pixels.Format() != velvora::PixelFormat::Bits24 || pixels.IsEmpty() ||
        pixels.Width() > velvora::kMaxConvertedSide || pixels.Height() > velvora::kMaxConvertedSide)
        __builtin_trap();
    constexpr long long EncodedPixels = 1'000'000;
    if (static_cast<long long>(pixels.Width()) * pixels.Height() > EncodedPixels) return 0;
    std::string jpeg;
    if (!velvora::EncodeBitmapAsJpeg(pixels, 92, velvora::UprightExifSegment(picture.Exif), jpeg)) __builtin_trap();
    return 0;
}
