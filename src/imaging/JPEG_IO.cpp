// libjpeg-turbo behind the decoding operations. libjpeg reports errors by calling back; the
// callback jumps back to a setjmp frame kept in GuardedJpegStep(), whose locals (and those
// of the steps it runs) have trivial destructors, so no destructor is ever skipped. The owners of the
// decompressor, the file and the bitmap live in the callers.
#include "imaging/JPEG_IO.h"

#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

// jpeglib.h first: its configuration decides which messages jerror.h declares.
#include <jpeglib.h>

#include <jerror.h>

#include "imaging/JpegErrors.h"

#include "imaging/resampler.h"

namespace velvora {

namespace {

// libjpeg only warns when picture data is missing or corrupt (the file or a data segment
// ends early, a code or the progression is bogus) and fills the gap with grey; such a photo
// must fail. The other warnings leave the picture intact: stray bytes before a marker
// (common in camera files), an unknown JFIF revision or Adobe transform, a bad ICC
// profile, and baseline files whose scan parameters are zeroed.
bool MeansLostPictureData(int code) {
    switch (code) {
        case JWRN_JPEG_EOF:
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
#if defined(D_ARITH_CODING_SUPPORTED) || JPEG_LIB_VERSION >= 70
        case JWRN_ARITH_BAD_CODE:
#endif
        case JWRN_MUST_RESYNC:
        case JWRN_BOGUS_PROGRESSION:
            return true;
        default:
            return false;
    }
}

void FailOnLostPictureData(j_common_ptr info, int level) {
    if (level < 0 && MeansLostPictureData(info->err->msg_code)) JumpOnJpegError(info);
}

// One decompression: its record, error manager and file, released on every path.
class JpegDecoder {
public:
    JpegDecoder() {
        info_.err = jpeg_std_error(&errors_.pub);
        errors_.pub.error_exit = JumpOnJpegError;
        errors_.pub.emit_message = FailOnLostPictureData;
        errors_.pub.output_message = SilentJpegMessage;
    }
    ~JpegDecoder() {
        jpeg_destroy_decompress(&info_);
        if (file_ != nullptr) std::fclose(file_);
    }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    bool CheckLibrary() {
        return GuardedJpegStep(errors_, [this] { jpeg_create_decompress(&info_); });
    }

    bool ReadHeader(const std::string& fileName) {
        std::error_code error;
        fileBytes_ = std::filesystem::file_size(fileName, error);
        if (error) return false;
        file_ = std::fopen(fileName.c_str(), "rb");
        if (file_ == nullptr) return false;
        return GuardedJpegStep(errors_, [this] {
            jpeg_create_decompress(&info_);
            info_.mem->max_memory_to_use = kMaxJpegWorkingMemory;
            jpeg_stdio_src(&info_, file_);
            jpeg_read_header(&info_, TRUE);
        });
    }

    int Width() const { return static_cast<int>(info_.image_width); }
    int Height() const { return static_cast<int>(info_.image_height); }
    int Channels() const { return info_.num_components; }

    // Whether the file is large enough to hold the picture its header declares, and that
    // picture below the ceiling.
    bool DeclaresPlausibleSize() const {
        const std::int64_t pixels = std::int64_t{Width()} * Height();
        return pixels <= kMaxJpegPixels && JpegBytesCanHold(pixels, fileBytes_);
    }

    bool Start(int divisor, J_COLOR_SPACE outputSpace) {
        return GuardedJpegStep(errors_, [this, divisor, outputSpace] {
            info_.scale_num = 1;
            info_.scale_denom = static_cast<unsigned>(divisor);
            info_.out_color_space = outputSpace;
            jpeg_start_decompress(&info_);
        });
    }

    bool OutputMatches(const Bitmap& bitmap) const {
        return info_.output_width == static_cast<JDIMENSION>(bitmap.Width()) &&
               info_.output_height == static_cast<JDIMENSION>(bitmap.Height());
    }

    // The rows are written top row first, so the picture stands upright in the bitmap.
    bool ReadRows(Bitmap& bitmap) {
        return GuardedJpegStep(errors_, [this, &bitmap] {
            while (info_.output_scanline < info_.output_height) {
                JSAMPROW row = bitmap.Row(static_cast<int>(info_.output_scanline));
                jpeg_read_scanlines(&info_, &row, 1);
            }
            jpeg_finish_decompress(&info_);
        });
    }

private:
    JpegErrorManager errors_{};
    jpeg_decompress_struct info_{};
    std::FILE* file_ = nullptr;
    std::uintmax_t fileBytes_ = 0;
};

struct ChannelLayout {
    PixelFormat format;
    J_COLOR_SPACE outputSpace;
};

bool LayoutForChannels(int channels, ChannelLayout& layout) {
    switch (channels) {
        case 1:
            layout = {PixelFormat::Bits8, JCS_GRAYSCALE};
            return true;
        case 3:
            layout = {PixelFormat::Bits24, JCS_EXT_BGR};
            return true;
        case 4:
            layout = {PixelFormat::Bits32, JCS_CMYK};
            return true;
        default:
            return false;
    }
}

int DivisorForScale(JpegScale scale) { return scale == 2 || scale == 4 || scale == 8 ? scale : 1; }

int ScaledSide(int side, int divisor) { return (side + divisor - 1) / divisor; }

bool FitsBitmapLimits(int width, int height) {
    return width <= kMaxBitmapSide && height <= kMaxBitmapSide && std::int64_t{width} * height <= kMaxBitmapPixels;
}

void PrepareBitmap(std::unique_ptr<Bitmap>& bitmap, const ChannelLayout& layout, int width, int height) {
    if (!bitmap) bitmap = std::make_unique<Bitmap>();
    bitmap->SetFormat(layout.format);
    if (layout.format == PixelFormat::Bits8) bitmap->SetPalette(CreateGreyPalette(1, 1, 1));
    bitmap->SetSize(width, height);
}

bool DecodeInto(JpegDecoder& decoder, int divisor, std::unique_ptr<Bitmap>& bitmap) {
    ChannelLayout layout{};
    if (!LayoutForChannels(decoder.Channels(), layout)) return false;
    const int width = ScaledSide(decoder.Width(), divisor);
    const int height = ScaledSide(decoder.Height(), divisor);
    if (!FitsBitmapLimits(width, height)) return false;
    PrepareBitmap(bitmap, layout, width, height);
    if (!decoder.Start(divisor, layout.outputSpace) || !decoder.OutputMatches(*bitmap)) return false;
    if (!decoder.ReadRows(*bitmap)) return false;
    if (layout.format == PixelFormat::Bits32) ConvertRgbaToBgra(bitmap->Pixels(), width, height);
    return true;
}

}  // namespace

bool LoadJpegLibrary() {
    JpegDecoder decoder;
    return decoder.CheckLibrary();
}

bool ReadJpegDimensions(const std::string& fileName, int& width, int& height) {
    width = 0;
    height = 0;
    JpegDecoder decoder;
    if (!decoder.ReadHeader(fileName)) return false;
    width = decoder.Width();
    height = decoder.Height();
    return true;
}

bool ReadJpegFile(const std::string& fileName, JpegScale scale, std::unique_ptr<Bitmap>& bitmap, int& fullWidth,
                  int& fullHeight) {
    fullWidth = 0;
    fullHeight = 0;
    try {
        JpegDecoder decoder;
        if (!decoder.ReadHeader(fileName)) return false;
        fullWidth = decoder.Width();
        fullHeight = decoder.Height();
        if (!decoder.DeclaresPlausibleSize()) return false;
        return DecodeInto(decoder, DivisorForScale(scale), bitmap);
    } catch (...) {
        // Out of memory for the bitmap is a failed decode like any other.
        return false;
    }
}

JpegScale JpegScaleForRatio(float ratio) {
    if (ratio <= 0.125f) return 8;
    if (ratio <= 0.25f) return 4;
    if (ratio <= 0.5f) return 2;
    return 1;
}

bool LoadJpegFitted(const std::string& fileName, std::unique_ptr<Bitmap>& bitmap, int maxWidth, int maxHeight,
                    bool smooth) {
    int width = 0;
    int height = 0;
    if (!ReadJpegDimensions(fileName, width, height)) return false;
    const JpegScale scale = JpegScaleForRatio(FitRatio(width, height, maxWidth, maxHeight));
    if (!ReadJpegFile(fileName, scale, bitmap, width, height)) return false;
    try {
        return FitBitmap(*bitmap, maxWidth, maxHeight, smooth);
    } catch (...) {
        return false;
    }
}

Palette CreateGreyPalette(std::uint16_t red, std::uint16_t green, std::uint16_t blue) {
    if (red > 1) throw std::invalid_argument("CreateGreyPalette: red factor above 1");
    if (green > 1) throw std::invalid_argument("CreateGreyPalette: green factor above 1");
    if (blue > 1) throw std::invalid_argument("CreateGreyPalette: blue factor above 1");
    Palette palette(256);
    for (unsigned i = 0; i < 256; ++i) {
        palette[i] = {static_cast<std::uint8_t>(i * red), static_cast<std::uint8_t>(i * green),
                      static_cast<std::uint8_t>(i * blue), 1};
    }
    return palette;
}

void ConvertRgbaToBgra(std::uint8_t* pixels, int width, int height) {
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    for (std::size_t n = 0; n < count; ++n, pixels += 4) {
        const unsigned b0 = pixels[0];
        const unsigned b1 = pixels[1];
        const unsigned b2 = pixels[2];
        const unsigned a = pixels[3];
        pixels[0] = static_cast<std::uint8_t>((b2 * a + 1) >> 8);
        pixels[1] = static_cast<std::uint8_t>((b1 * a + 1) >> 8);
        pixels[2] = static_cast<std::uint8_t>((b0 * a + 1) >> 8);
    }
}

}  // namespace velvora
