#include "editor/CategoryTreeModel.h"

#include <utility>

#include <QApplication>
#include <QStyle>

#include "editor/CategoryTree.h"
#include "platform/TextCodec.h"

namespace velvora {

namespace {

int RowAmongSiblings(const CategoryNode* node) {
    const CategoryNode* parent = node->Parent();
    if (!parent) return 0;
    for (int row = 0; row < parent->ChildCount(); ++row)
        if (parent->Child(row) == node) return row;
    return 0;
}

}  // namespace

CategoryTreeModel::CategoryTreeModel(CategoryTree& tree, RenameHandler rename, QObject* parent)
    : QAbstractItemModel(parent),
      tree_(tree),
      rename_(std::move(rename)),
      showIcon_(QIcon(QStringLiteral(":/artwork/document.svg"))),
      categoryIcon_(QApplication::style()->standardIcon(QStyle::SP_DirIcon)) {}

void CategoryTreeModel::Reload() {
    beginResetModel();
    dropTarget_ = nullptr;
    endResetModel();
}

QModelIndex CategoryTreeModel::IndexOf(const CategoryNode* node) const {
    if (!node) return {};
    return createIndex(RowAmongSiblings(node), 0, const_cast<CategoryNode*>(node));
}

CategoryNode* CategoryTreeModel::NodeOf(const QModelIndex& index) {
    return index.isValid() ? static_cast<CategoryNode*>(index.internalPointer()) : nullptr;
}

QModelIndex CategoryTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) return row == 0 && tree_.Root() ? createIndex(0, 0, tree_.Root()) : QModelIndex();
    const CategoryNode* node = NodeOf(parent);
    return row < node->ChildCount() ? createIndex(row, 0, node->Child(row)) : QModelIndex();
}

QModelIndex CategoryTreeModel::parent(const QModelIndex& child) const {
    const CategoryNode* node = NodeOf(child);
    return node ? IndexOf(node->Parent()) : QModelIndex();
}

int CategoryTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return tree_.Root() ? 1 : 0;
    return parent.column() == 0 ? NodeOf(parent)->ChildCount() : 0;
}

int CategoryTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant CategoryTreeModel::data(const QModelIndex& index, int role) const {
    const CategoryNode* node = NodeOf(index);
    if (!node) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return FromStored(node->Text);
        case Qt::DecorationRole:
            return node->Parent() ? categoryIcon_ : showIcon_;
        case Qt::BackgroundRole:
            if (node == dropTarget_) return QGuiApplication::palette().brush(QPalette::Active, QPalette::Highlight);
            return {};
        case Qt::ForegroundRole:
            if (node == dropTarget_)
                return QGuiApplication::palette().brush(QPalette::Active, QPalette::HighlightedText);
            return {};
        default:
            return {};
    }
}

void CategoryTreeModel::SetDropTarget(const CategoryNode* node) {
    if (node == dropTarget_) return;
    const CategoryNode* previous = std::exchange(dropTarget_, node);
    RepaintNode(previous);
    RepaintNode(node);
}

void CategoryTreeModel::RepaintNode(const CategoryNode* node) {
    if (!node) return;
    const QModelIndex index = IndexOf(node);
    emit dataChanged(index, index, {Qt::BackgroundRole, Qt::ForegroundRole});
}

bool CategoryTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    CategoryNode* node = NodeOf(index);
    if (!node || role != Qt::EditRole || !rename_(*node, value.toString())) return false;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags CategoryTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

}  // namespace velvora
