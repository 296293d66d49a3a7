// The photo as the editor's viewer pane shows it: decoded at full size from its stored
// copy, turned by its stored rotation, and fitted to the pane.
#pragma once

#include <string>

#include "editor/PhotoList.h"
#include "imaging/Bitmap.h"

namespace velvora {

// Where the picture goes inside the pane.
struct PictureBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    bool operator==(const PictureBounds&) const = default;
};

// The photo of `entry` in `categoryFolder`, decoded as its source file's extension says
// (JPEG, also for sources stored converted, see StoredPictureIsJpeg, or bitmap) and turned by the "rotate" value of its properties file. An empty bitmap
// when the id could leave the folder, the extension is neither, or the file cannot be read.
Bitmap LoadPhotoForViewing(const std::string& categoryFolder, const PhotoEntry& entry);

// The picture of `pictureWidth` × `pictureHeight`, scaled (up or down) to fill the room
// left of the pane's 8-pixel margins and its bottom bar, at its place (left, top). Returns
// false when the picture has no pixels.
bool FitPicture(int paneWidth, int paneHeight, int barHeight, int pictureWidth, int pictureHeight,
                PictureBounds& bounds);

}  // namespace velvora
