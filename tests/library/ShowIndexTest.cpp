#include "library/ShowIndex.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "app/Global.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

class ShowIndexTest : public testing::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        InitShowsPath();
    }

    // A show folder with a settings file, as show creation leaves it.
    std::string MakeShow(const std::string& name, const std::string& title, const std::string& author = "") {
        std::string folder = ShowsPath + name + "/";
        WriteFile(folder + ShowSettingsFileName, "Title=" + title + "\r\nAuthor=" + author + "\r\nDescription=d\r\n");
        return folder;
    }

    static std::vector<std::string> Titles(const std::vector<ShowRecord>& records) {
        std::vector<std::string> titles;
        for (const ShowRecord& record : records) titles.push_back(record.Title);
        return titles;
    }
};

TEST_F(ShowIndexTest, StartUpCreatesLibraryAndMissingIndexIsEmpty) {
    EXPECT_EQ(ShowsPath, Home() + "Slide Shows/");
    EXPECT_TRUE(fs::is_directory(ShowsPath));
    ShowList = {"stale"};
    LoadShowList();
    EXPECT_TRUE(ShowList.empty());
}

TEST_F(ShowIndexTest, MakeShowFolderCleansNamesAndNumbersFromTwo) {
    struct Row {
        std::string title, folder;
    };
    const Row rows[] = {
        {"Holiday", "Holiday/"},
        {"Holiday", "Holiday (2)/"},
        {"Holiday", "Holiday (3)/"},
        {"Rome: 2024/25", "Rome 202425/"},
        {"Big   Family    Day", "Big Family Day/"},
        {" padded ", " padded /"},
        {"a : b", "a b/"},
        {"\xC3\xA9t\xC3\xA9 *?", "t /"},
        {"::", " (2)/"},
        {"", " (3)/"},
    };
    for (const Row& row : rows) {
        const std::string folder = MakeShowFolder(row.title);
        EXPECT_EQ(folder, ShowsPath + row.folder) << row.title;
        EXPECT_TRUE(fs::is_directory(folder)) << row.title;
    }
}

TEST_F(ShowIndexTest, RegisterAppendsAndSavesWithCrLf) {
    ShowList = {"/a/"};
    RegisterShow("/b/");
    EXPECT_EQ(ReadFile(ShowsPath + ShowIndexFileName), "/a/\r\n/b/\r\n");
    WriteFile(ShowsPath + ShowIndexFileName, "/x/\r/y/\n/z/");
    LoadShowList();
    EXPECT_EQ(ShowList, (StringList{"/x/", "/y/", "/z/"}));
}

TEST_F(ShowIndexTest, FailedIndexWriteRaisesAndKeepsOldIndex) {
    ShowList = {"/a/"};
    SaveShowList();
    ShowsPath = Home() + "missing folder/";
    EXPECT_THROW(RegisterShow("/b/"), std::runtime_error);
    EXPECT_EQ(ShowList, (StringList{"/a/", "/b/"}));
    EXPECT_EQ(ReadFile(Home() + "Slide Shows/" + ShowIndexFileName), "/a/\r\n");
}

TEST_F(ShowIndexTest, ListShowsWalksFromLastAndSkipsStaleEntries) {
    const std::string a = MakeShow("A", "Alpha", "Ann");
    const std::string b = MakeShow("B", "Beta");
    const std::string gone = ShowsPath + "Gone/";
    ShowList = {a, gone, b, "relative/"};
    const auto records = ListShows();
    EXPECT_EQ(Titles(records), (std::vector<std::string>{"Beta", "Alpha"}));
    EXPECT_EQ(records[1].Folder, a);
    EXPECT_EQ(records[1].Author, "Ann");
    EXPECT_EQ(records[1].Description, "d");
    EXPECT_EQ(ShowList.size(), 4u);
}

TEST_F(ShowIndexTest, TwoCopiesGiveOneRecordAndTheNextSaveListsOne) {
    const std::string a = MakeShow("A", "Alpha");
    const std::string b = MakeShow("B", "Beta");
    ShowList = {a, b, a};
    EXPECT_EQ(Titles(ListShows()), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(ShowList, (StringList{b, a}));
    RegisterShow(MakeShow("C", "Gamma"));
    LoadShowList();
    EXPECT_EQ(ShowList, (StringList{b, a, ShowsPath + "C/"}));
}

TEST_F(ShowIndexTest, ThreeCopiesGiveTwoRecordsAndKeepTwo) {
    const std::string a = MakeShow("A", "Alpha");
    ShowList = {a, a, a};
    EXPECT_EQ(ListShows().size(), 2u);
    EXPECT_EQ(ShowList.size(), 2u);
}

TEST_F(ShowIndexTest, EntriesDifferingInCaseAreDuplicates) {
    const std::string a = MakeShow("A", "Alpha");
    std::string upper = a;
    upper.replace(upper.size() - 2, 1, "a");
    ShowList = {upper, a};
    EXPECT_EQ(Titles(ListShows()), (std::vector<std::string>{"Alpha"}));
    EXPECT_EQ(ShowList, (StringList{a}));
}

TEST_F(ShowIndexTest, DeleteShowRemovesFolderButKeepsIndexLine) {
    const std::string a = MakeShow("A", "Alpha");
    ShowList = {a};
    DeleteShow(a);
    EXPECT_FALSE(fs::exists(a));
    EXPECT_EQ(ShowList, (StringList{a}));
    EXPECT_TRUE(ListShows().empty());
}

TEST_F(ShowIndexTest, DeleteShowRefusesEverythingNotStrictlyInsideTheLibrary) {
    WriteFile(Home() + "precious/photo.jpg", "photo");
    fs::create_directory_symlink(Home() + "precious", ShowsPath + "Sneaky");
    const std::string refused[] = {
        ShowsPath, ShowsPath + "../", ShowsPath + "A/../../precious/", Home() + "precious/", ShowsPath + "Sneaky/", "/",
    };
    for (const std::string& folder : refused) EXPECT_THROW(DeleteShow(folder), std::runtime_error) << folder;
    EXPECT_TRUE(fs::exists(Home() + "precious/photo.jpg"));
    EXPECT_TRUE(fs::is_directory(ShowsPath));
}

}  // namespace
}  // namespace velvora
