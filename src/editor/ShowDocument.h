// The open show as the editor holds it: the category tree, the photo list of the
// displayed category, and the routines that load the show folder, write it back at the
// editor's fixed save moments, and switch the displayed category. No windows: the steps
// that belong to controls are hooks the editor frame fills in.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "editor/CategoryTree.h"
#include "editor/PhotoList.h"

namespace velvora {

inline constexpr const char* FolderListFileName = "folder.dat";

// UI-only steps of the document's routines; an empty hook is skipped.
struct ShowDocumentHooks {
    // Writes the properties panel back to the photo bound by CurrentPhotoIndex. Runs first
    // in a category change, while the photo list still holds the category being left.
    std::function<void()> SavePhotoProperties;
    // The photo selection processing: binds the panel to the list's current photo. Runs
    // after a category change has filled the photo list.
    std::function<void()> PhotoSelectionChanged;
    // Busy pointer on (true) and off (false) around a category change; off also runs when
    // the change fails.
    std::function<void(bool busy)> SetBusy;
    // First step of CloseShow: back from the viewer pane to the photo list, focus on the
    // list, so that a name or caption still being typed is written.
    std::function<void()> FinishEditing;
    // The tree gained or lost nodes. Runs at once, before anything that may process
    // window messages, so that a view never draws a node that is gone.
    std::function<void()> TreeChanged;
};

// Works on the open show named by the globals ShowPath, ShowSettings, AliasCount and
// FolderList. Every routine that writes files throws std::runtime_error when a file
// cannot be written; files written before stay, each one either old or new.
class ShowDocument {
public:
    ShowDocumentHooks Hooks;

    // ShowPath + alias of the displayed category + separator; empty before the first one.
    std::string CategoryFolder;
    // Photo bound to the properties panel, -1 when none.
    std::int32_t CurrentPhotoIndex = -1;
    // Set while photos are being added, to refuse a second start.
    bool AddingPhotos = false;

    CategoryTree& Tree() { return tree_; }
    const CategoryTree& Tree() const { return tree_; }
    PhotoList& Photos() { return photos_; }
    const PhotoList& Photos() const { return photos_; }

    // Builds the model from the show folder (ShowPath and ShowSettings must be set) and
    // displays the selected category, which rewrites the show's files. Creates the root's
    // folder and every category folder that is missing; a category whose stored alias
    // could leave the show folder, or names a link or a file there, gets a fresh one; a
    // link or a file in place of the root's folder makes the load fail. If reading fails,
    // the exception propagates and nothing is written, then or by a later SaveShow or
    // CloseShow.
    void LoadShow();
    // Writes "folder.dat" of the displayed category, "categories.dat" and "quillond.dat".
    // Does nothing while no show is loaded.
    void SaveShow();
    // Writes the displayed category's "folder.dat" from the photo list and refreshes
    // FolderList; does nothing before a category has been displayed. A line of FolderList
    // that still stands for its photo is written back byte for byte.
    void SaveFolderList();
    // Appends the entry of a photo of the displayed category, built from its ".dat" file,
    // with the rotation stored there (0 when outside 0..3), and returns its index. The
    // source file name and the stored values are decoded to UTF-8 (Windows-1252 where they
    // are not UTF-8). Returns -1 and adds nothing when no category is displayed, `id` is not
    // a photo id or the photo's image file is missing.
    int AddPhotoEntry(const std::string& id, const std::string& sourceFileName);
    // Saves the show and frees the model; always allows closing.
    bool CloseShow();

    // The category change: makes `node` the tree's selection and displays it. Saves the
    // panel's photo and the photo order of the category being left, fills the photo list
    // from the new category's "folder.dat" (first photo current and selected) and saves
    // the show. A node without its TCategory yet only becomes the selection.
    void SelectCategory(CategoryNode* node);

    // The root's text and the "Title" setting := `title` (an empty title removes the
    // setting).
    void SetShowTitle(const std::string& title);

    // Adds a category as the last child of `parent` (the root when null), with a fresh
    // alias whose folder is created at once. Throws std::runtime_error when the folder
    // cannot be created; the tree is then unchanged.
    CategoryNode* AddCategory(CategoryNode* parent, const std::string& name);
    // Removes a category and its subtree, frees their settings and saves the show; then
    // deletes their folders with the photos in them, so a failed save leaves every photo
    // in place. When the displayed category is among them, the parent is displayed first.
    // Refuses the root and returns false.
    bool DeleteCategory(CategoryNode* node);

    // Advances AliasCount to the next value whose alias ("0001", "0002", ...) is used by
    // no category and names nothing in the show folder, and returns that alias.
    std::string NextFreeAlias();

private:
    void ClaimRootFolder();
    void ClaimCategoryFolders();
    void FillPhotoList();
    bool IsAliasTaken(const std::string& alias) const;
    bool IsAliasInTree(const std::string& alias) const;
    void DeleteUnusedCategoryFolder(const std::string& alias);

    CategoryTree tree_;
    PhotoList photos_;
    // False until LoadShow has read the whole show, so that a failed load never
    // overwrites the show's files with a partial tree.
    bool loaded_ = false;
};

}  // namespace velvora
