// Pixel memory, palette and size rules of the shared bitmap type.
#include "imaging/Bitmap.h"

#include <cstring>
#include <stdexcept>
#include <utility>

#include "base/FileIo.h"
#include "imaging/BmpFile.h"

namespace velvora {

int BitsPerPixel(PixelFormat format) { return static_cast<int>(format); }

std::size_t RowBytesFor(int width, PixelFormat format) {
    const auto bits = static_cast<std::size_t>(width) * static_cast<std::size_t>(BitsPerPixel(format));
    return (bits + 31) / 32 * 4;
}

Palette GreyRamp(int levels) {
    Palette ramp(static_cast<std::size_t>(levels));
    for (int i = 0; i < levels; ++i) {
        const auto level = static_cast<std::uint8_t>(i * 255 / (levels - 1));
        ramp[static_cast<std::size_t>(i)] = {level, level, level, 0};
    }
    return ramp;
}

static bool HasPalette(PixelFormat format) { return BitsPerPixel(format) <= 8; }

static void CheckSize(int width, int height) {
    if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
        std::int64_t{width} * height > kMaxBitmapPixels) {
        throw std::invalid_argument("Bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                                    " is out of range");
    }
}

Bitmap::Bitmap(int width, int height, PixelFormat format) : format_(format) {
    CheckSize(width, height);
    width_ = width;
    height_ = height;
    SetFormat(format);
}

void Bitmap::SetFormat(PixelFormat format) {
    format_ = format;
    if (HasPalette(format)) {
        SetPalette(std::move(palette_));
    } else {
        palette_.clear();
    }
    Reallocate();
}

void Bitmap::SetSize(int width, int height) {
    CheckSize(width, height);
    width_ = width;
    height_ = height;
    Reallocate();
}

void Bitmap::SetPalette(Palette palette) {
    if (!HasPalette(format_)) return;
    const std::size_t limit = std::size_t{1} << BitsPerPixel(format_);
    // An index format always has a palette, so that every saved image can be read back.
    if (palette.empty()) palette = GreyRamp(static_cast<int>(limit));
    if (palette.size() > limit) palette.resize(limit);
    palette_ = std::move(palette);
}

void Bitmap::Reallocate() {
    rowBytes_ = RowBytesFor(width_, format_);
    pixels_.assign(rowBytes_ * static_cast<std::size_t>(height_), 0);
}

std::uint8_t PackedIndex(const std::uint8_t* row, int x, int bits) {
    if (bits == 8) return row[x];
    const int perByte = 8 / bits;
    const int shift = 8 - bits * (x % perByte + 1);
    return static_cast<std::uint8_t>(row[x / perByte] >> shift & ((1 << bits) - 1));
}

void SetPackedIndex(std::uint8_t* row, int x, int bits, std::uint8_t index) {
    if (bits == 8) {
        row[x] = index;
        return;
    }
    const int perByte = 8 / bits;
    const int shift = 8 - bits * (x % perByte + 1);
    const int mask = ((1 << bits) - 1) << shift;
    std::uint8_t& byte = row[x / perByte];
    byte = static_cast<std::uint8_t>((byte & ~mask) | ((index << shift) & mask));
}

static void IndexedRowToBgr(const std::uint8_t* row, int width, int bits, const Palette& palette, std::uint8_t* out) {
    for (int x = 0; x < width; ++x, out += 3) {
        const std::size_t index = PackedIndex(row, x, bits);
        const PaletteEntry entry = index < palette.size() ? palette[index] : PaletteEntry{};
        out[0] = entry.blue;
        out[1] = entry.green;
        out[2] = entry.red;
    }
}

static std::uint8_t Widen5(unsigned value) { return static_cast<std::uint8_t>(value << 3 | value >> 2); }

static void Rgb555RowToBgr(const std::uint8_t* row, int width, std::uint8_t* out) {
    for (int x = 0; x < width; ++x, out += 3) {
        const unsigned value = row[2 * x] | row[2 * x + 1] << 8;
        out[0] = Widen5(value & 31);
        out[1] = Widen5(value >> 5 & 31);
        out[2] = Widen5(value >> 10 & 31);
    }
}

static void Bgrx32RowToBgr(const std::uint8_t* row, int width, std::uint8_t* out) {
    for (int x = 0; x < width; ++x, out += 3, row += 4) std::memcpy(out, row, 3);
}

Bitmap ConvertToBgr24(const Bitmap& bitmap) {
    if (bitmap.Format() == PixelFormat::Bits24) return bitmap;
    Bitmap result(bitmap.Width(), bitmap.Height(), PixelFormat::Bits24);
    const int bits = BitsPerPixel(bitmap.Format());
    for (int y = 0; y < bitmap.Height(); ++y) {
        if (bits <= 8) {
            IndexedRowToBgr(bitmap.Row(y), bitmap.Width(), bits, bitmap.GetPalette(), result.Row(y));
        } else if (bits == 16) {
            Rgb555RowToBgr(bitmap.Row(y), bitmap.Width(), result.Row(y));
        } else {
            Bgrx32RowToBgr(bitmap.Row(y), bitmap.Width(), result.Row(y));
        }
    }
    return result;
}

void Bitmap::LoadFromFile(const std::string& path) { LoadFromBmp(ReadWholeFile(path)); }

void Bitmap::LoadFromBmp(std::string_view bytes) { *this = DecodeBmp(bytes); }

void Bitmap::SaveToFile(const std::string& path) const { WriteFileAtomic(path, EncodeBmp(*this)); }

std::string Bitmap::SaveToBmp() const { return EncodeBmp(*this); }

}  // namespace velvora
