#include "library/NewShow.h"

#include <filesystem>
#include <stdexcept>

#include <gtest/gtest.h>

#include "app/Global.h"
#include "library/ShowIndex.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

class NewShowTest : public testing::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        InitShowsPath();
        LoadShowList();
    }
};

TEST_F(NewShowTest, CreateWritesTheExactFirstSettingsFileAndRegistersTheFolder) {
    const std::string folder = CreateShow("Summer", "At the lake", "Ann");
    EXPECT_EQ(folder, ShowsPath + "Summer/");
    EXPECT_EQ(ReadFile(folder + ShowSettingsFileName),
              "Title=Summer\r\nDescription=At the lake\r\nAuthor=Ann\r\nViewerShowToolbar=1\r\n"
              "ViewerViewIndividualPhotos=1\r\nViewerCopyIndividualPhotos=1\r\nViewerSaveIndividualPhotos=1\r\n"
              "ViewerWallpaperIndividualPhotos=1\r\nTransition=2\r\nHorizontal=3\r\nVertical=3\r\nDuration=4\r\n"
              "DurationCount=1\r\nSize=2\r\n");
    EXPECT_EQ(ReadFile(ShowsPath + ShowIndexFileName), folder + "\r\n");
}

TEST_F(NewShowTest, TextsAreStoredAsTypedWhileTheFolderNameIsCleaned) {
    const std::string title = "  Rome: a=b \\/*?\"<>| ";
    const std::string folder = CreateShow(title, "", "");
    EXPECT_EQ(folder, ShowsPath + " Rome ab /");
    KeyValueList settings;
    settings.LoadFromFile(folder + ShowSettingsFileName);
    EXPECT_EQ(settings.Lines()[0], "Title=" + title);
    EXPECT_EQ(settings.Value("Title"), title);
    EXPECT_EQ(settings.Lines()[1], "Description=");
}

TEST_F(NewShowTest, SameTitleTwiceGivesTwoFoldersAndTwoIndexLines) {
    const std::string first = CreateShow("Trip", "", "");
    const std::string second = CreateShow("Trip", "", "");
    EXPECT_NE(first, second);
    EXPECT_TRUE(fs::exists(second + ShowSettingsFileName));
    EXPECT_EQ(ReadFile(ShowsPath + ShowIndexFileName), first + "\r\n" + second + "\r\n");
}

TEST_F(NewShowTest, UnwritableLibraryRaisesAndRegistersNothing) {
    testing::WriteFile(Home() + "blocker", "a file where the library should be");
    ShowsPath = Home() + "blocker/";
    EXPECT_THROW(CreateShow("Trip", "", ""), std::runtime_error);
    EXPECT_TRUE(ShowList.empty());
}

TEST(NewShowTitle, OnlyBlanksAndControlsCountAsBlank) {
    EXPECT_TRUE(IsBlankTitle(""));
    EXPECT_TRUE(IsBlankTitle("   \t "));
    EXPECT_FALSE(IsBlankTitle("  a "));
    EXPECT_FALSE(IsBlankTitle("\xC2\xA0"));  // a no-break space is a character the user typed
}

}  // namespace
}  // namespace velvora
