#include "editor/PhotoListEditing.h"

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "editor/Category.h"
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

// Runs `move` on five items "0".."4" with `selected` and returns the former item numbers
// in their new order, each selected one followed by "*".
std::string Moved(void (*move)(PhotoList&), const std::set<int>& selected) {
    PhotoList list;
    for (int i = 0; i < 5; ++i) list.Select(list.Add(std::to_string(i)), selected.count(i) > 0);
    move(list);
    std::string order;
    for (int i = 0; i < list.Count(); ++i) order += list.Item(i) + (list.IsSelected(i) ? "*" : "");
    return order;
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

}  // namespace
}  // namespace velvora
