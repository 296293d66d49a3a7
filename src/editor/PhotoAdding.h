// Bringing image files into the displayed category: a fresh photo id per file, a byte copy
// (or, for formats the viewers do not decode, a JPEG made from the picture), a thumbnail of at most 70 × 70 pixels, the first properties file and the photo list entry,
// as one cancellable batch behind the progress window. No windows: the file picker, the
// disabled main window and the panel refresh are the editor frame's part.
#pragma once

#include <string>
#include <string_view>

#include "base/Global.h"
#include "editor/ShowDocument.h"

namespace velvora {

// Box that every thumbnail is fitted into, aspect ratio kept, small pictures enlarged.
inline constexpr int ThumbnailSide = 70;

// Moves `counter` (eight hexadecimal digits, 0-9 and A-F) past every id in `usedIds`:
// while the counter occurs there, ignoring letter case, that occurrence is removed and the
// counter goes up by one. Returns the counter. Ids restart at "00000000" in every batch, so
// ids freed by deletions are reused, and the shrinking list keeps later searches short.
std::string NextFreePhotoId(std::string& counter, StringList& usedIds);

// The names without extension of every "*.pho" file in `categoryFolder`, the ids a batch
// must not take; a folder that is missing or cannot be read has none.
StringList UsedPhotoIds(const std::string& categoryFolder);

// The extension of the file name in `fileName`, from its last dot, in lower case; empty
// when it has none.
std::string LowerCaseExtension(const std::string& fileName);
// True when that extension is not empty and occurs within `extensions`, a run of
// extensions such as ".jpeg.jpg", so that fragments like ".jp" count too.
bool ExtensionWithin(const std::string& fileName, std::string_view extensions);

// True when `fileName` is decoded as a JPEG: its lower-cased extension, dot included, is not
// empty and occurs in ".jpeg.jpg". Anything else that is no converted format (below), a
// name without extension too, is a bitmap.
bool IsJpegFileName(const std::string& fileName);

// True when `fileName` has the extension (exactly, in any letter case) of a picture format
// that is stored converted to JPEG: .png .gif .tif .tiff .webp .heic .heif.
bool IsConvertedFileName(const std::string& fileName);

// True when the stored picture "<id>.pho" of a photo whose source file was `sourceFileName`
// is a JPEG: the source was one (IsJpegFileName), or was converted to one when it was added.
bool StoredPictureIsJpeg(const std::string& sourceFileName);

// True when `fileName` has the extension of a picture format that Add Photos offers, so that
// a folder contributes the file.
bool IsAddablePhotoFileName(const std::string& fileName);

// The JPEG quality of pictures stored converted: high enough that the conversion shows no
// loss at any size a show displays.
inline constexpr int ConvertedPhotoQuality = 92;

// Writes the thumbnail of `sourceFile` to `thumbnailFile` as a BMP and reports the source's
// pixel size (for converted formats, that of the upright picture that is stored). JPEGs
// decode at the coarsest scale that still covers the box. Returns false,
// writing nothing, when the source cannot be read or decoded (a damaged file, a picture in
// another format, one without pixels, one beyond the bitmap size limits) or the thumbnail
// cannot be written; never throws.
bool MakeThumbnail(const std::string& sourceFile, const std::string& thumbnailFile, int& width, int& height);

// Adds `files` (full paths) in list order to the displayed category of `document`: each gets
// the next free id, a stored picture "<id>.pho", a FolderList line, "<id>.thu", an "<id>.dat"
// (Name, Width and Height of the stored picture, then Rotate when a JPEG's EXIF orientation
// asks for a turn) and a selected photo list entry. The stored picture of a JPEG or bitmap is
// a byte copy; that of a converted format is a JPEG of ConvertedPhotoQuality, turned upright
// and laid over white, carrying the source's EXIF block with its orientation reset, so no
// Rotate is written for it. Either takes the source file's modification time, which sorting
// by date falls back on. The list's earlier selection is cleared first. Drives the open
// progress window (two steps per file, one when the picture cannot be stored) and
// stops after the file in progress once it is cancelled. A file that cannot be copied or
// made into a photo leaves nothing behind, its id goes to the next file, and its path is
// appended to `skippedFiles`. Returns the index of the first entry added, or -1; with no
// category displayed nothing is done.
int AddPhotoFiles(ShowDocument& document, const StringList& files, StringList& skippedFiles);

// The order of a batch: full paths compared byte by byte, ASCII letters ignoring case.
bool PathLessIgnoringCase(const std::string& a, const std::string& b);

// Sets up the open progress window for a batch of `fileCount` files: its title, a bar of
// two steps per file, the Cancel button and the time estimate.
void StartPhotoBatchProgress(int fileCount);

struct PhotoBatchResult {
    // The entry to make current: the first one added; -1 when the batch was cancelled, ended
    // by an error, or added nothing.
    int CurrentIndex = -1;
    // Chosen files that were not added, full paths in the order they were tried. An error
    // that ends the batch early leaves the files after it unlisted.
    StringList SkippedFiles;
};

// The Add Photos batch without its dialog: sorts `files` by full path ignoring letter case,
// opens the progress window with a Cancel button, runs AddPhotoFiles and closes the window
// again, also when an error escapes. Such an error ends the batch without a message; photos
// added before it stay.
PhotoBatchResult AddPhotoBatch(ShowDocument& document, StringList files);

}  // namespace velvora
