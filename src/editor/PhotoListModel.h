// The item model through which the photo list view shows the core photo list.
#pragma once

#include <QAbstractListModel>

#include "editor/PhotoList.h"

namespace velvora {

// Item data role holding the item's raw PhotoEntry text as a QByteArray.
inline constexpr int PhotoEntryRole = Qt::UserRole + 1;
// Item data role holding the photo's rotation, quarter turns clockwise, as an int.
inline constexpr int PhotoRotationRole = Qt::UserRole + 2;

// One row per photo list item; read-only. The display role is the photo's Name.
class PhotoListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit PhotoListModel(PhotoList& photos, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Rebuilds every row after the core list changed (moves, deletions, a new category).
    void Reload();

private:
    PhotoList& photos_;
};

}  // namespace velvora
