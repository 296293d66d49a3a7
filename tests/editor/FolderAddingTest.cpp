#include "editor/FolderAdding.h"

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "base/KeyValueList.h"
#include "base/Progress.h"
#include "library/ShowIndex.h"
#include "platform/MessagePump.h"
#include "support/JpegEncoder.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

// A show with the category \Trips and its sub-category \Trips\Rome, and a folder tree to
// add: photos at the top, in a subfolder named like Rome, in a sub-subfolder and in one
// whose name holds a backslash, next to what the walk must leave out.
class FolderAddingTest : public testing::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        ShowPath = Home() + "show/";
        WriteFile(ShowPath + ShowSettingsFileName, "Title=Trip\r\nAliasCount=2\r\n");
        WriteFile(ShowPath + "categories.dat",
                  "\\Trips\r\nSelected=1\r\nAlias=0001\r\n\r\n\\Trips\\Rome\r\nAlias=0002\r\n\r\n");
        ShowSettings.LoadFromFile(ShowPath + ShowSettingsFileName);
        for (const char* name :
             {"b.jpg", "A.jpg", "Rome/r1.jpg", "Rome/deep/d.jpg", "bad\\name/z.jpg", ".hidden.jpg", ".git/x.jpg"})
            WriteFile(top + name, jpeg);
        WriteFile(top + "notes.txt", "not a picture");
        WriteFile(top + "only-text/readme.txt", "no photos here");
        fs::create_directories(top + "empty");
        fs::create_directory_symlink(top, top + "loop");
        document.LoadShow();
    }

    // Every category's name with the photos of its "folder.dat", read from a fresh load.
    std::string ReloadedShow() {
        document.CloseShow();
        ShowDocument reloaded;
        reloaded.LoadShow();
        std::string listing;
        for (const CategoryNode* node : reloaded.Tree().Nodes()) {
            listing += node->Text + ":";
            const std::string folder = ShowPath + node->Category->Alias + "/";
            const std::string folderFile = folder + FolderListFileName;
            if (fs::exists(folderFile)) {
                for (const std::string& line : SplitLines(ReadFile(folderFile))) {
                    listing += " " + KeyValueList::ValueOf(line);
                    const std::string id = KeyValueList::NameOf(line);
                    for (const char* extension : {".pho", ".thu", ".dat"})
                        EXPECT_TRUE(fs::exists(folder + id + extension)) << folder << id << extension;
                }
            }
            listing += "\n";
        }
        return listing;
    }

    const std::string jpeg = testing::EncodeJpeg(40, 30, 1, [](int, int, std::uint8_t* out) { out[0] = 90; });
    const std::string top = Home() + "in/top/";
    ShowDocument document;
};

TEST_F(FolderAddingTest, SubfoldersBecomeNestedCategoriesWithUniqueNamesAndTheirPhotosInOrder) {
    const FolderBatchResult result =
        AddFolderBatch(document, ScanPhotoFolder(top, true), FolderAddMode::SubfoldersAsCategories);
    EXPECT_EQ(result.PhotosAdded, 5);
    EXPECT_EQ(result.CategoriesAdded, 3);
    EXPECT_TRUE(result.SkippedFiles.empty());
    EXPECT_TRUE(result.Error.empty()) << result.Error;
    // Back on the category it started from, its new photos selected as after Add Photos.
    EXPECT_EQ(document.Tree().Selected()->Text, "Trips");
    EXPECT_EQ(result.CurrentIndex, 0);
    EXPECT_EQ(document.Photos().SelectedCount(), 2);
    EXPECT_EQ(ReloadedShow(),
              "Trip:\n"
              "Trips: A.jpg b.jpg\n"
              "Rome:\n"
              "bad_name: z.jpg\n"
              "Rome 2: r1.jpg\n"
              "deep: d.jpg\n");
}

TEST_F(FolderAddingTest, IntoOneCategoryAddsEveryPhotoInBatchOrder) {
    const FolderBatchResult result = AddFolderBatch(document, ScanPhotoFolder(top, true), FolderAddMode::IntoCategory);
    EXPECT_EQ(result.PhotosAdded, 5);
    EXPECT_EQ(result.CategoriesAdded, 0);
    EXPECT_EQ(ReloadedShow(), "Trip:\nTrips: A.jpg b.jpg z.jpg d.jpg r1.jpg\nRome:\n");
}

// Cancelled while the first new category gets its photo: that photo and category stay,
// written as the editor writes them, and nothing after them is made.
TEST_F(FolderAddingTest, CancelStopsAfterThePhotoInProgressAndLeavesAShowThatReloads) {
    const auto previous = SetMessagePump([] {
        if (ProgressLineText(ProgressLine::Detail) == "z.jpg") ProgressCancel();
    });
    const FolderBatchResult result =
        AddFolderBatch(document, ScanPhotoFolder(top, true), FolderAddMode::SubfoldersAsCategories);
    SetMessagePump(previous);
    EXPECT_EQ(result.PhotosAdded, 3);
    EXPECT_EQ(result.CurrentIndex, -1);
    EXPECT_EQ(ReloadedShow(), "Trip:\nTrips: A.jpg b.jpg\nRome:\nbad_name: z.jpg\n");
}

// Categories deeper than the stored tree can hold would be moved elsewhere by the next load;
// the photos of such subfolders go into the deepest category that can be stored instead.
TEST_F(FolderAddingTest, PhotosBelowTheDeepestStorableCategoryGoIntoIt) {
    std::string deep = Home() + "in/deep/";
    for (int level = 0; level < MaxCategoryDepth + 3; ++level) deep += "d/";
    WriteFile(deep + "bottom.jpg", jpeg);
    AddFolderBatch(document, ScanPhotoFolder(Home() + "in/deep/", true), FolderAddMode::SubfoldersAsCategories);
    const std::string listing = ReloadedShow();
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), MaxCategoryDepth + 2) << "root, Rome and the chain";
    EXPECT_TRUE(listing.ends_with("d: bottom.jpg\n")) << listing.substr(listing.size() - 40);
}

TEST(CategoryNameForFolder, OddFolderNamesBecomeNamesTheCategoryRulesAccept) {
    CategoryTree tree;
    CategoryNode* root = tree.SetRoot("Show");
    tree.AddChild(root, "Day");
    for (const char* name : {"Day", "a\\b", "line\nbreak", "   ", "caf\xE9", "Day 2"}) {
        const std::string given = CategoryNameForFolder(*root, name);
        EXPECT_EQ(CheckCategoryName(*tree.AddChild(root, given), given), CategoryNameProblem::None) << given;
    }
    EXPECT_EQ(root->Child(1)->Text, "Day 2");
    EXPECT_EQ(root->Child(2)->Text, "a_b");
    EXPECT_EQ(root->Child(3)->Text, "line break");
    EXPECT_EQ(root->Child(4)->Text, "New Category");
    EXPECT_EQ(root->Child(5)->Text, "caf\xC3\xA9") << "decoded as stored names are";
    EXPECT_EQ(root->Child(6)->Text, "Day 2 2");
}

}  // namespace
}  // namespace velvora
