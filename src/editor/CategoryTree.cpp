// The category tree: structure, pre-order indexes, path lookup and the show-wide rules.
#include "editor/CategoryTree.h"

#include <algorithm>

namespace velvora {

bool CategoryNode::Contains(const CategoryNode* node) const {
    for (; node; node = node->parent_)
        if (node == this) return true;
    return false;
}

CategoryNode* CategoryTree::SetRoot(std::string text) {
    root_ = std::make_unique<CategoryNode>(nullptr, std::move(text));
    selected_ = root_.get();
    return selected_;
}

void CategoryTree::Clear() {
    root_.reset();
    selected_ = nullptr;
}

static void CollectPreOrder(CategoryNode* node, std::vector<CategoryNode*>& nodes) {
    nodes.push_back(node);
    for (const auto& child : node->Children()) CollectPreOrder(child.get(), nodes);
}

std::vector<CategoryNode*> CategoryTree::Nodes() const {
    std::vector<CategoryNode*> nodes;
    if (root_) CollectPreOrder(root_.get(), nodes);
    return nodes;
}

int CategoryTree::Count() const { return static_cast<int>(Nodes().size()); }

CategoryNode* CategoryTree::NodeAt(int index) const {
    const std::vector<CategoryNode*> nodes = Nodes();
    return index >= 0 && index < static_cast<int>(nodes.size()) ? nodes[std::size_t(index)] : nullptr;
}

int CategoryTree::IndexOf(const CategoryNode* node) const {
    const std::vector<CategoryNode*> nodes = Nodes();
    auto found = std::find(nodes.begin(), nodes.end(), node);
    return found == nodes.end() ? -1 : static_cast<int>(found - nodes.begin());
}

CategoryNode* CategoryTree::AddChild(CategoryNode* parent, std::string text) {
    parent->children_.push_back(std::make_unique<CategoryNode>(parent, std::move(text)));
    return parent->children_.back().get();
}

CategoryTree::Siblings::iterator CategoryTree::PositionAmongSiblings(CategoryNode* node) {
    Siblings& siblings = node->parent_->children_;
    return std::find_if(siblings.begin(), siblings.end(),
                        [node](const std::unique_ptr<CategoryNode>& sibling) { return sibling.get() == node; });
}

bool CategoryTree::Remove(CategoryNode* node) {
    if (!node || !node->parent_) return false;
    if (node->Contains(selected_)) selected_ = node->parent_;
    node->parent_->children_.erase(PositionAmongSiblings(node));
    return true;
}

bool CategoryTree::MoveCategoryUp(CategoryNode* node) {
    if (!node || !node->parent_) return false;
    auto position = PositionAmongSiblings(node);
    if (position == node->parent_->children_.begin()) return false;
    std::iter_swap(position, position - 1);
    return true;
}

bool CategoryTree::MoveCategoryDown(CategoryNode* node) {
    if (!node || !node->parent_) return false;
    auto position = PositionAmongSiblings(node);
    if (position + 1 == node->parent_->children_.end()) return false;
    std::iter_swap(position, position + 1);
    return true;
}

CategoryNameProblem CheckCategoryName(const CategoryNode& node, std::string_view name) {
    if (name.find_first_not_of(" \t") == std::string_view::npos) return CategoryNameProblem::Empty;
    const bool isRoot = node.Parent() == nullptr;
    if (name.find_first_of(isRoot ? "\r\n" : "\\\r\n") != std::string_view::npos)
        return CategoryNameProblem::ForbiddenCharacter;
    if (isRoot) return CategoryNameProblem::None;
    const CategoryNode* namesake = FindChildNode(node.Parent(), name);
    return namesake && namesake != &node ? CategoryNameProblem::TakenBySibling : CategoryNameProblem::None;
}

std::string UniqueChildName(const CategoryNode& parent, const std::string& base) {
    std::string name = base;
    for (int number = 2; FindChildNode(&parent, name); ++number) name = base + " " + std::to_string(number);
    return name;
}

CategoryNode* FindChildNode(const CategoryNode* node, std::string_view name) {
    for (const auto& child : node->Children())
        if (child->Text == name) return child.get();
    return nullptr;
}

CategoryNode* AddNodeByPath(CategoryTree& tree, std::string_view path) {
    CategoryNode* parent = tree.Root();
    if (!path.empty()) path.remove_prefix(1);
    std::string_view name;
    bool lost = false;
    int depth = 0;
    while (!path.empty()) {
        const std::size_t separator = std::min(path.find('\\'), path.size());
        name = path.substr(0, separator);
        path.remove_prefix(std::min(separator + 1, path.size()));
        if (path.empty()) break;
        if (lost || depth + 1 >= MaxCategoryDepth) continue;
        if (CategoryNode* child = FindChildNode(parent, name)) {
            parent = child;
            ++depth;
        } else {
            lost = true;
        }
    }
    return tree.AddChild(parent, std::string(name));
}

void ApplyExclusiveFlags(CategoryTree& tree, const CategoryNode* edited) {
    if (!edited || !edited->Category) return;
    const TCategory& flags = *edited->Category;
    for (CategoryNode* node : tree.Nodes()) {
        if (node == edited || !node->Category) continue;
        TCategory& other = *node->Category;
        if (flags.Intro) {
            other.Intro = false;
            other.IntroWidth = 0;
            other.IntroHeight = 0;
        }
        if (flags.About) {
            other.About = false;
            other.AboutWidth = 0;
            other.AboutHeight = 0;
        }
        if (flags.AutoRun) {
            other.AutoRun = false;
            other.AutoRunExit = false;
        }
    }
}

std::optional<std::int32_t> ResolveBackgroundColor(int photoBackground, std::string_view photoBackgroundColor,
                                                   const CategoryNode* node) {
    if (photoBackground != 0) {
        if (photoBackground == SpecificColorIndex) return DecimalOrZero(photoBackgroundColor);
        return std::nullopt;
    }
    const auto backgroundOf = [](const CategoryNode* n) { return n->Category ? n->Category->Background : 0; };
    if (!node) return std::nullopt;
    while (backgroundOf(node) == 0 && node->Parent()) node = node->Parent();
    if (backgroundOf(node) == 0) return 0;
    if (backgroundOf(node) == SpecificColorIndex) return DecimalOrZero(node->Category->BackgroundOption1);
    return std::nullopt;
}

}  // namespace velvora
