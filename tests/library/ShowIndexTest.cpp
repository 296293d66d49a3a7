#include "library/ShowIndex.h"

#include <filesystem>
#include <tuple>

#include <gtest/gtest.h>

#include "base/Global.h"
#include "library/NewShow.h"
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
};

TEST_F(ShowIndexTest, StartUpCreatesLibraryIndexReadsAnyLineEndAndAFailedWriteKeepsTheOldIndex) {
    EXPECT_EQ(ShowsPath, Home() + "Slide Shows/");
    EXPECT_TRUE(fs::is_directory(ShowsPath));
    ShowList = {"stale"};
    LoadShowList();  // no index file yet
    EXPECT_TRUE(ShowList.empty());
    ShowList = {"/a/"};
    RegisterShow("/b/");
    EXPECT_EQ(ReadFile(ShowsPath + ShowIndexFileName), "/a/\r\n/b/\r\n");
    WriteFile(ShowsPath + ShowIndexFileName, "/x/\r/y/\n/z/");
    LoadShowList();
    EXPECT_EQ(ShowList, (StringList{"/x/", "/y/", "/z/"}));

    ShowsPath = Home() + "missing folder/";
    EXPECT_THROW(RegisterShow("/b/"), std::runtime_error);
    EXPECT_EQ(ShowList, (StringList{"/x/", "/y/", "/z/", "/b/"}));
    EXPECT_EQ(ReadFile(Home() + "Slide Shows/" + ShowIndexFileName), "/x/\r/y/\n/z/");
}

TEST_F(ShowIndexTest, FoldersAreCleanedAndNumberedFromTwoAndCreateShowWritesTheExactFirstSettings) {
    const std::pair<std::string, std::string> rows[] = {
        {"Holiday", "Holiday/"},
        {"Holiday", "Holiday (2)/"},
        {"Holiday", "Holiday (3)/"},
        {"holiday", "holiday (4)/"},  // a name taken in any letter case
        {"Rome: 2024/25", "Rome 202425/"},
        {"Big   Family    Day", "Big Family Day/"},
        {" padded ", " padded /"},
        {"a : b", "a b/"},
        {"\xC3\xA9t\xC3\xA9 *?", "t /"},
        {"::", " (2)/"},
        {"", " (3)/"},
    };
    for (const auto& [title, name] : rows) {
        const std::string folder = MakeShowFolder(title);
        EXPECT_EQ(folder, ShowsPath + name) << title;
        EXPECT_TRUE(fs::is_directory(folder)) << title;
    }
    // The same title twice gets two folders and two index lines.
    const std::string title = "  Rome: a=b \\/*?\"<>| ";
    const std::string first = CreateShow(title, "At the lake", "Ann");
    const std::string second = CreateShow(title, "", "");
    EXPECT_EQ(first, ShowsPath + " Rome ab /");
    EXPECT_EQ(second, ShowsPath + " Rome ab  (2)/");
    EXPECT_EQ(ReadFile(first + ShowSettingsFileName),
              "Title=" + title +
                  "\r\nDescription=At the lake\r\nAuthor=Ann\r\nViewerShowToolbar=1\r\n"
                  "ViewerViewIndividualPhotos=1\r\nViewerCopyIndividualPhotos=1\r\nViewerSaveIndividualPhotos=1\r\n"
                  "ViewerWallpaperIndividualPhotos=1\r\nTransition=2\r\nHorizontal=3\r\nVertical=3\r\nDuration=4\r\n"
                  "DurationCount=1\r\nSize=2\r\n");
    EXPECT_EQ(ReadFile(ShowsPath + ShowIndexFileName), first + "\r\n" + second + "\r\n");
}

TEST_F(ShowIndexTest, ListShowsWalksFromLastDroppingCopiesAndSkippingStaleEntries) {
    const std::string a = MakeShow("A", "Alpha", "Ann"), b = MakeShow("B", "Beta"), gone = ShowsPath + "Gone/";
    // Index lines, titles listed, index lines kept. Every row names both shows, so that
    // listing adds no folder the index lacks.
    const std::tuple<StringList, std::vector<std::string>, StringList> rows[] = {
        {{a, gone, b, "relative/"}, {"Beta", "Alpha"}, {a, gone, b, "relative/"}},  // stale lines stay listed
        {{a, b, a}, {"Alpha", "Beta"}, {b, a}},
        {{b, a, a, a}, {"Alpha", "Alpha", "Beta"}, {b, a, a}},                    // three copies keep two
        {{b, ShowsPath + "a/", a}, {"Alpha", "Beta"}, {b, ShowsPath + "a/", a}},  // another folder, never a copy of A
    };
    std::vector<ShowRecord> records;
    for (const auto& [index, titles, kept] : rows) {
        ShowList = index;
        records = ListShows();
        std::vector<std::string> listed;
        for (const ShowRecord& record : records) listed.push_back(record.Title);
        EXPECT_EQ(listed, titles) << index.size();
        EXPECT_EQ(ShowList, kept);
    }
    // The record comes from the entry that stays, with every field read.
    EXPECT_EQ(records[0].Folder, a);
    EXPECT_EQ(records[0].Author + "|" + records[0].Description, "Ann|d");
}

TEST_F(ShowIndexTest, DeleteShowRemovesOnlyFoldersStrictlyInsideTheLibrary) {
    const std::string a = MakeShow("A", "Alpha");
    WriteFile(Home() + "precious/photo.jpg", "photo");
    fs::create_directory_symlink(Home() + "precious", ShowsPath + "Sneaky");
    const std::string refused[] = {
        ShowsPath, ShowsPath + "../", ShowsPath + "A/../../precious/", Home() + "precious/", ShowsPath + "Sneaky/", "/",
    };
    for (const std::string& folder : refused) EXPECT_THROW(DeleteShow(folder), std::runtime_error) << folder;
    EXPECT_TRUE(fs::exists(Home() + "precious/photo.jpg"));
    ShowList = {a};
    DeleteShow(a);
    EXPECT_FALSE(fs::exists(a));
    EXPECT_EQ(ShowList, (StringList{a}));  // the index line goes at the next listing
    EXPECT_TRUE(ListShows().empty());
}

}  // namespace
}  // namespace velvora
