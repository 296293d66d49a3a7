// The main window driven through its menus, shortcuts and posted requests, with the real
// library frames and a recording stand-in for the editor.
#include <filesystem>
#include <stdexcept>
#include <tuple>

#include <unistd.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTest>

#include "app/AppInfo.h"
#include "app/frmMain.h"
#include "base/Global.h"
#include "base/Progress.h"
#include "library/ShowIndex.h"
#include "platform/MessagePump.h"
#include "platform/UrlOpener.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

using Kind = testing::RecordedMessage::Kind;

// What the stand-in editor was asked to do, kept outside it because frames get destroyed.
struct EditorLog {
    int closes = 0;
    bool refuseClose = false, failLoad = false;
    std::vector<EditorCommand> commands;
};

class RecordingEditor final : public ShowEditorFrame {
public:
    RecordingEditor(EditorLog& log, QWidget* parent) : ShowEditorFrame(parent), log_(log) {}
    void LoadShow() override {
        if (log_.failLoad) throw std::runtime_error("Cannot open file \"categories.dat\".");
    }
    bool CloseShow() override {
        ++log_.closes;
        return !log_.refuseClose;
    }
    void RunCommand(EditorCommand command) override { log_.commands.push_back(command); }
    bool PhotoViewerVisible() const override { return false; }
    void ShowPhotoViewer(bool, bool) override {}

private:
    EditorLog& log_;
};

struct TooltipRecorder : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ToolTip) ++tooltips;
        return false;
    }
    int tooltips = 0;
};

void RunPostedEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

class MainWindowTest : public testing::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settings_.Path()));
        previousOpener_ = SetUrlOpener([this](const QUrl& url) {
            openedUrls.push_back(url);
            return true;
        });
    }
    void TearDown() override {
        main.reset();
        SetUrlOpener(previousOpener_);
        ProgressClose();
        ProgramFolderTest::TearDown();
    }

    // A fresh main window, active so that it takes the shortcuts; any earlier one is closed first.
    void Start() {
        main.reset();
        main = std::make_unique<TMain>(
            [this](EditorHost&, QWidget* parent) { return new RecordingEditor(editor, parent); });
        main->show();
        main->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }
    QAction* Item(const char* name) { return main->findChild<QAction*>(name); }
    // Ctrl+N, then the title typed and Enter in each of the three fields, as a user makes a show.
    void TypeNewShow(const char* title) {
        QTest::keyClick(main.get(), Qt::Key_N, Qt::ControlModifier);
        RunPostedEvents();
        auto* field = main->findChild<QLineEdit*>("txtTitle");
        ASSERT_NE(field, nullptr);
        ASSERT_EQ(QApplication::focusWidget(), field);
        QTest::keyClicks(field, title);
        for (int i = 0; i < 3; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        RunPostedEvents();
    }
    bool MenuShown(const char* name) { return main->findChild<QMenu*>(name)->menuAction()->isVisible(); }

    // Opens a show that has only its title stored; the editor frame takes over unless it fails.
    void OpenTrip() {
        const std::string folder = Home() + "Slide Shows/trip/";
        testing::WriteFile(folder + ShowSettingsFileName, "Title=Trip\r\n");
        main->OpenShow(folder);
        RunPostedEvents();
    }

    testing::ScriptedDialogs dialogs;
    EditorLog editor;
    std::vector<QUrl> openedUrls;
    std::unique_ptr<TMain> main;

private:
    testing::TempFolder settings_;
    UrlOpenerFunction previousOpener_;
};

// Editor commands, by shortcut or from the Photos menu while it is hidden, reach the editor alone.
TEST_F(MainWindowTest, MenuStatesFollowTheFrameAndEditorCommandsReachOnlyTheEditor) {
    Start();
    using Row = std::tuple<FrameKind, bool, bool, bool, bool>;
    for (const auto& [kind, photos, properties, close, publish] :
         {Row{FrameKind::StartPage, false, false, false, false}, Row{FrameKind::NewShow, false, false, true, false},
          Row{FrameKind::OpenShow, false, false, true, false}, Row{FrameKind::Editor, true, true, true, true},
          Row{FrameKind::StartPage, false, false, false, false}}) {
        if (kind == FrameKind::Editor)
            OpenTrip();
        else
            main->ShowFrame(kind);
        SCOPED_TRACE(static_cast<int>(kind));
        EXPECT_EQ(main->CurrentFrameKind(), kind);
        EXPECT_FALSE(MenuShown("Categories1"));
        EXPECT_FALSE(MenuShown("Rotate1"));
        EXPECT_EQ(MenuShown("Photos1"), photos);
        EXPECT_EQ(Item("SlideShowProperties1")->isEnabled(), properties);
        EXPECT_EQ(Item("Close1")->isEnabled(), close);
        EXPECT_EQ(Item("Publish1")->isEnabled(), publish);
        QTest::keyClick(main.get(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        Item("Add2")->trigger();
        QTest::keyClick(main.get(), Qt::Key_H, Qt::ControlModifier);
    }
    EXPECT_EQ(editor.commands,
              (std::vector{EditorCommand::AddCategory, EditorCommand::AddPhotos, EditorCommand::Publish}));
}

TEST_F(MainWindowTest, NewShowTypedWithEnterOpensInTheEditorAndCtrlNThereClosesItFirst) {
    Start();
    TypeNewShow("Summer");
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::Editor);
    EXPECT_EQ(ShowSettings.Value("Title"), "Summer");
    QTest::keyClick(main.get(), Qt::Key_N, Qt::ControlModifier);
    RunPostedEvents();
    EXPECT_EQ(editor.closes, 1);
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::NewShow);
    EXPECT_EQ(QApplication::focusWidget(), main->findChild<QLineEdit*>("txtTitle"));
}

// A show that cannot be opened changes nothing, and an editor that fails to load is dropped
// unsaved; one that refuses to close stays.
TEST_F(MainWindowTest, OpenRequestShowsProgressAndShowsThatFailToOpenChangeNothing) {
    Start();
    main->RequestOpenShow();
    EXPECT_TRUE(ProgressIsOpen());
    EXPECT_EQ(ProgressLineText(ProgressLine::Title), "Opening slide show...");
    RunPostedEvents();
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::OpenShow);
    EXPECT_FALSE(ProgressIsOpen());
    ShowPath = "/earlier/";
    const std::string folder = Home() + "Slide Shows/empty/";
    std::filesystem::create_directories(folder);
    EXPECT_THROW(main->OpenShow(folder), std::runtime_error);  // no settings file
    RunPostedEvents();
    EXPECT_EQ(ShowPath, "/earlier/");
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::OpenShow);

    editor.failLoad = true;
    OpenTrip();
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::StartPage);
    EXPECT_EQ(editor.closes, 0);
    EXPECT_EQ(dialogs.Texts(Kind::Warning), std::vector<QString>{"Cannot open file \"categories.dat\"."});
    editor.failLoad = false;
    OpenTrip();
    editor.refuseClose = true;
    Item("Close1")->trigger();
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::Editor);
    EXPECT_TRUE(MenuShown("Photos1"));
    EXPECT_TRUE(Item("SlideShowProperties1")->isEnabled());
}

// The first start fits the screen, centred; later starts keep the placement.
TEST_F(MainWindowTest, ClosingTheWindowClosesTheShowAndARestartKeepsPlacementAndOptionsAndReadsTheIndex) {
    Start();
    const QRect available = main->screen()->availableGeometry();
    const QRect first = main->geometry();
    EXPECT_LE(first.width(), 1024);
    EXPECT_LE(first.height(), 720);
    EXPECT_GT(first.width(), 696);  // larger than the old fixed size wherever the screen allows
    EXPECT_TRUE(available.contains(first));
    EXPECT_LE((first.center() - available.center()).manhattanLength(), 2);
    OpenTrip();
    Item("ShowTooltips1")->trigger();
    main->SetPhotoDeleteAsk(false);
    main->setGeometry(QRect(10, 20, 500, 400));
    main->close();
    EXPECT_EQ(editor.closes, 1);
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::None);
    testing::WriteFile(Home() + "Slide Shows/" + ShowIndexFileName, "/x/\r\n/y/\r\n");
    Start();
    EXPECT_EQ(ShowList, (StringList{"/x/", "/y/"}));
    EXPECT_EQ(main->geometry().size(), QSize(500, 400));
    EXPECT_FALSE(main->TooltipsShown());
    EXPECT_FALSE(main->PhotoDeleteAsk());
    // With tooltips off the window's widgets never receive their events.
    TooltipRecorder recorder;
    QWidget* frame = main->CurrentFrame();
    frame->installEventFilter(&recorder);
    QHelpEvent tip(QEvent::ToolTip, QPoint(1, 1), frame->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(frame, &tip);
    EXPECT_EQ(recorder.tooltips, 0);
    Item("ShowTooltips1")->trigger();
    QApplication::sendEvent(frame, &tip);
    EXPECT_EQ(recorder.tooltips, 1);
}

// Deleting a show pumps messages between its files; a click on Cancel in that moment used to
// destroy the frame that was still deleting.
TEST_F(MainWindowTest, ClicksDuringADeletionAreDroppedAndARequestWaitsForItsEnd) {
    const std::string folder = Home() + "Slide Shows/big/";
    for (int i = 0; i < 30; ++i) testing::WriteFile(folder + "0000/" + std::to_string(i) + ".pho", "x");
    testing::WriteFile(folder + ShowSettingsFileName, "Title=Big\r\n");
    testing::WriteFile(Home() + "Slide Shows/" + ShowIndexFileName, folder + "\r\n");
    Start();
    main->RequestOpenShow();
    RunPostedEvents();
    QWidget* frame = main->CurrentFrame();
    frame->findChild<QListWidget*>("lbxShows")->setCurrentRow(0);
    int pumps = 0;
    const auto previousPump = SetMessagePump([&] {
        if (++pumps == 1) {
            QTest::mouseClick(frame->findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
            QTest::keyClick(main.get(), Qt::Key_N, Qt::ControlModifier);
        }
        QCoreApplication::processEvents();
    });
    dialogs.AnswerConfirm(true);
    QTest::mouseClick(frame->findChild<QPushButton*>("btnDelete"), Qt::LeftButton);
    SetMessagePump(previousPump);
    EXPECT_GT(pumps, 1);
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_EQ(main->CurrentFrame(), frame);
    EXPECT_EQ(frame->findChild<QListWidget*>("lbxShows")->count(), 0);
    RunPostedEvents();
    EXPECT_EQ(main->CurrentFrame(), frame);
    {
        BusyScope work;
        main->RequestStartPage();
        RunPostedEvents();
        EXPECT_EQ(main->CurrentFrame(), frame);
    }
    RunPostedEvents();
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::StartPage);
}

// An index that cannot be read must neither end the program nor be replaced by a list that
// lacks its entries: the start page opens after the message, and a new show is refused.
TEST_F(MainWindowTest, UnreadableIndexIsReportedAtStartAndNeverReplacedByANewShow) {
    const std::string library = Home() + "Slide Shows/", index = library + ShowIndexFileName;
    std::filesystem::create_directories(index);  // a folder of that name; even root cannot read it
    testing::WriteFile(library + "Trip/" + ShowSettingsFileName, "Title=Trip\r\n");
    Start();
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::StartPage);
    ASSERT_EQ(dialogs.Texts(Kind::Warning).size(), 1u);
    const QString message = dialogs.Texts(Kind::Warning)[0];
    EXPECT_TRUE(message.contains(QString::fromStdString(index))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("cannot be read"))) << message.toStdString();
    EXPECT_TRUE(ShowList.empty());

    TypeNewShow("Rome");
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::NewShow);
    ASSERT_EQ(dialogs.Texts(Kind::Warning).size(), 2u);
    EXPECT_TRUE(dialogs.Texts(Kind::Warning)[1].contains(QString::fromStdString(index)));
    EXPECT_FALSE(std::filesystem::exists(library + "Rome"));

    // The show already in the library folder is still reached, and the index still not written.
    main->RequestOpenShow();
    RunPostedEvents();
    ASSERT_EQ(main->CurrentFrameKind(), FrameKind::OpenShow);
    EXPECT_EQ(main->findChild<QListWidget*>("lbxShows")->count(), 1);
    EXPECT_TRUE(std::filesystem::is_directory(index));
    EXPECT_EQ(dialogs.Texts(Kind::Warning).size(), 2u);
}

TEST_F(MainWindowTest, IndexWithoutReadPermissionIsReportedAndKept) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads a file without read permission";
    const std::string index = Home() + "Slide Shows/" + ShowIndexFileName;
    testing::WriteFile(index, "/x/\r\n");
    std::filesystem::permissions(index, std::filesystem::perms::none);
    Start();
    EXPECT_EQ(main->CurrentFrameKind(), FrameKind::StartPage);
    EXPECT_EQ(dialogs.Texts(Kind::Warning).size(), 1u);
    EXPECT_TRUE(ShowList.empty());
    EXPECT_THROW(RegisterShow(Home() + "Slide Shows/New/"), std::runtime_error);
    std::filesystem::permissions(index, std::filesystem::perms::owner_read);
    EXPECT_EQ(testing::ReadFile(index), "/x/\r\n");
}

// Run from the build tree, as the guide's copy there stands for the installed one.
TEST_F(MainWindowTest, F1AndEveryHelpItemOpenTheGuideShippedWithTheProgramOrSayWhyNot) {
    InitGlobal(VELVORA_BUILD_DIR "/velvora");
    Start();
    const std::string guide = VELVORA_BUILD_DIR "/" + std::string(GuideFileName);
    EXPECT_TRUE(std::filesystem::is_regular_file(guide)) << guide;
    QTest::keyClick(main.get(), Qt::Key_F1);
    for (const char* item : {"ContentsandIndex1", "UpdatesTechnicalSupport1", "HomePage1", "MakerWebSite1"})
        Item(item)->trigger();
    EXPECT_EQ(openedUrls, std::vector<QUrl>(5, QUrl::fromLocalFile(QString::fromStdString(guide))));
    EXPECT_TRUE(dialogs.Texts(Kind::Warning).empty());
    SetUrlOpener([](const QUrl&) { return false; });  // a desktop that cannot open it
    Item("ContentsandIndex1")->trigger();
    EXPECT_EQ(dialogs.Texts(Kind::Warning).size(), 1u);
}

}  // namespace
}  // namespace velvora
