// Photo ids, photo entry texts and the photo list.
#include "editor/PhotoList.h"

#include <algorithm>
#include <cassert>

#include "base/Global.h"

namespace velvora {

bool IsPhotoId(std::string_view id) {
    return id.size() == 8 && std::all_of(id.begin(), id.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
           });
}

std::string PhotoEntry::Text() const {
    std::string text;
    for (const std::string* field : {&PhotoId, &SourceFileName, &Caption, &Name, &Width, &Height}) {
        text += *field;
        text += PhotoEntrySeparator;
    }
    return text;
}

PhotoEntry PhotoEntry::FromText(std::string text) {
    const std::string_view separator(&PhotoEntrySeparator, 1);
    PhotoEntry entry;
    for (std::string* field :
         {&entry.PhotoId, &entry.SourceFileName, &entry.Caption, &entry.Name, &entry.Width, &entry.Height})
        CutToken(text, separator, *field);
    return entry;
}

int PhotoList::Add(std::string text) {
    items_.push_back({std::move(text)});
    return Count() - 1;
}

void PhotoList::Insert(int index, std::string text) {
    items_.insert(items_.begin() + index, {std::move(text)});
    if (current_ >= index) ++current_;
}

void PhotoList::Remove(int index) {
    items_.erase(items_.begin() + index);
    if (current_ == index)
        current_ = -1;
    else if (current_ > index)
        --current_;
}

void PhotoList::Move(int from, int to) {
    const bool wasCurrent = current_ == from;
    const int rotation = Rotation(from);
    std::string text = std::move(items_[std::size_t(from)].text);
    Remove(from);
    Insert(to, std::move(text));
    SetRotation(to, rotation);
    if (wasCurrent) current_ = to;
}

void PhotoList::Reorder(const std::vector<int>& order) {
    assert(order.size() == items_.size());
    std::vector<Row> reordered;
    reordered.reserve(items_.size());
    int current = -1;
    for (const int from : order) {
        if (from == current_) current = static_cast<int>(reordered.size());
        reordered.push_back(std::move(items_[std::size_t(from)]));
    }
    items_ = std::move(reordered);
    current_ = current;
}

void PhotoList::Clear() {
    items_.clear();
    current_ = -1;
}

void PhotoList::DeselectAll() {
    for (Row& item : items_) item.selected = false;
}

int PhotoList::SelectedCount() const {
    return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const Row& item) { return item.selected; }));
}

}  // namespace velvora
