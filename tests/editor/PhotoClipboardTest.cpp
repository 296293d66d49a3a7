#include "editor/PhotoClipboard.h"

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QListView>
#include <QMimeData>
#include <QSettings>
#include <QTest>
#include <QTreeView>

#include "app/frmMain.h"
#include "editor/PhotoTransferUi.h"
#include "editor/frmEditShow.h"
#include "support/JpegEncoder.h"
#include "support/ScriptedDialogs.h"
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
}

TEST_F(PhotoClipboardTest, CutRemovesTheOriginalsAndTheStagedCopiesStillPasteAfterTheNextStaging) {
    Select({1});
    EXPECT_EQ(CutSelectedPhotos(document, staging), 0);
    EXPECT_EQ(FolderList, (StringList{"00000000=a.jpg", "00000002=c.jpg"}));
    for (const char* extension : {".pho", ".thu", ".dat"}) EXPECT_FALSE(fs::exists(root + "00000001" + extension));
    document.SelectCategory(document.Tree().NodeAt(1));
    EXPECT_EQ(PasteStagedPhotos(document, staging).CurrentIndex, 1);
    EXPECT_EQ(FolderList, (StringList{"00000000=sea.jpg", "00000001=b.jpg"}));
    EXPECT_EQ(ReadFile(beach + "00000001.dat"), ReadFile(staging + "00000000.dat"));
    // A new staging replaces the old set whole, and nothing selected keeps it.
    Select({});
    EXPECT_EQ(StageSelectedPhotos(document, staging), 0);
    EXPECT_EQ(FileCount(staging), 4);
    Select({0});
    StageSelectedPhotos(document, staging);
    EXPECT_EQ(ReadFile(staging + StagedPhotoListFileName), "00000000=sea.jpg\r\n");
    EXPECT_EQ(FileCount(staging), 4);
}

TEST_F(PhotoClipboardTest, DamagedStagedPhotosAreSkippedByNameAndLeaveNothingBehind) {
    Select({0, 1, 2});
    StageSelectedPhotos(document, staging);
    fs::remove(staging + "00000000.pho");
    WriteFile(staging + "00000001.pho", "");
    WriteFile(staging + StagedPhotoListFileName, ReadFile(staging + StagedPhotoListFileName) + "../x=evil.jpg\r\n");
    const PhotoTransferResult result = PasteStagedPhotos(document, staging);
    EXPECT_EQ(result.SkippedPhotos, (StringList{"a.jpg", "b.jpg", "evil.jpg"}));
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

TEST_F(PhotoClipboardTest, CopyAndPasteKeysInThePhotoListDuplicateTheSelection) {
    testing::ScriptedDialogs dialogs;
    const testing::TempFolder settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settings.Path()));
    const std::string jpeg = testing::EncodeJpeg(8, 6, 1, [](int, int, std::uint8_t* out) { out[0] = 9; });
    for (const char* id : {"00000000", "00000001", "00000002"}) WriteFile(root + id + ".pho", jpeg);
    document.CloseShow();
    TMain main(MakeEditShowFrame);
    main.show();
    main.OpenShow(ShowPath);
    QCoreApplication::sendPostedEvents();
    auto* frame = static_cast<TFrameEditShow*>(main.CurrentFrame());
    auto* photos = frame->findChild<QListView*>("lbxPhotos");
    photos->selectAll();
    QTest::keyClick(photos, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(photos, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(frame->Document().Photos().Count(), 6);
    EXPECT_EQ(photos->selectionModel()->selectedRows().size(), 3);

    // Dragged over the tree, only a category the photos would move to is marked, until the drag leaves.
    auto* tree = frame->findChild<QTreeView*>("lbxCategories");
    const QModelIndex beachRow = tree->model()->index(0, 0, tree->model()->index(0, 0));
    const std::unique_ptr<QMimeData> drag(MakePhotoMoveData(frame->Document().CategoryFolder));
    const auto dragOver = [&](const QModelIndex& row) {
        QDragEnterEvent enter(tree->visualRect(row).center(), Qt::MoveAction, drag.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(tree->viewport(), &enter);
        return tree->model()->data(row, Qt::BackgroundRole).isValid();
    };
    EXPECT_FALSE(dragOver(tree->model()->index(0, 0)));
    EXPECT_TRUE(dragOver(beachRow));
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(tree->viewport(), &leave);
    EXPECT_FALSE(tree->model()->data(beachRow, Qt::BackgroundRole).isValid());
    main.close();
    EXPECT_EQ(SplitLines(ReadFile(root + "folder.dat")).size(), 6u);
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace velvora
