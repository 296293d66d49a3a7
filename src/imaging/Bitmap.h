// The bitmap that imaging and the editor share: device-independent pixels of 1 to 32 bits,
// a palette for the packed formats, and BMP file and in-memory image reading and writing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velvora {

// Bits per pixel. 1, 4 and 8 index the palette; 16 is X1R5G5B5; 24 is B, G, R bytes;
// 32 is B, G, R and one spare byte.
enum class PixelFormat : int { Bits1 = 1, Bits4 = 4, Bits8 = 8, Bits16 = 16, Bits24 = 24, Bits32 = 32 };

struct PaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t flags = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};
using Palette = std::vector<PaletteEntry>;

// The largest picture a bitmap will hold; bigger sizes (from damaged or hostile headers)
// are refused before any memory is taken.
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t{1} << 28;
inline constexpr int kMaxBitmapSide = 1 << 16;

int BitsPerPixel(PixelFormat format);
// Bytes of one stored row of `width` pixels: rows are padded to a multiple of 4 bytes.
std::size_t RowBytesFor(int width, PixelFormat format);

class Bitmap {
public:
    // An empty 24-bit bitmap.
    Bitmap() = default;
    // A `width` × `height` bitmap with all pixel bytes zero. Throws std::invalid_argument for
    // sizes outside 0..kMaxBitmapSide or above kMaxBitmapPixels.
    Bitmap(int width, int height, PixelFormat format);

    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelFormat Format() const { return format_; }
    bool IsEmpty() const { return width_ == 0 || height_ == 0; }

    // Changing the format or the size clears every pixel to zero. A palette format without a
    // palette receives the grey ramp of its depth; a format above 8 bits drops the palette.
    void SetFormat(PixelFormat format);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    void SetSize(int width, int height);

    // Rows are stored top row first; each is RowBytes() long, padding included.
    std::size_t RowBytes() const { return rowBytes_; }
    std::uint8_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * rowBytes_; }
    const std::uint8_t* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * rowBytes_; }
    std::uint8_t* Pixels() { return pixels_.data(); }
    const std::uint8_t* Pixels() const { return pixels_.data(); }
    std::size_t PixelBytes() const { return pixels_.size(); }

    // At most 2^bits entries are kept, an empty palette becomes the grey ramp; formats above
    // 8 bits keep no palette.
    const Palette& GetPalette() const { return palette_; }
    void SetPalette(Palette palette);

    // The BMP readers accept BITMAPCOREHEADER, BITMAPINFOHEADER and the V2 to V5 headers,
    // bottom-up and top-down rows, BI_RGB, BI_BITFIELDS, RLE4 and RLE8; anything they cannot
    // read throws std::runtime_error with the reason, and the bitmap is left unchanged.
    void LoadFromFile(const std::string& path);
    void LoadFromBmp(std::string_view bytes);
    // Writes an uncompressed bottom-up BMP with a BITMAPINFOHEADER (atomically for files).
    void SaveToFile(const std::string& path) const;
    std::string SaveToBmp() const;

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    void Reallocate();

    int width_ = 0;
    int height_ = 0;
    PixelFormat format_ = PixelFormat::Bits24;
    std::size_t rowBytes_ = 0;
    std::vector<std::uint8_t> pixels_;
    Palette palette_;
};

// The grey palette of `levels` entries from black to white (2, 16 or 256).
Palette GreyRamp(int levels);

// The palette index of pixel `x` of a 1-, 4- or 8-bit row; packed pixels fill a byte from its
// most significant bits.
std::uint8_t PackedIndex(const std::uint8_t* row, int x, int bits);
void SetPackedIndex(std::uint8_t* row, int x, int bits, std::uint8_t index);

// A 24-bit copy holding each pixel's colour: palette entries looked up (an index beyond the
// palette reads as black), 5-5-5 channels widened to 8 bits, the spare byte of 32 bits dropped.
Bitmap ConvertToBgr24(const Bitmap& bitmap);

}  // namespace velvora
