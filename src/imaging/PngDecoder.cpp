// PNG through libpng's simplified reader, which handles every bit depth, palette, grey and
// transparency chunk itself and reports errors by return value instead of a longjmp.
#include <cstdint>
#include <vector>

#include <png.h>

#include "imaging/PictureDecoders.h"

namespace velvora::detail {

namespace {

// Frees the reader's state on every path, also after a failed read.
class PngImage {
public:
    PngImage() { image_.version = PNG_IMAGE_VERSION; }
    ~PngImage() { png_image_free(&image_); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;
    png_image* operator->() { return &image_; }
    png_image* Get() { return &image_; }

private:
    png_image image_{};
};

}  // namespace

bool DecodePng(std::string_view bytes, ConvertedPicture& picture) {
    PngImage image;
    if (!png_image_begin_read_from_memory(image.Get(), bytes.data(), bytes.size())) return false;
    if (!IsConvertibleSize(image->width, image->height)) return false;
    const int width = static_cast<int>(image->width);
    const int height = static_cast<int>(image->height);
    picture.Pixels = Bitmap(width, height, PixelFormat::Bits24);
    if ((image->format & PNG_FORMAT_FLAG_ALPHA) == 0) {
        image->format = PNG_FORMAT_BGR;
        const auto stride = static_cast<png_int_32>(picture.Pixels.RowBytes());
        return png_image_finish_read(image.Get(), nullptr, picture.Pixels.Pixels(), stride, nullptr) != 0;
    }
    // The reader would lay transparent pixels over a background itself, but in linear light;
    // every other format, like every browser, mixes the stored values, so PNG does too.
    image->format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(*image.Get()));
    if (!png_image_finish_read(image.Get(), nullptr, rgba.data(), 0, nullptr)) return false;
    for (int y = 0; y < height; ++y)
        FlattenRgbaOntoWhite(rgba.data() + std::size_t(y) * std::size_t(width) * 4, picture.Pixels.Row(y), width);
    return true;
}

}  // namespace velvora::detail
