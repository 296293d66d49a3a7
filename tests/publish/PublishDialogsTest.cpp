// The publishing dialogs driven as a user would: settings kept per show, the CD, e-mail and
// video runs with what they write, hand on and refuse, the burn assistant the CD run opens,
// and the choice dialog around them.
#include <filesystem>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "app/frmMain.h"
#include "app/frmPublish.h"
#include "base/Global.h"
#include "base/Progress.h"
#include "editor/ShowDocument.h"
#include "package/PackageFormat.h"
#include "platform/MessagePump.h"
#include "platform/UrlOpener.h"
#include "publish/MailSender.h"
#include "publish/PublishRun.h"
#include "publish/PublishedReport.h"
#include "publish/frmBurnCD.h"
#include "publish/frmPublishSettings_CD.h"
#include "publish/frmPublishSettings_Email.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"
#include "video/VideoSettings.h"
#include "video/frmPublishSettings_Video.h"
#include "viewer_core/PublishedShow.h"

namespace velvora {
namespace {

using testing::ReadFile;
using testing::WriteFile;
using Kind = testing::RecordedMessage::Kind;
namespace fs = std::filesystem;

// Each message with the thread that sent it.
class RecordingMailSender final : public MailSender {
public:
    using Sent = std::vector<std::pair<MailMessage, std::thread::id>>;
    bool Send(const MailMessage& message) override {
        const std::lock_guard lock(mutex_);
        sent_.emplace_back(message, std::this_thread::get_id());
        return true;
    }
    Sent Taken() {
        const std::lock_guard lock(mutex_);
        return sent_;
    }

private:
    std::mutex mutex_;
    Sent sent_;
};

class PublishDialogTest : public testing::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        // The main window keeps its placement in the user's settings; keep those apart.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(Home() + "settings"));
        ShowPath = Home() + "Show/";
        WriteFile(Home() + "keltview.exe", "MZ stand-in viewer");
        WriteFile(Home() + "zorbstub.exe", "MZ stand-in stub");
        previousViewer_ = SetViewerFileSource([this] { return Home() + "keltview.exe"; });
        WriteFile(ShowPath + "categories.dat", "\\Beach\r\nAlias=0001\r\n\r\n");
        WriteFile(ShowPath + "0001/folder.dat", "00000001=a.jpg\r\n");
        WriteFile(ShowPath + "0001/00000001.pho", "photo bytes");
        WriteFile(ShowPath + "quillond.dat", "Title=Summer Trip\r\n");
        ShowSettings.LoadFromFile(ShowPath + "quillond.dat");
        document.LoadShow();
    }
    void TearDown() override {
        SetViewerFileSource(previousViewer_);
        SetMessagePump(previousPump_);
        ProgressClose();
        ProgramFolderTest::TearDown();
    }

    // Publish Now with `fileName`; true when the dialog closed. The video dialog has no AutoPlay box.
    template <typename Dialog>
    bool Publish(const QString& fileName, bool autoPlay = true) {
        Dialog dialog(document.Tree(), nullptr);
        dialog.show();
        dialog.template findChild<QLineEdit*>(QStringLiteral("txtFilename"))->setText(fileName);
        if (auto* box = dialog.template findChild<QCheckBox*>(QStringLiteral("chkAutoPlay"))) box->setChecked(autoPlay);
        dialog.btnPublishClick();
        return !dialog.isVisible();
    }
    // Every progress window is cancelled as soon as it lets messages run.
    void CancelEveryRun() {
        previousPump_ = SetMessagePump([] {
            if (ProgressIsOpen()) ProgressCancel();
        });
    }
    PackageContents ReadPublished(const std::string& path) {
        const std::string bytes = ReadFile(path);
        const std::vector<std::uint8_t> file(bytes.begin(), bytes.end());
        const MemoryByteSource source(file);
        return ReadPackage(source, ReadViewerPrefix(source).PackageOffset);
    }

    static ShowEditorFrame* NoEditor(EditorHost&, QWidget*) { return nullptr; }

    // Lets `main` run its posted burn request as the program does; returns what the assistant's
    // drag carries, after checking how it shows, and cancels it.
    static QList<QUrl> OfferedByTheAssistant(TMain& main) {
        main.SetBurnWindowOpener([&main] { ShowBurnCDWindow(main, main.BurnFileList()); });
        QList<QUrl> offered;
        QTimer assistantShown;  // local, so that it cannot fire after the return
        assistantShown.setSingleShot(true);
        QObject::connect(&assistantShown, &QTimer::timeout, [&] {
            auto* window = qobject_cast<TBurnCD*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr);
            EXPECT_FALSE(main.isVisible());
            EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            EXPECT_EQ(window->pos(), QPoint(0, 0));
            EXPECT_EQ(window->DropFileSource().MimeData()->formats(), QStringList{"text/uri-list"});
            offered = window->DropFileSource().MimeData()->urls();
            window->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        });
        assistantShown.start(0);
        QCoreApplication::sendPostedEvents(&main);
        EXPECT_TRUE(main.isVisible());
        return offered;
    }

    testing::ScriptedDialogs dialogs;
    ShowDocument document;

private:
    ViewerFileSource previousViewer_;
    std::function<void()> previousPump_;
};

// The report after a run: the file's name and size, then `question`.
bool IsReportOf(const QString& text, const QString& fileName, const QString& question) {
    return text.startsWith(QStringLiteral("Your slide show has been published as \"%1\" (").arg(fileName)) &&
           text.endsWith(question);
}

const QString BurnQuestion = QStringLiteral("Would you like to help burning it to CD?");
const QString MailQuestion = QStringLiteral("Would you like to e-mail it to someone right now?");
const QString ExeRefusal = QStringLiteral("Many mail services also refuse attached programs (.exe files).");
const QString TooLarge = QStringLiteral("larger than most mail services accept");

TEST_F(PublishDialogTest, CDSettingsStartAtTheShowFolderAndSaveKeepsDownSamplingClampedUntilARunTurnsItOff) {
    TPublishSettings_CD dialog(document.Tree(), nullptr);
    auto* directory = dialog.findChild<QLineEdit*>(QStringLiteral("txtDirectory"));
    EXPECT_EQ(directory->text().toStdString(), ShowPath);
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("txtFilename"))->text(), QStringLiteral("Photos"));
    EXPECT_TRUE(dialog.findChild<QCheckBox*>(QStringLiteral("chkAutoPlay"))->isChecked());

    dialogs.pickedFolder = QString::fromStdString(Home() + "Out");
    dialog.btnBrowseClick();
    dialog.findChild<QCheckBox*>(QStringLiteral("chkAutoPlay"))->setChecked(false);
    dialog.btnSaveSettingsClick();
    EXPECT_EQ(ReadFile(ShowPath + "pubcd.ini"),
              "[Settings]\r\nDirectory=" + Home() + "Out\r\nFilename=Photos\r\nAutoPlay=0\r\nDownsample=0\r\n");
    EXPECT_EQ(dialogs.Texts(Kind::Info),
              std::vector<QString>{QStringLiteral("The CD Publishing Settings have been saved.")});

    // A cancelled folder choice keeps the folder; the unticked box stays unticked next time,
    // while a file without the line (below) reads as ticked.
    dialog.btnBrowseClick();
    EXPECT_EQ(directory->text().toStdString(), Home() + "Out");
    TPublishSettings_CD again(document.Tree(), nullptr);
    EXPECT_EQ(again.findChild<QLineEdit*>(QStringLiteral("txtDirectory"))->text().toStdString(), Home() + "Out");
    EXPECT_FALSE(again.findChild<QCheckBox*>(QStringLiteral("chkAutoPlay"))->isChecked());

    WriteFile(ShowPath + "pubcd.ini",
              "[Other]\r\nFilename=Wrong\r\n[Settings]\r\nDirectory=" + Home() +
                  "\r\nFilename=Show\r\nDownsample=1\r\nDownsamplewidth=abc\r\nDownsampleHeight=20000\r\n"
                  "Downsamplequality=60\r\nDownsamplehigh=1\r\n");
    TPublishSettings_CD clamped(document.Tree(), nullptr);
    clamped.btnSaveSettingsClick();
    const std::string head = "[Settings]\r\nDirectory=" + Home() + "\r\nFilename=Show\r\n";
    EXPECT_EQ(ReadFile(ShowPath + "pubcd.ini"),
              head +
                  "AutoPlay=1\r\nDownsample=1\r\nDownsamplewidth=10\r\nDownsampleheight=10000\r\n"
                  "Downsamplequality=60\r\nDownsamplehigh=1\r\n");

    clamped.btnPublishClick();
    EXPECT_EQ(ReadFile(ShowPath + "pubcd.ini"), head + "AutoPlay=1\r\nDownsample=0\r\n");
}

// A blank inside the name of an auto-play CD asks first (answered No here: nothing is saved or
// written); without auto-play, or with blanks only at the ends, it does not.
TEST_F(PublishDialogTest, CDRunsWriteTheFileAndAutorunAndTheBurnAssistantOffersBothInOrder) {
    EXPECT_FALSE(Publish<TPublishSettings_CD>(QStringLiteral("My Show")));
    ASSERT_EQ(dialogs.Texts(Kind::Confirm).size(), 1u);
    EXPECT_TRUE(
        dialogs.Texts(Kind::Confirm)[0].startsWith(QStringLiteral("Some versions of the Windows operating system")));
    EXPECT_FALSE(fs::exists(ShowPath + "pubcd.ini"));
    EXPECT_FALSE(fs::exists(ShowPath + "My Show.exe"));

    TMain main(NoEditor);
    main.show();
    dialogs.AnswerChoice(0);
    EXPECT_TRUE(Publish<TPublishSettings_CD>(QStringLiteral("My Show"), false));
    EXPECT_FALSE(fs::exists(ShowPath + "autorun.inf"));
    EXPECT_NE(ReadFile(ShowPath + "pubcd.ini").find("\r\nAutoPlay=0\r\n"), std::string::npos);
    EXPECT_EQ(OfferedByTheAssistant(main),
              QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(ShowPath + "My Show.exe"))});

    WriteFile(ShowPath + "pubcd.ini", "[Settings]\r\nDirectory=" + Home() + "Out\r\n");
    fs::create_directories(Home() + "Out");
    dialogs.AnswerChoice(0);
    EXPECT_TRUE(Publish<TPublishSettings_CD>(QStringLiteral(" Trip ")));
    const std::string folder = Home() + "Out/";
    EXPECT_EQ(ReadFile(folder + "autorun.inf"),
              "[autorun]\r\nopen= Trip .exe\r\nicon= Trip .exe,0\r\nlabel=Summer Trip\r\n");
    EXPECT_EQ(ReadFile(folder + " Trip .exe").substr(0, 16), "MZ stand-in stub");
    const PackageContents package = ReadPublished(folder + " Trip .exe");
    ASSERT_EQ(package.Categories.size(), 2u);
    EXPECT_TRUE(package.Categories[1].Photos.at(0).HasFullsize);
    EXPECT_EQ(dialogs.Texts(Kind::Confirm).size(), 1u);
    const std::vector<QString> reports = dialogs.Texts(Kind::Choice);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_TRUE(IsReportOf(reports[1], QStringLiteral(" Trip .exe"), BurnQuestion)) << reports[1].toStdString();
    EXPECT_EQ(OfferedByTheAssistant(main),
              (QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(folder + "autorun.inf")),
                           QUrl::fromLocalFile(QString::fromStdString(folder + " Trip .exe"))}));
}

// The published file is a Windows program, so a name Windows refuses is refused at once. The
// dialogs and the command line share one check; the command line's test goes through every
// character it refuses, so here a blank name and a path show each dialog keeps its window open.
TEST_F(PublishDialogTest, FileNamesThatAreBlankAPathOrRefusedByWindowsAreRefusedWithTheDialogOpen) {
    const std::pair<QString, QString> refused[] = {
        {QStringLiteral("  "), QStringLiteral("Please enter a file name for your slide show.")},
        {QStringLiteral("../Escape"), QStringLiteral("the character \"/\"")},
    };
    for (const auto& [name, reason] : refused) {
        dialogs.messages.clear();
        EXPECT_FALSE(Publish<TPublishSettings_CD>(name)) << name.toStdString();
        ASSERT_EQ(dialogs.Texts(Kind::Warning).size(), 1u) << name.toStdString();
        EXPECT_TRUE(dialogs.Texts(Kind::Warning)[0].contains(reason)) << dialogs.Texts(Kind::Warning)[0].toStdString();
    }
    dialogs.messages.clear();
    EXPECT_FALSE(Publish<TPublishSettings_Email>(QStringLiteral("Rome: 2024")));
    EXPECT_FALSE(Publish<TPublishSettings_Video>(QStringLiteral("Rome: 2024")));
    EXPECT_EQ(dialogs.Texts(Kind::Warning),
              std::vector<QString>(
                  2, QStringLiteral("The file name of your slide show cannot contain the character \":\".")));
    for (const char* settings : {"pubcd.ini", "pubem.ini", VideoSettingsFileName})
        EXPECT_FALSE(fs::exists(ShowPath + settings)) << settings;
    EXPECT_FALSE(fs::exists(Home() + "Escape.exe"));
    EXPECT_FALSE(fs::exists(ShowPath + "Rome.exe"));
}

TEST_F(PublishDialogTest, CancelledRunLeavesNoOutputAndNoAutorunButKeepsAnEarlierPublication) {
    CancelEveryRun();
    EXPECT_TRUE(Publish<TPublishSettings_CD>(QStringLiteral("Photos")));
    EXPECT_EQ(dialogs.Texts(Kind::Info), std::vector<QString>{QStringLiteral("Publishing canceled.")});
    EXPECT_TRUE(dialogs.Texts(Kind::Confirm).empty());
    EXPECT_FALSE(fs::exists(ShowPath + "Photos.exe"));
    EXPECT_FALSE(fs::exists(ShowPath + "autorun.inf"));
    EXPECT_TRUE(fs::exists(ShowPath + "pubcd.ini"));
    EXPECT_FALSE(ProgressIsOpen());

    WriteFile(ShowPath + "Photos.exe", "earlier publication");
    Publish<TPublishSettings_Email>(QStringLiteral("Photos"));
    EXPECT_EQ(ReadFile(ShowPath + "Photos.exe"), "earlier publication");
}

TEST_F(PublishDialogTest, FailuresAreShownAndLeaveNoOutput) {
    WriteFile(ShowPath + "pubcd.ini", "[Settings]\r\nDirectory=" + Home() + "Missing\r\n");
    EXPECT_TRUE(Publish<TPublishSettings_CD>(QStringLiteral("Photos"), false));
    EXPECT_EQ(dialogs.Texts(Kind::Warning), std::vector<QString>{QString::fromLatin1(UnableToPublishMessage)});
    EXPECT_TRUE(dialogs.Texts(Kind::Confirm).empty());
    EXPECT_FALSE(ProgressIsOpen());

    // A refusal while the file is being written removes the partial file.
    dialogs.messages.clear();
    document.Tree().Root()->Text = std::string(256, 'T');
    Publish<TPublishSettings_Email>(QStringLiteral("Photos"));
    EXPECT_EQ(dialogs.Texts(Kind::Warning).size(), 1u);
    EXPECT_FALSE(fs::exists(ShowPath + "Photos.exe"));
    EXPECT_FALSE(fs::exists(ShowPath + "Photos.exe.part"));
}

TEST_F(PublishDialogTest, EmailRunKeepsItsOwnSettingsAndSendsTheFileFromAnotherThread) {
    const auto sender = std::make_shared<RecordingMailSender>();
    const auto previous = SetMailSender(sender);
    std::vector<QUrl> opened;
    const UrlOpenerFunction previousOpener = SetUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    dialogs.AnswerChoice(1);
    dialogs.AnswerChoice(0);
    EXPECT_TRUE(Publish<TPublishSettings_Email>(QStringLiteral("My Show")));
    EXPECT_EQ(ReadFile(ShowPath + "pubem.ini"),
              "[Settings]\r\nDirectory=" + ShowPath + "\r\nFilename=My Show\r\nDownsample=0\r\n");
    EXPECT_TRUE(fs::exists(ShowPath + "My Show.exe"));
    EXPECT_FALSE(fs::exists(ShowPath + "autorun.inf"));
    Publish<TPublishSettings_Email>(QStringLiteral("Photos"));
    // A photo of noise makes a file past what mail services take; that report is left unanswered.
    std::string photo(MailAttachmentLimitBytes + 1024 * 1024, '\0');
    std::uint32_t noise = 1;
    for (char& byte : photo) byte = char((noise = noise * 1664525u + 1013904223u) >> 24);
    WriteFile(ShowPath + "0001/00000001.pho", photo);
    Publish<TPublishSettings_Email>(QStringLiteral("Big"));

    // "Open Folder" shows where the file went and sends nothing.
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl::fromLocalFile(QString::fromStdString(ShowPath))});
    SetUrlOpener(previousOpener);
    const std::vector<QString> reports = dialogs.Texts(Kind::Choice);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_TRUE(IsReportOf(reports[0], QStringLiteral("My Show.exe"), MailQuestion)) << reports[0].toStdString();
    EXPECT_TRUE(IsReportOf(reports[1], QStringLiteral("Photos.exe"), MailQuestion));
    EXPECT_TRUE(reports[0].contains(ExeRefusal) && reports[2].contains(ExeRefusal));
    EXPECT_FALSE(reports[0].contains(TooLarge));
    EXPECT_TRUE(reports[2].contains(TooLarge)) << reports[2].toStdString();
    QTRY_COMPARE(sender->Taken().size(), std::size_t(1));
    const auto [message, thread] = sender->Taken()[0];
    EXPECT_EQ(message, (MailMessage{"My Slide Show", "", ShowPath + "Photos.exe"}));
    EXPECT_NE(thread, std::this_thread::get_id());
    SetMailSender(previous);
}

TEST_F(PublishDialogTest, VideoChoicePublishesTheMp4AndKeepsTheSettings) {
    // One second of red with a caption, so the run is short at 1280 x 720.
    WriteFile(ShowPath + "0001/00000001.dat", "Caption=Beach\r\nTransition=1\r\nDuration=8\r\nDurationCount=1\r\n");
    WriteFile(ShowPath + "0001/00000001.pho", testing::SolidBmp(64, 36, 0xFF0000));
    dialogs.pickedFolder = QString::fromStdString(Home());
    {
        TPublish choice(document.Tree(), nullptr);
        choice.show();
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<TPublishSettings_Video*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QPushButton*>(QStringLiteral("btnBrowse"))->click();
            dialog->findChild<QLineEdit*>(QStringLiteral("txtFilename"))->setText(QStringLiteral("Summer"));
            dialog->findChild<QComboBox*>(QStringLiteral("cboSize"))->setCurrentIndex(0);
            dialog->findChild<QComboBox*>(QStringLiteral("cboFrameRate"))->setCurrentIndex(0);
            dialog->findChild<QSlider*>(QStringLiteral("trkQuality"))->setValue(40);
            dialog->findChild<QPushButton*>(QStringLiteral("btnPublish"))->click();
        });
        choice.findChild<QPushButton*>(QStringLiteral("btnPublishVideo"))->click();
        EXPECT_FALSE(choice.isVisible());
    }
    const std::vector<QString> reports = dialogs.Texts(Kind::Choice);
    ASSERT_EQ(reports.size(), 1u) << dialogs.messages.back().text.toStdString();
    EXPECT_TRUE(reports[0].startsWith(QStringLiteral("Your slide show has been published as \"Summer.mp4\" (")))
        << reports[0].toStdString();
    EXPECT_EQ(ReadFile(Home() + "Summer.mp4").substr(4, 4), "ftyp");
    EXPECT_EQ(LoadVideoSettings(ShowPath + VideoSettingsFileName, "/"),
              (VideoSettings{Home(), "Summer", {1280, 720}, 25, 40}));

    // Opened again, the dialog shows what was chosen.
    TPublishSettings_Video again(document.Tree(), nullptr);
    EXPECT_EQ(again.findChild<QLineEdit*>(QStringLiteral("txtFilename"))->text(), QStringLiteral("Summer"));
    EXPECT_EQ(again.findChild<QComboBox*>(QStringLiteral("cboSize"))->currentText(), QStringLiteral("1280 x 720"));
    EXPECT_EQ(again.findChild<QSlider*>(QStringLiteral("trkQuality"))->value(), 40);
}

TEST(PublishedReportTest, SizesReadAsPeopleReadThem) {
    EXPECT_EQ(FileSizeText(0), QStringLiteral("0 KB"));
    EXPECT_EQ(FileSizeText(1), QStringLiteral("1 KB"));
    EXPECT_EQ(FileSizeText(999 * 1024), QStringLiteral("999 KB"));
    EXPECT_EQ(FileSizeText(1000 * 1024), QStringLiteral("1.0 MB"));
    EXPECT_EQ(FileSizeText(12 * 1024 * 1024 + 300 * 1024), QStringLiteral("12.3 MB"));
}

TEST(MailSenderTest, XdgEmailGetsSubjectAndAttachmentAndABodyOnlyWhenThereIsOne) {
    EXPECT_EQ(XdgEmailArguments({"My Slide Show", "", "/p/My Show.exe"}),
              (QStringList{"--subject", "My Slide Show", "--attach", "/p/My Show.exe"}));
    EXPECT_EQ(XdgEmailArguments({"S", "Hello", ""}), (QStringList{"--subject", "S", "--body", "Hello"}));
}

TEST_F(PublishDialogTest, CancellingEitherSettingsDialogAlsoClosesTheChoice) {
    for (const char* choice : {"btnPublishCD", "btnPublishEmail", "btnPublishVideo"}) {
        TPublish dialog(document.Tree(), nullptr);
        dialog.show();
        QTimer::singleShot(0, [] {  // the settings dialog, once it is up, cancelled as the user would
            QWidget* settings = QApplication::activeModalWidget();
            ASSERT_NE(settings, nullptr);
            settings->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
        });
        dialog.findChild<QPushButton*>(QString::fromLatin1(choice))->click();
        EXPECT_FALSE(dialog.isVisible()) << choice;
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << choice;
    }
    for (const char* settings : {"pubcd.ini", "pubem.ini", VideoSettingsFileName})
        EXPECT_FALSE(fs::exists(ShowPath + settings)) << settings;
}

}  // namespace
}  // namespace velvora
