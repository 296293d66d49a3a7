// The category tree as the editor's tree view sees it. The core tree stays the one place
// that holds names, order and settings; the view reads it through this model and hands
// in-place renames to the frame, which decides whether to take them.
#pragma once

#include <functional>

#include <QAbstractItemModel>
#include <QIcon>

namespace velvora {

class CategoryNode;
class CategoryTree;

class CategoryTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // Returns true when the node took the new name.
    using RenameHandler = std::function<bool(CategoryNode& node, const QString& name)>;

    CategoryTreeModel(CategoryTree& tree, RenameHandler rename, QObject* parent = nullptr);

    // Rebuilds every index after the core tree changed shape.
    void Reload();
    QModelIndex IndexOf(const CategoryNode* node) const;
    static CategoryNode* NodeOf(const QModelIndex& index);
    // Marks the category that photos dragged over the tree would move to; nullptr for none.
    void SetDropTarget(const CategoryNode* node);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void RepaintNode(const CategoryNode* node);

    CategoryTree& tree_;
    RenameHandler rename_;
    const CategoryNode* dropTarget_ = nullptr;
    QIcon showIcon_;
    QIcon categoryIcon_;
};

}  // namespace velvora
