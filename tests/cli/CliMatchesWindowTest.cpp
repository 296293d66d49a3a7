// velvora-cli and the window do the same work: Add Photos clicked in the editor and `add`
// leave the same files, and the CD dialog's run and `publish` write the same bytes.
#include <filesystem>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include "app/frmMain.h"
#include "cli/CliCommands.h"
#include "editor/ShowDocument.h"
#include "editor/frmEditShow.h"
#include "publish/PublishRun.h"
#include "publish/frmPublishSettings_CD.h"
#include "support/JpegEncoder.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

// The files of a folder by name, with their bytes.
std::map<std::string, std::string> FilesOf(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = ReadFile(entry.path().string());
    return files;
}

class CliMatchesWindowTest : public testing::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(Home() + "settings"));
        WriteFile(Home() + "keltview.exe", "MZ stand-in viewer");
        WriteFile(Home() + "zorbstub.exe", "MZ stand-in stub");
        previousViewer_ = SetViewerFileSource([this] { return Home() + "keltview.exe"; });
        for (const std::string& show : {ShowA(), ShowB()}) {
            WriteFile(show + "quillond.dat", "Title=Trip\r\nAliasCount=2\r\n");
            WriteFile(show + "categories.dat",
                      "\\Holidays\r\nAlias=0001\r\n\r\n\\Holidays\\Beach\r\nAlias=0002\r\n\r\n");
        }
        for (int i = 0; i < 3; ++i) {
            const std::string jpeg = testing::EncodeJpeg(60 + 20 * i, 40, 3, [i](int x, int y, std::uint8_t* rgb) {
                rgb[0] = std::uint8_t(x * 3 + i * 50);
                rgb[1] = std::uint8_t(y * 5);
                rgb[2] = 40;
            });
            photos_.push_back(Home() + "in/" + char('c' - i) + ".jpg");
            WriteFile(photos_.back(), jpeg);
        }
    }
    void TearDown() override {
        SetViewerFileSource(previousViewer_);
        ProgramFolderTest::TearDown();
    }

    std::string ShowA() const { return Home() + "Slide Shows/A/"; }
    std::string ShowB() const { return Home() + "Slide Shows/B/"; }

    int Cli(const std::vector<std::string>& args) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunCli(args, out, err);
        EXPECT_EQ(err.str(), "");
        return status;
    }

    // Opens the show in the editor, selects \Holidays\Beach in the tree and adds the photos
    // through Add Photos, then closes the program.
    void AddThroughTheWindow(const std::string& show) {
        TMain main(MakeEditShowFrame);
        main.show();
        main.OpenShow(show);
        QCoreApplication::sendPostedEvents();
        auto* frame = static_cast<TFrameEditShow*>(main.CurrentFrame());
        auto* tree = frame->findChild<QTreeView*>("lbxCategories");
        const QModelIndex holidays = tree->model()->index(0, 0, tree->model()->index(0, 0));
        tree->setCurrentIndex(tree->model()->index(0, 0, holidays));
        ASSERT_EQ(frame->Document().CategoryFolder, show + "0002/");
        for (const std::string& photo : photos_) dialogs.pickedFiles << QString::fromStdString(photo);
        frame->findChild<QToolButton*>("btnAddPhoto")->click();
        main.close();
    }

    testing::ScriptedDialogs dialogs;

private:
    std::vector<std::string> photos_;
    ViewerFileSource previousViewer_;
};

TEST_F(CliMatchesWindowTest, AddAndPublishLeaveWhatTheWindowsAddAndTheDialogsRunLeave) {
    AddThroughTheWindow(ShowA());
    EXPECT_EQ(Cli({"add", ShowB(), "\\Holidays\\Beach", Home() + "in"}), CliDone);
    const auto window = FilesOf(ShowA() + "0002");
    EXPECT_EQ(window.size(), 10u) << "three photos of three files each, and the photo list";
    EXPECT_EQ(window.at("folder.dat"), "00000000=a.jpg\r\n00000001=b.jpg\r\n00000002=c.jpg\r\n");
    EXPECT_EQ(FilesOf(ShowB() + "0002"), window);

    fs::create_directories(Home() + "out");
    WriteFile(ShowA() + "pubcd.ini", "[Settings]\r\nDirectory=" + Home() + "out\r\n");
    ShowPath = ShowA();
    ShowSettings.LoadFromFile(ShowA() + "quillond.dat");
    ShowDocument document;
    document.LoadShow();
    {
        TPublishSettings_CD dialog(document.Tree(), nullptr);
        dialog.show();
        dialog.findChild<QLineEdit*>(QStringLiteral("txtFilename"))->setText(QStringLiteral("dialog"));
        dialog.findChild<QCheckBox*>(QStringLiteral("chkAutoPlay"))->setChecked(false);
        dialog.btnPublishClick();
    }
    document.CloseShow();
    ASSERT_EQ(Cli({"publish", ShowA(), Home() + "out/cli.exe"}), CliDone);
    const std::string published = ReadFile(Home() + "out/dialog.exe");
    EXPECT_GT(published.size(), 1000u);
    EXPECT_TRUE(ReadFile(Home() + "out/cli.exe") == published) << "the two files differ";
}

}  // namespace
}  // namespace velvora
