// Staging, pasting and moving photos between category folders.
#include "editor/PhotoClipboard.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "base/FileIo.h"
#include "base/KeyValueList.h"
#include "base/Progress.h"
#include "editor/PhotoAdding.h"
#include "editor/PhotoListEditing.h"
#include "platform/MessagePump.h"

namespace velvora {

namespace fs = std::filesystem;

namespace {

// Up to this many photos go by too fast for a progress window to be worth its flicker.
constexpr int Handful = 5;

bool Exists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

StringList ReadLinesIfPresent(const std::string& path) {
    return Exists(path) ? SplitLines(ReadWholeFile(path)) : StringList{};
}

// The progress window of a batch over `count` photos, open only for more than a handful.
class BatchProgress {
public:
    BatchProgress(const std::string& title, int count, bool cancellable) {
        if (count <= Handful) return;
        window_.emplace();
        ProgressSetTitle(title);
        ProgressSetMax(count);
        ProgressShowCancel(cancellable);
        ProgressRefresh();
        ProgressStartTiming();
    }
    void Step(const std::string& detail) {
        if (!window_) return;
        ProgressSetDetail(detail);
        ProgressStep();
        ProgressRefresh();
        PumpMessages();
    }

private:
    std::optional<ProgressWindowScope> window_;
};

// Copies a photo's files to a new id. The image is required and never empty; the thumbnail
// and the properties go along when the photo has them, so a photo comes out as it went in.
// Throws std::runtime_error naming the file that failed; files already written stay.
void CopyPhotoFiles(const std::string& fromFolder, const std::string& fromId, const std::string& toFolder,
                    const std::string& toId) {
    const std::string image = fromFolder + fromId + PhotoImageExtension;
    const std::string bytes = ReadWholeFile(image);
    if (bytes.empty()) throw std::runtime_error("The photo file \"" + image + "\" is empty.");
    WriteFileAtomic(toFolder + toId + PhotoImageExtension, bytes);
    for (const char* extension : {ThumbnailExtension, PhotoPropertiesExtension}) {
        const std::string from = fromFolder + fromId + extension;
        if (Exists(from)) WriteFileAtomic(toFolder + toId + extension, ReadWholeFile(from));
    }
}

// The id is free in the target, so a failed copy is undone without touching anyone's photo.
bool TryCopyPhotoFiles(const std::string& fromFolder, const std::string& fromId, const std::string& toFolder,
                       const std::string& toId) {
    try {
        CopyPhotoFiles(fromFolder, fromId, toFolder, toId);
        return true;
    } catch (const std::runtime_error&) {
        DeletePhotoFiles(toFolder, toId);
        return false;
    }
}

std::string WithoutTrailingSeparator(const std::string& folder) {
    return !folder.empty() && folder.back() == PathSeparator ? folder.substr(0, folder.size() - 1) : folder;
}

void RemoveFolder(const std::string& folder) {
    std::error_code error;
    fs::remove_all(folder, error);
    if (error) throw std::runtime_error("Cannot remove folder \"" + folder + "\".");
}

// Writes the staged set into `fresh`, which must exist and be empty.
void StageInto(const ShowDocument& document, const std::string& fresh) {
    const PhotoList& photos = document.Photos();
    BatchProgress progress("Copying photos to the clipboard...", photos.SelectedCount(), false);
    StringList lines;
    StringList usedIds;
    std::string counter = "00000000";
    for (int i = 0; i < photos.Count(); ++i) {
        if (!photos.IsSelected(i)) continue;
        const PhotoEntry entry = PhotoEntry::FromText(photos.Item(i));
        const std::string id = NextFreePhotoId(counter, usedIds);
        CopyPhotoFiles(document.CategoryFolder, entry.PhotoId, fresh, id);
        usedIds.push_back(id);
        lines.push_back(id + "=" + entry.SourceFileName);
        progress.Step(entry.SourceFileName);
    }
    WriteFileAtomic(fresh + StagedPhotoListFileName, JoinLinesCrLf(lines));
}

// A name with the entry separator would split the photo's list item into wrong fields.
bool IsUsableSourceName(const std::string& name) { return name.find(PhotoEntrySeparator) == std::string::npos; }

// Adds copies of photos kept elsewhere to the end of the displayed category, each under the
// next free id there and selected; the list's earlier selection is cleared at the start.
class PhotoIntake {
public:
    explicit PhotoIntake(ShowDocument& document)
        : document_(document), usedIds_(UsedPhotoIds(document.CategoryFolder)) {
        document.Photos().DeselectAll();
    }
    // False, leaving nothing behind, when a name is unusable or a file cannot be copied.
    bool Add(const std::string& fromFolder, const std::string& fromId, const std::string& sourceFileName) {
        if (!IsPhotoId(fromId) || !IsUsableSourceName(sourceFileName)) return false;
        const std::string id = NextFreePhotoId(counter_, usedIds_);
        if (!TryCopyPhotoFiles(fromFolder, fromId, document_.CategoryFolder, id)) return false;
        usedIds_.push_back(id);
        FolderList.push_back(id + "=" + sourceFileName);
        const int index = document_.AddPhotoEntry(id, sourceFileName);
        if (index >= 0) document_.Photos().Select(index);
        if (first_ < 0) first_ = index;
        return true;
    }
    // The first photo added, -1 before any.
    int First() const { return first_; }

private:
    ShowDocument& document_;
    StringList usedIds_;
    std::string counter_ = "00000000";
    int first_ = -1;
};

}  // namespace

std::string PhotoClipboardFolder() { return AppPath + "Photo Clipboard" + PathSeparator; }

bool HoldsStagedPhotos(const std::string& folder) {
    return !folder.empty() && Exists(WithTrailingSeparator(folder) + StagedPhotoListFileName);
}

int StageSelectedPhotos(const ShowDocument& document, const std::string& stagingFolder) {
    const int count = document.Photos().SelectedCount();
    if (count == 0 || document.CategoryFolder.empty()) return 0;
    const std::string staging = WithoutTrailingSeparator(stagingFolder);
    const std::string fresh = staging + ".new" + PathSeparator;
    RemoveFolder(fresh);  // left over from an interrupted staging
    std::error_code error;
    fs::create_directories(fresh, error);
    if (error) throw std::runtime_error("Cannot create folder \"" + fresh + "\".");
    try {
        StageInto(document, fresh);
        RemoveFolder(staging);
        fs::rename(WithoutTrailingSeparator(fresh), staging);
    } catch (const std::exception&) {
        std::error_code ignored;
        fs::remove_all(fresh, ignored);
        throw;
    }
    return count;
}

bool PhotoCutMark::Holds(const std::string& categoryFolder, const std::string& id) const {
    return categoryFolder == SourceFolder && std::find(PhotoIds.begin(), PhotoIds.end(), id) != PhotoIds.end();
}

PhotoCutMark MarkSelectedPhotos(const ShowDocument& document) {
    PhotoCutMark mark;
    const PhotoList& photos = document.Photos();
    for (int i = 0; i < photos.Count(); ++i)
        if (photos.IsSelected(i)) mark.PhotoIds.push_back(PhotoEntry::FromText(photos.Item(i)).PhotoId);
    if (!mark.Empty()) mark.SourceFolder = document.CategoryFolder;
    return mark;
}

void ForgetRemovedPhotos(PhotoCutMark& mark, const ShowDocument& document) {
    if (mark.SourceFolder != document.CategoryFolder) return;
    StringList listed;
    const PhotoList& photos = document.Photos();
    for (int i = 0; i < photos.Count(); ++i) listed.push_back(PhotoEntry::FromText(photos.Item(i)).PhotoId);
    std::erase_if(mark.PhotoIds,
                  [&](const std::string& id) { return std::find(listed.begin(), listed.end(), id) == listed.end(); });
}

PhotoTransferResult PasteStagedPhotos(ShowDocument& document, const std::string& stagingFolder) {
    PhotoTransferResult result;
    if (document.CategoryFolder.empty() || !HoldsStagedPhotos(stagingFolder)) return result;
    const std::string staging = WithTrailingSeparator(stagingFolder);
    const StringList staged = ReadLinesIfPresent(staging + StagedPhotoListFileName);
    PhotoIntake intake(document);
    BatchProgress progress("Pasting photos into category...", static_cast<int>(staged.size()), true);
    for (const std::string& line : staged) {
        if (line.empty()) continue;
        const std::string source = KeyValueList::ValueOf(line);
        if (!intake.Add(staging, KeyValueList::NameOf(line), source))
            result.SkippedPhotos.push_back(source.empty() ? line : source);
        progress.Step(source);
        if (ProgressCancelled()) break;
    }
    if (!ProgressCancelled()) result.CurrentIndex = intake.First();
    return result;
}

PhotoTransferResult MoveSelectedPhotos(ShowDocument& document, const std::string& targetFolder) {
    PhotoList& photos = document.Photos();
    const std::string& folder = document.CategoryFolder;
    PhotoTransferResult result;
    result.CurrentIndex = photos.CurrentIndex();
    if (targetFolder.empty() || folder.empty() || targetFolder == folder || photos.SelectedCount() == 0) return result;
    StringList targetLines = ReadLinesIfPresent(targetFolder + FolderListFileName);
    StringList usedIds = UsedPhotoIds(targetFolder);
    StringList copiedIds;
    std::string counter = "00000000";
    BatchProgress progress("Moving photos to category...", photos.SelectedCount(), true);
    // Only the photos still selected afterwards leave the displayed category.
    for (int i = 0; i < photos.Count(); ++i) {
        if (!photos.IsSelected(i)) continue;
        if (ProgressCancelled()) {
            photos.Select(i, false);
            continue;
        }
        const PhotoEntry entry = PhotoEntry::FromText(photos.Item(i));
        const std::string id = NextFreePhotoId(counter, usedIds);
        if (TryCopyPhotoFiles(folder, entry.PhotoId, targetFolder, id)) {
            usedIds.push_back(id);
            copiedIds.push_back(id);
            targetLines.push_back(id + "=" + entry.SourceFileName);
            progress.Step(entry.SourceFileName);
        } else {
            photos.Select(i, false);
            result.SkippedPhotos.push_back(entry.SourceFileName);
        }
    }
    if (copiedIds.empty()) return result;
    try {
        WriteFileAtomic(targetFolder + FolderListFileName, JoinLinesCrLf(targetLines));
    } catch (const std::runtime_error&) {
        for (const std::string& id : copiedIds) DeletePhotoFiles(targetFolder, id);
        throw;
    }
    result.CurrentIndex = DeleteSelectedPhotos(photos, folder, FolderList);
    return result;
}

PhotoTransferResult MoveMarkedPhotos(ShowDocument& document, const PhotoCutMark& mark) {
    PhotoTransferResult result;
    const std::string& source = mark.SourceFolder;
    if (document.CategoryFolder.empty() || mark.Empty() || source == document.CategoryFolder) return result;
    StringList keptLines;
    StringList movedIds;
    PhotoIntake intake(document);
    BatchProgress progress("Moving photos to category...", static_cast<int>(mark.PhotoIds.size()), true);
    for (const std::string& line : ReadLinesIfPresent(source + FolderListFileName)) {
        const std::string id = KeyValueList::NameOf(line);
        const std::string name = KeyValueList::ValueOf(line);
        if (!mark.Holds(source, id) || ProgressCancelled()) {
            keptLines.push_back(line);
        } else if (intake.Add(source, id, name)) {
            movedIds.push_back(id);
            progress.Step(name);
        } else {
            keptLines.push_back(line);
            result.SkippedPhotos.push_back(name);
        }
    }
    if (movedIds.empty()) return result;
    // The photos live in both categories until the source's list is written without them.
    document.SaveFolderList();
    WriteFileAtomic(source + FolderListFileName, JoinLinesCrLf(keptLines));
    for (const std::string& id : movedIds) DeletePhotoFiles(source, id);
    result.CurrentIndex = intake.First();
    return result;
}

}  // namespace velvora
