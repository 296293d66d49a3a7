#include "editor/PhotoListEditing.h"

#include <chrono>
#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "editor/Category.h"
#include "support/JpegEncoder.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

TEST(PhotoEntry, EmptyCaptionAndNameStillGiveSixFields) {
    const PhotoEntry entry{"0000000A", "a.jpg", "", "", "640", "480"};
    EXPECT_EQ(entry.Text(), "0000000A\377a.jpg\377\377\377640\377480\377");  // \377 is the separator byte 0xFF
    EXPECT_EQ(PhotoEntry::FromText(entry.Text()), entry);
    EXPECT_EQ(PhotoEntry::FromText("00000001\377b.bmp"), (PhotoEntry{"00000001", "b.bmp", "", "", "", ""}));
}

TEST(PhotoList, MoveLeavesTheItemUnselectedAndCurrentFollowsItsItem) {
    PhotoList list;
    for (const char* text : {"a", "b", "c", "d"}) list.Add(text);
    list.Select(3);
    list.Select(1);
    list.SetCurrentIndex(3);
    list.Move(3, 0);
    EXPECT_EQ(list.Item(0), "d");
    EXPECT_FALSE(list.IsSelected(0));
    EXPECT_TRUE(list.IsSelected(2));  // "b" keeps its selection at its new position
    EXPECT_EQ(list.CurrentIndex(), 0);
    list.Insert(0, "e");
    EXPECT_EQ(list.CurrentIndex(), 1);
    list.Remove(1);
    EXPECT_EQ(list.CurrentIndex(), -1);
}

TEST(StoredNames, OnlyNamesThatStayInsideTheirFolderAreAccepted) {
    for (const char* id : {"00000000", "0000000F", "abcdef09"}) EXPECT_TRUE(IsPhotoId(id)) << id;
    for (const char* id : {"", "0000000", "000000000", "0000000G", "../00000", "0000/000"})
        EXPECT_FALSE(IsPhotoId(id)) << id;
    for (const char* alias : {"0001", "Beach 2", "..."}) EXPECT_TRUE(IsSafeAlias(alias)) << alias;
    for (const char* alias : {"", ".", "..", "a/b", "a\\b", "C:", "/tmp"}) EXPECT_FALSE(IsSafeAlias(alias)) << alias;
    EXPECT_FALSE(IsSafeAlias(std::string("ab\0cd", 5)));
    EXPECT_EQ(AliasForCount(12345), "12345");
}

// Five items "0".."4" with `selected`.
PhotoList FiveItems(const std::set<int>& selected) {
    PhotoList list;
    for (int i = 0; i < 5; ++i) list.Select(list.Add(std::to_string(i)), selected.count(i) > 0);
    return list;
}

// The items in order, each selected one followed by "*".
std::string Listed(const PhotoList& list) {
    std::string listed;
    for (int i = 0; i < list.Count(); ++i) listed += list.Item(i) + (list.IsSelected(i) ? "*" : "");
    return listed;
}

// Runs `move` on FiveItems(selected) and lists the former items in their new order.
std::string Moved(void (*move)(PhotoList&), const std::set<int>& selected) {
    PhotoList list = FiveItems(selected);
    move(list);
    return Listed(list);
}

TEST(MoveSelectedPhotos, GatherThenShiftUnlessThePhotoAtThatEndIsSelected) {
    EXPECT_EQ(Moved(MoveSelectedPhotosUp, {1, 3}), "1*3*024");
    EXPECT_EQ(Moved(MoveSelectedPhotosUp, {0, 4}), "0*4*123");
    EXPECT_EQ(Moved(MoveSelectedPhotosUp, {1, 2, 4}), "1*2*4*03");
    EXPECT_EQ(Moved(MoveSelectedPhotosUp, {}), "01234");
    EXPECT_EQ(Moved(MoveSelectedPhotosDown, {1, 4}), "0231*4*");
    EXPECT_EQ(Moved(MoveSelectedPhotosDown, {1, 3}), "0241*3*");
    EXPECT_EQ(Moved(MoveSelectedPhotosDown, {0}), "10*234");
}

// Photos "0000000<n>" with source "p<n>.jpg", each with its three files in `folder`.
PhotoList PhotosWithFiles(const std::string& folder, const std::string& numbers) {
    PhotoList list;
    for (char n : numbers) {
        const std::string id = std::string("0000000") + n;
        list.Add(PhotoEntry{id, std::string("p") + n + ".jpg", "", "", "", ""}.Text());
        for (const char* extension : {".pho", ".thu", ".dat"}) testing::WriteFile(folder + id + extension, "x");
    }
    return list;
}

TEST(DeleteSelectedPhotos, LastTwoOfFiveWithTheLastCurrentKeepsTheNewLastAndAnIdThatIsNoPhotoIdTouchesNoFile) {
    const testing::TempFolder show;
    const std::string folder = show.Path() + "0000/";
    PhotoList list = PhotosWithFiles(folder, "0123A");
    list.Select(3);
    list.Select(4);
    list.SetCurrentIndex(4);
    StringList folderList = {"00000000=p0.jpg", "0000000a=P3.JPG", "00000003=P3.JPG", "0000000a=PA.JPG",
                             "0000000A=pA.jpg"};
    EXPECT_EQ(DeleteSelectedPhotos(list, folder, folderList), 2);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_FALSE(std::filesystem::exists(folder + "0000000A.thu"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 9);  // three photos' files stay
    EXPECT_EQ(folderList, (StringList{"00000000=p0.jpg", "0000000a=P3.JPG", "0000000A=pA.jpg"}));

    testing::WriteFile(show.Path() + "victim.pho", "keep");
    PhotoList unsafe;
    unsafe.Select(unsafe.Add(PhotoEntry{"../victim", "a.jpg", "", "", "", ""}.Text()));
    EXPECT_EQ(DeleteSelectedPhotos(unsafe, folder, folderList), -1);
    EXPECT_EQ(unsafe.Count(), 0);
    EXPECT_TRUE(std::filesystem::exists(show.Path() + "victim.pho"));
}

TEST(OrderWithSelectionAt, SelectedPhotosLandTogetherInTheirOrderAtTheGapAndTheirOwnPlaceChangesNothing) {
    const struct {
        std::set<int> selected;
        int gap;
        const char* order;
    } rows[] = {
        {{3}, 0, "3*0124"},     {{3}, 2, "013*24"},     {{1}, 5, "02341*"},         {{1, 2}, 0, "1*2*034"},
        {{1, 2}, 4, "031*2*4"}, {{3, 4}, 0, "3*4*012"}, {{0, 2, 4}, 0, "0*2*4*13"}, {{0, 2, 4}, 2, "10*2*4*3"},
        {{0, 3}, 5, "1240*3*"}, {{2}, 2, "012*34"},     {{2}, 3, "012*34"},         {{1, 2}, 1, "01*2*34"},
        {{}, 0, "01234"},
    };
    for (const auto& row : rows) {
        PhotoList list = FiveItems(row.selected);
        list.SetCurrentIndex(row.selected.empty() ? 0 : *row.selected.rbegin());
        const std::string current = list.Item(list.CurrentIndex());
        const PhotoOrder order = OrderWithSelectionAt(list, row.gap);
        list.SetRotation(list.CurrentIndex(), 3);
        list.Reorder(order);
        EXPECT_EQ(Listed(list), row.order) << row.gap;
        EXPECT_EQ(IsUnchangedOrder(order), Listed(list) == Listed(FiveItems(row.selected))) << row.gap;
        EXPECT_EQ(list.Item(list.CurrentIndex()), current) << "the current photo stays current";
        EXPECT_EQ(list.Rotation(list.CurrentIndex()), 3) << "and keeps its rotation";
    }
}

TEST(OrderByName, DigitRunsCountByValueCaseIsIgnoredAndEqualNamesKeepTheirOrder) {
    PhotoList list;
    for (const char* name : {"IMG_10.jpg", "img_2.JPG", "IMG_02.jpg", "b.jpg", "\xC3\x89t\xC3\xA9.jpg", "a100.jpg",
                             "A99.jpg", "\xC3\xA9t\xC3\xA9.jpg", "IMG_2.jpg", "img_1b.jpg", "img_1.jpg"})
        list.Add(PhotoEntry{"00000000", name, "", "", "", ""}.Text());
    std::string sorted;
    for (int index : OrderByName(list)) sorted += PhotoEntry::FromText(list.Item(index)).SourceFileName + " ";
    EXPECT_EQ(sorted,
              "A99.jpg a100.jpg b.jpg img_1.jpg img_1b.jpg img_2.JPG IMG_02.jpg IMG_2.jpg IMG_10.jpg "
              "\xC3\x89t\xC3\xA9.jpg \xC3\xA9t\xC3\xA9.jpg ");
}

TEST(OrderByDateTaken, ExifDatesAndFileTimesShareOneTimeLineAndPhotosWithoutEitherGoLast) {
    namespace fs = std::filesystem;
    using namespace std::chrono;
    const testing::TempFolder show;
    const std::string folder = show.Path() + "0000/";
    const auto jpeg = [](std::string date) {
        return testing::EncodeJpeg(8, 8, 1, [](int, int, std::uint8_t* out) { out[0] = 9; }, {.exifDateTaken = date});
    };
    // Days apart, so that reading the camera's clock in any time zone keeps the order.
    const struct {
        const char* id;
        std::string picture;
        std::optional<sys_days> modified;
    } photos[] = {
        {"00000000", jpeg("2021:03:05 10:00:00"), 2019y / 1 / 1},
        {"00000001", jpeg(""), 2021y / 3 / 1},
        {"00000002", jpeg("0000:00:00 00:00:00"), 2021y / 3 / 9},
        {"00000003", jpeg("2021:03:03 08:30:00"), 2030y / 1 / 1},
        {"00000004", "", std::nullopt},  // no picture at all
        {"00000005", "BM damaged", 2021y / 3 / 4},
        {"00000006", jpeg("2021:03:05 10:00:00"), 2018y / 1 / 1},
        {"../00007", jpeg("2000:01:01 00:00:00"), 2000y / 1 / 1},
    };
    PhotoList list;
    for (const auto& photo : photos) {
        list.Add(PhotoEntry{photo.id, "p.jpg", "", "", "", ""}.Text());
        if (!photo.modified) continue;
        const std::string path = folder + photo.id + ".pho";
        testing::WriteFile(path, photo.picture);
        fs::last_write_time(path, file_clock::from_sys(sys_seconds(*photo.modified)));
    }
    EXPECT_EQ(OrderByDateTaken(list, folder), (PhotoOrder{1, 3, 5, 0, 6, 2, 4, 7}));
    EXPECT_EQ(OrderByDateTaken(list, ""), (PhotoOrder{0, 1, 2, 3, 4, 5, 6, 7}));
}

}  // namespace
}  // namespace velvora
