// Moving and copying photos between categories: the staging folder behind Copy and Paste,
// the mark behind Cut, pasting staged or marked photos into the displayed category, and
// moving the selected photos to another category. No windows: the system clipboard and the
// drag are the frame's part.
#pragma once

#include <string>

#include "base/Global.h"
#include "editor/ShowDocument.h"

namespace velvora {

// Lists the staged photos, one "<staged id>=<source file name>" line each, like "folder.dat".
inline constexpr const char* StagedPhotoListFileName = "clipboard.dat";

// AppPath + "Photo Clipboard" + separator: where copies of the photos last copied wait. It
// belongs to no show and outlives the program, so that they paste into any show.
std::string PhotoClipboardFolder();

// True when `folder` holds a staged photo list, so a paste from it can add something.
bool HoldsStagedPhotos(const std::string& folder);

// Copies the ".pho", ".thu" and ".dat" of every selected photo of the displayed category,
// and its source file name, into `stagingFolder`, replacing what was staged there. The new
// set is written beside the folder and swapped in at the end, so a failure (std::runtime_error,
// naming the file) leaves the previous set. Returns how many photos were staged; with
// nothing selected the previous set stays and 0 is returned.
int StageSelectedPhotos(const ShowDocument& document, const std::string& stagingFolder);

// Photos marked by Cut. They stay in their category, drawn dimmed, until a paste moves
// them, so that a later Cut or Copy, or closing the show, cannot lose them.
struct PhotoCutMark {
    // The folder of the category they were cut in, which they still live in.
    std::string SourceFolder;
    StringList PhotoIds;

    bool Empty() const { return PhotoIds.empty(); }
    bool Holds(const std::string& categoryFolder, const std::string& id) const;
};

// The mark of the selected photos of the displayed category; empty with none selected.
PhotoCutMark MarkSelectedPhotos(const ShowDocument& document);

// After photos left the displayed category: when it is the mark's category, the mark keeps
// only the photos still listed, since a photo added later may take a freed id.
void ForgetRemovedPhotos(PhotoCutMark& mark, const ShowDocument& document);

struct PhotoTransferResult {
    // The first photo added to the displayed category (paste), or the item to make current
    // after photos left it (move); -1 when there is none.
    int CurrentIndex = -1;
    // Source file names of the photos that were left out because a file of theirs was
    // missing, damaged or could not be written.
    StringList SkippedPhotos;
};

// Adds every photo staged in `stagingFolder` to the displayed category as Add Photos does:
// the next free id, its three files copied (the ".dat" unchanged, so name, caption and
// every other property stay), a FolderList line with the source file name and a selected
// entry; the list's earlier selection is cleared. A photo whose staged image is missing or
// empty, or whose files cannot be read or written, is skipped and leaves nothing behind.
// With more than a handful of photos the progress window shows and may cancel after the
// photo in progress. Does nothing without a displayed category or a staged list.
PhotoTransferResult PasteStagedPhotos(ShowDocument& document, const std::string& stagingFolder);

// Moves the selected photos of the displayed category to the category whose folder is
// `targetFolder` (ShowPath + alias + separator): each gets the next free id there, its
// files are copied and the target's "folder.dat" gains its line, written once at the end;
// only then do the moved photos leave the displayed category as a deletion removes them.
// A photo that cannot be copied, or is still waiting when the progress window is
// cancelled, stays where it was. Nothing happens when `targetFolder` is the displayed
// category's folder or empty. If the target's list cannot be written, the copies are
// removed again, nothing leaves, and std::runtime_error is thrown.
PhotoTransferResult MoveSelectedPhotos(ShowDocument& document, const std::string& targetFolder);

// Moves the photos of `mark` that their category's "folder.dat" still lists to the end of
// the displayed category, in that list's order, as a paste adds them (fresh ids, files and
// properties unchanged, selected). The displayed category's "folder.dat" is written first;
// then the source's loses their lines and their files go. A photo that cannot be copied,
// or is still waiting when the progress window is cancelled, stays where it was. Nothing
// happens when the displayed category is the mark's own. If a list cannot be written,
// std::runtime_error is thrown and the source keeps every photo.
PhotoTransferResult MoveMarkedPhotos(ShowDocument& document, const PhotoCutMark& mark);

}  // namespace velvora
