// How one show of the open-show list is held and drawn: the record kept beside its list
// item, the item's separated text, and the 36-pixel card.
#pragma once

#include <QMetaType>
#include <QPixmap>
#include <QStyledItemDelegate>

#include "library/ShowIndex.h"

Q_DECLARE_METATYPE(velvora::ShowRecord)

class QPainter;

namespace velvora {

// Item data role holding the item's ShowRecord.
inline constexpr int ShowRecordRole = Qt::UserRole + 1;
inline constexpr int ShowCardHeight = 36;
inline constexpr QSize DocIconSize{26, 32};

// Title, folder, description and author, each followed by the separator U+00FF.
QString ShowItemText(const ShowRecord& record);

// Draws the card of `record` into `row` with the colours of a selected or plain row.
void DrawShowCard(QPainter& painter, const QRect& row, const ShowRecord& record, const QPixmap& docIcon,
                  const QPalette& colours, bool selected);

class ShowCardDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ShowCardDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QPixmap imgDocIcon;
};

}  // namespace velvora
