// The viewer's commands from the show's options.
#include "viewer/core/ViewerFeatures.h"

#include <cctype>
#include <cstring>
#include <exception>

#include "viewer/core/Compositor.h"
#include "viewer/core/SlidePlayer.h"

namespace velvora {
namespace {

void AddLine(std::string& text, const std::string& line) {
    if (line.empty()) return;
    if (!text.empty()) text += '\n';
    text += line;
}

// The tool stores a source's own bytes only for .jpg and .jpeg names; any other source
// stored as a JPEG was converted when it was added.
bool HasJpegExtension(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".jpg" || extension == ".jpeg";
}

}  // namespace

ViewerFeatures ViewerFeaturesOf(const SlideShow& show) {
    ViewerFeatures features;
    features.Toolbar = show.Option("ViewerShowToolbar");
    features.PlaybackButtons = features.Toolbar && !show.Option("ViewerHidePlaybackControls");
    features.About = !BuildCategoryPlayList(show, show.AboutCategory()).empty();
    features.PhotoBrowser = show.Option("ViewerViewIndividualPhotos") && !AllPhotos(show).empty();
    features.CopyPhoto = features.PhotoBrowser && show.Option("ViewerCopyIndividualPhotos");
    features.SavePhoto = features.PhotoBrowser && show.Option("ViewerSaveIndividualPhotos");
    features.WallpaperPhoto = features.PhotoBrowser && show.Option("ViewerWallpaperIndividualPhotos");
    features.FileNames = !show.Option("ViewerHideFilenames");
    features.Resolution = !show.Option("ViewerHideResolution");
    return features;
}

std::vector<PhotoAddress> AllPhotos(const SlideShow& show) {
    std::vector<PhotoAddress> photos;
    for (std::size_t category = 0; category < show.Categories().size(); ++category)
        for (std::size_t photo = 0; photo < show.Categories()[category].Photos.size(); ++photo)
            photos.push_back({int(category), int(photo)});
    return photos;
}

const SlidePhoto& PhotoAt(const SlideShow& show, PhotoAddress address) {
    return show.Categories()[std::size_t(address.Category)].Photos[std::size_t(address.Photo)];
}

std::string PhotoLabel(const SlidePhoto& photo, const ViewerFeatures& features) {
    std::string label;
    AddLine(label, photo.Name);
    if (features.FileNames) AddLine(label, photo.SourceFileName);
    if (features.Resolution && photo.Width > 0 && photo.Height > 0)
        AddLine(label, std::to_string(photo.Width) + " x " + std::to_string(photo.Height));
    return label;
}

PixelBuffer ListThumbnail(const SlideShow& show, const SlidePhoto& photo) {
    PixelBuffer thumbnail;
    try {
        thumbnail = show.LoadThumbnail(photo);
    } catch (const std::exception&) {
    }
    DisplayChoice centred;
    centred.Size = thumbnail.Width <= ListThumbnailSide && thumbnail.Height <= ListThumbnailSide ? SizeIndex::ActualSize
                                                                                                 : SizeIndex::BestFit;
    centred.BackgroundColor = 0xF0F0F0;
    return RenderSlide(thumbnail, ListThumbnailSide, ListThumbnailSide, centred);
}

const std::string& PhotoTitle(const SlidePhoto& photo) {
    return photo.Name.empty() ? photo.SourceFileName : photo.Name;
}

// Works on bytes: every character removed is ASCII, which UTF-8 and Windows-1252 never use
// inside another character.
std::string SuggestedSaveName(const SlidePhoto& photo, std::span<const std::uint8_t> stored) {
    std::string name = photo.SourceFileName;
    const std::size_t folderEnd = name.find_last_of("\\/:");
    if (folderEnd != std::string::npos) name.erase(0, folderEnd + 1);
    std::erase_if(name, [](char c) { return static_cast<unsigned char>(c) < 32 || std::strchr("<>\"|?*", c); });
    if (name.empty()) return "photo.jpg";
    const bool jpeg = stored.size() >= 2 && stored[0] == 0xFF && stored[1] == 0xD8;
    if (jpeg && !HasJpegExtension(name)) name = name.substr(0, name.rfind('.')) + ".jpg";
    return name;
}

}  // namespace velvora
