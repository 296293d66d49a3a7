// Moving and deleting the selected photos of the photo list.
#include "editor/PhotoListEditing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/KeyValueList.h"
#include "platform/StoredText.h"

namespace velvora {

// A list box move leaves the moved item unselected; the photo keeps its selection here.
static void MoveKeepingSelected(PhotoList& list, int from, int to) {
    list.Move(from, to);
    list.Select(to);
}

// Packs the selected items behind the first selected one.
static void GatherSelectedUp(PhotoList& list) {
    int target = -1;
    for (int i = 0; i < list.Count(); ++i) {
        if (!list.IsSelected(i)) continue;
        if (target == -1) {
            target = i + 1;
        } else {
            if (i > target) MoveKeepingSelected(list, i, target);
            ++target;
        }
    }
}

// Packs the selected items in front of the last selected one.
static void GatherSelectedDown(PhotoList& list) {
    int target = -1;
    for (int i = list.Count() - 1; i >= 0; --i) {
        if (!list.IsSelected(i)) continue;
        if (target == -1) {
            target = i - 1;
        } else {
            if (target > i) MoveKeepingSelected(list, i, target);
            --target;
        }
    }
}

void MoveSelectedPhotosUp(PhotoList& list) {
    GatherSelectedUp(list);
    if (list.Count() == 0 || list.IsSelected(0)) return;
    for (int i = 1; i < list.Count(); ++i)
        if (list.IsSelected(i)) MoveKeepingSelected(list, i, i - 1);
}

void MoveSelectedPhotosDown(PhotoList& list) {
    GatherSelectedDown(list);
    const int last = list.Count() - 1;
    if (last < 0 || list.IsSelected(last)) return;
    for (int i = last - 1; i >= 0; --i)
        if (list.IsSelected(i)) MoveKeepingSelected(list, i, i + 1);
}

void DeletePhotoFiles(const std::string& categoryFolder, const std::string& id) {
    if (categoryFolder.empty() || !IsPhotoId(id)) return;
    for (const char* extension : {PhotoImageExtension, ThumbnailExtension, PhotoPropertiesExtension}) {
        std::error_code ignored;
        std::filesystem::remove(categoryFolder + id + extension, ignored);
    }
}

// The entry holds its source name decoded; the line may spell it in another code page.
static bool IsFolderLineOf(const std::string& line, const PhotoEntry& entry) {
    return SameTextIgnoringCase(KeyValueList::NameOf(line), entry.PhotoId) &&
           SameTextIgnoringCase(DecodeStoredText(KeyValueList::ValueOf(line)), entry.SourceFileName);
}

static void RemoveFolderListLine(StringList& folderList, const PhotoEntry& entry) {
    const auto found = std::find_if(folderList.begin(), folderList.end(),
                                    [&](const std::string& line) { return IsFolderLineOf(line, entry); });
    if (found != folderList.end()) folderList.erase(found);
}

int DeleteSelectedPhotos(PhotoList& list, const std::string& categoryFolder, StringList& folderList) {
    const int keep = list.CurrentIndex();
    for (int i = list.Count() - 1; i >= 0; --i) {
        if (!list.IsSelected(i)) continue;
        const PhotoEntry entry = PhotoEntry::FromText(list.Item(i));
        DeletePhotoFiles(categoryFolder, entry.PhotoId);
        RemoveFolderListLine(folderList, entry);
        list.Remove(i);
    }
    return std::min(keep, list.Count() - 1);
}

}  // namespace velvora
