// How one photo of the photo list is drawn: its 80 × 80 thumbnail frame on the left,
// name, caption, source file name and pixel size beside it.
#pragma once

#include <functional>
#include <string>

#include <QStyledItemDelegate>

class QPainter;
class QPalette;
class QRect;

namespace velvora {

inline constexpr int PhotoCardHeight = 86;

// Draws the card of `entryText` (a PhotoEntry text) into `itemRect` with the colours of a
// selected or plain item. The thumbnail is `categoryFolder` + id + ".thu", turned by
// `rotation` quarter turns clockwise as the photo itself is; when the id is not a photo id,
// or the file is missing, too large or unreadable, the frame stays empty. Texts are clipped
// at the item's right edge. A dimmed card, a photo marked by Cut, is drawn faded into its
// background.
void DrawPhotoCard(QPainter& painter, const QRect& itemRect, const std::string& entryText, int rotation,
                   const std::string& categoryFolder, const QPalette& colours, bool selected, bool dimmed = false);

// Draws every row of a PhotoListModel as a photo card of fixed height, and the drop point
// of photos dragged over the list as a line across the gap between two cards.
class PhotoCardDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // `categoryFolder` and `isCut` (given a photo id) are asked at every draw, so the
    // delegate follows category changes and cut marks.
    PhotoCardDelegate(std::function<std::string()> categoryFolder, std::function<bool(const std::string&)> isCut,
                      QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The gap before row `gap` (the row count for after the last) where dragged photos
    // would land, or -1 for none. The view repaints itself afterwards.
    void SetDropGap(int gap) { dropGap_ = gap; }
    int DropGap() const { return dropGap_; }

private:
    std::function<std::string()> categoryFolder_;
    std::function<bool(const std::string&)> isCut_;
    int dropGap_ = -1;
};

}  // namespace velvora
