// The category tree of an open show, as the editor's tree view shows it: node 0 is the
// root and stands for the show, every other node is a category. Each node owns the
// TCategory that holds its settings.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/Category.h"

namespace velvora {

class CategoryNode {
public:
    CategoryNode(CategoryNode* parent, std::string text) : Text(std::move(text)), parent_(parent) {}

    std::string Text;  // category name; the show title for the root
    bool Expanded = false;
    // Null only while a node is being built; such a node is ignored by the category change.
    std::unique_ptr<TCategory> Category;

    CategoryNode* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<CategoryNode>>& Children() const { return children_; }
    int ChildCount() const { return static_cast<int>(children_.size()); }
    CategoryNode* Child(int i) const { return children_[std::size_t(i)].get(); }
    bool HasChildren() const { return !children_.empty(); }
    // True when `node` is this node or lies below it.
    bool Contains(const CategoryNode* node) const;

private:
    friend class CategoryTree;
    CategoryNode* parent_;
    std::vector<std::unique_ptr<CategoryNode>> children_;
};

// A hostile "categories.dat" could nest categories deep enough to exhaust the stack of
// the recursive writer; paths are attached no deeper than this.
inline constexpr int MaxCategoryDepth = 200;

class CategoryTree {
public:
    // Replaces the whole tree by a lone root with this text and selects it.
    CategoryNode* SetRoot(std::string text);
    // Frees every node and its TCategory.
    void Clear();

    CategoryNode* Root() const { return root_.get(); }
    // Number of nodes, root included.
    int Count() const;
    // Node at an absolute index in pre-order (0 = root); null when out of range.
    CategoryNode* NodeAt(int index) const;
    // Absolute index of `node`, or -1 when it is not in the tree.
    int IndexOf(const CategoryNode* node) const;
    // Every node in pre-order, root first.
    std::vector<CategoryNode*> Nodes() const;

    CategoryNode* Selected() const { return selected_; }
    void Select(CategoryNode* node) { selected_ = node; }

    // Appends a new last child of `parent` with no TCategory yet.
    CategoryNode* AddChild(CategoryNode* parent, std::string text);
    // Removes `node` with its subtree; refuses the root and returns false. A selection
    // inside the subtree moves to the node's parent.
    bool Remove(CategoryNode* node);
    // Swaps `node` with its previous / next sibling; false when there is none.
    bool MoveCategoryUp(CategoryNode* node);
    bool MoveCategoryDown(CategoryNode* node);

private:
    using Siblings = std::vector<std::unique_ptr<CategoryNode>>;
    static Siblings::iterator PositionAmongSiblings(CategoryNode* node);

    std::unique_ptr<CategoryNode> root_;
    CategoryNode* selected_ = nullptr;
};

// First child of `node` whose text equals `name` exactly (case-sensitive), or null.
CategoryNode* FindChildNode(const CategoryNode* node, std::string_view name);

// Why a name cannot be given to a node, if it cannot. "categories.dat" names a category by
// the path of names down to it, one per line, so a name must be a non-empty single line
// free of the path separator, and unique among its siblings so that its own children find
// it again. The show title, on the root, only has to be one non-empty line.
enum class CategoryNameProblem { None, Empty, ForbiddenCharacter, TakenBySibling };
CategoryNameProblem CheckCategoryName(const CategoryNode& node, std::string_view name);

// `base`, or `base` followed by " 2", " 3" ... : the first that no child of `parent` has.
std::string UniqueChildName(const CategoryNode& parent, const std::string& base);

// Adds the category named by a stored path ("\Holidays\Beach") as the last child of the
// node its ancestor names lead to. When an ancestor name is not found, the category goes
// under the deepest node that was found (the root at least), so that it is saved again.
CategoryNode* AddNodeByPath(CategoryTree& tree, std::string_view path);

// After `edited` was changed in the properties dialog: at most one category of the show
// carries Intro, About or AutoRun, so the other nodes lose the flags `edited` has set.
void ApplyExclusiveFlags(CategoryTree& tree, const CategoryNode* edited);

// Colour of the viewer pane for a photo in the category `node`. A photo background
// index other than 0 decides alone (its colour when the index is 1); with 0 the nearest
// category up the tree that sets a background decides, black when none does. Returns
// no value when no colour is determined, so that the pane keeps its colour.
std::optional<std::int32_t> ResolveBackgroundColor(int photoBackground, std::string_view photoBackgroundColor,
                                                   const CategoryNode* node);

}  // namespace velvora
