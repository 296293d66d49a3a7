// A published show opened for playing: its categories as a tree, each photo with its
// settings resolved, and the photo bytes read from the file only when a photo is shown.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "package/PackageFormat.h"
#include "viewer/core/PixelBuffer.h"
#include "viewer/core/SlideSettings.h"

namespace velvora {

struct SlidePhoto {
    std::string Id;
    std::string Name;
    std::string Caption;
    std::string SourceFileName;
    ByteExtent Image;  // the full-size image, or the thumbnail when the file has none
    ByteExtent Thumbnail;
    int Width = 0;  // of the picture as shown (rotation applied); 0 when not recorded
    int Height = 0;
    SlideSettings Settings;
};

// Where an intro or about category plays, in per cent of the viewer's screen.
struct WindowPercent {
    int Width = 100;
    int Height = 100;
};

struct SlideCategory {
    std::string Path;  // "\" for the root
    std::string Name;  // the last name of the path; the show's title for the root
    int Parent = -1;   // index of the enclosing category; -1 for the root
    std::vector<int> Children;
    SettingLines Settings;
    int Loop = LoopIndex::Once;  // resolved through the ancestors and the show
    bool Intro = false;
    bool About = false;
    bool AutoRun = false;
    bool AutoRunExit = false;
    WindowPercent IntroWindow;
    WindowPercent AboutWindow;
    std::vector<SlidePhoto> Photos;
};

class SlideShow {
public:
    // Opens a published file through FileByteSource (FileByteSource.cpp). Throws EPackageError
    // with the reader's message when it is not a published file or is damaged.
    static SlideShow Open(const std::filesystem::path& path);
    // The same from any byte source (the tool's preview, tests); takes ownership.
    static SlideShow Read(std::unique_ptr<ByteSource> file);

    const std::string& Title() const { return title_; }
    const SettingLines& ShowSettings() const { return showSettings_; }
    // A show option such as "ViewerShowToolbar": set exactly when its value is "1".
    bool Option(std::string_view key) const;
    // Root first, then the tree in pre-order.
    const std::vector<SlideCategory>& Categories() const { return categories_; }
    // The first category with the flag, or -1.
    int IntroCategory() const;
    int AboutCategory() const;
    int AutoRunCategory() const;

    // The photo's picture, decoded and turned by its rotation. Throws EPictureError when its
    // bytes cannot be decoded or are too large, EPackageError when they cannot be read.
    PixelBuffer LoadPicture(const SlidePhoto& photo) const;
    // The photo's thumbnail, decoded and turned like the picture; throws as LoadPicture.
    PixelBuffer LoadThumbnail(const SlidePhoto& photo) const;
    // The stored bytes of the photo's image file, exactly as published. Throws EPictureError
    // when there are none or too many, EPackageError when they cannot be read.
    std::vector<std::uint8_t> ImageBytes(const SlidePhoto& photo) const;

private:
    SlideShow() = default;
    std::vector<std::uint8_t> ReadExtent(ByteExtent extent) const;

    std::unique_ptr<ByteSource> file_;
    // Pictures are read on the viewer's worker thread as well as for its windows.
    std::unique_ptr<std::mutex> readLock_ = std::make_unique<std::mutex>();
    std::string title_;
    SettingLines showSettings_;
    std::vector<SlideCategory> categories_;
};

}  // namespace velvora
