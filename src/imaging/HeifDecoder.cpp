// The primary picture of a HEIF (HEIC, and AVIF through the same library) via libheif.
#include <memory>
#include <string>
#include <vector>

#include <libheif/heif.h>

#include "imaging/PictureDecoders.h"

namespace velvora::detail {

namespace {

struct HeifDeleter {
    void operator()(heif_context* context) const { heif_context_free(context); }
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
    void operator()(heif_image* image) const { heif_image_release(image); }
    void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};
template <typename T>
using HeifPointer = std::unique_ptr<T, HeifDeleter>;

constexpr std::size_t kMaxExifItemBytes = 1 << 20;

bool Succeeded(const heif_error& error) { return error.code == heif_error_Ok; }

// The first EXIF block, from its TIFF header on: the item opens with the big-endian offset
// from its fifth byte to that header.
std::string ExifBlock(const heif_image_handle* handle) {
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) < 1) return {};
    const std::size_t size = heif_image_handle_get_metadata_size(handle, id);
    // One JPEG segment is all the block can travel on; a larger one would be dropped anyway.
    if (size > kMaxExifItemBytes) return {};
    std::string item(size, '\0');
    if (item.size() < 4 || !Succeeded(heif_image_handle_get_metadata(handle, id, item.data()))) return {};
    const auto byte = [&](std::size_t i) { return std::uint32_t(static_cast<std::uint8_t>(item[i])); };
    const std::uint32_t offset = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
    return offset <= item.size() - 4 ? item.substr(4 + offset) : std::string();
}

void CopyInterleaved(const std::uint8_t* plane, int stride, bool alpha, Bitmap& pixels) {
    for (int y = 0; y < pixels.Height(); ++y) {
        const std::uint8_t* row = plane + static_cast<std::size_t>(stride) * std::size_t(y);
        if (alpha) {
            FlattenRgbaOntoWhite(row, pixels.Row(y), pixels.Width());
        } else {
            CopyRgbAsBgr(row, pixels.Row(y), pixels.Width());
        }
    }
}

}  // namespace

bool DecodeHeif(std::string_view bytes, ConvertedPicture& picture) {
    const HeifPointer<heif_context> context(heif_context_alloc());
    if (!context ||
        !Succeeded(heif_context_read_from_memory_without_copy(context.get(), bytes.data(), bytes.size(), nullptr)))
        return false;
    heif_image_handle* primary = nullptr;
    if (!Succeeded(heif_context_get_primary_image_handle(context.get(), &primary))) return false;
    const HeifPointer<heif_image_handle> handle(primary);
    // The sizes are those after the container's turn and mirror.
    if (!IsConvertibleSize(heif_image_handle_get_width(handle.get()), heif_image_handle_get_height(handle.get())))
        return false;
    const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
    // The decoder applies the container's rotation and mirror (irot, imir) itself, and that
    // is where HEIF keeps the orientation; the Orientation inside the EXIF block only
    // repeats it, so the pixels are not turned by it a second time.
    const HeifPointer<heif_decoding_options> options(heif_decoding_options_alloc());
    if (!options) return false;
    options->convert_hdr_to_8bit = 1;
    heif_image* decoded = nullptr;
    if (!Succeeded(heif_decode_image(handle.get(), &decoded, heif_colorspace_RGB,
                                     alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                                     options.get())))
        return false;
    const HeifPointer<heif_image> image(decoded);
    int stride = 0;
    const std::uint8_t* plane = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (plane == nullptr || !IsConvertibleSize(width, height) ||
        heif_image_get_bits_per_pixel_range(image.get(), heif_channel_interleaved) != 8)
        return false;
    picture.Pixels = Bitmap(width, height, PixelFormat::Bits24);
    CopyInterleaved(plane, stride, alpha, picture.Pixels);
    picture.Exif = ExifBlock(handle.get());
    return true;
}

}  // namespace velvora::detail
