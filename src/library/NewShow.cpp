// Show creation.
#include "library/NewShow.h"

#include <algorithm>

#include "base/KeyValueList.h"
#include "library/ShowIndex.h"

namespace velvora {

std::vector<std::string> InitialShowSettings(std::string_view title, std::string_view description,
                                             std::string_view author) {
    return {
        "Title=" + SingleLineValue(title),
        "Description=" + SingleLineValue(description),
        "Author=" + SingleLineValue(author),
        "ViewerShowToolbar=1",
        "ViewerViewIndividualPhotos=1",
        "ViewerCopyIndividualPhotos=1",
        "ViewerSaveIndividualPhotos=1",
        "ViewerWallpaperIndividualPhotos=1",
        "Transition=2",  // Random
        "Horizontal=3",  // Center
        "Vertical=3",    // Middle
        "Duration=4",    // 5 Seconds
        "DurationCount=1",
        "Size=2",  // Best fit on screen
    };
}

bool IsBlankTitle(std::string_view title) {
    return std::all_of(title.begin(), title.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

std::string CreateShow(std::string_view title, std::string_view description, std::string_view author) {
    // Refused before anything is made, rather than leaving a show the index cannot take.
    RequireWritableShowList();
    const std::string folder = MakeShowFolder(title);
    KeyValueList(InitialShowSettings(title, description, author)).SaveToFile(folder + ShowSettingsFileName);
    RegisterShow(folder);
    return folder;
}

}  // namespace velvora
