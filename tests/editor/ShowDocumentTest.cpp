#include "editor/ShowDocument.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/Global.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

class ShowDocumentTest : public testing::ProgramFolderTest {
protected:
    // Writes the show's settings file and opens the show as the main window does.
    void OpenShowWith(const std::string& settings) {
        ShowPath = Home() + "Show/";
        WriteFile(ShowPath + "quillond.dat", settings);
        ShowSettings.LoadFromFile(ShowPath + "quillond.dat");
    }
    CategoryNode* Node(int index) const { return document.Tree().NodeAt(index); }

    ShowDocument document;
};

const char* const StoredTree =
    "\\Holidays\r\nExpanded=1\r\nSelected=true\r\nAlias=0001\r\nLoop=0\r\nKEYADVANCE=1\r\nTransition=3\r\n"
    "Colour=blue\r\nIntro=1\r\n"
    "IntroWidth=50\r\nIntroHeight=40\r\n\r\n"
    "\\Holidays\\Beach\r\nSelected=1\r\nalias=0002\r\nAbout=yes\r\nDuration=8\r\nDurationCount=12\r\n\r\n";

// Key names match in any letter case; flags and the selection need exactly "1".
TEST_F(ShowDocumentTest, LoadThenCloseRewritesTheShowWithoutUnknownKeysAndZeroLoop) {
    OpenShowWith("Title=Trip & Co\r\nAliasCount=2\r\nBackground=1\r\nBackgroundOption1=255\r\n");
    WriteFile(ShowPath + "categories.dat", StoredTree);
    const std::string beach = ShowPath + "0002/";
    WriteFile(beach + "folder.dat", "00000000=sea.jpg\r\n00000001=gone.jpg\r\n00000002=sun.jpg\r\n");
    for (const char* file : {"00000000.pho", "00000002.pho", "00000001.dat"}) WriteFile(beach + file, "x");
    WriteFile(beach + "00000000.dat", "Name=Sea\r\nCaption=Waves\r\nWidth=640\r\nHeight=480\r\nNAME=Sea 2\r\n");

    document.LoadShow();
    EXPECT_EQ(document.Tree().Root()->Text, "Trip & Co");
    EXPECT_EQ(document.Tree().Selected(), Node(2));
    ASSERT_EQ(document.Photos().Count(), 2);
    EXPECT_EQ(PhotoEntry::FromText(document.Photos().Item(0)),
              (PhotoEntry{"00000000", "sea.jpg", "Waves", "Sea 2", "640", "480"}));
    EXPECT_EQ(document.Photos().Item(1), "00000002\xFFsun.jpg\xFF\xFF\xFF\xFF\xFF");
    EXPECT_TRUE(document.Photos().IsSelected(0));
    EXPECT_EQ(document.Photos().CurrentIndex(), 0);
    EXPECT_EQ(document.AddPhotoEntry("00000001", "gone.jpg"), -1);

    EXPECT_TRUE(document.CloseShow());
    EXPECT_EQ(ReadFile(ShowPath + "categories.dat"),
              "\\Holidays\r\nExpanded=1\r\nAlias=0001\r\nKeyAdvance=1\r\nTransition=3\r\nIntro=1\r\nIntroWidth=50\r\n"
              "IntroHeight=40\r\n"
              "\r\n\\Holidays\\Beach\r\nSelected=1\r\nAlias=0002\r\nDuration=8\r\nDurationCount=12\r\n\r\n");
    EXPECT_EQ(ReadFile(ShowPath + "quillond.dat"),
              "Title=Trip & Co\r\nAliasCount=2\r\nBackground=1\r\nBackgroundOption1=255\r\n");
    EXPECT_EQ(ReadFile(beach + "folder.dat"), "00000000=sea.jpg\r\n00000002=sun.jpg\r\n");
}

TEST_F(ShowDocumentTest, ShowWithoutCategoriesSelectsTheRootAndWritesNoSelectedLine) {
    OpenShowWith("Title=Empty\r\n");
    document.LoadShow();
    EXPECT_EQ(document.Tree().Selected(), document.Tree().Root());
    EXPECT_TRUE(document.Tree().Root()->Expanded);
    EXPECT_EQ(ReadFile(ShowPath + "0000/folder.dat"), "");  // the root's folder is made even without photos
    EXPECT_EQ(document.AddCategory(nullptr, "New")->Category->Alias, "0001");
    document.SaveShow();
    EXPECT_EQ(ReadFile(ShowPath + "categories.dat"), "\\New\r\nExpanded=1\r\nAlias=0001\r\n\r\n");
    EXPECT_EQ(ReadFile(ShowPath + "quillond.dat"), "Title=Empty\r\nAliasCount=1\r\n");
    document.SetShowTitle("");
    document.SaveShow();
    EXPECT_EQ(ReadFile(ShowPath + "quillond.dat"), "AliasCount=1\r\n");
}

TEST_F(ShowDocumentTest, DeletingACategoryKeepsAFolderThatAnotherCategoryStillUses) {
    OpenShowWith("Title=T\r\n");
    WriteFile(ShowPath + "categories.dat", "\\A\r\nAlias=0001\r\n\r\n\\B\r\nAlias=0001\r\n\r\n");
    WriteFile(ShowPath + "0001/00000000.pho", "x");
    document.LoadShow();
    EXPECT_TRUE(document.DeleteCategory(Node(1)));
    EXPECT_TRUE(fs::exists(ShowPath + "0001/00000000.pho"));
    EXPECT_TRUE(document.DeleteCategory(Node(1)));
    EXPECT_FALSE(fs::exists(ShowPath + "0001"));
    EXPECT_EQ(ReadFile(ShowPath + "categories.dat"), "");
}

TEST_F(ShowDocumentTest, DeepTreeWithEveryFieldSurvivesEditsAndReload) {
    OpenShowWith("Title=T\r\nAliasCount=-4\r\n");
    fs::create_directories(ShowPath + "0002");  // someone else's folder is never reused
    document.LoadShow();
    CategoryNode* top = document.AddCategory(nullptr, "Top");
    CategoryNode* middle = document.AddCategory(top, "Middle");
    CategoryNode* leaf = document.AddCategory(middle, "Leaf");
    CategoryNode* doomed = document.AddCategory(top, "Doomed");
    CategoryNode* last = document.AddCategory(nullptr, "Last");
    // An expanded category inside a collapsed one comes back collapsed.
    CategoryNode* sub = document.AddCategory(last, "Sub");
    document.AddCategory(sub, "Below")->Expanded = sub->Expanded = true;
    EXPECT_EQ(middle->Category->Alias, "0003");
    TCategory full{"0004", 1, true, 2, 3, 8, 45, 4, true, true, 60, 70, true, 80, 90, 2, true, true, 1, "65280"};
    *leaf->Category = full;
    top->Expanded = middle->Expanded = true;
    document.SelectCategory(doomed);
    EXPECT_TRUE(document.DeleteCategory(doomed));
    EXPECT_FALSE(document.DeleteCategory(document.Tree().Root()));
    EXPECT_EQ(document.CategoryFolder, ShowPath + top->Category->Alias + "/");
    EXPECT_TRUE(document.Tree().MoveCategoryUp(last));
    EXPECT_FALSE(fs::exists(ShowPath + "0005"));

    document.CloseShow();
    ShowSettings.LoadFromFile(ShowPath + "quillond.dat");
    document.LoadShow();
    ASSERT_EQ(document.Tree().Count(), 7);
    EXPECT_EQ(Node(1)->Text, "Last");
    EXPECT_FALSE(Node(2)->Expanded);
    EXPECT_EQ(Node(6)->Text, "Leaf");
    EXPECT_EQ(*Node(6)->Category, full);
    EXPECT_TRUE(Node(4)->Expanded && Node(5)->Expanded);
    EXPECT_EQ(document.Tree().Selected(), Node(4));
    EXPECT_EQ(AliasCount, 8);
}

// An alias naming a file once made every save fail; one naming a linked folder wrote the
// show's files into it and emptied it with its category.
TEST_F(ShowDocumentTest, StoredNamesNeverLeaveTheShowFolder) {
    OpenShowWith("Title=T\r\nAliasCount=0\r\n");
    WriteFile(Home() + "elsewhere/precious.jpg", "photo");
    fs::create_directory_symlink(Home() + "elsewhere", ShowPath + "linked");
    fs::create_directory_symlink(Home() + "nowhere", ShowPath + "0003");  // a dangling link is no free name
    std::string tree;
    for (const char* alias : {"..", ".", "", "../outside", "a\\b", "linked", "quillond.dat"})
        tree += "\\C\r\nAlias=" + std::string(alias) + "\r\n\r\n";
    WriteFile(ShowPath + "categories.dat", tree + "\\Kept\r\nAlias=0001\r\nSelected=1\r\n\r\n");
    WriteFile(ShowPath + "0001/folder.dat", "../0002/00000000=x.jpg\r\n0000000g=y.jpg\r\n00000000=z.jpg\r\n");
    WriteFile(ShowPath + "0002/00000000.pho", "x");
    WriteFile(ShowPath + "0001/00000000.pho", "z");
    document.LoadShow();
    std::vector<std::string> aliases;
    for (int i = 1; i <= 7; ++i) aliases.push_back(Node(i)->Category->Alias);
    EXPECT_EQ(aliases, (std::vector<std::string>{"0004", "0005", "0006", "0007", "0008", "0009", "0010"}));
    EXPECT_FALSE(fs::exists(Home() + "outside"));
    ASSERT_EQ(document.Photos().Count(), 1);
    EXPECT_EQ(PhotoEntry::FromText(document.Photos().Item(0)).SourceFileName, "z.jpg");

    document.SelectCategory(Node(6));
    EXPECT_TRUE(document.DeleteCategory(Node(6)));
    EXPECT_TRUE(document.CloseShow());
    EXPECT_EQ(ReadFile(Home() + "elsewhere/precious.jpg"), "photo");
    EXPECT_FALSE(fs::exists(Home() + "elsewhere/folder.dat"));
    EXPECT_EQ(ReadFile(ShowPath + "quillond.dat"), "Title=T\r\nAliasCount=10\r\n");
}

TEST_F(ShowDocumentTest, CategoryChangeSavesTheOldCategoryBeforeFillingTheNewOne) {
    OpenShowWith("Title=T\r\n");
    document.LoadShow();
    CategoryNode* other = document.AddCategory(nullptr, "Other");
    std::vector<std::string> events;
    document.Hooks.SetBusy = [&](bool busy) { events.push_back(busy ? "busy" : "idle"); };
    document.Hooks.SavePhotoProperties = [&] { events.push_back("save " + document.CategoryFolder); };
    document.Hooks.PhotoSelectionChanged = [&] { events.push_back("bind " + document.CategoryFolder); };
    document.SelectCategory(other);
    EXPECT_EQ(events,
              (std::vector<std::string>{"busy", "save " + ShowPath + "0000/", "bind " + ShowPath + "0001/", "idle"}));
    fs::remove(ShowPath + "0000/folder.dat");
    fs::create_directories(ShowPath + "0000/folder.dat/blocked");  // the photo order can no longer be read or replaced
    events.clear();
    EXPECT_THROW(document.SelectCategory(document.Tree().Root()), std::runtime_error);
    EXPECT_EQ(events.back(), "idle");
}

TEST_F(ShowDocumentTest, FailedLoadNeverOverwritesTheShow) {
    OpenShowWith("Title=T\r\n");
    fs::create_directories(ShowPath + "categories.dat");  // exists but cannot be read as a file
    EXPECT_THROW(document.LoadShow(), std::runtime_error);
    document.CloseShow();
    EXPECT_EQ(ReadFile(ShowPath + "quillond.dat"), "Title=T\r\n");

    for (const char* made : {"categories.dat", "0000"}) fs::remove(ShowPath + made);
    fs::create_directories(Home() + "elsewhere");
    fs::create_directory_symlink(Home() + "elsewhere", ShowPath + "0000");  // the root's alias cannot change
    EXPECT_THROW(document.LoadShow(), std::runtime_error);
    document.CloseShow();
    EXPECT_TRUE(fs::is_empty(Home() + "elsewhere"));
}

}  // namespace
}  // namespace velvora
