#include "editor/PhotoListEditing.h"

#include <filesystem>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace velvora {
namespace {

struct MoveCase {
    std::set<int> selected;
    std::string order;  // the former item numbers, front to back
    std::set<int> selectedAfter;
};

// Runs `move` on five items "0".."4" and compares order and selection afterwards.
void CheckMoves(void (*move)(PhotoList&), const std::vector<MoveCase>& cases) {
    for (const MoveCase& row : cases) {
        PhotoList list;
        for (int i = 0; i < 5; ++i) list.Select(list.Add(std::to_string(i)), row.selected.count(i) > 0);
        move(list);
        std::string order;
        std::set<int> selected;
        for (int i = 0; i < list.Count(); ++i) {
            order += list.Item(i);
            if (list.IsSelected(i)) selected.insert(i);
        }
        EXPECT_EQ(order, row.order);
        EXPECT_EQ(selected, row.selectedAfter) << "order " << row.order;
    }
}

TEST(MoveSelectedPhotos, UpGathersThenShiftsUnlessTheFirstIsSelected) {
    CheckMoves(MoveSelectedPhotosUp, {{{1, 3}, "13024", {0, 1}},
                                      {{0, 4}, "04123", {0, 1}},
                                      {{1, 2, 4}, "12403", {0, 1, 2}},
                                      {{}, "01234", {}}});
}

TEST(MoveSelectedPhotos, DownGathersThenShiftsUnlessTheLastIsSelected) {
    CheckMoves(MoveSelectedPhotosDown, {{{1, 4}, "02314", {3, 4}},
                                        {{1, 3}, "02413", {3, 4}},
                                        {{0}, "10234", {1}},
                                        {{}, "01234", {}}});
}

class DeleteSelectedPhotosTest : public ::testing::Test {
protected:
    void AddPhoto(const std::string& id, const std::string& source) {
        list.Add(PhotoEntry{id, source, "", "", "", ""}.Text());
        for (const char* extension : {PhotoImageExtension, ThumbnailExtension, PhotoPropertiesExtension})
            testing::WriteFile(Folder() + id + extension, "x");
    }
    bool HasFiles(const std::string& id) const {
        return std::filesystem::exists(Folder() + id + ".pho") || std::filesystem::exists(Folder() + id + ".thu") ||
               std::filesystem::exists(Folder() + id + ".dat");
    }
    std::string Folder() const { return show.Path() + "0000/"; }

    testing::TempFolder show;
    PhotoList list;
};

TEST_F(DeleteSelectedPhotosTest, LastTwoOfFiveWithTheLastCurrentKeepsTheNewLast) {
    for (const char* id : {"00000000", "00000001", "00000002", "00000003", "0000000A"})
        AddPhoto(id, std::string("p") + id[7] + ".jpg");
    list.Select(3);
    list.Select(4);
    list.SetCurrentIndex(4);
    StringList folderList = {"00000000=p0.jpg", "0000000a=P3.JPG", "00000003=P3.JPG", "0000000A=pA.jpg",
                             "0000000A=pA.jpg"};
    EXPECT_EQ(DeleteSelectedPhotos(list, Folder(), folderList), 2);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_FALSE(HasFiles("00000003"));
    EXPECT_FALSE(HasFiles("0000000A"));
    EXPECT_TRUE(HasFiles("00000002"));
    EXPECT_EQ(folderList, (StringList{"00000000=p0.jpg", "0000000a=P3.JPG", "0000000A=pA.jpg"}));
}

TEST_F(DeleteSelectedPhotosTest, AnIdThatIsNoPhotoIdTouchesNoFile) {
    testing::WriteFile(show.Path() + "victim.pho", "keep");
    AddPhoto("00000001", "a.jpg");
    list.SetItem(0, PhotoEntry{"../victim", "a.jpg", "", "", "", ""}.Text());
    list.Select(0);
    StringList folderList;
    EXPECT_EQ(DeleteSelectedPhotos(list, Folder(), folderList), -1);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(std::filesystem::exists(show.Path() + "victim.pho"));
    EXPECT_TRUE(HasFiles("00000001"));
}

}  // namespace
}  // namespace velvora
