// Changing the order of the selected photos and deleting them, on the core photo list.
// Focus, the properties panel binding and repainting are the editor frame's part.
#pragma once

#include <string>

#include "app/Global.h"
#include "editor/PhotoList.h"

namespace velvora {

// Gathers the selected items into one block starting at the first selected item, then,
// unless the first item is selected, moves the block up by one. Moved items stay selected;
// the other items keep their selection. Nothing selected changes nothing.
void MoveSelectedPhotosUp(PhotoList& list);

// The mirror of MoveSelectedPhotosUp: the block ends at the last selected item and moves
// down by one unless the last item is selected.
void MoveSelectedPhotosDown(PhotoList& list);

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
