#include "editor/PhotoList.h"

#include <gtest/gtest.h>

#include "editor/Category.h"

namespace velvora {
namespace {

TEST(PhotoEntry, EmptyCaptionAndNameStillGiveSixFields) {
    const PhotoEntry entry{"0000000A", "a.jpg", "", "", "640", "480"};
    EXPECT_EQ(entry.Text(), "0000000A\xFF" "a.jpg\xFF\xFF\xFF" "640\xFF" "480\xFF");
    EXPECT_EQ(PhotoEntry::FromText(entry.Text()), entry);
    EXPECT_EQ(PhotoEntry::FromText("00000001\xFF" "b.bmp"), (PhotoEntry{"00000001", "b.bmp", "", "", "", ""}));
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

}  // namespace
}  // namespace velvora
