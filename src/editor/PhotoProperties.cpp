#include "editor/PhotoProperties.h"

#include <filesystem>
#include <system_error>

#include "app/FileIo.h"
#include "app/KeyValueList.h"
#include "editor/Category.h"
#include "editor/ShowDocument.h"

namespace velvora {

namespace {

constexpr int MaxCustomCount = 10000;

// A stored index within 0..count-1, "Default" (0) for anything else.
int StoredIndex(const KeyValueList& properties, const char* key, int count) {
    const int stored = DecimalOrZero(properties.Value(key));
    return stored >= 0 && stored < count ? stored : 0;
}

// The stored index of a chooser's name list, or -1 ("nothing shown") when the chooser
// offers fewer texts than the list holds and lacks that one.
int ChooserIndex(const KeyValueList& properties, const char* key, const StringList& names, int offered) {
    const int stored = StoredIndex(properties, key, static_cast<int>(names.size()));
    return stored < offered ? stored : -1;
}

void AddIndexLine(StringList& lines, const char* key, int index) {
    if (index > 0) lines.push_back(std::string(key) + "=" + std::to_string(index));
}

std::string ClampedCount(const std::string& text) { return std::to_string(StrToIntRange(text, 1, MaxCustomCount)); }

bool IsBound(const ShowDocument& document) {
    return document.CurrentPhotoIndex >= 0 && document.CurrentPhotoIndex < document.Photos().Count();
}

std::string PropertiesFileOf(const ShowDocument& document, const PhotoEntry& entry) {
    return document.CategoryFolder + entry.PhotoId + PhotoPropertiesExtension;
}

}  // namespace

void LoadPhotoPanel(PhotoPanel& panel, const KeyValueList& properties) {
    const auto all = [](const StringList& names) { return static_cast<int>(names.size()); };
    panel.Name = properties.Value("name");
    panel.Caption = properties.Value("caption");
    panel.Background = ChooserIndex(properties, "background", BackgroundNames, all(BackgroundNames));
    if (panel.Background == SpecificColorIndex) panel.BackgroundColor = properties.Value("backgroundcolor");
    panel.Transition = ChooserIndex(properties, "transition", TransitionNames, BasicTransitionCount);
    panel.Horizontal = ChooserIndex(properties, "horizontal", HorizontalAlignNames, all(HorizontalAlignNames));
    panel.Vertical = ChooserIndex(properties, "vertical", VerticalAlignNames, all(VerticalAlignNames));
    panel.Duration = ChooserIndex(properties, "duration", DurationNames, all(DurationNames));
    panel.DurationCount = properties.Value("durationcount");
    panel.Size = ChooserIndex(properties, "size", SizeNames, all(SizeNames));
    panel.SizeCount = properties.Value("sizecount");
    panel.Rotation = StoredIndex(properties, "rotate", 4);
}

StringList PhotoPanelLines(const PhotoPanel& panel, const PhotoEntry& entry) {
    StringList lines{"Name=" + SingleLineValue(panel.Name), "Caption=" + SingleLineValue(panel.Caption),
                     "Width=" + entry.Width, "Height=" + entry.Height};
    AddIndexLine(lines, "Background", panel.Background);
    if (panel.Background == SpecificColorIndex) lines.push_back("BackgroundColor=" + panel.BackgroundColor);
    AddIndexLine(lines, "Transition", panel.Transition);
    AddIndexLine(lines, "Horizontal", panel.Horizontal);
    AddIndexLine(lines, "Vertical", panel.Vertical);
    AddIndexLine(lines, "Duration", panel.Duration);
    if (panel.Duration == CustomDurationIndex) lines.push_back("DurationCount=" + ClampedCount(panel.DurationCount));
    AddIndexLine(lines, "Size", panel.Size);
    if (panel.Size == CustomWidthIndex || panel.Size == CustomHeightIndex)
        lines.push_back("SizeCount=" + ClampedCount(panel.SizeCount));
    AddIndexLine(lines, "Rotate", panel.Rotation);
    return lines;
}

bool LoadCurrentPhoto(const ShowDocument& document, PhotoPanel& panel) {
    if (!IsBound(document)) return false;
    const PhotoEntry entry = PhotoEntry::FromText(document.Photos().Item(document.CurrentPhotoIndex));
    KeyValueList properties;
    std::error_code ignored;
    const std::string file = PropertiesFileOf(document, entry);
    // An id that could leave the category folder is never read; its panel reads as empty.
    if (IsPhotoId(entry.PhotoId) && std::filesystem::exists(file, ignored)) {
        try {
            properties.LoadFromFile(file);
        } catch (const std::runtime_error&) {
            properties.Clear();
        }
    }
    LoadPhotoPanel(panel, properties);
    return true;
}

bool SavePhotoProperties(ShowDocument& document, const PhotoPanel& panel) {
    if (!IsBound(document)) return false;
    PhotoList& photos = document.Photos();
    const int index = document.CurrentPhotoIndex;
    PhotoEntry entry = PhotoEntry::FromText(photos.Item(index));
    entry.Caption = panel.Caption;
    entry.Name = panel.Name;
    const bool changed = entry.Text() != photos.Item(index);
    if (changed) photos.SetItem(index, entry.Text());
    if (IsPhotoId(entry.PhotoId))
        WriteFileAtomic(PropertiesFileOf(document, entry), JoinLinesCrLf(PhotoPanelLines(panel, entry)));
    return changed;
}

}  // namespace velvora
