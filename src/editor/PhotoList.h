// The photos of the displayed category as the editor's photo list holds them: one
// PhotoEntry text per item, in show order, with per-item selection and a current item.
// Each item also carries the photo's stored rotation, so that its card is drawn upright.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velvora {

// Ends every field of a photo entry text; it never occurs in UTF-8 text.
inline constexpr char PhotoEntrySeparator = '\xFF';

// A photo's files in its category folder are its id plus one of these.
inline constexpr const char* PhotoImageExtension = ".pho";
inline constexpr const char* ThumbnailExtension = ".thu";
inline constexpr const char* PhotoPropertiesExtension = ".dat";

// True when `id` is eight hexadecimal digits, the only form of a photo's file names that
// can never address anything outside its category folder.
bool IsPhotoId(std::string_view id);

// One photo list item taken apart: six fields, each followed by the separator.
struct PhotoEntry {
    std::string PhotoId;
    std::string SourceFileName;
    std::string Caption;
    std::string Name;
    std::string Width;
    std::string Height;

    std::string Text() const;
    // Missing trailing fields read as empty.
    static PhotoEntry FromText(std::string text);

    bool operator==(const PhotoEntry&) const = default;
};

class PhotoList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Item(int index) const { return items_[std::size_t(index)].text; }
    void SetItem(int index, std::string text) { items_[std::size_t(index)].text = std::move(text); }

    // Appends an unselected item and returns its index.
    int Add(std::string text);
    // Inserts an unselected item before `index` (0..Count()).
    void Insert(int index, std::string text);
    // Removes one item; when it was the current item there is no current item afterwards.
    void Remove(int index);
    // Removes the item and inserts it at `to`, as a list box does: the moved item ends up
    // unselected; a current item stays current.
    void Move(int from, int to);
    // Puts the items in a new order in one step: `order` lists the present index of the
    // item for each new position and must hold every index once. Items keep their
    // selection and rotation; the current item stays current.
    void Reorder(const std::vector<int>& order);
    void Clear();

    bool IsSelected(int index) const { return items_[std::size_t(index)].selected; }
    void Select(int index, bool selected = true) { items_[std::size_t(index)].selected = selected; }
    void DeselectAll();
    int SelectedCount() const;

    // Quarter turns clockwise (0..3) the photo is shown with; 0 for a new item.
    int Rotation(int index) const { return items_[std::size_t(index)].rotation; }
    void SetRotation(int index, int rotation) { items_[std::size_t(index)].rotation = rotation; }

    // Index of the current (focused) item, -1 when none. Setting an index outside the
    // items clears it.
    int CurrentIndex() const { return current_; }
    void SetCurrentIndex(int index) { current_ = (index >= 0 && index < Count()) ? index : -1; }

private:
    struct Row {
        std::string text;
        bool selected = false;
        int rotation = 0;
    };
    std::vector<Row> items_;
    int current_ = -1;
};

}  // namespace velvora
