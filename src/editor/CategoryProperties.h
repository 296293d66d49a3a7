// What the category properties dialog edits, as plain state: the choosers, boxes and check
// marks of one category, or of the whole show when the root is edited, loaded from the
// node (and for the show from its settings list) and stored back.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Global.h"
#include "base/KeyValueList.h"
#include "editor/CategoryTree.h"

namespace velvora {

// One drop-down: the texts it offers and the one chosen. The stored value is the position
// of the chosen text in a name list of Global, which may hold texts the box leaves out
// ("Default" in show mode, transitions past the first eleven) and lack texts the box
// offers ("Custom..." for the alignments).
class NameChooser {
public:
    NameChooser(const StringList& names, StringList items) : names_(&names), items_(std::move(items)) {}

    const StringList& Items() const { return items_; }
    // Index into Items(), -1 when nothing is chosen.
    int Selected() const { return selected_; }
    void Select(int index) { selected_ = index >= 0 && index < int(items_.size()) ? index : -1; }
    // The chosen text, empty when nothing is chosen.
    std::string Text() const { return selected_ < 0 ? std::string() : items_[std::size_t(selected_)]; }

    // Chooses the name at `position` of the name list: the first item when the position lies
    // outside the list, nothing when the box does not offer that name.
    void ShowStored(std::int32_t position);
    // Position of the chosen text in the name list; -1 for a text the list lacks. With
    // nothing chosen, the value ShowStored was given, so that a value the box cannot show
    // survives an edit that leaves the box alone.
    std::int32_t StoredPosition() const;

private:
    const StringList* names_;
    StringList items_;
    int selected_ = -1;
    std::int32_t shown_ = -1;
};

enum class PropertiesMode { Category, Show };

// A viewer option of the published show: its settings key, check box and caption.
struct ViewerOption {
    const char* Key;
    const char* CheckBox;
    const char* Caption;
};
inline constexpr std::array<ViewerOption, 8> ViewerOptions{{
    {"ViewerShowToolbar", "chkShowToolbar", "Show toolbar"},
    {"ViewerViewIndividualPhotos", "chkViewIndividualPhotos", "Allow viewing of individual photos"},
    {"ViewerCopyIndividualPhotos", "chkCopyIndividualPhotos", "Allow copying photos to clipboard"},
    {"ViewerSaveIndividualPhotos", "chkSaveIndividualPhotos", "Allow saving photos to disk"},
    {"ViewerWallpaperIndividualPhotos", "chkWallpaperIndividualPhotos", "Allow use of photos as wallpaper"},
    {"ViewerHideFilenames", "chkHideFilenames", "Hide photo filenames in thumbnail list"},
    {"ViewerHideResolution", "chkHideResolution", "Hide photo resolution in thumbnail list"},
    {"ViewerHidePlaybackControls", "chkHidePlaybackControls", "Hide playback controls"},
}};

inline constexpr int MinDurationSeconds = 1;
inline constexpr int MaxDurationSeconds = 10000;
inline constexpr int MaxScreenPercent = 100;

// The dialog's controls for one node. Number boxes hold text as typed; they are clamped
// only when stored, so that hiding the seconds box keeps what was typed in it.
struct CategoryProperties {
    explicit CategoryProperties(PropertiesMode mode);

    PropertiesMode Mode;
    std::string Name;
    std::string Author;       // show mode only
    std::string Description;  // show mode only
    NameChooser Loop, Background, Transition, Horizontal, Vertical, Duration, Size;
    std::string BackgroundColor;  // colour as decimal text, red in the low byte
    std::string Seconds;
    bool Intro = false, About = false, AutoRun = false, AutoRunExit = false;  // category mode only
    std::string IntroWidth, IntroHeight, AboutWidth, AboutHeight;
    std::array<bool, ViewerOptions.size()> Viewer{};  // show mode only, as ViewerOptions

    // The settings of `node`: its TCategory, or for the root (which stands for the show)
    // `showSettings`, where a missing key reads as the show's default.
    static CategoryProperties Load(const CategoryNode& node, const KeyValueList& showSettings);

    // Stores the state into `node` (its text and TCategory) and, for the root, into
    // `showSettings` and the root's background fields. Refuses a name "categories.dat"
    // cannot hold: then nothing is stored and the problem is returned. The "Title"
    // setting is left to the caller.
    CategoryNameProblem Save(CategoryNode& node, KeyValueList& showSettings) const;

    // The seconds box matters only with "Custom..." duration.
    bool SecondsVisible() const;
    // A category's colour button works only with a specific background colour.
    bool BackgroundEditEnabled() const;
    // The colour dialog opens only while "Specific color." is chosen.
    bool CanPickBackgroundColor() const;
};

// The message shown when a name is refused, in the words of the show (root) or category.
std::string CategoryNameProblemText(CategoryNameProblem problem, bool isRoot, std::string_view name);

}  // namespace velvora
