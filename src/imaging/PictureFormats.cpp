// Recognising a converted format by its bytes, handing the file to its decoder, and the
// pixel steps the decoders share.
#include "imaging/PictureFormats.h"

#include <cstring>
#include <exception>
#include <utility>

#include "base/FileIo.h"
#include "imaging/ExifOrientation.h"
#include "imaging/JPEG_IO.h"
#include "imaging/PictureDecoders.h"
#include "imaging/bmpRot.h"

namespace velvora {

namespace {

bool StartsWith(std::string_view bytes, std::size_t at, std::string_view magic) {
    return bytes.size() >= at + magic.size() && bytes.substr(at, magic.size()) == magic;
}

// HEIF files open with an "ftyp" box whose major brand names the family; AVIF shares the
// container and decodes through the same library.
bool IsHeifBrand(std::string_view brand) {
    for (std::string_view known : {"heic", "heix", "heim", "heis", "hevc", "hevx", "mif1", "msf1", "avif"})
        if (brand == known) return true;
    return false;
}

void MirrorLeftRight(Bitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* left = bitmap.Row(y);
        std::uint8_t* right = left + static_cast<std::size_t>(bitmap.Width() - 1) * 3;
        for (; left < right; left += 3, right -= 3) {
            for (int channel = 0; channel < 3; ++channel) std::swap(left[channel], right[channel]);
        }
    }
}

}  // namespace

PictureFormat SniffPictureFormat(std::string_view firstBytes) {
    if (StartsWith(firstBytes, 0, "\x89PNG\r\n\x1A\n")) return PictureFormat::Png;
    if (StartsWith(firstBytes, 0, "GIF87a") || StartsWith(firstBytes, 0, "GIF89a")) return PictureFormat::Gif;
    if (StartsWith(firstBytes, 0, std::string_view("II*\0", 4)) ||
        StartsWith(firstBytes, 0, std::string_view("MM\0*", 4)))
        return PictureFormat::Tiff;
    if (StartsWith(firstBytes, 0, "RIFF") && StartsWith(firstBytes, 8, "WEBP")) return PictureFormat::WebP;
    if (StartsWith(firstBytes, 4, "ftyp") && firstBytes.size() >= 12 && IsHeifBrand(firstBytes.substr(8, 4)))
        return PictureFormat::Heif;
    return PictureFormat::Unknown;
}

bool DecodeConvertedPicture(const std::string& path, ConvertedPicture& picture) {
    try {
        // Compressed pictures are a fraction of their pixels, so holding the file costs
        // little next to the decode, and every library then reads from memory.
        return DecodeConvertedBytes(ReadWholeFile(path), picture);
    } catch (const std::exception&) {
        return false;
    }
}

bool DecodeConvertedBytes(std::string_view bytes, ConvertedPicture& picture) {
    try {
        switch (SniffPictureFormat(bytes)) {
            case PictureFormat::Png:
                return detail::DecodePng(bytes, picture);
            case PictureFormat::Gif:
                return detail::DecodeGif(bytes, picture);
            case PictureFormat::Tiff:
                return detail::DecodeTiff(bytes, picture);
            case PictureFormat::WebP:
                return detail::DecodeWebp(bytes, picture);
            case PictureFormat::Heif:
                return detail::DecodeHeif(bytes, picture);
            case PictureFormat::Unknown:
                break;
        }
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

void OrientUpright(Bitmap& bitmap, int orientation) {
    if (orientation < 2 || orientation > 8) return;
    // Each mirrored orientation is its unmirrored partner's turn followed by a left-right
    // mirror: 5 is a clockwise turn and a mirror (a transpose), 4 a half turn and a mirror.
    RotateBitmapClockwise(bitmap, ClockwiseTurnsForOrientation(orientation));
    if (orientation == 2 || orientation == 4 || orientation == 5 || orientation == 7) MirrorLeftRight(bitmap);
}

namespace detail {

bool IsConvertibleSize(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxConvertedSide && height <= kMaxConvertedSide &&
           width <= kMaxBitmapSide && height <= kMaxBitmapSide && width * height <= kMaxJpegPixels &&
           width * height <= kMaxBitmapPixels;
}

Bitmap WhiteBitmap(int width, int height) {
    Bitmap bitmap(width, height, PixelFormat::Bits24);
    std::memset(bitmap.Pixels(), 0xFF, bitmap.PixelBytes());
    return bitmap;
}

void FlattenRgbaOntoWhite(const std::uint8_t* rgba, std::uint8_t* bgr, int width) {
    for (int x = 0; x < width; ++x, rgba += 4, bgr += 3) {
        const unsigned alpha = rgba[3];
        const unsigned white = 255 * (255 - alpha) + 127;
        bgr[0] = static_cast<std::uint8_t>((rgba[2] * alpha + white) / 255);
        bgr[1] = static_cast<std::uint8_t>((rgba[1] * alpha + white) / 255);
        bgr[2] = static_cast<std::uint8_t>((rgba[0] * alpha + white) / 255);
    }
}

void CopyRgbAsBgr(const std::uint8_t* rgb, std::uint8_t* bgr, int width) {
    for (int x = 0; x < width; ++x, rgb += 3, bgr += 3) {
        bgr[0] = rgb[2];
        bgr[1] = rgb[1];
        bgr[2] = rgb[0];
    }
}

}  // namespace detail

}  // namespace velvora
