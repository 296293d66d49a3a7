// Adding a whole folder of photos: the walk that decides which files and subfolders take
// part, and the run that adds them to the displayed category, either all into it or with
// one new category per subfolder, behind one progress window. No windows: choosing the
// folder and asking how to add it are the editor frame's and the command line's part.
#pragma once

#include <string>
#include <vector>

#include "base/Global.h"
#include "editor/ShowDocument.h"

namespace velvora {

// One folder of the walk and what it contributes.
struct PhotoFolder {
    // The folder's own name as the disk spells it; empty for the folder the walk started at.
    std::string Name;
    // The photo files directly inside, full paths, in the order a batch adds them.
    StringList Files;
    // Subfolders with a photo somewhere below them, in name order ignoring letter case.
    std::vector<PhotoFolder> Subfolders;
};

// Walks `folder` (an absolute path), with its subfolders at every depth when
// `withSubfolders` is set. A file takes part when IsAddablePhotoFileName accepts its name
// and it is a file or a link to one. Names starting with a dot are hidden and skipped, and
// links to folders are never followed, so a link cannot make the walk go round in circles
// or leave the tree. A subfolder without any photo below it is left out. A folder that is
// missing or cannot be read contributes nothing; never throws for what it finds on disk.
PhotoFolder ScanPhotoFolder(const std::string& folder, bool withSubfolders);

// Number of photo files in `folder` and all its subfolders.
int PhotoCount(const PhotoFolder& folder);

// Every photo file of `folder` and its subfolders, each folder's files before those of its
// subfolders.
StringList AllPhotoFiles(const PhotoFolder& folder);

// The name of the category made for the subfolder `folderName` below `parent`: decoded to
// UTF-8 as stored names are, with control characters as blanks and each backslash, which
// stored category paths use as their separator, as "_"; "New Category" when nothing but
// blanks is left; then numbered as the category commands number a name a sibling has.
std::string CategoryNameForFolder(const CategoryNode& parent, const std::string& folderName);

enum class FolderAddMode {
    // Every photo of the tree into the displayed category, as one Add Photos batch.
    IntoCategory,
    // The photos directly in the folder into the displayed category; each subfolder
    // becomes a new category below it, nested as on disk, with its photos inside.
    SubfoldersAsCategories,
};

struct FolderBatchResult {
    // As PhotoBatchResult: the displayed category's first new entry, -1 when the run was
    // cancelled, ended by an error, or added nothing to that category.
    int CurrentIndex = -1;
    // Files that were tried and not added, full paths in the order they were tried.
    StringList SkippedFiles;
    int PhotosAdded = 0;
    int CategoriesAdded = 0;
    // The message of an error that ended the run early (a category folder that cannot be
    // made, a show file that cannot be written); empty when none did. Everything added
    // before it stays, and the files after it are neither tried nor listed.
    std::string Error;
};

// Adds `folder` to the displayed category of `document` in one progress window whose bar
// covers every file and whose Cancel stops the run after the file in progress. In
// SubfoldersAsCategories mode each new category is made through ShowDocument::AddCategory
// and displayed while its photos are added, so that leaving it writes its "folder.dat"
// and the show's files; the categories deeper than MaxCategoryDepth cannot be stored, so
// the photos of deeper subfolders go into the deepest category allowed. At the end the
// category displayed at the start is displayed again with its new photos selected. With
// no category displayed nothing is done.
FolderBatchResult AddFolderBatch(ShowDocument& document, const PhotoFolder& folder, FolderAddMode mode);

}  // namespace velvora
