// Ordering, moving and deleting the photos of the photo list.
#include "editor/PhotoListEditing.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <numeric>
#include <optional>
#include <string_view>
#include <system_error>

#include "base/KeyValueList.h"
#include "imaging/ExifDateTaken.h"
#include "platform/StoredText.h"

namespace velvora {

// A list box move leaves the moved item unselected; the photo keeps its selection here.
static void MoveKeepingSelected(PhotoList& list, int from, int to) {
    list.Move(from, to);
    list.Select(to);
}

// Packs the selected items behind the first selected one.
static void GatherSelectedUp(PhotoList& list) {
    int target = -1;
    for (int i = 0; i < list.Count(); ++i) {
        if (!list.IsSelected(i)) continue;
        if (target == -1) {
            target = i + 1;
        } else {
            if (i > target) MoveKeepingSelected(list, i, target);
            ++target;
        }
    }
}

// Packs the selected items in front of the last selected one.
static void GatherSelectedDown(PhotoList& list) {
    int target = -1;
    for (int i = list.Count() - 1; i >= 0; --i) {
        if (!list.IsSelected(i)) continue;
        if (target == -1) {
            target = i - 1;
        } else {
            if (target > i) MoveKeepingSelected(list, i, target);
            --target;
        }
    }
}

void MoveSelectedPhotosUp(PhotoList& list) {
    GatherSelectedUp(list);
    if (list.Count() == 0 || list.IsSelected(0)) return;
    for (int i = 1; i < list.Count(); ++i)
        if (list.IsSelected(i)) MoveKeepingSelected(list, i, i - 1);
}

void MoveSelectedPhotosDown(PhotoList& list) {
    GatherSelectedDown(list);
    const int last = list.Count() - 1;
    if (last < 0 || list.IsSelected(last)) return;
    for (int i = last - 1; i >= 0; --i)
        if (list.IsSelected(i)) MoveKeepingSelected(list, i, i + 1);
}

bool IsUnchangedOrder(const PhotoOrder& order) {
    for (std::size_t i = 0; i < order.size(); ++i)
        if (order[i] != static_cast<int>(i)) return false;
    return true;
}

namespace {

// ASCII capitals, and the Latin-1 capitals À..Þ (but ×), which UTF-8 writes as C3 80..C3 9E,
// each 0x20 below its small letter.
std::string FoldedCase(std::string_view text) {
    std::string folded(text);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto c = static_cast<unsigned char>(folded[i]);
        if (c >= 'A' && c <= 'Z') {
            folded[i] = static_cast<char>(c + 0x20);
        } else if (c == 0xC3 && i + 1 < folded.size()) {
            const auto next = static_cast<unsigned char>(folded[++i]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97) folded[i] = static_cast<char>(next + 0x20);
        }
    }
    return folded;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The run of digits at `at` without its leading zeros; `at` moves past the run.
std::string_view DigitRun(std::string_view text, std::size_t& at) {
    while (at < text.size() && text[at] == '0') ++at;
    const std::size_t first = at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    return text.substr(first, at - first);
}

// Negative, zero or positive as `a` goes before, with or after `b`; both case-folded.
int CompareNaturally(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::string_view x = DigitRun(a, i), y = DigitRun(b, j);
            // Without leading zeros the longer run is the larger number.
            if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
            if (const int order = x.compare(y); order != 0) return order;
            continue;
        }
        if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
        ++i, ++j;
    }
    return (i < a.size()) - (j < b.size());
}

using TakenAt = std::optional<std::chrono::system_clock::time_point>;

TakenAt ModificationTime(const std::string& path) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    if (error) return std::nullopt;
    return std::chrono::time_point_cast<std::chrono::system_clock::duration>(std::chrono::file_clock::to_sys(time));
}

TakenAt WhenTaken(const std::string& categoryFolder, const PhotoEntry& entry) {
    if (categoryFolder.empty() || !IsPhotoId(entry.PhotoId)) return std::nullopt;
    const std::string picture = categoryFolder + entry.PhotoId + PhotoImageExtension;
    if (TakenAt taken = ReadExifDateTaken(picture)) return taken;
    return ModificationTime(picture);
}

// A stable sort of the present order by the photos' keys.
template <typename Key, typename Less>
PhotoOrder OrderByKeys(const std::vector<Key>& keys, Less less) {
    PhotoOrder order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return less(keys[std::size_t(a)], keys[std::size_t(b)]); });
    return order;
}

}  // namespace

PhotoOrder OrderByName(const PhotoList& list) {
    std::vector<std::string> names;
    names.reserve(std::size_t(list.Count()));
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(FoldedCase(PhotoEntry::FromText(list.Item(i)).SourceFileName));
    return OrderByKeys(names, [](const std::string& a, const std::string& b) { return CompareNaturally(a, b) < 0; });
}

PhotoOrder OrderByDateTaken(const PhotoList& list, const std::string& categoryFolder) {
    std::vector<TakenAt> times;
    times.reserve(std::size_t(list.Count()));
    for (int i = 0; i < list.Count(); ++i)
        times.push_back(WhenTaken(categoryFolder, PhotoEntry::FromText(list.Item(i))));
    // Photos without a time compare equal to each other and after every dated one.
    return OrderByKeys(times, [](const TakenAt& a, const TakenAt& b) { return a && (!b || *a < *b); });
}

PhotoOrder OrderWithSelectionAt(const PhotoList& list, int gap) {
    PhotoOrder before, selected, after;
    for (int i = 0; i < list.Count(); ++i) (list.IsSelected(i) ? selected : i < gap ? before : after).push_back(i);
    before.insert(before.end(), selected.begin(), selected.end());
    before.insert(before.end(), after.begin(), after.end());
    return before;
}

void DeletePhotoFiles(const std::string& categoryFolder, const std::string& id) {
    if (categoryFolder.empty() || !IsPhotoId(id)) return;
    for (const char* extension : {PhotoImageExtension, ThumbnailExtension, PhotoPropertiesExtension}) {
        std::error_code ignored;
        std::filesystem::remove(categoryFolder + id + extension, ignored);
    }
}

// The entry holds its source name decoded; the line may spell it in another code page.
static bool IsFolderLineOf(const std::string& line, const PhotoEntry& entry) {
    return SameTextIgnoringCase(KeyValueList::NameOf(line), entry.PhotoId) &&
           SameTextIgnoringCase(DecodeStoredText(KeyValueList::ValueOf(line)), entry.SourceFileName);
}

static void RemoveFolderListLine(StringList& folderList, const PhotoEntry& entry) {
    const auto found = std::find_if(folderList.begin(), folderList.end(),
                                    [&](const std::string& line) { return IsFolderLineOf(line, entry); });
    if (found != folderList.end()) folderList.erase(found);
}

int DeleteSelectedPhotos(PhotoList& list, const std::string& categoryFolder, StringList& folderList) {
    const int keep = list.CurrentIndex();
    for (int i = list.Count() - 1; i >= 0; --i) {
        if (!list.IsSelected(i)) continue;
        const PhotoEntry entry = PhotoEntry::FromText(list.Item(i));
        DeletePhotoFiles(categoryFolder, entry.PhotoId);
        RemoveFolderListLine(folderList, entry);
        list.Remove(i);
    }
    return std::min(keep, list.Count() - 1);
}

}  // namespace velvora
