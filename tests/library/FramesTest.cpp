// The start page, new-show and open-show frames driven as a user would drive them.
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/Global.h"
#include "app/Progress.h"
#include "app/ShellRequests.h"
#include "library/ShowCard.h"
#include "library/ShowIndex.h"
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
using testing::RecordedMessage;
using testing::WriteFile;

struct RecordingShell final : ShellRequests {
    void RequestNewShow() override { calls.push_back("new"); }
    void RequestOpenShow() override { calls.push_back("open"); }
    void RequestStartPage() override { calls.push_back("start"); }
    void OpenShow(const std::string& showFolder) override { calls.push_back("show:" + showFolder); }
    std::vector<std::string> calls;
};

// Remembers what the last progress window showed, after it has closed.
struct ProgressRecord {
    std::string title;
    bool barShown = true;
};

class RecordingProgressView final : public ProgressView {
public:
    explicit RecordingProgressView(ProgressRecord& record) : record_(record) {}
    void SetLine(ProgressLine line, const std::string& text) override {
        if (line == ProgressLine::Title) record_.title = text;
    }
    void SetBar(bool visible, int, int) override { record_.barShown = visible; }
    void ShowCancel(bool) override {}
    void Repaint() override {}
    void RepaintStatus() override {}

private:
    ProgressRecord& record_;
};

template <typename T>
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

    // Shows `frame` in an active window, so that focus and keys behave as on screen.
    static void ShowActive(QWidget& frame) {
        frame.resize(760, 520);
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }

    std::string AddShow(const std::string& name, const std::string& title, const std::string& author = "") {
        const std::string folder = ShowsPath + name + "/";
        WriteFile(folder + ShowSettingsFileName, "Title=" + title + "\r\nDescription=about " + name +
                                                     "\r\nAuthor=" + author + "\r\n");
        RegisterShow(folder);
        return folder;
    }

    RecordingShell shell;
    testing::ScriptedDialogs dialogs;
};

// ---- start page ----

TEST_F(FramesTest, StartPageCentresItsPanelWithTruncatingDivision) {
    TFrameNewCreate frame(shell);
    frame.show();
    auto* panel = Child<QWidget>(frame, "pnlOptions");
    struct Row {
        QSize frame;
        QPoint panel;
    };
    const Row rows[] = {
        {{800, 600}, {243, 163}},
        {{314, 274}, {0, 0}},
        {{312, 272}, {0, 0}},  // -1 / 2 truncates to 0, not -1
        {{100, 50}, {-106, -111}},
    };
    for (const Row& row : rows) {
        frame.resize(row.frame);
        EXPECT_EQ(panel->pos(), row.panel) << row.frame.width() << "x" << row.frame.height();
    }
}

TEST_F(FramesTest, StartPageRowsAskTheShellAndExitEndsTheLoop) {
    TFrameNewCreate frame(shell);
    ShowActive(frame);
    QTest::mouseClick(Child<QAbstractButton>(frame, "btnNew"), Qt::LeftButton);
    QTest::mouseClick(Child<QAbstractButton>(frame, "btnOpen"), Qt::LeftButton);
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"new", "open"}));

    auto* exit = Child<QAbstractButton>(frame, "btnExit");
    QTimer::singleShot(0, exit, [exit] { QTest::mouseClick(exit, Qt::LeftButton); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });  // a loop that never ends fails here
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

// ---- new-show frame ----

TEST_F(FramesTest, CreateMakesTheShowAndOpensIt) {
    TFrameNewSlideShow frame(shell);
    ShowActive(frame);
    Child<QLineEdit>(frame, "txtTitle")->setText(QStringLiteral("Été à Rome"));  // keyClicks is ASCII only
    QTest::keyClicks(Child<QLineEdit>(frame, "txtAuthor"), QStringLiteral("Ann"));
    QTest::mouseClick(Child<QPushButton>(frame, "btnCreate"), Qt::LeftButton);

    const std::string folder = ShowsPath + "t Rome/";
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"show:" + folder}));
    EXPECT_EQ(ReadFile(ShowsPath + ShowIndexFileName), folder + "\r\n");
    const std::string settings = ReadFile(folder + ShowSettingsFileName);
    EXPECT_EQ(settings.substr(0, 47), "Title=\xC3\x89t\xC3\xA9 \xC3\xA0 Rome\r\nDescription=\r\nAuthor=Ann\r\n");
}

TEST_F(FramesTest, BlankTitleIsRefusedWithTheMessageAndNothingIsWritten) {
    TFrameNewSlideShow frame(shell);
    ShowActive(frame);
    auto* title = Child<QLineEdit>(frame, "txtTitle");
    QTest::keyClicks(title, QStringLiteral("   "));
    QTest::mouseClick(Child<QPushButton>(frame, "btnCreate"), Qt::LeftButton);

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, RecordedMessage::Kind::Info);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Please enter a title for your new photo slide show."));
    EXPECT_EQ(QApplication::focusWidget(), title);
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_TRUE(fs::is_empty(ShowsPath));
}

TEST_F(FramesTest, EnterWalksTheFieldsAndTheThirdCreatesOnce) {
    TFrameNewSlideShow frame(shell);
    ShowActive(frame);
    frame.FocusTitle();
    auto* title = Child<QLineEdit>(frame, "txtTitle");
    auto* description = Child<QLineEdit>(frame, "txtDescription");
    auto* author = Child<QLineEdit>(frame, "txtAuthor");
    ASSERT_EQ(QApplication::focusWidget(), title);
    const QLineEdit* expectedNext[] = {description, author};
    for (const QLineEdit* next : expectedNext) {
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
    QTest::keyClicks(author, QStringLiteral("x"));
    QTest::keyClick(author, Qt::Key_Enter);
    QTest::keyClick(author, Qt::Key_Return);  // before the main window replaces the frame

    EXPECT_EQ(shell.calls, (std::vector<std::string>{"show:" + ShowsPath + "x/"}));
    EXPECT_EQ(ShowList.size(), 1u);
    EXPECT_EQ(title->text() + description->text() + author->text(), QStringLiteral("xxx"));
}

TEST_F(FramesTest, NewShowCancelAndEscapeReturnToTheStartPage) {
    TFrameNewSlideShow frame(shell);
    ShowActive(frame);
    QTest::keyClick(Child<QLineEdit>(frame, "txtDescription"), Qt::Key_Escape);
    QTest::mouseClick(Child<QPushButton>(frame, "btnCancel"), Qt::LeftButton);
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"start", "start"}));
}

TEST_F(FramesTest, FailedCreateIsShownAndDoesNotOpen) {
    WriteFile(Home() + "blocker", "a file where the library should be");
    ShowsPath = Home() + "blocker/";
    TFrameNewSlideShow frame(shell);
    ShowActive(frame);
    QTest::keyClicks(Child<QLineEdit>(frame, "txtTitle"), QStringLiteral("Trip"));
    QTest::mouseClick(Child<QPushButton>(frame, "btnCreate"), Qt::LeftButton);

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, RecordedMessage::Kind::Warning);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("Cannot create file")));
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_TRUE(ShowList.empty());
}

// ---- open-show frame ----

class OpenShowTest : public FramesTest {
protected:
    static std::vector<std::string> Titles(QListWidget* list) {
        std::vector<std::string> titles;
        for (int row = 0; row < list->count(); ++row)
            titles.push_back(list->item(row)->data(ShowRecordRole).value<ShowRecord>().Title);
        return titles;
    }
};

TEST_F(OpenShowTest, ListIsSortedByTitleWithoutRegardToCase) {
    const std::string alpha = AddShow("A", "Alpha", "Ann");
    AddShow("B", "beta");
    AddShow("C", "Gamma");
    AddShow("D", "Beta 2");
    AddShow("E", "alpha");
    TFrameOpenShow frame(shell);
    frame.FillList();
    auto* list = Child<QListWidget>(frame, "lbxShows");
    // Equal titles keep the listing's order, which walks from the latest show.
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"alpha", "Alpha", "beta", "Beta 2", "Gamma"}));
    EXPECT_EQ(list->item(1)->text(), FromStored("Alpha\xFF" + alpha + "\xFF" "about A\xFF" "Ann\xFF"));
}

TEST_F(OpenShowTest, OpenTakesTheFolderFromTheRecordEvenWhenTheTitleHoldsTheSeparator) {
    AddShow("Plain", "Plain");
    const std::string tricky = AddShow("Tricky", "Tom\xFF/elsewhere/\xFFJerry");
    TFrameOpenShow frame(shell);
    frame.FillList();
    ShowActive(frame);
    auto* list = Child<QListWidget>(frame, "lbxShows");

    QTest::mouseClick(Child<QPushButton>(frame, "btnOpen"), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Please select a slide show from the list and then try again."));
    EXPECT_TRUE(shell.calls.empty());

    list->setCurrentRow(1);
    QTest::mouseClick(Child<QPushButton>(frame, "btnOpen"), Qt::LeftButton);
    const QPoint onFirstRow = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onFirstRow);  // a double click starts as a click
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, onFirstRow);
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"show:" + tricky, "show:" + ShowsPath + "Plain/"}));
}

TEST_F(OpenShowTest, DeleteAsksFirstAndNoKeepsTheShow) {
    const std::string folder = AddShow("A", "Alpha");
    TFrameOpenShow frame(shell);
    ShowActive(frame);
    frame.FillList();
    auto* list = Child<QListWidget>(frame, "lbxShows");
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_TRUE(dialogs.messages.empty());

    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Delete);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, RecordedMessage::Kind::Confirm);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral(
                  "Are you sure you want to delete the selected slide show?\r\n\r\nIf you answer yes, all the photos "
                  "it contains will be permanently deleted. You can not undo this action.\r\n\r\nNote: Velvora "
                  "creates an internal copy of your photos when you add them to a slide show. Therefore, only the "
                  "internal copies of this slide show's photos will be deleted. Your original photo files are never "
                  "deleted by Velvora."));
    EXPECT_TRUE(fs::exists(folder + ShowSettingsFileName));
    EXPECT_EQ(list->count(), 1);
}

TEST_F(OpenShowTest, DeleteRemovesTheFolderAndSelectsTheRowThatTakesItsPlace) {
    const std::string a = AddShow("A", "Alpha");
    const std::string b = AddShow("B", "Beta");
    const std::string c = AddShow("C", "Gamma");
    const std::string index = ReadFile(ShowsPath + ShowIndexFileName);
    ProgressRecord progress;
    const ProgressViewFactory previous = SetProgressViewFactory(
        [&progress](std::function<void()>) { return std::make_unique<RecordingProgressView>(progress); });
    TFrameOpenShow frame(shell);
    ShowActive(frame);
    frame.FillList();
    auto* list = Child<QListWidget>(frame, "lbxShows");
    struct Step {
        int row;
        std::string folder;
        std::vector<std::string> left;
        int selectedAfter;
    };
    const Step steps[] = {
        {1, b, {"Alpha", "Gamma"}, 1},  // a middle row: the next row moves up into it
        {1, c, {"Alpha"}, 0},           // the last row: the new last row
        {0, a, {}, -1},                 // the only row: nothing is left to select
    };
    for (const Step& step : steps) {
        list->setCurrentRow(step.row);
        dialogs.AnswerConfirm(true);
        QTest::mouseClick(Child<QPushButton>(frame, "btnDelete"), Qt::LeftButton);
        EXPECT_FALSE(fs::exists(step.folder)) << step.folder;
        EXPECT_EQ(Titles(list), step.left);
        const auto selected = list->selectedItems();
        EXPECT_EQ(selected.isEmpty() ? -1 : list->row(selected.first()), step.selectedAfter) << step.folder;
    }
    SetProgressViewFactory(previous);
    EXPECT_EQ(progress.title, "Deleting slide show...");
    EXPECT_FALSE(progress.barShown);
    EXPECT_FALSE(ProgressIsOpen());
    EXPECT_TRUE(list->updatesEnabled());
    EXPECT_EQ(ReadFile(ShowsPath + ShowIndexFileName), index);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(OpenShowTest, CreateCancelAndEscapeAskTheShell) {
    TFrameOpenShow frame(shell);
    ShowActive(frame);
    QTest::mouseClick(Child<QPushButton>(frame, "btnCreate"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(frame, "btnCancel"), Qt::LeftButton);
    QTest::keyClick(Child<QListWidget>(frame, "lbxShows"), Qt::Key_Escape);
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"new", "start", "start"}));
}

// ---- show cards ----

static QImage CardImage(const std::string& author, bool selected = false) {
    QImage image(320, ShowCardHeight, QImage::Format_ARGB32);
    QPixmap icon(DocIconSize);
    icon.fill(Qt::darkBlue);
    QPainter painter(&image);
    const ShowRecord record{"Alpha", "/shows/A/", "A long weekend", author};
    DrawShowCard(painter, image.rect(), record, icon, QApplication::palette(), selected);
    return image;
}

TEST(ShowCard, ByAuthorAppearsOnlyWhenTheTrimmedAuthorIsNotEmpty) {
    EXPECT_EQ(CardImage(""), CardImage("   "));
    EXPECT_NE(CardImage(""), CardImage("Ann"));
    EXPECT_NE(CardImage("Ann"), CardImage("Ann", true));
}

}  // namespace
}  // namespace velvora
