#include "editor/PhotoListEditing.h"

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace velvora {
namespace {

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

TEST(MoveSelectedPhotos, UpGathersThenShiftsUnlessTheFirstIsSelected) {
    EXPECT_EQ(Moved(MoveSelectedPhotosUp, {1, 3}), "1*3*024");
    EXPECT_EQ(Moved(MoveSelectedPhotosUp, {0, 4}), "0*4*123");
    EXPECT_EQ(Moved(MoveSelectedPhotosUp, {1, 2, 4}), "1*2*4*03");
    EXPECT_EQ(Moved(MoveSelectedPhotosUp, {}), "01234");
}

TEST(MoveSelectedPhotos, DownGathersThenShiftsUnlessTheLastIsSelected) {
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

TEST(DeleteSelectedPhotos, LastTwoOfFiveWithTheLastCurrentKeepsTheNewLast) {
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
}

TEST(DeleteSelectedPhotos, AnIdThatIsNoPhotoIdTouchesNoFile) {
    const testing::TempFolder show;
    testing::WriteFile(show.Path() + "victim.pho", "keep");
    PhotoList list;
    list.Select(list.Add(PhotoEntry{"../victim", "a.jpg", "", "", "", ""}.Text()));
    StringList folderList;
    EXPECT_EQ(DeleteSelectedPhotos(list, show.Path() + "0000/", folderList), -1);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(std::filesystem::exists(show.Path() + "victim.pho"));
}

}  // namespace
}  // namespace velvora
