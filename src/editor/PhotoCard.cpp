// Photo cards of the photo list.
#include "editor/PhotoCard.h"

#include <cstdint>
#include <exception>
#include <iterator>
#include <utility>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include "base/FileIo.h"
#include "base/Global.h"
#include "editor/PhotoList.h"
#include "editor/PhotoListModel.h"
#include "editor/PhotoViewing.h"
#include "imaging/BitmapQt.h"
#include "imaging/BmpFile.h"
#include "imaging/bmpRot.h"
#include "library/LibraryFrameParts.h"
#include "platform/TextCodec.h"

namespace velvora {

static constexpr int TextLeft = 90;
// Thumbnails are 70 × 70 at most; a much bigger ".thu" is damaged, and reading it on
// every repaint would stall the list.
static constexpr std::uint32_t MaxThumbnailFileBytes = 1 << 20;
// The 80 × 80 picture area inside the cut-corner frame.
static constexpr int FrameLeft = 6;
static constexpr int FrameTop = 3;
static constexpr int FrameSide = 80;
// How much of the background covers a dimmed card (of 255).
static constexpr int DimmingAlpha = 150;

// Half the height of the line that marks where dragged photos would land; each of the
// two cards beside the gap draws its half.
static constexpr int DropLineHalf = 2;

// The photo's thumbnail, turned upright, or a null image when there is none to show.
static QImage LoadThumbnail(const std::string& categoryFolder, const std::string& id, int rotation) {
    if (categoryFolder.empty() || !IsPhotoId(id)) return {};
    const std::string path = categoryFolder + id + ThumbnailExtension;
    const std::uint32_t size = FileSizeOf(path);
    if (size == 0 || size > MaxThumbnailFileBytes) return {};
    try {
        Bitmap thumbnail = DecodeBmp(ReadWholeFile(path));
        RotateBitmapClockwise(thumbnail, rotation);
        return ToQImage(thumbnail);
    } catch (const std::exception&) {
        return {};
    }
}

// Draws `text` with its top-left corner at (x, y) and returns the height of a line of
// the current font.
static int DrawTextLine(QPainter& painter, int x, int y, const std::string& text) {
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(QPoint(x, y + metrics.ascent()), FromStored(text));
    return metrics.height();
}

// The 10-, 9- and 7-point faces at 96 dpi, so the texts fit the fixed card height on any screen.
static void DrawTexts(QPainter& painter, const PhotoEntry& entry) {
    painter.setFont(ArialFont(13, true));
    int h = DrawTextLine(painter, TextLeft, 5, entry.Name);
    painter.setFont(ArialFont(12));
    h += DrawTextLine(painter, TextLeft, 7 + h, entry.Caption);
    painter.setFont(ArialFont(9));
    h += DrawTextLine(painter, TextLeft, 16 + h, entry.SourceFileName);
    DrawTextLine(painter, TextLeft, 16 + h, entry.Width + " x " + entry.Height + " pixels");
}

static void DrawFrame(QPainter& painter, const QPalette& colours) {
    painter.fillRect(QRect(QPoint(7, 4), QPoint(84, 81)), colours.color(QPalette::Button));
    painter.setPen(colours.color(QPalette::Dark));
    static constexpr QPoint CutCorners[] = {{8, 3},  {83, 3}, {85, 5}, {85, 80}, {83, 82},
                                            {8, 82}, {6, 80}, {6, 5},  {8, 3}};
    painter.drawPolyline(CutCorners, int(std::size(CutCorners)));
}

// Centres the thumbnail in the frame with a one-pixel border whose corners are rounded off.
static void DrawThumbnail(QPainter& painter, const QImage& thumbnail, const QPalette& colours) {
    const int tw = thumbnail.width();
    const int th = thumbnail.height();
    const int x = FrameLeft + (FrameSide - tw) / 2;
    const int y = FrameTop + (FrameSide - th) / 2;
    painter.drawImage(x, y, thumbnail);
    painter.setPen(colours.color(QPalette::Dark));
    painter.setBrush(Qt::NoBrush);
    // A 1-pixel outline of a w × h QRect covers w + 1 pixels, so this borders the picture exactly.
    painter.drawRect(QRect(x - 1, y - 1, tw + 1, th + 1));
    painter.setPen(colours.color(QPalette::Button));
    for (const QPoint corner :
         {QPoint(x - 1, y - 1), QPoint(x + tw, y - 1), QPoint(x - 1, y + th), QPoint(x + tw, y + th)})
        painter.drawPoint(corner);
}

void DrawPhotoCard(QPainter& painter, const QRect& itemRect, const std::string& entryText, int rotation,
                   const std::string& categoryFolder, const QPalette& colours, bool selected, bool dimmed) {
    if (itemRect.isEmpty()) return;
    // Drawn at the device's resolution so that texts stay sharp on high-density screens.
    const qreal scale = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QImage card(itemRect.size() * scale, QImage::Format_RGB32);
    card.setDevicePixelRatio(scale);
    const QColor background = colours.color(selected ? QPalette::Highlight : QPalette::Base);
    card.fill(background);
    const PhotoEntry entry = PhotoEntry::FromText(entryText);
    const QImage thumbnail = LoadThumbnail(categoryFolder, entry.PhotoId, rotation);
    {
        QPainter cardPainter(&card);
        cardPainter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
        DrawTexts(cardPainter, entry);
        DrawFrame(cardPainter, colours);
        if (!thumbnail.isNull()) DrawThumbnail(cardPainter, thumbnail, colours);
        if (dimmed) {
            QColor veil = background;
            veil.setAlpha(DimmingAlpha);
            cardPainter.fillRect(QRect(QPoint(0, 0), itemRect.size()), veil);
        }
    }
    painter.drawImage(itemRect.topLeft(), card);
}

PhotoCardDelegate::PhotoCardDelegate(std::function<std::string()> categoryFolder,
                                     std::function<bool(const std::string&)> isCut, QObject* parent)
    : QStyledItemDelegate(parent), categoryFolder_(std::move(categoryFolder)), isCut_(std::move(isCut)) {}

void PhotoCardDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const std::string entry = index.data(PhotoEntryRole).toByteArray().toStdString();
    DrawPhotoCard(*painter, option.rect, entry, index.data(PhotoRotationRole).toInt(),
                  categoryFolder_ ? categoryFolder_() : std::string(), option.palette,
                  option.state.testFlag(QStyle::State_Selected), isCut_ && isCut_(PhotoEntry::FromText(entry).PhotoId));
    const QColor line = option.palette.color(QPalette::Text);
    if (index.row() == dropGap_)
        painter->fillRect(option.rect.adjusted(0, 0, 0, DropLineHalf - option.rect.height()), line);
    if (index.row() + 1 == dropGap_)
        painter->fillRect(option.rect.adjusted(0, option.rect.height() - DropLineHalf, 0, 0), line);
}

QSize PhotoCardDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), PhotoCardHeight};
}

}  // namespace velvora
