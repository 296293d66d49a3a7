// Opening a published show for playing: the package read through the checked reader, the
// category tree rebuilt from the paths, and every photo's settings resolved once.
#include "viewer/core/SlideShow.h"

#include <algorithm>

#include "viewer/core/PictureDecoding.h"

namespace velvora {
namespace {

// Photo files larger than this are not read into memory; no JPEG or BMP within
// MaxPicturePixels needs that much.
constexpr std::uint64_t MaxPhotoFileBytes = 512ull * 1024 * 1024;

std::string LastName(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The category whose path is this path without its last name; the root when none is (a
// name holding a backslash), so that no category is lost.
int FindParent(const std::vector<SlideCategory>& categories, const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    const std::string parentPath = slash == 0 || slash == std::string::npos ? "\\" : path.substr(0, slash);
    for (std::size_t i = 0; i < categories.size(); ++i)
        if (categories[i].Path == parentPath) return int(i);
    return 0;
}

bool Flag(const SettingLines& lines, std::string_view key) { return LookupSetting(lines, key) == "1"; }

WindowPercent Percent(const SettingLines& lines, std::string_view width, std::string_view height) {
    const auto share = [&](std::string_view key) {
        const int value = LookupNumber(lines, key, 0);
        return value > 0 ? std::min(value, 100) : 100;
    };
    return {share(width), share(height)};
}

SlideCategory MakeCategory(const PackageCategory& stored) {
    SlideCategory category;
    category.Path = stored.Path;
    category.Name = LastName(stored.Path);
    category.Settings = stored.Settings;
    category.Intro = Flag(stored.Settings, "Intro");
    category.About = Flag(stored.Settings, "About");
    category.AutoRun = Flag(stored.Settings, "AutoRun");
    category.AutoRunExit = category.AutoRun && Flag(stored.Settings, "AutoRunExit");
    category.IntroWindow = Percent(stored.Settings, "IntroWidth", "IntroHeight");
    category.AboutWindow = Percent(stored.Settings, "AboutWidth", "AboutHeight");
    return category;
}

// The settings of category `index` and of each category above it, nearest first.
std::vector<const SettingLines*> AncestorSettings(const std::vector<SlideCategory>& categories, int index) {
    std::vector<const SettingLines*> chain;
    for (int at = index; at >= 0; at = categories[std::size_t(at)].Parent)
        chain.push_back(&categories[std::size_t(at)].Settings);
    return chain;
}

SlidePhoto MakePhoto(const PackagePhoto& stored, const SettingChain& chain) {
    SlidePhoto photo;
    photo.Id = stored.Id;
    photo.SourceFileName = stored.SourceFileName;
    photo.Name = LookupSetting(stored.Information, "Name");
    photo.Caption = LookupSetting(stored.Information, "Caption");
    // A photo published without its image file still has its thumbnail to show.
    photo.Image = stored.HasFullsize && stored.Fullsize.Size > 0 ? stored.Fullsize : stored.Thumbnail;
    photo.Thumbnail = stored.Thumbnail;
    photo.Width = std::max(LookupNumber(stored.Information, "width", 0), 0);
    photo.Height = std::max(LookupNumber(stored.Information, "height", 0), 0);
    photo.Settings = ResolveSlideSettings(chain);
    return photo;
}

int FirstWith(const std::vector<SlideCategory>& categories, bool SlideCategory::*flag) {
    const auto found = std::find_if(categories.begin(), categories.end(),
                                    [&](const SlideCategory& category) { return category.*flag; });
    return found == categories.end() ? -1 : int(found - categories.begin());
}

}  // namespace

SlideShow SlideShow::Read(std::unique_ptr<ByteSource> file) {
    const ViewerPrefix prefix = ReadViewerPrefix(*file);
    PackageContents package = ReadPackage(*file, prefix.PackageOffset);
    SlideShow show;
    show.title_ = prefix.Title;
    show.showSettings_ = std::move(package.ShowSettings);
    for (const PackageCategory& stored : package.Categories) {
        SlideCategory category = MakeCategory(stored);
        if (!show.categories_.empty()) {
            category.Parent = FindParent(show.categories_, stored.Path);
            show.categories_[std::size_t(category.Parent)].Children.push_back(int(show.categories_.size()));
        }
        show.categories_.push_back(std::move(category));
    }
    if (show.categories_.empty()) throw EPackageError("The slide show file is damaged: it has no categories.");
    show.categories_[0].Name = show.title_;
    // Photos are resolved once the tree is complete, so every chain reaches the root.
    for (std::size_t i = 0; i < show.categories_.size(); ++i) {
        SlideCategory& category = show.categories_[i];
        const std::vector<const SettingLines*> ancestors = AncestorSettings(show.categories_, int(i));
        category.Loop = ResolveLoop(ancestors, show.showSettings_);
        for (const PackagePhoto& stored : package.Categories[i].Photos)
            category.Photos.push_back(MakePhoto(stored, {&stored.Information, ancestors, &show.showSettings_}));
    }
    show.file_ = std::move(file);
    return show;
}

bool SlideShow::Option(std::string_view key) const { return LookupSetting(showSettings_, key) == "1"; }

int SlideShow::IntroCategory() const { return FirstWith(categories_, &SlideCategory::Intro); }
int SlideShow::AboutCategory() const { return FirstWith(categories_, &SlideCategory::About); }
int SlideShow::AutoRunCategory() const { return FirstWith(categories_, &SlideCategory::AutoRun); }

std::vector<std::uint8_t> SlideShow::ReadExtent(ByteExtent extent) const {
    if (extent.Size == 0) throw EPictureError("This photo was published without a picture.");
    if (extent.Size > MaxPhotoFileBytes) throw EPictureError("This photo is too large to show.");
    std::vector<std::uint8_t> bytes(std::size_t(extent.Size));
    const std::lock_guard lock(*readLock_);
    file_->ReadAt(extent.Offset, bytes);
    return bytes;
}

PixelBuffer SlideShow::LoadPicture(const SlidePhoto& photo) const {
    return RotateQuarterTurns(DecodePicture(ReadExtent(photo.Image)), photo.Settings.Rotate);
}

PixelBuffer SlideShow::LoadThumbnail(const SlidePhoto& photo) const {
    return RotateQuarterTurns(DecodePicture(ReadExtent(photo.Thumbnail)), photo.Settings.Rotate);
}

std::vector<std::uint8_t> SlideShow::ImageBytes(const SlidePhoto& photo) const { return ReadExtent(photo.Image); }

}  // namespace velvora
