#include "editor/RotationWizard.h"

#include <exception>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "base/KeyValueList.h"
#include "editor/PhotoAdding.h"
#include "editor/PhotoProperties.h"
#include "imaging/JPEG_IO.h"
#include "imaging/resampler.h"

namespace velvora {

namespace {

bool FileExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

std::string FileOf(const std::string& categoryFolder, const PhotoEntry& entry, const char* extension) {
    return categoryFolder + entry.PhotoId + extension;
}

bool HasSafeFiles(const std::string& categoryFolder, const PhotoEntry& entry) {
    return !categoryFolder.empty() && IsPhotoId(entry.PhotoId);
}

// A new photo's lines: what the properties panel writes for a photo it has never changed.
KeyValueList FreshProperties(const PhotoEntry& entry) {
    PhotoPanel panel;
    panel.Name = entry.Name;
    panel.Caption = entry.Caption;
    return KeyValueList(PhotoPanelLines(panel, entry));
}

// Throws when the copy is no bitmap the reader knows.
Bitmap LoadFittedBitmap(const std::string& path, int side) {
    Bitmap bitmap;
    bitmap.LoadFromFile(path);
    FitBitmap(bitmap, side, side, true);
    return bitmap;
}

Bitmap DecodeStoredPhotoSmall(const std::string& path, const std::string& sourceFileName, int side) {
    if (StoredPictureIsJpeg(sourceFileName)) {
        std::unique_ptr<Bitmap> bitmap;
        return LoadJpegFitted(path, bitmap, side, side, true) && bitmap ? std::move(*bitmap) : Bitmap();
    }
    return ExtensionWithin(sourceFileName, ".bmp") ? LoadFittedBitmap(path, side) : Bitmap();
}

}  // namespace

std::vector<int> PhotosToRotate(const PhotoList& photos) {
    std::vector<int> indexes;
    for (int i = 0; i < photos.Count(); ++i)
        if (photos.IsSelected(i)) indexes.push_back(i);
    if (indexes.size() == 1)
        for (int i = indexes.front() + 1; i < photos.Count(); ++i) indexes.push_back(i);
    return indexes;
}

int StoredRotation(const std::string& categoryFolder, const PhotoEntry& entry) {
    const std::string file = FileOf(categoryFolder, entry, PhotoPropertiesExtension);
    if (!HasSafeFiles(categoryFolder, entry) || !FileExists(file)) return 0;
    KeyValueList properties;
    try {
        properties.LoadFromFile(file);
    } catch (const std::runtime_error&) {
        return 0;
    }
    PhotoPanel panel;
    LoadPhotoPanel(panel, properties);
    return panel.Rotation;
}

void SaveStoredRotation(const std::string& categoryFolder, const PhotoEntry& entry, int rotation) {
    if (!HasSafeFiles(categoryFolder, entry)) return;
    const std::string file = FileOf(categoryFolder, entry, PhotoPropertiesExtension);
    KeyValueList properties;
    if (FileExists(file))
        properties.LoadFromFile(file);
    else
        properties = FreshProperties(entry);
    // Every "Rotate" line goes, so that no later duplicate is read in place of the new value.
    while (properties.IndexOfName("Rotate") >= 0) properties.SetValue("Rotate", "");
    if (rotation > 0) properties.Add("Rotate=" + std::to_string(rotation));
    properties.SaveToFile(file);
}

Bitmap LoadRotationPreview(const std::string& categoryFolder, const PhotoEntry& entry, int side) {
    if (!HasSafeFiles(categoryFolder, entry)) return {};
    try {
        Bitmap preview =
            DecodeStoredPhotoSmall(FileOf(categoryFolder, entry, PhotoImageExtension), entry.SourceFileName, side);
        if (preview.IsEmpty()) preview = LoadFittedBitmap(FileOf(categoryFolder, entry, ThumbnailExtension), side);
        return preview;
    } catch (const std::exception&) {
        return {};
    }
}

std::string PhotoDisplayName(const PhotoEntry& entry) { return entry.Name.empty() ? entry.SourceFileName : entry.Name; }

RotationWizard::RotationWizard(const PhotoList& photos, std::string categoryFolder)
    : categoryFolder_(std::move(categoryFolder)) {
    for (int index : PhotosToRotate(photos)) {
        RotationStep step{PhotoEntry::FromText(photos.Item(index))};
        step.Stored = step.Chosen = StoredRotation(categoryFolder_, step.Entry);
        steps_.push_back(std::move(step));
    }
}

void RotationWizard::Back() {
    if (CanGoBack()) --position_;
}

void RotationWizard::Next() {
    if (CanGoNext()) ++position_;
}

void RotationWizard::Choose(int rotation) {
    if (steps_.empty() || rotation < 0 || rotation >= RotationCount) return;
    steps_[std::size_t(position_)].Chosen = rotation;
    Next();
}

StringList RotationWizard::SaveChanges() const {
    StringList failed;
    for (const RotationStep& step : steps_) {
        if (step.Chosen == step.Stored) continue;
        try {
            SaveStoredRotation(categoryFolder_, step.Entry, step.Chosen);
        } catch (const std::runtime_error&) {
            failed.push_back(PhotoDisplayName(step.Entry));
        }
    }
    return failed;
}

}  // namespace velvora
