// Show cards of the open-show list.
#include "library/ShowCard.h"

#include <QPainter>

#include "library/LibraryFrameParts.h"
#include "platform/TextCodec.h"

namespace velvora {

static constexpr QChar ItemSeparator(0x00FF);
static constexpr int TextLeft = 36;
static constexpr int RightMargin = 4;

QString ShowItemText(const ShowRecord& record) {
    QString text;
    for (const std::string* field : {&record.Title, &record.Folder, &record.Description, &record.Author})
        text += FromStored(*field) + ItemSeparator;
    return text;
}

// The pixel sizes are the 10- and 9-point faces at 96 dpi, so the card fits its fixed
// 36-pixel row on any screen.
static QFont CardFont(int pixelSize, bool bold, bool italic) {
    QFont font = ArialFont(pixelSize, bold);
    font.setItalic(italic);
    return font;
}

static void DrawTitleLine(QPainter& painter, const QRect& row, const ShowRecord& record) {
    const int right = row.right() - RightMargin;
    painter.setFont(CardFont(13, true, false));
    const QString quoted = QLatin1Char('"') + FromStored(record.Title) + QLatin1Char('"');
    const QRect titleArea(QPoint(row.left() + TextLeft, row.top() + 2), QPoint(right, row.top() + 17));
    painter.drawText(titleArea, Qt::AlignLeft | Qt::AlignTop,
                     painter.fontMetrics().elidedText(quoted, Qt::ElideRight, titleArea.width()));
    const QString author = FromStored(record.Author).trimmed();
    if (author.isEmpty()) return;
    const int w = painter.fontMetrics().horizontalAdvance(quoted);
    painter.setFont(CardFont(13, false, false));
    const QRect byArea(QPoint(titleArea.left() + w, titleArea.top()), titleArea.bottomRight());
    if (byArea.width() <= 0) return;
    painter.drawText(byArea, Qt::AlignLeft | Qt::AlignTop,
                     painter.fontMetrics().elidedText(QStringLiteral(" by ") + FromStored(record.Author),
                                                      Qt::ElideRight, byArea.width()));
}

void DrawShowCard(QPainter& painter, const QRect& row, const ShowRecord& record, const QPixmap& docIcon,
                  const QPalette& colours, bool selected) {
    painter.save();
    painter.setClipRect(row);
    painter.fillRect(row, colours.color(selected ? QPalette::Highlight : QPalette::Base));
    painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
    DrawTitleLine(painter, row, record);
    painter.setFont(CardFont(12, false, true));
    const QRect descriptionArea(QPoint(row.left() + TextLeft, row.top() + 17),
                                QPoint(row.right() - RightMargin, row.bottom()));
    painter.drawText(descriptionArea, Qt::AlignLeft | Qt::AlignTop,
                     painter.fontMetrics().elidedText(FromStored(record.Description), Qt::ElideRight,
                                                      descriptionArea.width()));
    painter.drawPixmap(row.left() + 4, row.top() + 2, docIcon);
    painter.restore();
}

ShowCardDelegate::ShowCardDelegate(QObject* parent)
    : QStyledItemDelegate(parent), imgDocIcon(ArtworkPixmap(QStringLiteral("document.svg"), DocIconSize)) {}

void ShowCardDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    DrawShowCard(*painter, option.rect, index.data(ShowRecordRole).value<ShowRecord>(), imgDocIcon, option.palette,
                 selected);
}

QSize ShowCardDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), ShowCardHeight};
}

}  // namespace velvora
