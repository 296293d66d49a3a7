// BMP file images: a checked reader for what desktop programs write, and the plain writer.
#include "imaging/BmpFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <stdexcept>

namespace velvora {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;

[[noreturn]] void Fail(const std::string& reason) { throw std::runtime_error("Cannot read bitmap: " + reason); }

// Little-endian field access that refuses to read past the end of the image.
class Bytes {
public:
    explicit Bytes(std::string_view data) : data_(data) {}
    std::size_t Size() const { return data_.size(); }
    bool Has(std::size_t at, std::size_t count) const { return at <= data_.size() && count <= data_.size() - at; }
    std::uint8_t U8(std::size_t at) const { return static_cast<std::uint8_t>(data_[Checked(at, 1)]); }
    std::uint16_t U16(std::size_t at) const {
        Checked(at, 2);
        return static_cast<std::uint16_t>(U8(at) | U8(at + 1) << 8);
    }
    std::uint32_t U32(std::size_t at) const {
        Checked(at, 4);
        return static_cast<std::uint32_t>(U16(at)) | static_cast<std::uint32_t>(U16(at + 2)) << 16;
    }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    const std::uint8_t* At(std::size_t at) const { return reinterpret_cast<const std::uint8_t*>(data_.data()) + at; }

private:
    std::size_t Checked(std::size_t at, std::size_t count) const {
        if (!Has(at, count)) Fail("the file is truncated");
        return at;
    }
    std::string_view data_;
};

struct BmpLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool topDown = false;
    int bits = 0;
    std::uint32_t compression = kBiRgb;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue
    std::size_t paletteAt = 0;
    std::size_t paletteCount = 0;
    std::size_t paletteEntrySize = 4;
    std::size_t pixelsAt = 0;
};

void ReadCoreHeader(const Bytes& in, BmpLayout& layout) {
    layout.width = in.U16(18);
    layout.height = in.U16(20);
    layout.bits = in.U16(24);
    layout.paletteEntrySize = 3;
    layout.paletteAt = kFileHeaderSize + kCoreHeaderSize;
    if (layout.bits <= 8) layout.paletteCount = std::size_t{1} << layout.bits;
}

void ReadInfoHeader(const Bytes& in, std::size_t headerSize, BmpLayout& layout) {
    layout.width = in.I32(18);
    layout.height = in.I32(22);
    if (layout.height < 0) {
        layout.topDown = true;
        layout.height = -layout.height;
    }
    layout.bits = in.U16(28);
    layout.compression = in.U32(30);
    layout.paletteAt = kFileHeaderSize + headerSize;
    if (layout.compression == kBiBitfields) {
        // A plain info header is followed by the three masks; later headers hold them inside.
        for (std::size_t i = 0; i < 3; ++i) layout.masks[i] = in.U32(kFileHeaderSize + kInfoHeaderSize + 4 * i);
        if (headerSize == kInfoHeaderSize) layout.paletteAt += 12;
    }
    if (layout.bits <= 8 && layout.bits > 0) {
        const std::size_t full = std::size_t{1} << layout.bits;
        const std::size_t used = in.U32(46);
        layout.paletteCount = used == 0 ? full : std::min(used, full);
    }
}

void CheckLayout(const BmpLayout& layout) {
    if (layout.width < 0) Fail("the width is negative");
    if (layout.width > kMaxBitmapSide || layout.height > kMaxBitmapSide ||
        layout.width * layout.height > kMaxBitmapPixels) {
        Fail("the picture is too large (" + std::to_string(layout.width) + " x " + std::to_string(layout.height) + ")");
    }
    constexpr std::array kDepths{1, 4, 8, 16, 24, 32};
    if (std::find(kDepths.begin(), kDepths.end(), layout.bits) == kDepths.end()) {
        Fail("unsupported depth of " + std::to_string(layout.bits) + " bits per pixel");
    }
    const bool fits = (layout.compression == kBiRgb) || (layout.compression == kBiRle8 && layout.bits == 8) ||
                      (layout.compression == kBiRle4 && layout.bits == 4) ||
                      (layout.compression == kBiBitfields && (layout.bits == 16 || layout.bits == 32));
    if (!fits) Fail("unsupported compression " + std::to_string(layout.compression));
    if (layout.topDown && layout.compression != kBiRgb && layout.compression != kBiBitfields) {
        Fail("compressed rows cannot be stored top-down");
    }
}

// Uncompressed rows must all be present before memory is taken for them; the final row may
// lack its padding, as some writers omit it.
void CheckRawRowsPresent(const Bytes& in, const BmpLayout& layout) {
    const auto rows = static_cast<std::size_t>(layout.height);
    const auto bits = static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.bits);
    const std::size_t rowBytes = (bits + 31) / 32 * 4;
    if (rows > 0 && !in.Has(layout.pixelsAt, rowBytes * (rows - 1) + (bits + 7) / 8)) {
        Fail("the pixel data is truncated");
    }
}

BmpLayout ReadLayout(const Bytes& in) {
    if (!in.Has(0, kFileHeaderSize + 4) || in.U8(0) != 'B' || in.U8(1) != 'M') Fail("not a BMP image");
    const std::size_t headerSize = in.U32(kFileHeaderSize);
    if (!in.Has(kFileHeaderSize, headerSize)) Fail("the file is truncated");
    BmpLayout layout;
    if (headerSize == kCoreHeaderSize) {
        ReadCoreHeader(in, layout);
    } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124) {
        ReadInfoHeader(in, headerSize, layout);
    } else {
        Fail("unsupported header of " + std::to_string(headerSize) + " bytes");
    }
    CheckLayout(layout);
    const std::size_t paletteEnd = layout.paletteAt + layout.paletteCount * layout.paletteEntrySize;
    if (!in.Has(0, paletteEnd)) Fail("the file is truncated");
    // Some writers leave the pixel offset at 0 or point it into the headers; the pixels then
    // follow the palette.
    const std::size_t offset = in.U32(10);
    layout.pixelsAt = offset >= paletteEnd ? offset : paletteEnd;
    if (!in.Has(layout.pixelsAt, 0)) Fail("the pixel data lies beyond the end of the file");
    if (layout.compression == kBiRgb || layout.compression == kBiBitfields) CheckRawRowsPresent(in, layout);
    return layout;
}

Palette ReadPalette(const Bytes& in, const BmpLayout& layout) {
    Palette palette(layout.paletteCount);
    for (std::size_t i = 0; i < layout.paletteCount; ++i) {
        const std::size_t at = layout.paletteAt + i * layout.paletteEntrySize;
        palette[i] = {in.U8(at + 2), in.U8(at + 1), in.U8(at), 0};
    }
    return palette;
}

int ScreenRow(const BmpLayout& layout, std::int64_t fileRow) {
    return static_cast<int>(layout.topDown ? fileRow : layout.height - 1 - fileRow);
}

void ReadRawRows(const Bytes& in, const BmpLayout& layout, Bitmap& bitmap) {
    const std::size_t rowBytes = bitmap.RowBytes();
    if (rowBytes == 0) return;  // a picture without columns has no pixel memory to fill
    const auto rows = static_cast<std::size_t>(layout.height);
    for (std::size_t r = 0; r < rows; ++r) {
        const std::size_t at = layout.pixelsAt + r * rowBytes;
        const std::size_t count = std::min(rowBytes, in.Size() - at);
        std::memcpy(bitmap.Row(ScreenRow(layout, static_cast<std::int64_t>(r))), in.At(at), count);
    }
}

struct MaskChannel {
    int shift = 0;
    std::uint32_t max = 0;
    std::uint8_t Extract(std::uint32_t value) const {
        return max == 0 ? 0 : static_cast<std::uint8_t>(((value >> shift) & max) * 255 / max);
    }
};

MaskChannel ChannelOf(std::uint32_t mask) {
    if (mask == 0) return {};
    const int shift = std::countr_zero(mask);
    const int width = std::min(std::countr_one(mask >> shift), 31);
    return {shift, (std::uint32_t{1} << width) - 1};
}

bool IsNativeMasks(const BmpLayout& layout) {
    const std::array<std::uint32_t, 3> native = layout.bits == 16
                                                    ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                                    : std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
    return layout.masks == native;
}

// Masks other than the native 5-5-5 and 8-8-8 layouts are unpacked into B, G, R bytes.
void ReadMaskedRows(const Bytes& in, const BmpLayout& layout, Bitmap& bitmap) {
    Bitmap packed(static_cast<int>(layout.width), static_cast<int>(layout.height),
                  layout.bits == 16 ? PixelFormat::Bits16 : PixelFormat::Bits32);
    ReadRawRows(in, layout, packed);
    const MaskChannel red = ChannelOf(layout.masks[0]);
    const MaskChannel green = ChannelOf(layout.masks[1]);
    const MaskChannel blue = ChannelOf(layout.masks[2]);
    const int bytes = layout.bits / 8;
    for (int y = 0; y < packed.Height(); ++y) {
        const std::uint8_t* source = packed.Row(y);
        std::uint8_t* target = bitmap.Row(y);
        for (int x = 0; x < packed.Width(); ++x, source += bytes, target += 3) {
            std::uint32_t value = 0;
            for (int b = bytes - 1; b >= 0; --b) value = value << 8 | source[b];
            target[0] = blue.Extract(value);
            target[1] = green.Extract(value);
            target[2] = red.Extract(value);
        }
    }
}

void PutIndex(Bitmap& bitmap, std::int64_t x, std::int64_t fileRow, std::uint8_t index) {
    if (x >= bitmap.Width() || fileRow >= bitmap.Height()) return;
    SetPackedIndex(bitmap.Row(static_cast<int>(bitmap.Height() - 1 - fileRow)), static_cast<int>(x),
                   BitsPerPixel(bitmap.Format()), index);
}

// Run-length rows: runs and literal spans are clipped to the picture, skipped pixels stay
// index 0, and data that ends without an end-of-bitmap code ends the picture there.
void ReadRunLengthRows(const Bytes& in, const BmpLayout& layout, Bitmap& bitmap) {
    const bool fourBit = layout.compression == kBiRle4;
    std::size_t at = layout.pixelsAt;
    std::int64_t x = 0;
    std::int64_t row = 0;
    while (in.Has(at, 2) && row < layout.height) {
        const std::uint8_t count = in.U8(at);
        const std::uint8_t code = in.U8(at + 1);
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i, ++x) {
                const auto index = fourBit ? static_cast<std::uint8_t>(i % 2 == 0 ? code >> 4 : code & 0x0F) : code;
                PutIndex(bitmap, x, row, index);
            }
        } else if (code == 0) {
            x = 0;
            ++row;
        } else if (code == 1) {
            return;
        } else if (code == 2) {
            x += in.U8(at);
            row += in.U8(at + 1);
            at += 2;
        } else {
            const std::size_t spanBytes = fourBit ? (code + 1u) / 2 : code;
            if (!in.Has(at, spanBytes)) Fail("the run-length data is truncated");
            for (int i = 0; i < code; ++i, ++x) {
                const std::uint8_t byte = in.U8(at + (fourBit ? i / 2 : i));
                PutIndex(bitmap, x, row,
                         fourBit ? static_cast<std::uint8_t>(i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte);
            }
            at += (spanBytes + 1) & ~std::size_t{1};
        }
    }
}

void PutU16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8 & 0xFF));
}

void PutU32(std::string& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

}  // namespace

Bitmap DecodeBmp(std::string_view data) {
    const Bytes in(data);
    const BmpLayout layout = ReadLayout(in);
    const bool unpackMasks = layout.compression == kBiBitfields && !IsNativeMasks(layout);
    const PixelFormat format = unpackMasks ? PixelFormat::Bits24 : static_cast<PixelFormat>(layout.bits);
    Bitmap bitmap(static_cast<int>(layout.width), static_cast<int>(layout.height), format);
    if (layout.bits <= 8) bitmap.SetPalette(ReadPalette(in, layout));
    if (unpackMasks) {
        ReadMaskedRows(in, layout, bitmap);
    } else if (layout.compression == kBiRle4 || layout.compression == kBiRle8) {
        ReadRunLengthRows(in, layout, bitmap);
    } else {
        ReadRawRows(in, layout, bitmap);
    }
    return bitmap;
}

std::string EncodeBmp(const Bitmap& bitmap) {
    const Palette& palette = bitmap.GetPalette();
    const auto pixelsAt = static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + 4 * palette.size());
    const auto imageSize = static_cast<std::uint32_t>(bitmap.PixelBytes());
    std::string out;
    out.reserve(pixelsAt + imageSize);
    out += "BM";
    PutU32(out, pixelsAt + imageSize);
    PutU32(out, 0);
    PutU32(out, pixelsAt);
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(bitmap.Width()));
    PutU32(out, static_cast<std::uint32_t>(bitmap.Height()));
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint32_t>(BitsPerPixel(bitmap.Format())));
    PutU32(out, kBiRgb);
    PutU32(out, imageSize);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, static_cast<std::uint32_t>(palette.size()));
    PutU32(out, 0);
    for (const PaletteEntry& entry : palette) {
        out.push_back(static_cast<char>(entry.blue));
        out.push_back(static_cast<char>(entry.green));
        out.push_back(static_cast<char>(entry.red));
        out.push_back('\0');
    }
    for (int y = bitmap.Height() - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char*>(bitmap.Row(y)), bitmap.RowBytes());
    }
    return out;
}

}  // namespace velvora
