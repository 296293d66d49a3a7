// Changing the order of the photos and deleting them, on the core photo list. Focus, the
// properties panel binding and repainting are the editor frame's part.
#pragma once

#include <string>
#include <vector>

#include "base/Global.h"
#include "editor/PhotoList.h"

namespace velvora {

// Gathers the selected items into one block starting at the first selected item, then,
// unless the first item is selected, moves the block up by one. Moved items stay selected;
// the other items keep their selection. Nothing selected changes nothing.
void MoveSelectedPhotosUp(PhotoList& list);

// The mirror of MoveSelectedPhotosUp: the block ends at the last selected item and moves
// down by one unless the last item is selected.
void MoveSelectedPhotosDown(PhotoList& list);

// New orders of the photo list, for PhotoList::Reorder: the present index of the photo for
// each new position.
using PhotoOrder = std::vector<int>;

// True when `order` leaves every photo where it is.
bool IsUnchangedOrder(const PhotoOrder& order);

// The photos ordered by source file name as people count: letter case aside (ASCII and
// Latin-1 letters), a run of digits compares by its value, so IMG_2 goes before IMG_10.
// Equal names, IMG_02 and img_2 among them, keep their order.
PhotoOrder OrderByName(const PhotoList& list);

// The photos ordered by when they were taken: the EXIF DateTimeOriginal of their stored
// picture in `categoryFolder`, else that file's modification time, both on one time line.
// Photos equally dated keep their order; a photo whose picture is missing or whose id could
// leave the folder has no time and goes last. Never throws.
PhotoOrder OrderByDateTaken(const PhotoList& list, const std::string& categoryFolder);

// The order that moves the selected photos, in their order, into the gap before position
// `gap` (0..Count(); Count() is the end), the others keeping theirs. Unchanged when the
// selection already forms one block at that gap, or nothing is selected.
PhotoOrder OrderWithSelectionAt(const PhotoList& list, int gap);

// Deletes the photo's ".pho", ".thu" and ".dat" in `categoryFolder`, leaving files that
// cannot be deleted. Touches nothing when `id` is no photo id or the folder is empty: such
// a name could address something outside the category folder.
void DeletePhotoFiles(const std::string& categoryFolder, const std::string& id);

// Removes every selected item, last first. For each, deletes its ".pho", ".thu" and ".dat"
// in `categoryFolder` (files that cannot be deleted stay, unreported) and removes the first
// line of `folderList` that reads, ignoring case, id + "=" + source file name. An item
// whose id is not a photo id, or an empty `categoryFolder`, touches no file: such a name
// could address something outside the category folder.
// Returns the index to make current afterwards: the former current index, limited to the
// new last item; -1 when the list is now empty or had no current item.
int DeleteSelectedPhotos(PhotoList& list, const std::string& categoryFolder, StringList& folderList);

}  // namespace velvora
