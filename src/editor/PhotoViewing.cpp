#include "editor/PhotoViewing.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <system_error>

#include "base/KeyValueList.h"
#include "editor/Category.h"
#include "editor/PhotoAdding.h"
#include "imaging/JPEG_IO.h"
#include "imaging/bmpRot.h"

namespace velvora {

namespace {

constexpr int PaneMargin = 8;

Bitmap DecodeStoredPhoto(const std::string& path, const std::string& sourceFileName) {
    if (StoredPictureIsJpeg(sourceFileName)) {
        std::unique_ptr<Bitmap> bitmap;
        int width = 0, height = 0;
        return ReadJpegFile(path, 1, bitmap, width, height) && bitmap ? std::move(*bitmap) : Bitmap();
    }
    if (!ExtensionWithin(sourceFileName, ".bmp")) return {};
    // A damaged copy only leaves the pane empty.
    try {
        Bitmap bitmap;
        bitmap.LoadFromFile(path);
        return bitmap;
    } catch (const std::exception&) {
        return {};
    }
}

int StoredRotation(const std::string& propertiesFile) {
    std::error_code ignored;
    if (!std::filesystem::exists(propertiesFile, ignored)) return 0;
    KeyValueList properties;
    try {
        properties.LoadFromFile(propertiesFile);
    } catch (const std::runtime_error&) {
        return 0;
    }
    return DecimalOrZero(properties.Value("rotate"));
}

}  // namespace

Bitmap LoadPhotoForViewing(const std::string& categoryFolder, const PhotoEntry& entry) {
    if (categoryFolder.empty() || !IsPhotoId(entry.PhotoId)) return {};
    const std::string stem = categoryFolder + entry.PhotoId;
    Bitmap bitmap = DecodeStoredPhoto(stem + PhotoImageExtension, entry.SourceFileName);
    if (!bitmap.IsEmpty()) RotateBitmapClockwise(bitmap, StoredRotation(stem + PhotoPropertiesExtension));
    return bitmap;
}

bool FitPicture(int paneWidth, int paneHeight, int barHeight, int pictureWidth, int pictureHeight,
                PictureBounds& bounds) {
    if (pictureWidth <= 0 || pictureHeight <= 0) return false;
    bounds.Left = bounds.Top = PaneMargin;
    const float sx = static_cast<float>(paneWidth - PaneMargin - bounds.Left) / static_cast<float>(pictureWidth);
    const float sy = static_cast<float>(paneHeight - 2 * PaneMargin - barHeight) / static_cast<float>(pictureHeight);
    const float scale = std::max(0.0f, std::min(sx, sy));
    // Halves round to even, as the default rounding mode does.
    bounds.Width = static_cast<int>(std::nearbyint(static_cast<float>(pictureWidth) * scale));
    bounds.Height = static_cast<int>(std::nearbyint(static_cast<float>(pictureHeight) * scale));
    return true;
}

}  // namespace velvora
