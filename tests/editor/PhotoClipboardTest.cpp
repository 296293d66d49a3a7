#include "editor/PhotoClipboard.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "editor/PhotoListEditing.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

// A show whose root holds three photos with captions and whose category "0001" holds one.
class PhotoClipboardTest : public testing::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        ShowPath = Home() + "Show/";
        WriteFile(ShowPath + "quillond.dat", "Title=Trip\r\nAliasCount=1\r\n");
        ShowSettings.LoadFromFile(ShowPath + "quillond.dat");
        WriteFile(ShowPath + "categories.dat", "\\Beach\r\nAlias=0001\r\n\r\n");
        for (const char* id : {"00000000", "00000001", "00000002"}) WritePhoto(root, id);
        WriteFile(root + "folder.dat", "00000000=a.jpg\r\n00000001=b.jpg\r\n00000002=c.jpg\r\n");
        WritePhoto(beach, "00000000");
        WriteFile(beach + "folder.dat", "00000000=sea.jpg\r\n");
        document.LoadShow();
        staging = PhotoClipboardFolder();
    }
    void WritePhoto(const std::string& folder, const std::string& id) {
        WriteFile(folder + id + ".pho", "image " + id);
        WriteFile(folder + id + ".thu", "thumb " + id);
        WriteFile(folder + id + ".dat",
                  "Name=N" + id + "\r\nCaption=C" + id + "\r\nWidth=4\r\nHeight=3\r\nRotate=2\r\n");
    }
    void Select(std::initializer_list<int> rows) {
        document.Photos().DeselectAll();
        for (int row : rows) document.Photos().Select(row);
    }
    int FileCount(const std::string& folder) const {
        return int(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    ShowDocument document;
    const std::string root = Home() + "Show/0000/";
    const std::string beach = Home() + "Show/0001/";
    std::string staging;
};

TEST_F(PhotoClipboardTest, CopyThenPasteAddsFreshIdsWithUnchangedFilesAndSelectedEntries) {
    Select({0, 2});
    ASSERT_EQ(StageSelectedPhotos(document, staging), 2);
    ASSERT_EQ(staging.rfind(Home(), 0), 0u);
    const PhotoTransferResult result = PasteStagedPhotos(document, staging);
    EXPECT_EQ(result.CurrentIndex, 3);
    EXPECT_TRUE(result.SkippedPhotos.empty());
    EXPECT_EQ(FolderList.back(), "00000004=c.jpg");
    EXPECT_EQ(ReadFile(root + "00000003.dat"), ReadFile(root + "00000000.dat"));
    EXPECT_EQ(ReadFile(root + "00000004.pho"), "image 00000002");
    EXPECT_EQ(ReadFile(root + "00000004.thu"), "thumb 00000002");
    ASSERT_EQ(document.Photos().Count(), 5);
    EXPECT_EQ(PhotoEntry::FromText(document.Photos().Item(4)),
              (PhotoEntry{"00000004", "c.jpg", "C00000002", "N00000002", "4", "3"}));
    for (int i = 0; i < 5; ++i) EXPECT_EQ(document.Photos().IsSelected(i), i >= 3) << i;
    // A new staging replaces the old set whole, and nothing selected keeps it.
    Select({});
    EXPECT_EQ(StageSelectedPhotos(document, staging), 0);
    EXPECT_EQ(FileCount(staging), 2 * 3 + 1);
    Select({1});
    StageSelectedPhotos(document, staging);
    EXPECT_EQ(ReadFile(staging + StagedPhotoListFileName), "00000000=b.jpg\r\n");
    EXPECT_EQ(FileCount(staging), 4);
}

TEST_F(PhotoClipboardTest, MarkedPhotosStillListedInTheirCategoryMoveFromThereWithTheirFiles) {
    Select({0, 2});
    PhotoCutMark mark = MarkSelectedPhotos(document);
    EXPECT_EQ(MoveMarkedPhotos(document, mark).CurrentIndex, -1);  // into its own category
    EXPECT_EQ(document.Photos().Count(), 3);
    // A photo that is gone is forgotten: a photo added later may take its id.
    Select({0});
    DeleteSelectedPhotos(document.Photos(), document.CategoryFolder, FolderList);
    ForgetRemovedPhotos(mark, document);
    EXPECT_EQ(mark.PhotoIds, StringList{"00000002"});

    document.SelectCategory(document.Tree().NodeAt(1));
    EXPECT_EQ(MoveMarkedPhotos(document, mark).CurrentIndex, 1);
    EXPECT_EQ(ReadFile(beach + "folder.dat"), "00000000=sea.jpg\r\n00000001=c.jpg\r\n");
    EXPECT_EQ(ReadFile(beach + "00000001.dat"),
              "Name=N00000002\r\nCaption=C00000002\r\nWidth=4\r\nHeight=3\r\nRotate=2\r\n");
    EXPECT_EQ(ReadFile(beach + "00000001.thu"), "thumb 00000002");
    EXPECT_EQ(ReadFile(root + "folder.dat"), "00000001=b.jpg\r\n");
    EXPECT_EQ(FileCount(root), 3 + 1);
    EXPECT_TRUE(document.Photos().IsSelected(1) && !document.Photos().IsSelected(0));
}

TEST_F(PhotoClipboardTest, DamagedStagedPhotosAreSkippedByNameAndLeaveNothingBehind) {
    Select({0, 1, 2});
    StageSelectedPhotos(document, staging);
    fs::remove(staging + "00000000.pho");
    WriteFile(staging + "00000001.pho", "");
    WriteFile(staging + StagedPhotoListFileName, ReadFile(staging + StagedPhotoListFileName) + "../x=evil.jpg\r\n");
    EXPECT_EQ(PasteStagedPhotos(document, staging).SkippedPhotos, (StringList{"a.jpg", "b.jpg", "evil.jpg"}));
    EXPECT_EQ(FolderList.back(), "00000003=c.jpg");
    EXPECT_EQ(FileCount(root), 4 * 3 + 1);
    fs::remove_all(staging);
    EXPECT_EQ(PasteStagedPhotos(document, staging).CurrentIndex, -1);
    EXPECT_EQ(document.Photos().Count(), 4);
}

TEST_F(PhotoClipboardTest, MovedPhotosStayInTheTargetAfterReloadAndMovingOntoTheSameFolderDoesNothing) {
    Select({0, 2});
    document.Photos().SetCurrentIndex(2);
    EXPECT_EQ(MoveSelectedPhotos(document, root).CurrentIndex, 2);
    EXPECT_EQ(document.Photos().Count(), 3);
    EXPECT_EQ(MoveSelectedPhotos(document, beach).CurrentIndex, 0);
    EXPECT_EQ(ReadFile(beach + "folder.dat"), "00000000=sea.jpg\r\n00000001=a.jpg\r\n00000002=c.jpg\r\n");
    EXPECT_FALSE(fs::exists(root + "00000002.pho"));
    document.CloseShow();
    document.LoadShow();
    EXPECT_EQ(FolderList, StringList{"00000001=b.jpg"});
    document.SelectCategory(document.Tree().NodeAt(1));
    ASSERT_EQ(document.Photos().Count(), 3);
    EXPECT_EQ(PhotoEntry::FromText(document.Photos().Item(2)).Caption, "C00000002");
}

}  // namespace
}  // namespace velvora
