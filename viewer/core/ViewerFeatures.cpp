// The viewer's commands from the show's options.
#include "viewer/core/ViewerFeatures.h"

#include "viewer/core/SlidePlayer.h"

namespace velvora {
namespace {

void AddLine(std::string& text, const std::string& line) {
    if (line.empty()) return;
    if (!text.empty()) text += '\n';
    text += line;
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

}  // namespace velvora
