// The "categories.dat" format: one block per category below the root, in depth-first
// order, each a path line, key=value lines and an empty line.
#pragma once

#include <string>

#include "base/Global.h"
#include "editor/CategoryTree.h"

namespace velvora {

inline constexpr const char* CategoriesFileName = "categories.dat";

// Appends the blocks of every descendant of `node` to `lines`. `prefix` is the path of
// `node` ("\" for the root) and `ancestorsExpanded` tells that every ancestor of `node`
// is expanded; "Expanded=1" in a first child's block records that its parent is open.
void WriteCategoryTree(const CategoryTree& tree, const std::string& prefix, StringList& lines, bool ancestorsExpanded,
                       const CategoryNode* node);

// Builds the categories of `lines` below the tree's root, each with its TCategory, in the
// order of the blocks. Keys are matched in any letter case, later lines win, unknown keys
// are ignored; flags need the exact value "1". A block with "Selected=1" becomes the
// selection. Aliases are taken as stored: the caller checks them and makes the folders.
void ReadCategoryTree(CategoryTree& tree, const StringList& lines);

}  // namespace velvora
