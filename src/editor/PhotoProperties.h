// The properties of one photo as the editor's properties panel holds them, and the
// routines that bind the panel to the current photo of the photo list: loading it from
// the photo's ".dat" file and writing it back to the entry and the file.
#pragma once

#include <string>

#include "base/Global.h"
#include "editor/PhotoList.h"

namespace velvora {

class KeyValueList;
class ShowDocument;

// The transition chooser offers only the first names of TransitionNames.
inline constexpr int BasicTransitionCount = 11;
inline constexpr int CustomWidthIndex = 5;
inline constexpr int CustomHeightIndex = 6;

// Each chooser field is the index of the chosen text in its name list of Global, or -1
// when the chooser shows nothing. Box fields are the boxes' texts as typed.
struct PhotoPanel {
    std::string Name;
    std::string Caption;
    int Background = 0;
    std::string BackgroundColor = "0";  // decimal, red in the low byte
    int Transition = 0;
    int Horizontal = 0;
    int Vertical = 0;
    int Duration = 0;
    std::string DurationCount;
    int Size = 0;
    std::string SizeCount;
    int Rotation = 0;  // 0 none, 1 a quarter turn clockwise, 2 a half turn, 3 a quarter turn counter-clockwise

    bool operator==(const PhotoPanel&) const = default;
};

// Fills `panel` from a photo's stored properties, texts decoded to UTF-8. A missing or
// non-numeric index reads as "Default"; the background colour keeps its previous text
// unless the photo has a specific colour.
void LoadPhotoPanel(PhotoPanel& panel, const KeyValueList& properties);

// The lines of the photo's ".dat" file for `panel`, with the size of `entry`. Only values
// other than "Default" are written; custom seconds and sizes are clamped to 1..10000.
StringList PhotoPanelLines(const PhotoPanel& panel, const PhotoEntry& entry);

// Loads the photo at the document's CurrentPhotoIndex into `panel`; false, leaving the
// panel as it was, when no photo is bound.
bool LoadCurrentPhoto(const ShowDocument& document, PhotoPanel& panel);

// Writes `panel` to the photo bound by CurrentPhotoIndex: its list entry (name, caption
// and rotation; the item keeps its selection) and its ".dat" file, where a name or caption
// that still says what it said keeps its stored bytes. Does nothing when no photo is
// bound. Returns true when the entry's text or rotation changed.
bool SavePhotoProperties(ShowDocument& document, const PhotoPanel& panel);

}  // namespace velvora
