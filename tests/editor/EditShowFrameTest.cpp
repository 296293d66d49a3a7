// The editor frame inside the real main window, driven as a user would drive it.
#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QDialog>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

#include "app/frmMain.h"
#include "editor/EditorServices.h"
#include "editor/PhotoCard.h"
#include "editor/PhotoTransferUi.h"
#include "editor/PhotoViewerPane.h"
#include "editor/frmEditShow.h"
#include "imaging/BmpFile.h"
#include "library/ShowIndex.h"
#include "package/PackageFormat.h"
#include "publish/CategoryPreview.h"
#include "support/JpegEncoder.h"
#include "support/PictureEncoders.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

class EditShowFrameTest : public testing::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settings_.Path()));
        show = Home() + "Slide Shows/trip/";
        WriteFile(show + ShowSettingsFileName, "Title=Trip\r\nAliasCount=2\r\n");
        WriteFile(show + "categories.dat", "\\Beach\r\nSelected=1\r\nAlias=0001\r\n\r\n\\Snow\r\nAlias=0002\r\n\r\n");
        for (const char* id : {"0000000A", "0000000B", "0000000C"}) {
            WriteFile(show + "0001/" + id + ".pho", jpeg);
            WriteFile(show + "0001/" + id + ".dat", std::string("Name=") + id + "\r\n");
        }
        WriteFile(show + "0001/folder.dat", "0000000A=a.jpg\r\n0000000B=b.jpg\r\n0000000C=c.jpg\r\n");
        main = std::make_unique<TMain>(MakeEditShowFrame);
        main->resize(900, 600);
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
        Open(show);
    }
    void Open(const std::string& folder) {
        main->OpenShow(folder);
        QCoreApplication::sendPostedEvents();
        frame = static_cast<TFrameEditShow*>(main->CurrentFrame());
        tree = frame->findChild<QTreeView*>("lbxCategories");
        photos = frame->findChild<QListView*>("lbxPhotos");
    }
    void Reopen() {
        main->close();
        Open(show);
    }
    void TearDown() override {
        main.reset();
        ProgramFolderTest::TearDown();
    }

    QModelIndex IndexOfNode(int node) const {
        const CategoryNode* wanted = frame->Document().Tree().NodeAt(node);
        for (QModelIndex index = tree->model()->index(0, 0); index.isValid(); index = tree->indexBelow(index))
            if (index.internalPointer() == wanted) return index;
        return {};
    }
    void TriggerMenuItem(const char* name) const {
        if (auto* item = main->findChild<QAction*>(name))
            item->trigger();
        else
            ADD_FAILURE() << "no menu item " << name;
    }
    QString Caption() const { return frame->findChild<QLabel*>("pnlShowName")->text(); }
    // Fills the category "Snow" with photos 00000001, 00000002, ... named P1, P2, ..., from
    // `sources` (source file name and picture bytes each), and displays it.
    void ShowSnowWith(const std::vector<std::pair<std::string, std::string>>& sources) {
        std::string order;
        for (std::size_t i = 0; i < sources.size(); ++i) {
            const std::string id = "0000000" + std::to_string(i + 1);
            WriteFile(show + "0002/" + id + ".pho", sources[i].second);
            WriteFile(show + "0002/" + id + ".dat", "Name=P" + std::to_string(i + 1) + "\r\n");
            order += id + "=" + sources[i].first + "\r\n";
        }
        WriteFile(show + "0002/folder.dat", order);
        tree->setCurrentIndex(IndexOfNode(2));
    }
    // Selects `rows` in the list, the last one current.
    void SelectRows(std::initializer_list<int> rows) const {
        QItemSelectionModel* selection = photos->selectionModel();
        selection->clearSelection();
        for (int row : rows) selection->setCurrentIndex(photos->model()->index(row, 0), QItemSelectionModel::Select);
    }
    // The names of the listed photos in order, each selected one followed by "*", and the
    // current one last after "/".
    std::string Listed() const {
        std::string listed;
        const QAbstractItemModel* model = photos->model();
        for (int row = 0; row < model->rowCount(); ++row)
            listed += model->index(row, 0).data().toString().toStdString() +
                      (photos->selectionModel()->isRowSelected(row) ? "* " : " ");
        return listed + "/" + photos->selectionModel()->currentIndex().data().toString().toStdString();
    }
    bool MenuItemEnabled(const char* name) const {
        emit main->findChild<QMenu*>("Photos1")->aboutToShow();
        return main->findChild<QAction*>(name)->isEnabled();
    }
    // Writes `bytes` as the picture "in/<name>" outside the show and returns its path.
    std::string Source(const std::string& name, const std::string& bytes) const {
        WriteFile(Home() + "in/" + name, bytes);
        return Home() + "in/" + name;
    }
    QLineEdit* TypeName(const QString& text) const {
        auto* name = frame->findChild<QLineEdit*>("txtPhotoName");
        name->setFocus();
        name->setText(text);
        return name;
    }
    void ChooseRotation(const QString& text) const {
        for (QAction* choice : frame->findChild<QMenu*>("RotatePopupMenu")->actions())
            if (choice->text() == text) choice->trigger();
    }
    void Rename(int node, const QString& name) { tree->model()->setData(IndexOfNode(node), name, Qt::EditRole); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const CategoryNode* node : frame->Document().Tree().Nodes()) names.push_back(node->Text);
        return names;
    }

    testing::ScriptedDialogs dialogs;
    const std::string jpeg = testing::EncodeJpeg(40, 30, 1, [](int, int, std::uint8_t* out) { out[0] = 90; });
    std::string show;
    std::unique_ptr<TMain> main;
    TFrameEditShow* frame = nullptr;
    QTreeView* tree = nullptr;
    QListView* photos = nullptr;

private:
    testing::TempFolder settings_;
};

TEST_F(EditShowFrameTest, RootStaysExpandedAndRenamesOrShowPropertiesRetitleTheShowOrAreRefusedWithAMessage) {
    ASSERT_EQ(main->CurrentFrameKind(), FrameKind::Editor);
    EXPECT_EQ(Caption(), " Trip");
    const QModelIndex root = IndexOfNode(0);
    tree->setCurrentIndex(root);
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Left);
    tree->collapse(root);
    EXPECT_TRUE(tree->isExpanded(root));

    Rename(0, QStringLiteral("Rock & Roll"));
    EXPECT_EQ(Caption(), " Rock & Roll");
    EXPECT_EQ(ShowSettings.Value("Title"), "Rock & Roll");
    Rename(1, QStringLiteral("Snow"));
    Rename(1, QStringLiteral("Sun\\Sea"));
    Rename(0, QString());
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Another category here is already named \"Snow\". Please choose a different name."));
    EXPECT_EQ(dialogs.messages[2].text, QStringLiteral("Please enter a title for your photo slide show."));
    Rename(1, QStringLiteral("Sea"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Rock & Roll", "Sea", "Snow"}));

    // Show Properties, chosen while a category is current, select the root.
    tree->setCurrentIndex(IndexOfNode(1));
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (auto* title = dialog->findChild<QLineEdit*>("txtShowName"))
            title->setText(QStringLiteral("Holiday & Co"));
        else
            ADD_FAILURE() << "the category's properties opened, not the show's";
        dialog->findChild<QPushButton*>("Button1")->click();
    });
    main->findChild<QAction*>("SlideShowProperties1")->trigger();
    EXPECT_EQ(frame->Document().Tree().Selected(), frame->Document().Tree().Root());
    EXPECT_EQ(Caption(), " Holiday & Co");
    EXPECT_EQ(ReadFile(show + ShowSettingsFileName).substr(0, 20), "Title=Holiday & Co\r\n");
    main->close();
    EXPECT_EQ(ReadFile(show + "categories.dat").substr(0, 5), "\\Sea\r");
}

TEST_F(EditShowFrameTest, AddedSubCategoryOpensForItsNameDeleteTakesItsFolderAndUpDownFollowThePlace) {
    tree->setCurrentIndex(IndexOfNode(2));
    main->findChild<QAction*>("Add1")->trigger();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Trip", "Beach", "Snow", "New Category"}));
    EXPECT_EQ(frame->Document().Tree().Selected()->Parent()->Text, "Snow");
    EXPECT_EQ(frame->Document().CategoryFolder, show + "0003/");
    auto* editor = tree->findChild<QLineEdit*>();
    ASSERT_TRUE(editor && editor->isVisible()) << "the new category opens for its name";
    editor->setText(QStringLiteral("Sun"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the view commits the typed name from its event queue

    QTest::keyClick(tree, Qt::Key_Delete);  // answered No
    EXPECT_TRUE(fs::exists(show + "0003"));
    dialogs.AnswerConfirm(true);
    auto* remove = frame->findChild<QToolButton*>("btnDeleteCategory");
    remove->click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(
        dialogs.messages[1].text.startsWith(QStringLiteral("Are you sure you want to delete the category \"Sun\"?")));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Trip", "Beach", "Snow"}));
    EXPECT_FALSE(fs::exists(show + "0003"));
    EXPECT_EQ(tree->currentIndex(), IndexOfNode(2));

    auto* up = frame->findChild<QToolButton*>("btnCategoryUp");
    EXPECT_FALSE(frame->findChild<QToolButton*>("btnCategoryDown")->isEnabled());
    up->click();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Trip", "Snow", "Beach"}));
    EXPECT_FALSE(up->isEnabled());  // the moved category stays current
    main->findChild<QAction*>("MoveDown2")->trigger();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Trip", "Beach", "Snow"}));
    tree->setCurrentIndex(IndexOfNode(0));
    EXPECT_FALSE(remove->isEnabled());
}

TEST_F(EditShowFrameTest, PhotoCommandsWorkOnTheSelectionMadeInTheList) {
    ASSERT_EQ(photos->model()->rowCount(), 3);
    QItemSelectionModel* selection = photos->selectionModel();
    selection->select(photos->model()->index(0, 0), QItemSelectionModel::Deselect);
    selection->select(photos->model()->index(2, 0), QItemSelectionModel::Select);
    main->findChild<QAction*>("MoveUp1")->trigger();
    EXPECT_EQ(photos->model()->index(1, 0).data().toString(), QStringLiteral("0000000C"));
    EXPECT_TRUE(selection->isRowSelected(1) && !selection->isRowSelected(0));

    dialogs.AnswerConfirmWithOptOut(true, true);
    photos->setFocus();
    QTest::keyClick(photos, Qt::Key_Delete);
    EXPECT_EQ(photos->model()->index(1, 0).data().toString(), QStringLiteral("0000000B"));
    EXPECT_FALSE(fs::exists(show + "0001/0000000C.pho"));
    EXPECT_FALSE(main->PhotoDeleteAsk());
    frame->findChild<QToolButton*>("btnDeletePhoto")->click();  // asks nothing now
    EXPECT_EQ(dialogs.messages.size(), 1u);
    tree->setCurrentIndex(IndexOfNode(2));  // leaving the category writes its photo order
    EXPECT_EQ(ReadFile(show + "0001/folder.dat"), "0000000B=b.jpg\r\n");
}

// A pasted line break once started a line of its own in the photo's file and turned it.
TEST_F(EditShowFrameTest, PanelFollowsASingleSelectionAndEnterWalksNameCaptionAndOnToTheNextPhoto) {
    auto* panel = frame->findChild<QWidget*>("pnlPhotoProperties");
    auto* name = frame->findChild<QLineEdit*>("txtPhotoName");
    auto* caption = frame->findChild<QLineEdit*>("txtPhotoCaption");
    QItemSelectionModel* selection = photos->selectionModel();
    selection->select(photos->model()->index(1, 0), QItemSelectionModel::Select);
    EXPECT_FALSE(panel->isVisible());
    selection->setCurrentIndex(photos->model()->index(1, 0), QItemSelectionModel::ClearAndSelect);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(name->text(), QStringLiteral("0000000B"));

    name->setFocus();
    name->setText(QStringLiteral("Dunes\nRotate=2"));
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), caption);
    caption->setText(QStringLiteral("Windy\r\nSize=1"));
    QTest::keyClick(caption, Qt::Key_Return);
    EXPECT_EQ(ReadFile(show + "0001/0000000B.dat"),
              "Name=Dunes Rotate=2\r\nCaption=Windy  Size=1\r\nWidth=\r\nHeight=\r\n");
    EXPECT_EQ(photos->model()->index(1, 0).data().toString(), QStringLiteral("Dunes Rotate=2"));
    EXPECT_TRUE(selection->isRowSelected(2) && !selection->isRowSelected(1));
    EXPECT_EQ(name->text(), QStringLiteral("0000000C"));
    EXPECT_EQ(QApplication::focusWidget(), name);
    caption->setText(QStringLiteral("Last"));
    QTest::keyClick(caption, Qt::Key_Return);  // the last photo: written, and it stays current
    EXPECT_EQ(ReadFile(show + "0001/0000000C.dat").substr(0, 29), "Name=0000000C\r\nCaption=Last\r\n");
    EXPECT_EQ(selection->currentIndex().row(), 2);
}

// A 0xFF byte of an older show is the photo entry's field separator: it cut the source
// name short on the next save and shifted Width and Height into each other's place.
TEST_F(EditShowFrameTest, Windows1252NamesAreShownDecodedAndWrittenBackByteForByte) {
    const std::string snow = show + "0002/";
    const std::string order = "00000006=x\xFFy.jpg\r\n00000007=b.jpg\r\n";
    const std::string properties = "Name=Zo\xFF\r\nCaption=Caf\xE9 \xFF\r\nWidth=40\r\nHeight=30\r\n";
    WriteFile(snow + "folder.dat", order);
    WriteFile(snow + "00000006.dat", properties);
    for (const char* id : {"00000006", "00000007"}) WriteFile(snow + id + ".pho", jpeg);
    tree->setCurrentIndex(IndexOfNode(2));
    EXPECT_EQ(photos->model()->index(0, 0).data().toString(), QString::fromUtf8("Zoÿ"));
    EXPECT_EQ(frame->findChild<QLineEdit*>("txtPhotoCaption")->text(), QString::fromUtf8("Café ÿ"));
    photos->selectionModel()->setCurrentIndex(photos->model()->index(1, 0), QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(ReadFile(snow + "00000006.dat"), properties);
    main->close();
    EXPECT_EQ(ReadFile(snow + "folder.dat"), order);
    EXPECT_TRUE(dialogs.messages.empty());
}

// The picker offers the converted formats too; whatever cannot be read is named in one
// warning with the formats the tool reads.
TEST_F(EditShowFrameTest, AddedPhotosJoinTheListSelectedWithTheFirstCurrentAndUnreadableOnesAreNamed) {
    const std::pair<std::string, std::string> sources[] = {
        {"b.jpg", jpeg},
        {"c.jpg", "not a picture"},
        {"a.jpg", jpeg},
        {"screen.png", testing::EncodePng(40, 30, testing::PngKind::Rgba, testing::StoredQuadrants(40, 30, 1))},
        {"broken.heic", std::string("\0\0\0\x18" "ftypheic and nothing more", 29)}};
    for (const auto& [name, bytes] : sources) dialogs.pickedFiles << QString::fromStdString(Source(name, bytes));
    frame->findChild<QToolButton*>("btnAddPhoto")->click();
    for (const char* pattern : {"*.png", "*.gif", "*.tif", "*.tiff", "*.webp", "*.heic", "*.heif", "*.jpg", "*.bmp"})
        EXPECT_TRUE(dialogs.openFilesFilter.section(QStringLiteral(";;"), 0, 0).contains(QLatin1String(pattern)))
            << pattern;
    ASSERT_EQ(photos->model()->rowCount(), 6);
    EXPECT_EQ(photos->model()->index(3, 0).data().toString(), QStringLiteral("a"));
    EXPECT_EQ(photos->model()->index(5, 0).data().toString(), QStringLiteral("screen"));
    EXPECT_EQ(photos->selectionModel()->selectedRows().size(), 3);
    EXPECT_EQ(photos->selectionModel()->currentIndex().row(), 3);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("PNG, GIF, TIFF, WebP or HEIF")));
    EXPECT_TRUE(dialogs.messages[0].text.endsWith(
        QString::fromStdString("\r\n" + Home() + "in/broken.heic\r\n" + Home() + "in/c.jpg")));
    EXPECT_TRUE(main->isEnabled() && !frame->Document().AddingPhotos);
}

TEST_F(EditShowFrameTest, ViewerShowsTheCurrentPhotoAloneTurnsItWritesWhatIsTypedBeforeMovesAndStopsAtTheEnds) {
    QItemSelectionModel* selection = photos->selectionModel();
    selection->select(QItemSelection(photos->model()->index(0, 0), photos->model()->index(2, 0)),
                      QItemSelectionModel::Select);
    auto* view = frame->findChild<QToolButton*>("btnPhotoView");
    view->click();
    ASSERT_TRUE(frame->PhotoViewerVisible());
    EXPECT_EQ(selection->selectedRows().size(), 1);
    auto* pane = frame->findChild<TPhotoViewerPane*>("pnlViewPhoto");
    EXPECT_EQ(pane->PictureRect().topLeft(), QPoint(8, 8));
    ASSERT_GT(pane->PictureRect().width(), pane->PictureRect().height());
    ChooseRotation(QString::fromUtf8("90\u00BA Clockwise"));
    EXPECT_LT(pane->PictureRect().width(), pane->PictureRect().height()) << "turned at once";
    EXPECT_NE(ReadFile(show + "0001/0000000A.dat").find("Rotate=1\r\n"), std::string::npos);
    frame->findChild<QToolButton*>("btnPhotoPrevious")->click();  // already the first photo
    EXPECT_EQ(selection->currentIndex().row(), 0);

    // Up and Down move the focus to the list hidden behind the pane: what was typed is
    // written first. Up on the first photo only unbinds the panel until another is chosen.
    auto* name = frame->findChild<QLineEdit*>("txtPhotoName");
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Dunes"));
    main->findChild<QAction*>("MoveDown1")->trigger();
    EXPECT_EQ(ReadFile(show + "0001/0000000A.dat").substr(0, 12), "Name=Dunes\r\n");
    EXPECT_EQ(photos->model()->index(1, 0).data().toString(), QStringLiteral("Dunes"));
    frame->findChild<QToolButton*>("btnPhotoPrevious")->click();
    auto* caption = frame->findChild<QLineEdit*>("txtPhotoCaption");
    caption->setFocus();
    QTest::keyClicks(caption, QStringLiteral("Windy"));
    frame->findChild<QToolButton*>("btnUp")->click();
    EXPECT_EQ(ReadFile(show + "0001/0000000B.dat").substr(0, 30), "Name=0000000B\r\nCaption=Windy\r\n");
    EXPECT_TRUE(frame->PhotoViewerVisible());
    for (int i = 0; i < 3; ++i) frame->findChild<QToolButton*>("btnPhotoNext")->click();
    EXPECT_EQ(selection->currentIndex().row(), 2);
    EXPECT_EQ(selection->selectedRows().size(), 1);
    QTest::mouseDClick(pane->findChild<QLabel*>("imgViewPhoto"), Qt::LeftButton);
    EXPECT_FALSE(frame->PhotoViewerVisible());
    EXPECT_FALSE(view->isChecked());
    EXPECT_TRUE(selection->isRowSelected(2));
    EXPECT_EQ(QApplication::focusWidget(), photos);
}

// Emptying the list once left the panel bound to the photo that was gone: the next photo
// added took its name, and the viewer kept its picture.
TEST_F(EditShowFrameTest, EmptiedListUnbindsThePanelAndClearsTheViewerSoTheNextPhotoStartsAfresh) {
    ShowSnowWith({{"p.jpg", jpeg}});
    auto* pane = frame->findChild<TPhotoViewerPane*>("pnlViewPhoto");
    auto* panel = frame->findChild<QWidget*>("pnlPhotoProperties");
    frame->findChild<QToolButton*>("btnPhotoView")->click();
    ASSERT_FALSE(pane->PictureRect().isEmpty());
    dialogs.AnswerConfirmWithOptOut(true, false);
    main->findChild<QAction*>("Delete2")->trigger();
    EXPECT_TRUE(pane->PictureRect().isEmpty());
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(frame->Document().CurrentPhotoIndex, -1);

    dialogs.pickedFiles << QString::fromStdString(Source("new.jpg", jpeg));
    main->findChild<QAction*>("Add2")->trigger();
    EXPECT_EQ(frame->findChild<QLineEdit*>("txtPhotoName")->text(), QStringLiteral("new"));
    tree->setCurrentIndex(IndexOfNode(1));
    EXPECT_EQ(ReadFile(show + "0002/00000000.dat").substr(0, 10), "Name=new\r\n");

    // Dragging every photo away empties the list as well. Dragged over the tree, only a
    // category the photos would move to is marked, until the drop.
    photos->selectAll();
    const std::unique_ptr<QMimeData> drag(MakePhotoMoveData(frame->Document().CategoryFolder));
    const auto dragOver = [&](int node) {
        const QModelIndex row = IndexOfNode(node);
        QDragEnterEvent enter(tree->visualRect(row).center(), Qt::MoveAction, drag.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(tree->viewport(), &enter);
        return tree->model()->data(row, Qt::BackgroundRole).isValid();
    };
    EXPECT_FALSE(dragOver(1));
    EXPECT_TRUE(dragOver(2));
    QDropEvent drop(tree->visualRect(IndexOfNode(2)).center(), Qt::MoveAction, drag.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(tree->viewport(), &drop);
    EXPECT_FALSE(tree->model()->data(IndexOfNode(2), Qt::BackgroundRole).isValid());
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->Document().Photos().Count(), 0);
    EXPECT_EQ(frame->Document().CurrentPhotoIndex, -1);
    EXPECT_FALSE(panel->isVisible());
}

// Cut photos once left at once, so that a second Cut or a Copy before Paste lost them.
TEST_F(EditShowFrameTest, CutMarksPhotosUntilPasteMovesThemAndACopyOrClosingDropsTheMark) {
    const auto rowColour = [&](int row) {
        return photos->viewport()->grab().toImage().pixel(20, row * PhotoCardHeight + PhotoCardHeight / 2);
    };
    const auto folderList = [&](const char* alias) { return ReadFile(show + alias + "/folder.dat"); };
    QItemSelectionModel* selection = photos->selectionModel();
    const QRgb plain = rowColour(1);
    selection->setCurrentIndex(photos->model()->index(1, 0), QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(photos, Qt::Key_X, Qt::ControlModifier);
    selection->setCurrentIndex(photos->model()->index(2, 0), QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(photos->model()->rowCount(), 3);
    EXPECT_NE(rowColour(1), plain) << "a cut photo is drawn dimmed";
    QTest::keyClick(photos, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(rowColour(1), plain);
    QTest::keyClick(photos, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(photos->model()->rowCount(), 4);
    EXPECT_TRUE(selection->isRowSelected(3) && !selection->isRowSelected(2));

    selection->select(photos->model()->index(0, 0), QItemSelectionModel::Select);
    TriggerMenuItem("Cut1");
    tree->setCurrentIndex(IndexOfNode(2));
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(frame->Document().Photos().Count(), 2);
    EXPECT_EQ(folderList("0002"), "00000000=a.jpg\r\n00000001=c.jpg\r\n");
    EXPECT_EQ(folderList("0001"), "0000000B=b.jpg\r\n0000000C=c.jpg\r\n");
    EXPECT_FALSE(fs::exists(show + "0001/0000000A.pho") || fs::exists(show + "0001/00000000.dat"));
    EXPECT_EQ(ReadFile(show + "0002/00000001.dat").substr(0, 15), "Name=0000000C\r\n");
    EXPECT_FALSE(frame->findChild<QToolButton*>("btnPhotoPaste")->isEnabled());

    // Into its own category a paste moves nothing; closing the show keeps what was cut.
    photos->selectAll();
    TriggerMenuItem("Cut1");
    TriggerMenuItem("Paste1");
    EXPECT_EQ(frame->Document().Photos().Count(), 2);
    TriggerMenuItem("Cut1");
    main->close();
    EXPECT_EQ(folderList("0002"), "00000000=a.jpg\r\n00000001=c.jpg\r\n");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(EditShowFrameTest, CategoryPreviewIsAShowOfItsOwnAndAViewerThatCannotStartIsReported) {
    const std::string preview = Home() + "preview.show";
    ASSERT_TRUE(WritePreviewFile(*frame->Document().Tree().NodeAt(1), "Trip", preview));
    const std::string bytes = ReadFile(preview);
    const MemoryByteSource source({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    const PackageContents package = ReadPackage(source, ReadViewerPrefix(source).PackageOffset);
    ASSERT_EQ(package.Categories.size(), 1u);
    EXPECT_EQ(package.Categories[0].Alias, "0001");
    EXPECT_EQ(package.Categories[0].Photos.size(), 3u);

    // Play writes the preview through what the application installs, as the program does.
    SetPreviewFileWriter(WritePreviewFile);
    frame->findChild<QToolButton*>("btnPlay")->click();  // no viewer beside the test program
    SetPreviewFileWriter({});
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("could not be started")));
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path()))
        EXPECT_EQ(entry.path().filename().string().find("velvora-preview-" +
                                                        std::to_string(QCoreApplication::applicationPid()) + "-"),
                  std::string::npos);
}

// The question comes only for a folder with photos in a subfolder; its answer decides
// between one category and a category per subfolder, and the tree and the list show it.
// Folders and files dropped on the list from a file manager are added in the same way.
TEST_F(EditShowFrameTest, AddFolderAsksAboutSubfoldersAndShowsTheNewCategoriesAndPhotos) {
    using Kind = testing::RecordedMessage::Kind;
    for (const char* name : {"flat/f1.jpg", "flat/f2.jpg", "trip/p.jpg", "trip/Day/q.jpg", "new.jpg"})
        Source(name, jpeg);
    const auto drop = [&](const char* name) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(Home() + "in/" + name))});
        const QPoint at = photos->viewport()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(photos->viewport(), &enter);
        EXPECT_TRUE(enter.isAccepted()) << name;
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(photos->viewport(), &drop);
        QCoreApplication::processEvents();
    };
    const auto sourceAt = [&](int row) {
        return PhotoEntry::FromText(frame->Document().Photos().Item(row)).SourceFileName;
    };
    dialogs.pickedFolder = QString::fromStdString(Home() + "in/flat");
    TriggerMenuItem("AddFolder2");
    EXPECT_TRUE(dialogs.Texts(Kind::Choice).empty());
    EXPECT_EQ(frame->Document().Photos().Count(), 5);
    EXPECT_EQ(photos->selectionModel()->selectedRows().size(), 2);
    drop("new.jpg");
    ASSERT_EQ(frame->Document().Photos().Count(), 6);
    EXPECT_EQ(sourceAt(5), "new.jpg");
    drop("trip");  // the question unanswered: cancelled
    EXPECT_EQ(frame->Document().Photos().Count(), 6);
    dialogs.AnswerChoice(0);
    drop("trip");
    EXPECT_EQ(Names(), (std::vector<std::string>{"Trip", "Beach", "Snow"}));
    ASSERT_EQ(frame->Document().Photos().Count(), 8);
    EXPECT_EQ(sourceAt(6) + sourceAt(7), "q.jpgp.jpg");
    EXPECT_EQ(photos->selectionModel()->selectedRows().size(), 2);

    dialogs.pickedFolder = QString::fromStdString(Home() + "in/trip");
    dialogs.AnswerChoice(1);
    frame->findChild<QToolButton*>("btnAddFolder")->click();
    ASSERT_EQ(dialogs.Texts(Kind::Choice).size(), 3u);
    EXPECT_TRUE(dialogs.Texts(Kind::Choice)[2].contains(QStringLiteral("\"Beach\"")));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Trip", "Beach", "Day", "Snow"}));
    EXPECT_EQ(tree->currentIndex(), IndexOfNode(1));
    EXPECT_EQ(photos->model()->rowCount(), 9);
    EXPECT_EQ(photos->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(photos->currentIndex().row(), 8);
    ASSERT_TRUE(IndexOfNode(2).isValid()) << "the new category is in the tree view";
    tree->setCurrentIndex(IndexOfNode(2));
    EXPECT_EQ(frame->Document().Photos().Count(), 1);
    EXPECT_NE(ReadFile(show + "categories.dat").find("\\Beach\\Day\r\n"), std::string::npos);
}

TEST_F(EditShowFrameTest, NarrowPhotoToolbarOffersTheHiddenButtonsInItsMoreMenuAndTheSplitterWidthIsKept) {
    auto* toolbar = frame->findChild<QWidget*>("Panel8");
    auto* paste = frame->findChild<QToolButton*>("btnPhotoPaste");
    auto* more = frame->findChild<QToolButton*>("btnPhotoMore");
    const int lastRight = frame->findChild<QToolButton*>("btnAddFolder")->geometry().right() + 1;
    toolbar->resize(lastRight, toolbar->height());
    EXPECT_TRUE(paste->isVisibleTo(toolbar));
    EXPECT_FALSE(more->isVisibleTo(toolbar));
    toolbar->resize(paste->geometry().right(), toolbar->height());
    EXPECT_FALSE(paste->isVisibleTo(toolbar));
    EXPECT_TRUE(more->isVisibleTo(toolbar));
    QStringList offered;
    for (QAction* item : frame->findChild<QMenu*>("mnuPhotoTools")->actions())
        if (item->isVisible()) offered << item->text();
    EXPECT_EQ(offered, (QStringList{"Paste", "Rotate", "Add Folder..."}));
    toolbar->resize(lastRight, toolbar->height());
    EXPECT_FALSE(more->isVisibleTo(toolbar));

    auto* splitter = frame->findChild<QSplitter*>();
    EXPECT_EQ(frame->findChild<QWidget*>("Panel1")->width(), main->CategoryPaneWidth());
    splitter->setSizes({300, 500});
    emit splitter->splitterMoved(300, 1);
    EXPECT_EQ(main->CategoryPaneWidth(), 300);
}

TEST_F(EditShowFrameTest, SortsRewriteTheOrderInOneStepKeepingTheSelectionAndTheOrderSurvivesReopening) {
    using namespace std::chrono;
    tree->setCurrentIndex(IndexOfNode(0));
    EXPECT_FALSE(MenuItemEnabled("SortByName1")) << "the root has no photos";
    const auto dated = [](const char* date) {
        return testing::EncodeJpeg(8, 8, 1, [](int, int, std::uint8_t* out) { out[0] = 7; }, {.exifDateTaken = date});
    };
    ShowSnowWith({{"IMG_10.jpg", dated("2021:03:05 10:00:00")},
                  {"img_9.JPG", jpeg},
                  {"Beach.jpg", dated("2021:03:01 10:00:00")},
                  {"IMG_2.jpg", jpeg}});
    // Days apart from the dates taken, so that any time zone keeps the order.
    fs::last_write_time(show + "0002/00000002.pho", file_clock::from_sys(sys_seconds(sys_days(2021y / 3 / 7))));
    fs::last_write_time(show + "0002/00000004.pho", file_clock::from_sys(sys_seconds(sys_days(2021y / 3 / 3))));
    EXPECT_TRUE(MenuItemEnabled("SortByName1") && MenuItemEnabled("SortByDateTaken1"));
    SelectRows({1, 3});
    TriggerMenuItem("SortByDateTaken1");
    EXPECT_EQ(Listed(), "P3 P4* P1 P2* /P4");
    TriggerMenuItem("SortByName1");
    EXPECT_EQ(Listed(), "P3 P4* P2* P1 /P4");

    // The panel's photo is written first, as Up and Down write it.
    SelectRows({3});
    TypeName(QStringLiteral("Dunes"));
    TriggerMenuItem("SortByDateTaken1");
    EXPECT_EQ(Listed(), "P3 P4 Dunes* P2 /Dunes");
    EXPECT_EQ(ReadFile(show + "0002/00000001.dat").substr(0, 12), "Name=Dunes\r\n");
    Reopen();
    EXPECT_EQ(ReadFile(show + "0002/folder.dat"),
              "00000003=Beach.jpg\r\n00000004=IMG_2.jpg\r\n00000001=IMG_10.jpg\r\n00000002=img_9.JPG\r\n");
    EXPECT_EQ(Listed(), "P3* P4 Dunes P2 /P3");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(EditShowFrameTest, DraggedPhotosLandTogetherAtTheDrawnDropPointAndTheirOwnPlaceWritesNothing) {
    ShowSnowWith({{"a.jpg", jpeg}, {"b.jpg", jpeg}, {"c.jpg", jpeg}, {"d.jpg", jpeg}});
    QWidget* viewport = photos->viewport();
    const QRgb line = photos->palette().color(QPalette::Text).rgb();
    const auto lineAt = [&](int y) { return viewport->grab().toImage().pixel(300, y) == line; };
    // The point of the gap before row `gap`, or after the last row for the row count.
    const auto gapPoint = [&](int gap) {
        const int rows = photos->model()->rowCount();
        const QRect card = photos->visualRect(photos->model()->index(std::min(gap, rows - 1), 0));
        return gap < rows ? card.topLeft() + QPoint(300, 10) : card.bottomLeft() + QPoint(300, -10);
    };
    const auto dragTo = [&](int gap, const std::string& folder, bool drawn = true) {
        const std::unique_ptr<QMimeData> data(MakePhotoMoveData(folder));
        const QPoint at = gapPoint(gap);
        QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &move);
        const int lineY = gap < photos->model()->rowCount()
                              ? photos->visualRect(photos->model()->index(gap, 0)).top()
                              : photos->visualRect(photos->model()->index(gap - 1, 0)).bottom();
        EXPECT_EQ(lineAt(lineY), drawn) << "gap " << gap;
        QDropEvent drop(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &drop);
        QCoreApplication::processEvents();
        EXPECT_FALSE(lineAt(lineY)) << "cleared after the drop";
        return drop.isAccepted();
    };
    const std::string snow = frame->Document().CategoryFolder;
    SelectRows({1, 3});
    dragTo(0, snow);
    EXPECT_EQ(Listed(), "P2* P4* P1 P3 /P4");
    dragTo(4, snow);
    EXPECT_EQ(Listed(), "P1 P3 P2* P4* /P4");

    SelectRows({0});
    QLineEdit* name = TypeName(QStringLiteral("Dunes"));
    dragTo(2, snow);
    EXPECT_EQ(Listed(), "P3 Dunes* P2 P4 /Dunes");
    EXPECT_EQ(ReadFile(show + "0002/00000001.dat").substr(0, 12), "Name=Dunes\r\n");
    SelectRows({1});
    name->setText(QStringLiteral("Unsaved"));
    dragTo(2, snow);
    EXPECT_EQ(ReadFile(show + "0002/00000001.dat").substr(0, 12), "Name=Dunes\r\n") << "a drop in place writes nothing";
    EXPECT_FALSE(dragTo(0, show + "0001/", false)) << "photos of another category";
    EXPECT_EQ(Listed(), "P3 Dunes* P2 P4 /Dunes");

    // Near the bottom edge of a list too long to show whole, it scrolls.
    main->resize(900, 330);
    QCoreApplication::processEvents();
    ASSERT_GT(photos->verticalScrollBar()->maximum(), 0);
    const std::unique_ptr<QMimeData> data(MakePhotoMoveData(snow));
    QDragEnterEvent enter(viewport->rect().center(), Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(viewport, &enter);
    QDragMoveEvent nearEdge(QPoint(300, viewport->height() - 2), Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(viewport, &nearEdge);
    EXPECT_GT(photos->verticalScrollBar()->value(), 0);
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(viewport, &leave);

    Reopen();
    EXPECT_EQ(ReadFile(show + "0002/folder.dat"),
              "00000003=c.jpg\r\n00000001=a.jpg\r\n00000002=b.jpg\r\n00000004=d.jpg\r\n");
    EXPECT_EQ(Listed(), "P3* Dunes P2 P4 /P3");
}

// The card once showed the stored thumbnail on its side while the viewer turned the photo.
TEST_F(EditShowFrameTest, CardOfARotatedPhotoShowsItsThumbnailTurnedAndFollowsTheRotationChosen) {
    Bitmap thumbnail(40, 20, PixelFormat::Bits24);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) thumbnail.Row(y)[3 * x + 2] = 0xFF;
    WriteFile(show + "0002/00000001.thu", EncodeBmp(thumbnail));
    WriteFile(show + "0002/00000001.pho", jpeg);
    WriteFile(show + "0002/00000001.dat", "Name=P1\r\nRotate=1\r\n");
    WriteFile(show + "0002/folder.dat", "00000001=a.jpg\r\n");
    tree->setCurrentIndex(IndexOfNode(2));
    // Upright the 40 × 20 picture spans x 26..65, y 33..52 of the card; turned, x 36..55, y 23..62.
    const auto red = [&](int x, int y) { return QColor(photos->viewport()->grab().toImage().pixel(x, y)) == Qt::red; };
    EXPECT_TRUE(red(45, 28) && !red(30, 45));
    ChooseRotation(QStringLiteral("No Rotation"));
    EXPECT_TRUE(!red(45, 28) && red(30, 45));
}

}  // namespace
}  // namespace velvora
