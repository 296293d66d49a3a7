#include "support/PictureEncoders.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>
#include <vector>

#include <gif_lib.h>
#include <libheif/heif.h>
#include <png.h>
#include <tiffio.h>
#include <unistd.h>
#include <webp/encode.h>
#include <webp/mux.h>

namespace velvora::testing {

namespace {

std::vector<std::uint8_t> Pixels(int width, int height, int channels, const RgbaSource& pixel) {
    std::vector<std::uint8_t> bytes(std::size_t(width) * std::size_t(height) * std::size_t(channels));
    std::uint8_t rgba[4];
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            rgba[3] = 255;
            pixel(x, y, rgba);
            std::copy(rgba, rgba + channels, bytes.begin() + std::ptrdiff_t((std::size_t(y) * width + x) * channels));
        }
    return bytes;
}

void Require(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string("test encoder failed: ") + what);
}

std::string PalettePng(int width, int height, const RgbaSource& pixel, png_image& image) {
    const std::vector<std::uint8_t> rgba = Pixels(width, height, 4, pixel);
    std::vector<std::uint8_t> colormap;
    std::vector<std::uint8_t> indexes;
    for (std::size_t at = 0; at < rgba.size(); at += 4) {
        std::size_t entry = 0;
        while (entry * 4 < colormap.size() &&
               !std::equal(rgba.begin() + std::ptrdiff_t(at), rgba.begin() + std::ptrdiff_t(at + 4),
                           colormap.begin() + std::ptrdiff_t(entry * 4)))
            ++entry;
        if (entry * 4 == colormap.size())
            colormap.insert(colormap.end(), rgba.begin() + std::ptrdiff_t(at), rgba.begin() + std::ptrdiff_t(at + 4));
        indexes.push_back(std::uint8_t(entry));
    }
    Require(colormap.size() <= 256 * 4, "more than 256 colours");
    image.format = PNG_FORMAT_RGBA_COLORMAP;
    image.colormap_entries = png_uint_32(colormap.size() / 4);
    png_alloc_size_t size = 0;
    Require(png_image_write_to_memory(&image, nullptr, &size, 0, indexes.data(), 0, colormap.data()), "png size");
    std::string png(size, '\0');
    Require(png_image_write_to_memory(&image, png.data(), &size, 0, indexes.data(), 0, colormap.data()), "png");
    png.resize(size);
    return png;
}

void Quadrant(int width, int height, int x, int y, std::uint8_t* rgba) {
    static constexpr std::uint8_t Colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
    const std::uint8_t* colour = Colours[(y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0)];
    std::copy(colour, colour + 3, rgba);
    rgba[3] = 255;
}

}  // namespace

static bool SwapsSides(int orientation) { return orientation >= 5; }
int StoredWidth(int width, int height, int orientation) { return SwapsSides(orientation) ? height : width; }
int StoredHeight(int width, int height, int orientation) { return SwapsSides(orientation) ? width : height; }

RgbaSource StoredQuadrants(int width, int height, int orientation) {
    return [=](int x, int y, std::uint8_t* rgba) {
        switch (orientation) {
            case 2:
                return Quadrant(width, height, width - 1 - x, y, rgba);
            case 3:
                return Quadrant(width, height, width - 1 - x, height - 1 - y, rgba);
            case 6:
                return Quadrant(width, height, width - 1 - y, x, rgba);
            case 8:
                return Quadrant(width, height, y, height - 1 - x, rgba);
            default:
                return Quadrant(width, height, x, y, rgba);
        }
    };
}

std::string EncodePng(int width, int height, PngKind kind, const RgbaSource& pixel) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    if (kind == PngKind::Palette) return PalettePng(width, height, pixel, image);
    std::vector<std::uint8_t> bytes;
    if (kind == PngKind::Grey16) {
        image.format = PNG_FORMAT_LINEAR_Y;
        const std::vector<std::uint8_t> rgb = Pixels(width, height, 3, pixel);
        std::vector<std::uint16_t> grey;
        for (std::size_t at = 0; at < rgb.size(); at += 3) grey.push_back(std::uint16_t(rgb[at] * 257));
        bytes.assign(reinterpret_cast<const std::uint8_t*>(grey.data()),
                     reinterpret_cast<const std::uint8_t*>(grey.data() + grey.size()));
    } else {
        image.format = kind == PngKind::Rgba ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
        bytes = Pixels(width, height, kind == PngKind::Rgba ? 4 : 3, pixel);
    }
    png_alloc_size_t size = 0;
    Require(png_image_write_to_memory(&image, nullptr, &size, 0, bytes.data(), 0, nullptr), "png size");
    std::string png(size, '\0');
    Require(png_image_write_to_memory(&image, png.data(), &size, 0, bytes.data(), 0, nullptr), "png");
    png.resize(size);
    return png;
}

static int AppendToString(GifFileType* gif, const GifByteType* bytes, int length) {
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), std::size_t(length));
    return length;
}

static void PutFrame(GifFileType* gif, int left, int top, int width, int height, bool interlaced,
                     const std::function<int(int x, int y)>& index) {
    Require(EGifPutImageDesc(gif, left, top, width, height, interlaced, nullptr) == GIF_OK, "gif frame");
    std::vector<int> rows;
    const std::pair<int, int> passes[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (const auto& [first, step] :
         interlaced ? std::vector(std::begin(passes), std::end(passes)) : std::vector<std::pair<int, int>>{{0, 1}})
        for (int y = first; y < height; y += step) rows.push_back(y);
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    for (const int y : rows) {
        for (int x = 0; x < width; ++x) line[std::size_t(x)] = GifPixelType(index(x, y));
        Require(EGifPutLine(gif, line.data(), width) == GIF_OK, "gif line");
    }
}

std::string EncodeGif(int width, int height, const GifLayout& layout, const std::string& palette,
                      const std::function<int(int x, int y)>& index) {
    std::string gifBytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&gifBytes, AppendToString, &error);
    Require(gif != nullptr, "gif open");
    EGifSetGifVersion(gif, true);
    ColorMapObject* colours = GifMakeMapObject(256, nullptr);
    for (std::size_t i = 0; i * 3 + 2 < palette.size() && i < 256; ++i)
        colours->Colors[i] = {GifByteType(palette[i * 3]), GifByteType(palette[i * 3 + 1]),
                              GifByteType(palette[i * 3 + 2])};
    Require(EGifPutScreenDesc(gif, layout.screenWidth, layout.screenHeight, 8, 0, colours) == GIF_OK, "gif screen");
    GifFreeMapObject(colours);
    if (layout.transparent >= 0) {
        const GifByteType control[4] = {1, 0, 0, GifByteType(layout.transparent)};
        Require(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_OK, "gif control");
    }
    PutFrame(gif, layout.left, layout.top, width, height, layout.interlaced, index);
    if (layout.secondFrame) PutFrame(gif, layout.left, layout.top, width, height, false, [](int, int) { return 1; });
    Require(EGifCloseFile(gif, &error) == GIF_OK, "gif close");
    return gifBytes;
}

std::string EncodeTiff(int width, int height, const RgbaSource& pixel, int orientation, bool alpha) {
    char path[] = "/tmp/velvora-tiff-XXXXXX";
    const int descriptor = ::mkstemp(path);
    Require(descriptor >= 0, "tiff temporary file");
    TIFF* tiff = TIFFFdOpen(descriptor, path, "w");
    Require(tiff != nullptr, "tiff open");
    const int channels = alpha ? 4 : 3;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, std::uint32_t(width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, std::uint32_t(height));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, channels);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, orientation);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 16);
    if (alpha) {
        const std::uint16_t extra = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    std::vector<std::uint8_t> bytes = Pixels(width, height, channels, pixel);
    for (int y = 0; y < height; ++y)
        Require(TIFFWriteScanline(tiff, bytes.data() + std::size_t(y) * std::size_t(width * channels),
                                  std::uint32_t(y)) == 1,
                "tiff row");
    TIFFClose(tiff);
    std::ifstream in(path, std::ios::binary);
    std::string tiffBytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ::unlink(path);
    return tiffBytes;
}

std::string EncodeWebp(int width, int height, const RgbaSource& pixel, bool alpha, const std::string& exif) {
    const std::vector<std::uint8_t> bytes = Pixels(width, height, alpha ? 4 : 3, pixel);
    std::uint8_t* encoded = nullptr;
    const std::size_t size = alpha ? WebPEncodeLosslessRGBA(bytes.data(), width, height, width * 4, &encoded)
                                   : WebPEncodeLosslessRGB(bytes.data(), width, height, width * 3, &encoded);
    Require(size > 0, "webp");
    std::string webp(reinterpret_cast<const char*>(encoded), size);
    WebPFree(encoded);
    if (exif.empty()) return webp;
    // The chunk holds the TIFF structure itself, without the JPEG segment's "Exif\0\0".
    const std::string block = exif.substr(exif.rfind("Exif", 0) == 0 ? 6 : 0);
    WebPMux* mux = WebPMuxNew();
    const WebPData image{reinterpret_cast<const std::uint8_t*>(webp.data()), webp.size()};
    const WebPData chunk{reinterpret_cast<const std::uint8_t*>(block.data()), block.size()};
    WebPData assembled{};
    Require(WebPMuxSetImage(mux, &image, 1) == WEBP_MUX_OK && WebPMuxSetChunk(mux, "EXIF", &chunk, 1) == WEBP_MUX_OK &&
                WebPMuxAssemble(mux, &assembled) == WEBP_MUX_OK,
            "webp mux");
    std::string muxed(reinterpret_cast<const char*>(assembled.bytes), assembled.size);
    WebPDataClear(&assembled);
    WebPMuxDelete(mux);
    return muxed;
}

bool CanEncodeHeic() { return heif_have_encoder_for_format(heif_compression_HEVC) != 0; }

static heif_error AppendHeif(heif_context*, const void* data, std::size_t size, void* userdata) {
    static_cast<std::string*>(userdata)->append(static_cast<const char*>(data), size);
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

std::string EncodeHeic(int width, int height, const RgbaSource& pixel, int orientation, bool alpha, int quality) {
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    Require(heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder).code == heif_error_Ok,
            "heic encoder");
    if (quality >= 100) {
        heif_encoder_set_lossless(encoder, 1);
    } else {
        heif_encoder_set_lossy_quality(encoder, quality);
    }
    heif_image* image = nullptr;
    Require(heif_image_create(width, height, heif_colorspace_RGB,
                              alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, &image)
                        .code == heif_error_Ok &&
                heif_image_add_plane(image, heif_channel_interleaved, width, height, 8).code == heif_error_Ok,
            "heic image");
    int stride = 0;
    std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    const int channels = alpha ? 4 : 3;
    const std::vector<std::uint8_t> bytes = Pixels(width, height, channels, pixel);
    for (int y = 0; y < height; ++y)
        std::copy_n(bytes.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(width * channels)), width * channels,
                    plane + std::ptrdiff_t(y) * stride);
    heif_encoding_options* options = heif_encoding_options_alloc();
    options->image_orientation = static_cast<heif_orientation>(orientation);
    Require(heif_context_encode_image(context, image, encoder, options, nullptr).code == heif_error_Ok, "heic encode");
    heif_encoding_options_free(options);
    heif_image_release(image);
    heif_encoder_release(encoder);
    std::string heic;
    heif_writer writer{};
    writer.writer_api_version = 1;
    writer.write = AppendHeif;
    Require(heif_context_write(context, &writer, &heic).code == heif_error_Ok, "heic write");
    heif_context_free(context);
    return heic;
}

}  // namespace velvora::testing
