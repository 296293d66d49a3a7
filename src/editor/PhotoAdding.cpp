// The Add Photos batch: ids, copies, thumbnails, first properties files and list entries.
#include "editor/PhotoAdding.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <memory>
#include <system_error>

#include "app/FileIo.h"
#include "app/KeyValueList.h"
#include "app/Progress.h"
#include "editor/PhotoListEditing.h"
#include "imaging/Bitmap.h"
#include "imaging/JPEG_IO.h"
#include "imaging/resampler.h"
#include "platform/MessagePump.h"

namespace velvora {

namespace fs = std::filesystem;

static char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

static std::string LowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return LowerAscii(c); });
    return text;
}

static std::string FileNameOf(const std::string& path) { return path.substr(path.rfind(PathSeparator) + 1); }

// The extension starts at the last dot of the file name; a name may also be all extension.
static std::size_t ExtensionStart(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName.size() : dot;
}

static std::string WithoutExtension(const std::string& fileName) {
    return fileName.substr(0, ExtensionStart(fileName));
}

// Adds one to the last hexadecimal digit, carrying to the left past an F.
static void IncrementPhotoId(std::string& counter) {
    for (std::size_t i = counter.size(); i-- > 0;) {
        char& digit = counter[i];
        if (digit == '9') {
            digit = 'A';
            return;
        }
        if (digit != 'F') {
            ++digit;
            return;
        }
        digit = '0';
    }
}

std::string NextFreePhotoId(std::string& counter, StringList& usedIds) {
    for (;;) {
        const auto used = std::find_if(usedIds.begin(), usedIds.end(),
                                       [&](const std::string& id) { return SameTextIgnoringCase(id, counter); });
        if (used == usedIds.end()) return counter;
        usedIds.erase(used);
        IncrementPhotoId(counter);
    }
}

std::string LowerCaseExtension(const std::string& fileName) {
    const std::string name = FileNameOf(fileName);
    return LowerAscii(name.substr(ExtensionStart(name)));
}

bool ExtensionWithin(const std::string& fileName, std::string_view extensions) {
    const std::string extension = LowerCaseExtension(fileName);
    return !extension.empty() && extensions.find(extension) != std::string_view::npos;
}

bool IsJpegFileName(const std::string& fileName) { return ExtensionWithin(fileName, ".jpeg.jpg"); }

static bool LoadJpegThumbnail(const std::string& sourceFile, std::unique_ptr<Bitmap>& bitmap, int& width, int& height) {
    return ReadJpegDimensions(sourceFile, width, height) &&
           LoadJpegFitted(sourceFile, bitmap, ThumbnailSide, ThumbnailSide, false);
}

// Throws when the file is no bitmap the reader knows.
static bool LoadBitmapThumbnail(const std::string& sourceFile, std::unique_ptr<Bitmap>& bitmap, int& width,
                                int& height) {
    bitmap = std::make_unique<Bitmap>();
    bitmap->LoadFromFile(sourceFile);
    width = bitmap->Width();
    height = bitmap->Height();
    return FitBitmap(*bitmap, ThumbnailSide, ThumbnailSide, false);
}

bool MakeThumbnail(const std::string& sourceFile, const std::string& thumbnailFile, int& width, int& height) {
    try {
        std::unique_ptr<Bitmap> bitmap;
        const bool loaded = IsJpegFileName(sourceFile) ? LoadJpegThumbnail(sourceFile, bitmap, width, height)
                                                       : LoadBitmapThumbnail(sourceFile, bitmap, width, height);
        // A picture without pixels could never be shown, so it makes no photo.
        if (!loaded || bitmap->IsEmpty()) return false;
        bitmap->SaveToFile(thumbnailFile);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

StringList UsedPhotoIds(const std::string& categoryFolder) {
    StringList ids;
    std::error_code error;
    for (fs::directory_iterator it(categoryFolder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const std::size_t start = ExtensionStart(name);
        if (SameTextIgnoringCase(name.substr(start), PhotoImageExtension)) ids.push_back(name.substr(0, start));
    }
    return ids;
}

// The stored copy is written like every other file, so a failed copy leaves no partial one.
static bool CopyPhotoFile(const std::string& source, const std::string& destination) {
    try {
        WriteFileAtomic(destination, ReadWholeFile(source));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

static void WriteFirstProperties(const std::string& path, const std::string& name, int width, int height) {
    WriteFileAtomic(
        path, JoinLinesCrLf({"Name=" + name, "Width=" + std::to_string(width), "Height=" + std::to_string(height)}));
}

// Thumbnail, properties file and list entry of a photo whose copy exists; -1 when any fails.
static int RegisterPhoto(ShowDocument& document, const std::string& sourceFile, const std::string& id) {
    const std::string base = document.CategoryFolder + id;
    int width = 0;
    int height = 0;
    if (!MakeThumbnail(sourceFile, base + ThumbnailExtension, width, height)) return -1;
    const std::string fileName = FileNameOf(sourceFile);
    try {
        WriteFirstProperties(base + PhotoPropertiesExtension, WithoutExtension(fileName), width, height);
        return document.AddPhotoEntry(id, fileName);
    } catch (const std::exception&) {
        return -1;
    }
}

// Undoes a photo that could not be registered: its files are this batch's own, written under
// an id that was free, so removing them loses nothing and frees the id for the next file.
static void DiscardPhoto(const std::string& categoryFolder, const std::string& id, const std::string& folderLine) {
    DeletePhotoFiles(categoryFolder, id);
    const auto line = std::find(FolderList.rbegin(), FolderList.rend(), folderLine);
    if (line != FolderList.rend()) FolderList.erase(std::next(line).base());
}

int AddPhotoFiles(ShowDocument& document, const StringList& files, StringList& skippedFiles) {
    const std::string& folder = document.CategoryFolder;
    if (folder.empty()) return -1;
    std::string counter = "00000000";
    StringList usedIds = UsedPhotoIds(folder);
    int first = -1;
    document.Photos().DeselectAll();
    for (const std::string& file : files) {
        const std::string id = NextFreePhotoId(counter, usedIds);
        if (CopyPhotoFile(file, folder + id + PhotoImageExtension)) {
            const std::string fileName = FileNameOf(file);
            const std::string folderLine = id + "=" + fileName;
            usedIds.push_back(id);
            FolderList.push_back(folderLine);
            ProgressStep();
            ProgressSetDetail(fileName);
            PumpMessages();
            const int index = RegisterPhoto(document, file, id);
            if (index >= 0) {
                if (first < 0) first = index;
                document.Photos().Select(index);
            } else {
                DiscardPhoto(folder, id, folderLine);
                usedIds.pop_back();
                skippedFiles.push_back(file);
            }
        } else {
            skippedFiles.push_back(file);
        }
        ProgressStep();
        ProgressRefresh();
        PumpMessages();
        if (ProgressCancelled()) break;
    }
    return first;
}

static bool PathLessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
}

PhotoBatchResult AddPhotoBatch(ShowDocument& document, StringList files) {
    PhotoBatchResult result;
    if (files.empty()) return result;
    std::stable_sort(files.begin(), files.end(), PathLessIgnoringCase);
    ProgressWindowScope progress;
    ProgressSetTitle("Adding photographs to category...");
    ProgressSetMax(2 * static_cast<int>(files.size()));
    ProgressShowCancel(true);
    ProgressRefresh();
    ProgressStartTiming();
    try {
        const int first = AddPhotoFiles(document, files, result.SkippedFiles);
        if (!ProgressCancelled()) result.CurrentIndex = first;
    } catch (const std::exception&) {
        // The batch ends here; every photo added so far stays, as after a cancel.
    }
    return result;
}

}  // namespace velvora
