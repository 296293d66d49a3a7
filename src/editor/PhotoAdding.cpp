// The Add Photos batch: ids, copies, thumbnails, first properties files and list entries.
#include "editor/PhotoAdding.h"

#include <algorithm>
#include <deque>
#include <exception>
#include <filesystem>
#include <future>
#include <memory>
#include <system_error>
#include <thread>
#include <utility>

#include "base/FileIo.h"
#include "base/KeyValueList.h"
#include "base/Progress.h"
#include "editor/PhotoListEditing.h"
#include "imaging/Bitmap.h"
#include "imaging/ExifOrientation.h"
#include "imaging/JPEG_IO.h"
#include "imaging/JpegEncoding.h"
#include "imaging/PictureFormats.h"
#include "imaging/resampler.h"
#include "platform/MessagePump.h"
#include "platform/StoredText.h"

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

bool IsConvertedFileName(const std::string& fileName) {
    const std::string extension = LowerCaseExtension(fileName);
    for (const char* converted : {".png", ".gif", ".tif", ".tiff", ".webp", ".heic", ".heif"})
        if (extension == converted) return true;
    return false;
}

bool StoredPictureIsJpeg(const std::string& sourceFileName) {
    return IsJpegFileName(sourceFileName) || IsConvertedFileName(sourceFileName);
}

bool IsAddablePhotoFileName(const std::string& fileName) {
    const std::string extension = LowerCaseExtension(fileName);
    return extension == ".jpg" || extension == ".jpeg" || extension == ".bmp" || IsConvertedFileName(fileName);
}

// A thumbnail in memory, with the size of the picture it was made from and the turn that
// shows that picture upright.
struct RenderedThumbnail {
    bool Made = false;
    std::string Bmp;
    int Width = 0;
    int Height = 0;
    int Rotation = 0;
    // The JPEG stored in place of a byte copy, for a picture in a converted format; empty for
    // the others, and when only the thumbnail was asked for.
    std::string StoredJpeg;
};

// Whether rendering also makes the JPEG that a converted picture is stored as.
enum class StoredPicture { Skip, Make };

// The thumbnail keeps the stored orientation: whatever shows the photo turns its thumbnail
// by the same Rotate= as the photo itself.
static bool LoadJpegThumbnail(const std::string& sourceFile, std::unique_ptr<Bitmap>& bitmap,
                              RenderedThumbnail& thumbnail) {
    thumbnail.Rotation = ClockwiseTurnsForOrientation(ReadExifOrientation(sourceFile));
    return ReadJpegDimensions(sourceFile, thumbnail.Width, thumbnail.Height) &&
           LoadJpegFitted(sourceFile, bitmap, ThumbnailSide, ThumbnailSide, false);
}

// Throws when the file is no bitmap the reader knows.
static bool LoadBitmapThumbnail(const std::string& sourceFile, std::unique_ptr<Bitmap>& bitmap,
                                RenderedThumbnail& thumbnail) {
    bitmap = std::make_unique<Bitmap>();
    bitmap->LoadFromFile(sourceFile);
    thumbnail.Width = bitmap->Width();
    thumbnail.Height = bitmap->Height();
    return FitBitmap(*bitmap, ThumbnailSide, ThumbnailSide, false);
}

// One decode gives both the stored JPEG and the thumbnail; both are made from the upright
// picture, so the thumbnail needs no turn either.
static bool LoadConvertedThumbnail(const std::string& sourceFile, StoredPicture stored, std::unique_ptr<Bitmap>& bitmap,
                                   RenderedThumbnail& thumbnail) {
    ConvertedPicture picture;
    if (!DecodeConvertedPicture(sourceFile, picture)) return false;
    thumbnail.Width = picture.Pixels.Width();
    thumbnail.Height = picture.Pixels.Height();
    if (stored == StoredPicture::Make &&
        !EncodeBitmapAsJpeg(picture.Pixels, ConvertedPhotoQuality, UprightExifSegment(picture.Exif),
                            thumbnail.StoredJpeg))
        return false;
    bitmap = std::make_unique<Bitmap>(std::move(picture.Pixels));
    return FitBitmap(*bitmap, ThumbnailSide, ThumbnailSide, false);
}

static bool LoadThumbnail(const std::string& sourceFile, StoredPicture stored, std::unique_ptr<Bitmap>& bitmap,
                          RenderedThumbnail& thumbnail) {
    if (IsConvertedFileName(sourceFile)) return LoadConvertedThumbnail(sourceFile, stored, bitmap, thumbnail);
    if (IsJpegFileName(sourceFile)) return LoadJpegThumbnail(sourceFile, bitmap, thumbnail);
    return LoadBitmapThumbnail(sourceFile, bitmap, thumbnail);
}

static RenderedThumbnail RenderThumbnail(const std::string& sourceFile, StoredPicture stored) {
    try {
        RenderedThumbnail thumbnail;
        std::unique_ptr<Bitmap> bitmap;
        const bool loaded = LoadThumbnail(sourceFile, stored, bitmap, thumbnail);
        // A picture without pixels could never be shown, so it makes no photo.
        if (!loaded || bitmap->IsEmpty()) return {};
        thumbnail.Bmp = bitmap->SaveToBmp();
        thumbnail.Made = true;
        return thumbnail;
    } catch (const std::exception&) {
        return {};
    }
}

static bool SaveThumbnail(const RenderedThumbnail& thumbnail, const std::string& thumbnailFile, FileSync sync) {
    if (!thumbnail.Made) return false;
    try {
        WriteFileAtomic(thumbnailFile, thumbnail.Bmp, sync);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool MakeThumbnail(const std::string& sourceFile, const std::string& thumbnailFile, int& width, int& height) {
    const RenderedThumbnail thumbnail = RenderThumbnail(sourceFile, StoredPicture::Skip);
    width = thumbnail.Width;
    height = thumbnail.Height;
    return SaveThumbnail(thumbnail, thumbnailFile, FileSync::BeforeRename);
}

// Decoding dominates a batch, so the thumbnails of the next files are made on every core
// while the batch copies and registers photos one after the other; ids, order, progress
// and cancelling stay exactly as if each file waited for the one before.
class ThumbnailPipeline {
public:
    explicit ThumbnailPipeline(const StringList& files)
        : files_(files), ahead_(std::max(2u, std::thread::hardware_concurrency())) {
        while (next_ < files_.size() && pending_.size() < ahead_) Launch();
    }
    // The thumbnail of the next file in list order; called once for every file.
    RenderedThumbnail Take() {
        RenderedThumbnail thumbnail = pending_.front().get();
        pending_.pop_front();
        if (next_ < files_.size()) Launch();
        return thumbnail;
    }

private:
    void Launch() {
        pending_.push_back(std::async(std::launch::async, RenderThumbnail, files_[next_++], StoredPicture::Make));
    }

    const StringList& files_;
    const std::size_t ahead_;
    std::size_t next_ = 0;
    // Futures of std::async wait for their work when destroyed, so a batch that stops
    // early never leaves a decode running.
    std::deque<std::future<RenderedThumbnail>> pending_;
};

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

// The stored picture is written like every other file, so a failure leaves no partial one;
// a picture that needed converting and could not be converted is not stored at all. The
// batch makes its files durable once, at its end.
static bool StorePhotoFile(const std::string& source, const std::string& destination,
                           const RenderedThumbnail& thumbnail) {
    try {
        if (!thumbnail.StoredJpeg.empty()) {
            WriteFileAtomic(destination, thumbnail.StoredJpeg, FileSync::Later);
        } else if (IsConvertedFileName(source)) {
            return false;
        } else {
            CopyFileAtomic(source, destination, FileSync::Later);
        }
    } catch (const std::exception&) {
        return false;
    }
    // Sorting by date falls back on the file's time when the picture holds no date taken.
    std::error_code ignored;
    const fs::file_time_type modified = fs::last_write_time(source, ignored);
    if (!ignored) fs::last_write_time(destination, modified, ignored);
    return true;
}

// The size is the stored picture's, before any turn. Rotate= comes after Height=, where the
// properties panel writes it too, so a later save of the panel keeps the order.
static void WriteFirstProperties(const std::string& path, const std::string& name, const RenderedThumbnail& thumbnail) {
    StringList lines{"Name=" + SingleLineValue(name), "Width=" + std::to_string(thumbnail.Width),
                     "Height=" + std::to_string(thumbnail.Height)};
    if (thumbnail.Rotation != 0) lines.push_back("Rotate=" + std::to_string(thumbnail.Rotation));
    WriteFileAtomic(path, JoinLinesCrLf(lines), FileSync::Later);
}

// Thumbnail, properties file and list entry of a photo whose copy exists; -1 when any fails.
static int RegisterPhoto(ShowDocument& document, const std::string& fileName, const std::string& id,
                         const RenderedThumbnail& thumbnail) {
    const std::string base = document.CategoryFolder + id;
    if (!SaveThumbnail(thumbnail, base + ThumbnailExtension, FileSync::Later)) return -1;
    try {
        WriteFirstProperties(base + PhotoPropertiesExtension, WithoutExtension(fileName), thumbnail);
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
    ThumbnailPipeline thumbnails(files);
    for (const std::string& file : files) {
        const std::string id = NextFreePhotoId(counter, usedIds);
        const RenderedThumbnail thumbnail = thumbnails.Take();
        if (StorePhotoFile(file, folder + id + PhotoImageExtension, thumbnail)) {
            // A name from the disk need not be UTF-8, and its raw bytes could hold the entry
            // separator; it only informs, the photo's files are named by its id.
            const std::string fileName = DecodeStoredText(FileNameOf(file));
            const std::string folderLine = id + "=" + fileName;
            usedIds.push_back(id);
            FolderList.push_back(folderLine);
            ProgressStep();
            ProgressSetDetail(fileName);
            PumpMessages();
            const int index = RegisterPhoto(document, fileName, id, thumbnail);
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
    SyncFolderFiles(folder);
    return first;
}

bool PathLessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
}

void StartPhotoBatchProgress(int fileCount) {
    ProgressSetTitle("Adding photographs to category...");
    ProgressSetMax(2 * fileCount);
    ProgressShowCancel(true);
    ProgressRefresh();
    ProgressStartTiming();
}

PhotoBatchResult AddPhotoBatch(ShowDocument& document, StringList files) {
    PhotoBatchResult result;
    if (files.empty()) return result;
    std::stable_sort(files.begin(), files.end(), PathLessIgnoringCase);
    ProgressWindowScope progress;
    StartPhotoBatchProgress(static_cast<int>(files.size()));
    try {
        const int first = AddPhotoFiles(document, files, result.SkippedFiles);
        if (!ProgressCancelled()) result.CurrentIndex = first;
    } catch (const std::exception&) {
        // The batch ends here; every photo added so far stays, as after a cancel.
    }
    return result;
}

}  // namespace velvora
