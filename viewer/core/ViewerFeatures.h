// Which commands a published show's viewer offers, decided once from the show's options,
// and the texts of its photo list.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "viewer/core/SlideShow.h"

namespace velvora {

struct ViewerFeatures {
    bool Toolbar = false;
    bool PlaybackButtons = false;  // Previous, Pause and Next on the toolbar
    bool About = false;            // the show has an about category with photos to play
    bool PhotoBrowser = false;
    // Commands on a photo of the browser; never without the browser.
    bool CopyPhoto = false;
    bool SavePhoto = false;
    bool WallpaperPhoto = false;
    // What the browser's labels show besides the name.
    bool FileNames = false;
    bool Resolution = false;

    bool operator==(const ViewerFeatures&) const = default;
};

ViewerFeatures ViewerFeaturesOf(const SlideShow& show);

// A photo of the show, by category and index.
struct PhotoAddress {
    int Category = 0;
    int Photo = 0;
};

// Every photo of the show, category by category in tree order, as the browser lists them.
std::vector<PhotoAddress> AllPhotos(const SlideShow& show);
const SlidePhoto& PhotoAt(const SlideShow& show, PhotoAddress address);

// The browser's label of `photo`, one line per part: its name, its source file name when
// FileNames, "W x H" when Resolution and the size is known. Empty parts are left out.
std::string PhotoLabel(const SlidePhoto& photo, const ViewerFeatures& features);

// The side of the square the browser shows each thumbnail on: the tool's 70-pixel
// thumbnails with a margin.
inline constexpr int ListThumbnailSide = 72;
// The photo's thumbnail centred on a light ListThumbnailSide square, shrunk to fit when
// larger; the bare square when the thumbnail cannot be decoded.
PixelBuffer ListThumbnail(const SlideShow& show, const SlidePhoto& photo);

// The title of a photo's own window: its name, or its source file name when it has none.
const std::string& PhotoTitle(const SlidePhoto& photo);

// The name a saved copy of `photo`, whose stored bytes are `stored`, is offered under: its
// source file name without any folder and without the characters file systems refuse;
// "photo.jpg" when nothing is left. A photo added from another format is stored as a JPEG,
// and its name then ends in ".jpg" in place of the source's own extension.
std::string SuggestedSaveName(const SlidePhoto& photo, std::span<const std::uint8_t> stored);

}  // namespace velvora
