#include "library/NewShow.h"

#include <gtest/gtest.h>

#include "app/Global.h"
#include "library/ShowIndex.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

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

TEST_F(NewShowTest, TitleIsStoredAsTypedAndTheSameTitleTwiceGetsTwoFolders) {
    const std::string title = "  Rome: a=b \\/*?\"<>| ";
    const std::string first = CreateShow(title, "", "");
    const std::string second = CreateShow(title, "", "");
    EXPECT_EQ(first, ShowsPath + " Rome ab /");
    EXPECT_EQ(second, ShowsPath + " Rome ab  (2)/");
    KeyValueList settings;
    settings.LoadFromFile(second + ShowSettingsFileName);
    EXPECT_EQ(settings.Value("Title"), title);
    EXPECT_EQ(ReadFile(ShowsPath + ShowIndexFileName), first + "\r\n" + second + "\r\n");
}

}  // namespace
}  // namespace velvora
