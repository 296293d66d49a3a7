// Playing one category of the open show in the slide-show viewer, as published: the
// category becomes the top of a show of its own, with the show's settings above it.
#pragma once

#include <string>

#include "editor/CategoryTree.h"

namespace velvora {

// A tree whose root stands for `category` (its settings and photos) with copies of its
// sub-categories below; the root's text is the show title.
CategoryTree PreviewTree(const CategoryNode& category, const std::string& title);

// Writes the published file of the saved show, cut to `category`, to `path`, behind the
// progress window. The file carries no Windows viewer: previews play in the Linux viewer.
// Returns false, and deletes the file, when the user cancelled; throws the writer's and
// the file's errors after deleting the file.
bool WritePreviewFile(const CategoryNode& category, const std::string& title, const std::string& path);

}  // namespace velvora
