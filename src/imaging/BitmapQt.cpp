// Row-by-row copies between Bitmap and QImage; both pad rows to 4 bytes but QImage owns its own
// memory, so nothing is shared.
#include "imaging/BitmapQt.h"

#include <cstring>

namespace velvora {

static QList<QRgb> ColourTable(const Palette& palette) {
    QList<QRgb> table;
    table.reserve(static_cast<qsizetype>(palette.size()));
    for (const PaletteEntry& entry : palette) table.push_back(qRgb(entry.red, entry.green, entry.blue));
    return table;
}

static QImage::Format QtFormatFor(PixelFormat format) {
    switch (format) {
        case PixelFormat::Bits1:
            return QImage::Format_Mono;
        case PixelFormat::Bits4:
        case PixelFormat::Bits8:
            return QImage::Format_Indexed8;
        case PixelFormat::Bits16:
            return QImage::Format_RGB555;
        case PixelFormat::Bits24:
            return QImage::Format_BGR888;
        case PixelFormat::Bits32:
            return QImage::Format_RGB32;
    }
    return QImage::Format_Invalid;
}

static void CopyRow(const Bitmap& bitmap, int y, uchar* target) {
    const std::uint8_t* source = bitmap.Row(y);
    const int width = bitmap.Width();
    switch (bitmap.Format()) {
        case PixelFormat::Bits4:
            for (int x = 0; x < width; ++x) target[x] = PackedIndex(source, x, 4);
            break;
        case PixelFormat::Bits32:
            // RGB32 expects an opaque alpha byte; the bitmap's spare byte carries no meaning.
            for (int x = 0; x < width; ++x) {
                std::memcpy(target + 4 * x, source + 4 * x, 3);
                target[4 * x + 3] = 0xFF;
            }
            break;
        default:
            std::memcpy(target, source, (static_cast<std::size_t>(width) * BitsPerPixel(bitmap.Format()) + 7) / 8);
    }
}

QImage ToQImage(const Bitmap& bitmap) {
    if (bitmap.IsEmpty()) return {};
    QImage image(bitmap.Width(), bitmap.Height(), QtFormatFor(bitmap.Format()));
    if (BitsPerPixel(bitmap.Format()) <= 8) image.setColorTable(ColourTable(bitmap.GetPalette()));
    for (int y = 0; y < bitmap.Height(); ++y) CopyRow(bitmap, y, image.scanLine(y));
    return image;
}

static Palette PaletteFrom(const QList<QRgb>& table) {
    Palette palette;
    palette.reserve(static_cast<std::size_t>(table.size()));
    for (QRgb colour : table) {
        palette.push_back({static_cast<std::uint8_t>(qRed(colour)), static_cast<std::uint8_t>(qGreen(colour)),
                           static_cast<std::uint8_t>(qBlue(colour)), 0});
    }
    return palette;
}

Bitmap FromQImage(const QImage& image) {
    if (image.isNull()) return {};
    const bool indexed = image.format() == QImage::Format_Indexed8;
    const QImage source = indexed ? image : image.convertToFormat(QImage::Format_BGR888);
    Bitmap bitmap(source.width(), source.height(), indexed ? PixelFormat::Bits8 : PixelFormat::Bits24);
    if (indexed) bitmap.SetPalette(PaletteFrom(source.colorTable()));
    const auto rowBytes = static_cast<std::size_t>(source.width()) * (indexed ? 1 : 3);
    for (int y = 0; y < source.height(); ++y) std::memcpy(bitmap.Row(y), source.constScanLine(y), rowBytes);
    return bitmap;
}

}  // namespace velvora
