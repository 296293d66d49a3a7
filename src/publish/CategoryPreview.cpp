#include "publish/CategoryPreview.h"

#include <filesystem>
#include <system_error>

#include "base/FileIo.h"
#include "base/Global.h"
#include "base/KeyValueList.h"
#include "base/Progress.h"
#include "compression/FileStream.h"
#include "editor/ShowDocument.h"
#include "publish/PublishUtil.h"

namespace velvora {

namespace {

void CopyChildren(CategoryTree& tree, CategoryNode* to, const CategoryNode& from) {
    for (const auto& child : from.Children()) {
        CategoryNode* copy = tree.AddChild(to, child->Text);
        copy->Expanded = child->Expanded;
        if (child->Category) copy->Category = std::make_unique<TCategory>(*child->Category);
        CopyChildren(tree, copy, *child);
    }
}

int CountTreePhotos(const CategoryTree& tree) {
    int photos = 0;
    for (const CategoryNode* node : tree.Nodes()) {
        if (!node->Category || !IsSafeAlias(node->Category->Alias)) continue;
        photos += static_cast<int>(
            SplitLines(ReadTextFile(ShowPath + node->Category->Alias + PathSeparator + FolderListFileName)).size());
    }
    return photos;
}

void RemoveQuietly(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

}  // namespace

CategoryTree PreviewTree(const CategoryNode& category, const std::string& title) {
    CategoryTree tree;
    CategoryNode* root = tree.SetRoot(title);
    root->Expanded = true;
    if (category.Category) root->Category = std::make_unique<TCategory>(*category.Category);
    CopyChildren(tree, root, category);
    return tree;
}

bool WritePreviewFile(const CategoryNode& category, const std::string& title, const std::string& path) {
    const CategoryTree tree = PreviewTree(category, title);
    const std::string noViewer = path + ".viewer";
    ProgressWindowScope progress;
    ProgressSetTitle("Preparing the preview...");
    ProgressShowCancel(true);
    const int photos = CountTreePhotos(tree);
    ProgressSetMax(2 * photos);
    ProgressRefresh();
    try {
        WriteFileAtomic(noViewer, "");
        TFileStream stream(path, TFileStream::Mode::Create);
        WriteViewerPrefix(stream, title, noViewer);
        WritePublishedShow(stream, tree, true, photos);
    } catch (...) {
        RemoveQuietly(noViewer);
        RemoveQuietly(path);
        throw;
    }
    RemoveQuietly(noViewer);
    if (!ProgressCancelled()) return true;
    RemoveQuietly(path);
    return false;
}

}  // namespace velvora
