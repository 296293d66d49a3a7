// Rows of the photo list view.
#include "editor/PhotoListModel.h"

#include <QByteArray>

#include "platform/TextCodec.h"

namespace velvora {

PhotoListModel::PhotoListModel(PhotoList& photos, QObject* parent) : QAbstractListModel(parent), photos_(photos) {}

int PhotoListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : photos_.Count(); }

QVariant PhotoListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= photos_.Count()) return {};
    const std::string& text = photos_.Item(index.row());
    if (role == PhotoEntryRole) return QByteArray(text.data(), qsizetype(text.size()));
    if (role == PhotoRotationRole) return photos_.Rotation(index.row());
    if (role == Qt::DisplayRole) return FromStored(PhotoEntry::FromText(text).Name);
    return {};
}

void PhotoListModel::Reload() {
    beginResetModel();
    endResetModel();
}

}  // namespace velvora
