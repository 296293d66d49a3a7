#include "editor/PhotoProperties.h"

#include <filesystem>
#include <system_error>

#include "base/FileIo.h"
#include "base/KeyValueList.h"
#include "editor/Category.h"
#include "editor/ShowDocument.h"
#include "platform/StoredText.h"

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

// The photo's stored properties; empty when it has none that can be read. An id that could
// leave the category folder is never read.
KeyValueList StoredProperties(const ShowDocument& document, const PhotoEntry& entry) {
    KeyValueList properties;
    std::error_code ignored;
    const std::string file = PropertiesFileOf(document, entry);
    if (IsPhotoId(entry.PhotoId) && std::filesystem::exists(file, ignored)) {
        try {
            properties.LoadFromFile(file);
        } catch (const std::runtime_error&) {
            properties.Clear();
        }
    }
    return properties;
}

// The stored spelling of a text while it still says what `text` says, so that a name or
// caption in another code page keeps its bytes until it is edited.
std::string KeptSpelling(const std::string& stored, const std::string& text) {
    return DecodeStoredText(stored) == SingleLineValue(text) ? stored : text;
}

}  // namespace

void LoadPhotoPanel(PhotoPanel& panel, const KeyValueList& properties) {
    const auto all = [](const StringList& names) { return static_cast<int>(names.size()); };
    const auto text = [&](const char* key) { return DecodeStoredText(properties.Value(key)); };
    panel.Name = text("name");
    panel.Caption = text("caption");
    panel.Background = ChooserIndex(properties, "background", BackgroundNames, all(BackgroundNames));
    if (panel.Background == SpecificColorIndex) panel.BackgroundColor = text("backgroundcolor");
    panel.Transition = ChooserIndex(properties, "transition", TransitionNames, BasicTransitionCount);
    panel.Horizontal = ChooserIndex(properties, "horizontal", HorizontalAlignNames, all(HorizontalAlignNames));
    panel.Vertical = ChooserIndex(properties, "vertical", VerticalAlignNames, all(VerticalAlignNames));
    panel.Duration = ChooserIndex(properties, "duration", DurationNames, all(DurationNames));
    panel.DurationCount = text("durationcount");
    panel.Size = ChooserIndex(properties, "size", SizeNames, all(SizeNames));
    panel.SizeCount = text("sizecount");
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
    LoadPhotoPanel(panel, StoredProperties(document, entry));
    return true;
}

bool SavePhotoProperties(ShowDocument& document, const PhotoPanel& panel) {
    if (!IsBound(document)) return false;
    PhotoList& photos = document.Photos();
    const int index = document.CurrentPhotoIndex;
    PhotoEntry entry = PhotoEntry::FromText(photos.Item(index));
    // Decoded, the panel's texts can never split the entry at a separator of their own; on
    // one line, the list shows what the file keeps.
    entry.Caption = SingleLineValue(DecodeStoredText(panel.Caption));
    entry.Name = SingleLineValue(DecodeStoredText(panel.Name));
    const bool changed = entry.Text() != photos.Item(index) || panel.Rotation != photos.Rotation(index);
    photos.SetItem(index, entry.Text());
    photos.SetRotation(index, panel.Rotation);
    if (!IsPhotoId(entry.PhotoId)) return changed;
    const KeyValueList stored = StoredProperties(document, entry);
    PhotoPanel written = panel;
    written.Name = KeptSpelling(stored.Value("name"), entry.Name);
    written.Caption = KeptSpelling(stored.Value("caption"), entry.Caption);
    WriteFileAtomic(PropertiesFileOf(document, entry), JoinLinesCrLf(PhotoPanelLines(written, entry)));
    return changed;
}

}  // namespace velvora
