// Any bytes as a "categories.dat": reading builds a tree without fault, and a tree whose
// paths are unambiguous is written back exactly. Paths name categories by name, so an
// unnamed category, or two siblings of one name, cannot keep its place across a save.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "base/KeyValueList.h"
#include "editor/CategoryFile.h"

namespace {

using velvora::CategoryNode;
using velvora::CategoryTree;
using velvora::StringList;

void ReadTree(CategoryTree& tree, const StringList& lines) {
    CategoryNode* root = tree.SetRoot("Show");
    root->Category = std::make_unique<velvora::TCategory>();
    velvora::ReadCategoryTree(tree, lines);
    root->Expanded = true;
}

StringList WriteTree(const CategoryTree& tree) {
    StringList written;
    velvora::WriteCategoryTree(tree, "\\", written, true, tree.Root());
    return written;
}

bool PathsAreUnambiguous(const CategoryTree& tree) {
    std::set<std::pair<const CategoryNode*, std::string>> names;
    for (const CategoryNode* node : tree.Nodes()) {
        if (node == tree.Root()) continue;
        if (node->Text.empty() || !names.emplace(node->Parent(), node->Text).second) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CategoryTree tree;
    ReadTree(tree, velvora::SplitLines({reinterpret_cast<const char*>(data), size}));
    const StringList written = WriteTree(tree);
    if (!PathsAreUnambiguous(tree)) return 0;
    CategoryTree again;
    ReadTree(again, written);
    if (WriteTree(again) != written) __builtin_trap();
    return 0;
}
