// Walking a folder tree for photos and adding it, into one category or as categories.
#include "editor/FolderAdding.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

#include "base/KeyValueList.h"
#include "base/Progress.h"
#include "editor/PhotoAdding.h"
#include "platform/StoredText.h"

namespace velvora {

namespace fs = std::filesystem;

namespace {

bool IsHiddenName(const std::string& name) { return name.starts_with('.'); }

// A link counts as the file it leads to, but never as a folder.
bool IsPhotoFileEntry(const fs::directory_entry& entry, const std::string& name) {
    std::error_code ignored;
    return IsAddablePhotoFileName(name) && entry.is_regular_file(ignored);
}

bool IsFolderEntry(const fs::directory_entry& entry) {
    std::error_code ignored;
    return entry.symlink_status(ignored).type() == fs::file_type::directory;
}

void ScanInto(const fs::path& folder, bool withSubfolders, PhotoFolder& scanned) {
    std::error_code error;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (IsHiddenName(name)) continue;
        if (IsFolderEntry(*it)) {
            if (!withSubfolders) continue;
            PhotoFolder subfolder;
            subfolder.Name = name;
            ScanInto(it->path(), true, subfolder);
            if (PhotoCount(subfolder) > 0) scanned.Subfolders.push_back(std::move(subfolder));
        } else if (IsPhotoFileEntry(*it, name)) {
            scanned.Files.push_back(it->path().string());
        }
    }
    std::sort(scanned.Files.begin(), scanned.Files.end(), PathLessIgnoringCase);
    std::sort(scanned.Subfolders.begin(), scanned.Subfolders.end(),
              [](const PhotoFolder& a, const PhotoFolder& b) { return PathLessIgnoringCase(a.Name, b.Name); });
}

void CollectFiles(const PhotoFolder& folder, StringList& files) {
    files.insert(files.end(), folder.Files.begin(), folder.Files.end());
    for (const PhotoFolder& subfolder : folder.Subfolders) CollectFiles(subfolder, files);
}

int DepthOf(const CategoryNode& node) {
    int depth = 0;
    for (const CategoryNode* up = node.Parent(); up; up = up->Parent()) ++depth;
    return depth;
}

// One SubfoldersAsCategories run; it ends where it began, on the starting category.
class CategoryRun {
public:
    CategoryRun(ShowDocument& document, FolderBatchResult& result)
        : document_(document), result_(result), start_(document.Tree().Selected()) {}

    void Run(const PhotoFolder& folder) {
        const int before = document_.Photos().Count();
        try {
            AddFolder(*start_, folder, DepthOf(*start_));
        } catch (const std::exception& error) {
            result_.Error = error.what();
        }
        try {
            ReturnToStart(before);
        } catch (const std::exception& error) {
            if (result_.Error.empty()) result_.Error = error.what();
        }
    }

private:
    void AddFolder(CategoryNode& category, const PhotoFolder& folder, int depth) {
        if (ProgressCancelled()) return;
        const bool deepest = depth >= MaxCategoryDepth;
        AddFiles(deepest ? SortedAsBatch(AllPhotoFiles(folder)) : folder.Files, &category == start_);
        if (deepest) return;
        for (const PhotoFolder& subfolder : folder.Subfolders) {
            if (ProgressCancelled()) return;
            // Expanded first, so that the tree shows the new category as soon as it exists.
            category.Expanded = true;
            CategoryNode* added = document_.AddCategory(&category, CategoryNameForFolder(category, subfolder.Name));
            ++result_.CategoriesAdded;
            document_.SelectCategory(added);
            AddFolder(*added, subfolder, depth + 1);
        }
    }

    void AddFiles(const StringList& files, bool intoStart) {
        if (files.empty()) return;
        const int before = document_.Photos().Count();
        AddPhotoFiles(document_, files, result_.SkippedFiles);
        const int added = document_.Photos().Count() - before;
        result_.PhotosAdded += added;
        if (intoStart) addedToStart_ = added;
    }

    static StringList SortedAsBatch(StringList files) {
        std::stable_sort(files.begin(), files.end(), PathLessIgnoringCase);
        return files;
    }

    // The starting category's new photos were appended at its end, and leaving it wrote
    // them to its "folder.dat" in that order, so they are the last entries once it is
    // displayed again.
    void ReturnToStart(int countBefore) {
        if (document_.Tree().Selected() != start_) document_.SelectCategory(start_);
        if (addedToStart_ == 0) return;
        PhotoList& photos = document_.Photos();
        photos.DeselectAll();
        for (int i = countBefore; i < countBefore + addedToStart_ && i < photos.Count(); ++i) photos.Select(i);
        if (!ProgressCancelled() && result_.Error.empty()) result_.CurrentIndex = countBefore;
    }

    ShowDocument& document_;
    FolderBatchResult& result_;
    CategoryNode* const start_;
    int addedToStart_ = 0;
};

FolderBatchResult AddIntoCategory(ShowDocument& document, const PhotoFolder& folder) {
    FolderBatchResult result;
    const int before = document.Photos().Count();
    PhotoBatchResult batch = AddPhotoBatch(document, AllPhotoFiles(folder));
    result.CurrentIndex = batch.CurrentIndex;
    result.SkippedFiles = std::move(batch.SkippedFiles);
    result.PhotosAdded = document.Photos().Count() - before;
    return result;
}

FolderBatchResult AddAsCategories(ShowDocument& document, const PhotoFolder& folder) {
    FolderBatchResult result;
    ProgressWindowScope progress;
    StartPhotoBatchProgress(PhotoCount(folder));
    CategoryRun(document, result).Run(folder);
    return result;
}

}  // namespace

PhotoFolder ScanPhotoFolder(const std::string& folder, bool withSubfolders) {
    PhotoFolder scanned;
    ScanInto(folder, withSubfolders, scanned);
    return scanned;
}

int PhotoCount(const PhotoFolder& folder) {
    int count = static_cast<int>(folder.Files.size());
    for (const PhotoFolder& subfolder : folder.Subfolders) count += PhotoCount(subfolder);
    return count;
}

StringList AllPhotoFiles(const PhotoFolder& folder) {
    StringList files;
    CollectFiles(folder, files);
    return files;
}

std::string CategoryNameForFolder(const CategoryNode& parent, const std::string& folderName) {
    std::string name = SingleLineValue(DecodeStoredText(folderName));
    std::replace(name.begin(), name.end(), '\\', '_');
    if (name.find_first_not_of(' ') == std::string::npos) name = "New Category";
    return UniqueChildName(parent, name);
}

FolderBatchResult AddFolderBatch(ShowDocument& document, const PhotoFolder& folder, FolderAddMode mode) {
    if (document.CategoryFolder.empty() || !document.Tree().Selected() || PhotoCount(folder) == 0) return {};
    return mode == FolderAddMode::IntoCategory ? AddIntoCategory(document, folder) : AddAsCategories(document, folder);
}

}  // namespace velvora
