// The first page of a TIFF through libtiff's RGBA reader, which converts every photometric
// interpretation, bit depth and compression it knows into 8-bit R, G, B, A.
#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <memory>
#include <vector>

#include <tiffio.h>

#include "imaging/PictureDecoders.h"

namespace velvora::detail {

namespace {

struct MemoryFile {
    std::string_view bytes;
    toff_t at = 0;
};

tmsize_t ReadMemory(thandle_t handle, void* buffer, tmsize_t size) {
    auto& file = *static_cast<MemoryFile*>(handle);
    if (size <= 0 || file.at >= file.bytes.size()) return 0;
    const std::size_t count = std::min(static_cast<std::size_t>(size), file.bytes.size() - file.at);
    std::memcpy(buffer, file.bytes.data() + file.at, count);
    file.at += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t RefuseWrite(thandle_t, void*, tmsize_t) { return 0; }

toff_t SeekMemory(thandle_t handle, toff_t offset, int whence) {
    auto& file = *static_cast<MemoryFile*>(handle);
    const toff_t base = whence == SEEK_CUR ? file.at : whence == SEEK_END ? file.bytes.size() : 0;
    file.at = base + offset;
    return file.at;
}

int CloseNothing(thandle_t) { return 0; }

toff_t MemorySize(thandle_t handle) { return static_cast<MemoryFile*>(handle)->bytes.size(); }

int NoMapping(thandle_t, void**, toff_t*) { return 0; }

void NoUnmapping(thandle_t, void*, toff_t) {}

// Damaged files are common and the photo is simply skipped, so the library's messages,
// which it would print on the standard error, are dropped.
int Quiet(TIFF*, void*, const char*, const char*, std::va_list) { return 1; }

// Any one allocation libtiff makes for a strip or tile; a declared strip beyond it is
// refused instead of allocated.
constexpr tmsize_t kMaxTiffAllocation = tmsize_t{512} * 1024 * 1024;

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
struct OptionsFreer {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

std::unique_ptr<TIFF, TiffCloser> OpenQuietly(MemoryFile& file) {
    const std::unique_ptr<TIFFOpenOptions, OptionsFreer> options(TIFFOpenOptionsAlloc());
    if (!options) return nullptr;
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), Quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), Quiet, nullptr);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kMaxTiffAllocation);
    // "m": the bytes are already in memory, and read through the procedures above only.
    return std::unique_ptr<TIFF, TiffCloser>(TIFFClientOpenExt("picture", "rm", &file, ReadMemory, RefuseWrite,
                                                               SeekMemory, CloseNothing, MemorySize, NoMapping,
                                                               NoUnmapping, options.get()));
}

// The reader's colours are premultiplied by alpha (it premultiplies unassociated alpha
// itself), so laying them over white adds the uncovered part.
void FlattenPremultipliedOntoWhite(const std::uint32_t* abgr, std::uint8_t* bgr, int width) {
    for (int x = 0; x < width; ++x, bgr += 3) {
        const std::uint32_t pixel = abgr[x];
        const unsigned uncovered = 255 - TIFFGetA(pixel);
        bgr[0] = static_cast<std::uint8_t>(std::min(255u, TIFFGetB(pixel) + uncovered));
        bgr[1] = static_cast<std::uint8_t>(std::min(255u, TIFFGetG(pixel) + uncovered));
        bgr[2] = static_cast<std::uint8_t>(std::min(255u, TIFFGetR(pixel) + uncovered));
    }
}

}  // namespace

bool DecodeTiff(std::string_view bytes, ConvertedPicture& picture) {
    MemoryFile file{bytes};
    const auto tiff = OpenQuietly(file);
    if (!tiff) return false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t orientation = ORIENTATION_TOPLEFT;
    if (!TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height))
        return false;
    if (!IsConvertibleSize(width, height)) return false;
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_ORIENTATION, &orientation);
    if (orientation < ORIENTATION_TOPLEFT || orientation > ORIENTATION_LEFTBOT) orientation = ORIENTATION_TOPLEFT;
    // Asking for the file's own orientation gives the rows as stored, top row first: the
    // reader would flip for the other orientations but never transposes, so the whole turn
    // is done here for all eight alike.
    std::vector<std::uint32_t> raster(static_cast<std::size_t>(width) * height);
    if (!TIFFReadRGBAImageOriented(tiff.get(), width, height, raster.data(), orientation, 1)) return false;
    picture.Pixels = Bitmap(static_cast<int>(width), static_cast<int>(height), PixelFormat::Bits24);
    for (std::uint32_t y = 0; y < height; ++y)
        FlattenPremultipliedOntoWhite(raster.data() + std::size_t{y} * width, picture.Pixels.Row(int(y)), int(width));
    OrientUpright(picture.Pixels, orientation);
    return true;
}

}  // namespace velvora::detail
