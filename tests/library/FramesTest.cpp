// The start page, new-show and open-show frames driven as a user would drive them.
#include <filesystem>
#include <tuple>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include "base/Global.h"
#include "base/Progress.h"
#include "base/ShellRequests.h"
#include "library/ShowCard.h"
#include "library/frmNewCreate.h"
#include "library/frmNewSlideShow.h"
#include "library/frmOpenShow.h"
#include "platform/TextCodec.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using Kind = testing::RecordedMessage::Kind;
using Calls = std::vector<std::string>;

struct RecordingShell final : ShellRequests {
    void RequestNewShow() override { calls.push_back("new"); }
    void RequestOpenShow() override { calls.push_back("open"); }
    void RequestStartPage() override { calls.push_back("start"); }
    void OpenShow(const std::string& showFolder) override { calls.push_back("show:" + showFolder); }
    Calls calls;
};

template <typename T = QAbstractButton>
T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

class FramesTest : public testing::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        InitShowsPath();
        LoadShowList();
    }

    // Shown in an active window, so that focus and keys behave as on screen.
    static void ShowActive(QWidget& frame) {
        frame.resize(760, 520);
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }

    std::string AddShow(const std::string& name, const std::string& title, const std::string& author = "") {
        const std::string folder = ShowsPath + name + "/";
        testing::WriteFile(folder + ShowSettingsFileName,
                           "Title=" + title + "\r\nDescription=about " + name + "\r\nAuthor=" + author + "\r\n");
        RegisterShow(folder);
        return folder;
    }

    static std::vector<std::string> Titles(QListWidget* list) {
        std::vector<std::string> titles;
        for (int row = 0; row < list->count(); ++row)
            titles.push_back(list->item(row)->data(ShowRecordRole).value<ShowRecord>().Title);
        return titles;
    }

    RecordingShell shell;
    testing::ScriptedDialogs dialogs;
};

TEST_F(FramesTest, BlankTitleIsRefusedThenEnterWalksTheFieldsAndTheThirdCreatesTheShowOnce) {
    TFrameNewSlideShow frame(shell);
    ShowActive(frame);
    auto* title = Child<QLineEdit>(frame, "txtTitle");
    QTest::keyClicks(title, QStringLiteral("   "));
    QTest::mouseClick(Child(frame, "btnCreate"), Qt::LeftButton);
    EXPECT_EQ(dialogs.Texts(Kind::Info), std::vector<QString>{"Please enter a title for your new photo slide show."});
    EXPECT_EQ(QApplication::focusWidget(), title);
    EXPECT_TRUE(fs::is_empty(ShowsPath));

    title->setText(QStringLiteral("Été à Rome"));  // keyClicks types ASCII only
    QTest::keyClick(title, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Child<QLineEdit>(frame, "txtDescription"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    auto* author = Child<QLineEdit>(frame, "txtAuthor");
    EXPECT_EQ(QApplication::focusWidget(), author);
    QTest::keyClicks(author, QStringLiteral("Ann"));
    QTest::keyClick(author, Qt::Key_Enter);
    QTest::keyClick(author, Qt::Key_Return);  // arrives before the main window replaces the frame
    const std::string folder = ShowsPath + "t Rome/";
    EXPECT_EQ(shell.calls, (Calls{"show:" + folder}));
    EXPECT_EQ(ReadFile(ShowsPath + ShowIndexFileName), folder + "\r\n");
    EXPECT_EQ(ReadFile(folder + ShowSettingsFileName).substr(0, 47),
              "Title=\xC3\x89t\xC3\xA9 \xC3\xA0 Rome\r\nDescription=\r\nAuthor=Ann\r\n");
}

TEST_F(FramesTest, StartPageCentresItsPanelAndButtonsAndEscapeAskTheShellAndExitEndsTheLoop) {
    TFrameNewCreate start(shell);
    start.show();
    // Truncating division, and negative offsets once the panel no longer fits.
    const std::pair<QSize, QPoint> centred[] = {
        {{800, 600}, {243, 163}}, {{314, 274}, {0, 0}}, {{312, 272}, {0, 0}}, {{100, 50}, {-106, -111}}};
    for (const auto& [size, position] : centred) {
        start.resize(size);
        EXPECT_EQ(Child<QWidget>(start, "pnlOptions")->pos(), position) << size.width() << "x" << size.height();
    }

    TFrameNewSlideShow newShow(shell);
    TFrameOpenShow openShow(shell);
    ShowActive(start);
    QTest::mouseClick(Child(start, "btnNew"), Qt::LeftButton);
    QTest::mouseClick(Child(start, "btnOpen"), Qt::LeftButton);
    ShowActive(newShow);
    QTest::keyClick(Child<QLineEdit>(newShow, "txtDescription"), Qt::Key_Escape);
    QTest::mouseClick(Child(newShow, "btnCancel"), Qt::LeftButton);
    ShowActive(openShow);
    QTest::keyClick(Child<QListWidget>(openShow, "lbxShows"), Qt::Key_Escape);
    QTest::mouseClick(Child(openShow, "btnCancel"), Qt::LeftButton);
    QTest::mouseClick(Child(openShow, "btnCreate"), Qt::LeftButton);
    EXPECT_EQ(shell.calls, (Calls{"new", "open", "start", "start", "start", "start", "new"}));
    auto* exit = Child(start, "btnExit");
    QTimer::singleShot(0, exit, [exit] { QTest::mouseClick(exit, Qt::LeftButton); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });  // a loop that never ends fails here
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

TEST_F(FramesTest, ListIsSortedWithoutRegardToCaseAndOpenTakesTheRecordsFolder) {
    const std::string alpha = AddShow("A", "Alpha", "Ann");
    for (const auto& [name, title] : {std::pair{"B", "beta"}, {"C", "Gamma"}, {"D", "Beta 2"}, {"E", "alpha"}})
        AddShow(name, title);
    // The title may hold the separator byte of the item text; the record beside the item still names the folder.
    const std::string tricky = AddShow("T", "Tom\xFF/elsewhere/\xFFJerry");
    TFrameOpenShow frame(shell);
    frame.FillList();
    ShowActive(frame);
    auto* list = Child<QListWidget>(frame, "lbxShows");
    // Equal titles keep the listing's order, which walks from the latest show.
    EXPECT_EQ(Titles(list),
              (std::vector<std::string>{"alpha", "Alpha", "beta", "Beta 2", "Gamma", "Tom\xFF/elsewhere/\xFFJerry"}));
    EXPECT_EQ(list->item(1)->text(), FromStored("Alpha\xFF" + alpha + "\xFF" + "about A\xFF" + "Ann\xFF"));

    QTest::mouseClick(Child(frame, "btnOpen"), Qt::LeftButton);
    EXPECT_EQ(dialogs.Texts(Kind::Info),
              std::vector<QString>{"Please select a slide show from the list and then try again."});
    list->setCurrentRow(5);
    QTest::mouseClick(Child(frame, "btnOpen"), Qt::LeftButton);
    const QPoint onFirstRow = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onFirstRow);  // a double click starts as a click
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, onFirstRow);
    EXPECT_EQ(shell.calls, (Calls{"show:" + tricky, "show:" + ShowsPath + "E/"}));
}

// A show folder the index lacks (copied in by hand, or made while the index could not be
// written) is added to the index once, after the entries there, and listed once. Opening a
// show writes into its folder, so an entry that leads out of the library, by ".." or by a
// link, is not offered at all.
TEST_F(FramesTest, ShowFoldersMissingFromTheIndexAreAddedOnceAndEntriesLeadingOutAreNotListed) {
    AddShow("A", "Alpha");
    const std::string victim = Home() + "victim/";
    testing::WriteFile(victim + ShowSettingsFileName, "Title=Victim\r\n");
    fs::create_directory_symlink(Home() + "victim", ShowsPath + "Link");
    for (const std::string& outside :
         {ShowsPath + "../victim/", ShowsPath + "A/../../victim/", victim, ShowsPath + "Link/", ShowsPath})
        RegisterShow(outside);
    testing::WriteFile(ShowsPath + "E/" + ShowSettingsFileName, "Title=Echo\r\n");
    RegisterShow(ShowsPath + "./E/");  // the same folder under another text
    for (const char* name : {"C", "B"})
        testing::WriteFile(ShowsPath + name + "/" + ShowSettingsFileName, std::string("Title=") + name + "\r\n");
    fs::create_directories(ShowsPath + "Empty");
    fs::create_directories(ShowsPath + "Unreadable/" + ShowSettingsFileName);
    fs::create_directory_symlink(ShowsPath + "A", ShowsPath + "Link to A");
    testing::WriteFile(ShowsPath + "Loose/file", "not a show");
    const std::string index = ReadFile(ShowsPath + ShowIndexFileName);

    for (int pass = 0; pass < 2; ++pass) {
        TFrameOpenShow frame(shell);
        frame.FillList();
        auto* list = Child<QListWidget>(frame, "lbxShows");
        EXPECT_EQ(Titles(list), (std::vector<std::string>{"Alpha", "B", "C", "Echo"})) << pass;
        EXPECT_EQ(ReadFile(ShowsPath + ShowIndexFileName), index + ShowsPath + "B/\r\n" + ShowsPath + "C/\r\n") << pass;
        list->setCurrentRow(1);
        QTest::mouseClick(Child(frame, "btnOpen"), Qt::LeftButton);
    }
    EXPECT_EQ(shell.calls, (Calls{"show:" + ShowsPath + "B/", "show:" + ShowsPath + "B/"}));
    for (const auto& entry : fs::directory_iterator(ShowsPath))
        EXPECT_FALSE(entry.is_regular_file() && entry.path().filename() != ShowIndexFileName) << entry.path();
}

TEST_F(FramesTest, DeleteAsksFirstRemovesTheFolderAndSelectsTheRowTakingItsPlace) {
    const std::string a = AddShow("A", "Alpha"), b = AddShow("B", "Beta"), c = AddShow("C", "Gamma");
    const std::string index = ReadFile(ShowsPath + ShowIndexFileName);
    TFrameOpenShow frame(shell);
    frame.FillList();
    ShowActive(frame);
    auto* list = Child<QListWidget>(frame, "lbxShows");
    QTest::keyClick(list, Qt::Key_Delete);  // nothing selected: nothing asked
    EXPECT_TRUE(dialogs.messages.empty());
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Delete);  // answered No
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, Kind::Confirm);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(
        QStringLiteral("Are you sure you want to delete the selected slide show?\r\n\r\nIf you answer yes, all the ")));
    EXPECT_TRUE(fs::exists(a));
    // A show whose folder went away behind the list's back cannot be deleted: the user is
    // told, and the row stays until the list is built again.
    fs::rename(a, ShowsPath + "A moved");
    dialogs.AnswerConfirm(true);
    QTest::mouseClick(Child(frame, "btnDelete"), Qt::LeftButton);
    ASSERT_EQ(dialogs.Texts(Kind::Warning).size(), 1u);
    EXPECT_TRUE(dialogs.Texts(Kind::Warning)[0].startsWith("Cannot remove folder"));
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
    fs::rename(ShowsPath + "A moved", a);

    // Row deleted, its folder, the titles left, the row selected after: a middle row, the last row, the only row.
    const std::tuple<int, std::string, std::vector<std::string>, int> steps[] = {
        {1, b, {"Alpha", "Gamma"}, 1}, {1, c, {"Alpha"}, 0}, {0, a, {}, -1}};
    for (const auto& [row, folder, left, selectedAfter] : steps) {
        list->setCurrentRow(row);
        dialogs.AnswerConfirm(true);
        QTest::mouseClick(Child(frame, "btnDelete"), Qt::LeftButton);
        EXPECT_FALSE(fs::exists(folder)) << folder;
        EXPECT_EQ(Titles(list), left);
        const auto selected = list->selectedItems();
        EXPECT_EQ(selected.isEmpty() ? -1 : list->row(selected.first()), selectedAfter) << folder;
    }
    EXPECT_FALSE(ProgressIsOpen());
    EXPECT_EQ(ReadFile(ShowsPath + ShowIndexFileName), index);
}

static QImage CardImage(const std::string& author, bool selected = false) {
    QImage image(320, ShowCardHeight, QImage::Format_ARGB32);
    QPixmap icon(DocIconSize);
    icon.fill(Qt::darkBlue);
    QPainter painter(&image);
    DrawShowCard(painter, image.rect(), {"Alpha", "/shows/A/", "A long weekend", author}, icon, QApplication::palette(),
                 selected);
    return image;
}

TEST(ShowCard, ByAuthorAppearsOnlyWhenTheTrimmedAuthorIsNotEmpty) {
    EXPECT_EQ(CardImage(""), CardImage("   "));
    EXPECT_NE(CardImage(""), CardImage("Ann"));
    EXPECT_NE(CardImage("Ann"), CardImage("Ann", true));
}

}  // namespace
}  // namespace velvora
