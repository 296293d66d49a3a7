// Pictures in the formats that are stored converted to JPEG (PNG, GIF, TIFF, WebP, HEIF),
// decoded through their libraries into upright 24-bit pixels on white. Every operation
// reports failure by returning false and never shows a message.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/Bitmap.h"

namespace velvora {

enum class PictureFormat { Unknown, Png, Gif, Tiff, WebP, Heif };

// The format that the first bytes of a file announce; at least 12 bytes are needed to tell
// WebP and HEIF, fewer give Unknown for them.
PictureFormat SniffPictureFormat(std::string_view firstBytes);

// The largest side a JPEG holds; the converted picture must fit one.
inline constexpr int kMaxConvertedSide = 65500;

struct ConvertedPicture {
    // B, G, R in 24 bits, turned and mirrored as the file's orientation asks, transparent
    // and half-transparent pixels laid over white.
    Bitmap Pixels;
    // The file's EXIF block as the file holds it (a TIFF header on, in WebP sometimes behind
    // "Exif\0\0"), so that the date taken and camera details can travel on; empty when
    // it has none or the format carries none here (PNG, GIF, TIFF, whose tags are its own).
    std::string Exif;
};

// Decodes the file at `path`, recognised by its bytes (not its name): PNG of any depth and
// colour type; the first frame of a GIF, on the logical screen; the first page of a TIFF;
// the first frame of a WebP, turned by its EXIF orientation; the primary picture of a
// HEIF, turned and mirrored by its container. Declared sizes above kMaxJpegPixels or
// kMaxConvertedSide, or outside the bitmap size limits, are refused before pixel memory is
// taken. Missing, damaged, truncated files and other formats give false and leave
// `picture` unspecified. Safe to call from several threads at once.
bool DecodeConvertedPicture(const std::string& path, ConvertedPicture& picture);
// The same for a file's bytes held in memory.
bool DecodeConvertedBytes(std::string_view bytes, ConvertedPicture& picture);

// Turns and mirrors `bitmap` so that a picture stored with EXIF `orientation` (1 to 8)
// stands upright as the camera saw it; mirrored orientations are unmirrored as well.
// Other values change nothing.
void OrientUpright(Bitmap& bitmap, int orientation);

}  // namespace velvora
