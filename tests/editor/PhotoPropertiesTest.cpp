#include "editor/PhotoProperties.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "base/KeyValueList.h"
#include "editor/ShowDocument.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

PhotoPanel Loaded(const std::string& stored, PhotoPanel panel = {}) {
    LoadPhotoPanel(panel, KeyValueList(SplitLines(stored)));
    return panel;
}

TEST(PhotoPanel, StoredIndexesOutsideTheirChooserReadAsDefaultOrAsNothingChosen) {
    const PhotoPanel panel = Loaded(
        "NAME=Sea\r\nCaption=Waves\r\nBackground=1\r\nBackgroundColor=255\r\nTransition=11\r\nHorizontal=99\r\n"
        "Vertical=-2\r\nDuration=8\r\nSize=x\r\nRotate=3\r\n");
    EXPECT_EQ(panel, (PhotoPanel{"Sea", "Waves", 1, "255", -1, 0, 0, 8, "", 0, "", 3}));
    // The colour of a photo without a specific background stays what the panel showed.
    const PhotoPanel earlier{"", "", 0, "65280", 0, 0, 0, 0, "", 0, "", 0};
    EXPECT_EQ(Loaded("Background=0\r\nBackgroundColor=255\r\n", earlier).BackgroundColor, "65280");
    EXPECT_EQ(Loaded(""), PhotoPanel{});
}

TEST(PhotoPanel, LinesWriteOnlyChosenValuesAndClampCustomCounts) {
    using Lines = StringList;
    struct Row {
        PhotoPanel panel;
        Lines extra;
    };
    const Row rows[] = {
        {{"N", "C", 0, "7", -1, 0, 0, 0, "", 0, "", 0}, {}},
        {{"N", "C", 1, "7", 3, 2, 4, 8, "", 5, "0", 2},
         {"Background=1", "BackgroundColor=7", "Transition=3", "Horizontal=2", "Vertical=4", "Duration=8",
          "DurationCount=1", "Size=5", "SizeCount=1", "Rotate=2"}},
        {{"N", "C", 2, "7", 0, 0, 0, 8, "20000", 6, "250", 0},
         {"Background=2", "Duration=8", "DurationCount=10000", "Size=6", "SizeCount=250"}},
    };
    for (const Row& row : rows) {
        Lines expected{"Name=N", "Caption=C", "Width=640", "Height=480"};
        expected.insert(expected.end(), row.extra.begin(), row.extra.end());
        EXPECT_EQ(PhotoPanelLines(row.panel, {"0000000A", "a.jpg", "", "", "640", "480"}), expected);
    }
}

class PhotoBindingTest : public testing::ProgramFolderTest {};

TEST_F(PhotoBindingTest, SavingWritesTheBoundPhotoOnlyAndKeepsItsSelection) {
    ShowDocument document;
    document.CategoryFolder = Home();
    document.Photos().Add(PhotoEntry{"0000000A", "a.jpg", "Old", "Sea", "640", "480"}.Text());
    document.Photos().Add(PhotoEntry{"../x", "b.jpg", "", "", "", ""}.Text());
    document.Photos().Select(0);
    const PhotoPanel panel{"Sea", "Waves", 0, "0", 0, 0, 0, 0, "", 0, "", 0};
    EXPECT_FALSE(SavePhotoProperties(document, panel));  // nothing bound yet
    document.CurrentPhotoIndex = 0;
    EXPECT_TRUE(SavePhotoProperties(document, panel));
    EXPECT_EQ(PhotoEntry::FromText(document.Photos().Item(0)).Caption, "Waves");
    EXPECT_TRUE(document.Photos().IsSelected(0));
    EXPECT_EQ(testing::ReadFile(Home() + "0000000A.dat"), "Name=Sea\r\nCaption=Waves\r\nWidth=640\r\nHeight=480\r\n");
    PhotoPanel reloaded;
    ASSERT_TRUE(LoadCurrentPhoto(document, reloaded));
    EXPECT_EQ(reloaded, panel);
    // A stored id that could leave the folder is neither read nor written.
    document.CurrentPhotoIndex = 1;
    SavePhotoProperties(document, panel);
    EXPECT_FALSE(std::filesystem::exists(Home() + "../x.dat"));
}

}  // namespace
}  // namespace velvora
