// velvora-cli run as a script would run it: the library, adding with its exit statuses,
// inspecting good and damaged files, and Ctrl+C in the middle of a long publish.
#include <csignal>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "base/KeyValueList.h"
#include "cli/CliCommands.h"
#include "cli/TerminalProgress.h"
#include "compression/LZRW1KH.h"
#include "library/ShowIndex.h"
#include "publish/PublishRun.h"
#include "publish/ViewerFiles.h"
#include "support/JpegEncoder.h"
#include "support/PictureEncoders.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

std::string SmallJpeg() {
    return testing::EncodeJpeg(40, 30, 3, [](int x, int y, std::uint8_t* rgb) {
        rgb[0] = std::uint8_t(x * 6);
        rgb[1] = std::uint8_t(y * 8);
        rgb[2] = 90;
    });
}

// Every file below `folder` with its bytes, to tell whether a command wrote anything.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files[entry.path().string()] = ReadFile(entry.path().string());
    return files;
}

class CliTest : public testing::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        InitLzrw1KH();
        WriteFile(Home() + "keltview.exe", "MZ stand-in viewer");
        WriteFile(Home() + "zorbstub.exe", "MZ stand-in stub");
        previousViewer_ = SetViewerFileSource([this] { return Home() + "keltview.exe"; });
        CliInterruptRequested = false;
    }
    void TearDown() override {
        SetViewerFileSource(previousViewer_);
        ProgramFolderTest::TearDown();
    }

    CliRun Cli(std::vector<std::string> args) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunCli(args, out, err);
        return {status, out.str(), err.str()};
    }
    // A new show with a category \Holidays\Beach, as the editor stores one.
    std::string ShowWithBeach() {
        std::string folder = Cli({"new", "Trip"}).out;
        folder.pop_back();  // the line end
        WriteFile(folder + "categories.dat", "\\Holidays\r\nAlias=0001\r\n\r\n\\Holidays\\Beach\r\nAlias=0002\r\n\r\n");
        return folder;
    }

private:
    ViewerFileSource previousViewer_;
};

// Titles that differ only in letter case once shared a listing entry and lost a show; a
// pasted line break once wrote settings of its own.
TEST_F(CliTest, NewNumbersTakenNamesInAnyCaseListSortsByTitleAndPastedBreaksStayInTheirValue) {
    const CliRun first = Cli({"new", "Rome", "--author", "Ann", "--description", "Spring"});
    EXPECT_EQ(first.status, CliDone);
    EXPECT_EQ(first.out, Home() + "Slide Shows/Rome/\n");
    EXPECT_EQ(Cli({"new", "Rome"}).out, Home() + "Slide Shows/Rome (2)/\n");
    EXPECT_EQ(Cli({"new", "rome"}).out, Home() + "Slide Shows/rome (3)/\n");
    Cli({"new", "alps"});
    EXPECT_EQ(ReadFile(Home() + "Slide Shows/Rome/quillond.dat").substr(0, 44),
              "Title=Rome\r\nDescription=Spring\r\nAuthor=Ann\r\n");
    const CliRun list = Cli({"list"});
    EXPECT_EQ(list.status, CliDone);
    EXPECT_EQ(list.out, Home() + "Slide Shows/alps/\talps\t\n" + Home() + "Slide Shows/rome (3)/\trome\t\n" + Home() +
                            "Slide Shows/Rome (2)/\tRome\t\n" + Home() + "Slide Shows/Rome/\tRome\tAnn\n");
    EXPECT_EQ(Cli({"new", "  "}).status, CliFailed);

    Cli({"new", "Pasted\nTransition=7\r\nSize=1", "--author", "A\tB"});
    EXPECT_TRUE(ReadFile(Home() + "Slide Shows/" + ShowIndexFileName)
                    .starts_with(Home() + "Slide Shows/Rome/\r\n" + Home() + "Slide Shows/Rome (2)/\r\n"));
    KeyValueList settings;
    settings.LoadFromFile(Home() + "Slide Shows/PastedTransition7Size1/" + ShowSettingsFileName);
    EXPECT_EQ(settings.Value("Title") + "|" + settings.Value("Author"), "Pasted Transition=7  Size=1|A B");
    EXPECT_EQ(settings.Value("Transition"), "2");
    EXPECT_EQ(settings.Count(), 14);
}

TEST_F(CliTest, VideoWritesTheShowOrACategoryAndRefusesWhatItCannotMake) {
    const std::string show = ShowWithBeach();
    const std::string output = Home() + "trip.mp4";
    const CliRun empty = Cli({"video", show, output, "--size", "320x180"});
    EXPECT_EQ(empty.status, CliFailed);
    EXPECT_NE(empty.err.find("no photos"), std::string::npos) << empty.err;
    EXPECT_FALSE(fs::exists(output));

    WriteFile(Home() + "beach.jpg", SmallJpeg());
    ASSERT_EQ(Cli({"add", show, "\\Holidays\\Beach", Home() + "beach.jpg"}).status, CliDone);
    const CliRun category =
        Cli({"video", show, output, "--size", "320x180", "--fps", "25", "--category", "\\Holidays\\Beach"});
    EXPECT_EQ(category.status, CliDone) << category.err;
    EXPECT_GT(fs::file_size(output), 0u);

    EXPECT_EQ(Cli({"video", show, output, "--category", "\\Sea"}).status, CliFailed);
    EXPECT_EQ(Cli({"video", show, output, "--size", "321x180"}).status, CliFailed);
    EXPECT_EQ(Cli({"video", show, output, "--fps", "0"}).status, CliFailed);
    EXPECT_EQ(Cli({"video", show, output, "--size", "large"}).status, CliUsage);
    EXPECT_EQ(Cli({"video", show}).status, CliUsage);
    EXPECT_FALSE(fs::exists(output + ".part"));
}

TEST_F(CliTest, UsageErrorsAndHelp) {
    EXPECT_EQ(Cli({}).status, CliUsage);
    EXPECT_EQ(Cli({"frobnicate"}).status, CliUsage);
    EXPECT_EQ(Cli({"add", "only-a-show"}).status, CliUsage);
    EXPECT_EQ(Cli({"new", "A", "--colour", "red"}).status, CliUsage);
    const CliRun help = Cli({"add", "--help"});
    EXPECT_EQ(help.status, CliDone);
    EXPECT_NE(help.out.find("--recursive"), std::string::npos);
}

// A folder contributes what Add Photos offers, a PNG too (which names and formats those are is
// tested with Add Photos); a damaged file is skipped, naming the formats.
TEST_F(CliTest, AddReportsDoneSkippedFailedAndInterruptedAndAMissingCategoryWritesNothing) {
    const std::string show = ShowWithBeach();
    const std::string jpeg = SmallJpeg();
    WriteFile(Home() + "in/b.jpg", jpeg);
    WriteFile(Home() + "in/A.jpg", jpeg);
    WriteFile(Home() + "in/notes.txt", "not offered from a folder");
    WriteFile(Home() + "bad.jpg", "not a picture");
    WriteFile(Home() + "bad.gif", "GIF89a and then nothing");
    WriteFile(Home() + "in/deep/c.jpg", jpeg);
    WriteFile(Home() + "in/deep/d.png",
              testing::EncodePng(40, 30, testing::PngKind::Rgb, testing::StoredQuadrants(40, 30, 1)));

    const auto before = Snapshot(show);
    const CliRun missing = Cli({"add", show, "\\Holidays\\Sea", Home() + "in/b.jpg"});
    EXPECT_EQ(missing.status, CliFailed);
    EXPECT_NE(missing.err.find("\\Holidays\\Sea"), std::string::npos);
    EXPECT_EQ(Snapshot(show), before);
    EXPECT_EQ(Cli({"add", Home() + "in", "\\", Home() + "in/b.jpg"}).status, CliFailed) << "not a show";

    const CliRun folder = Cli({"add", show, "\\Holidays\\Beach", Home() + "in"});
    EXPECT_EQ(folder.status, CliDone) << folder.err;
    EXPECT_EQ(ReadFile(show + "0002/folder.dat"), "00000000=A.jpg\r\n00000001=b.jpg\r\n");

    const CliRun mixed = Cli(
        {"add", "--recursive", show, "\\Holidays\\Beach", Home() + "bad.jpg", Home() + "in/deep", Home() + "gone.jpg"});
    EXPECT_EQ(mixed.status, CliSkipped);
    EXPECT_NE(mixed.err.find(Home() + "bad.jpg: not a JPEG, bitmap, PNG, GIF, TIFF, WebP or HEIF picture"),
              std::string::npos)
        << mixed.err;
    EXPECT_NE(mixed.err.find("gone.jpg: no such file"), std::string::npos) << mixed.err;
    EXPECT_EQ(ReadFile(show + "0002/folder.dat"),
              "00000000=A.jpg\r\n00000001=b.jpg\r\n00000002=c.jpg\r\n00000003=d.png\r\n");
    EXPECT_FALSE(fs::exists(show + "0002/00000004.pho")) << "the bad file leaves nothing behind";
    EXPECT_EQ(ReadFile(show + "categories.dat").find("Selected=1"), std::string::npos)
        << "the show still opens on the category it was left at";

    EXPECT_EQ(Cli({"add", show, "\\", Home() + "bad.gif"}).status, CliSkipped) << "also when every file is skipped";

    // Ctrl+C during the first photo: that photo stays whole and listed, no other is added.
    CliInterruptRequested = true;
    EXPECT_EQ(Cli({"add", show, "\\Holidays", Home() + "in"}).status, CliInterrupted);
    EXPECT_EQ(ReadFile(show + "0001/folder.dat"), "00000000=A.jpg\r\n");
    for (const char* extension : {".pho", ".thu", ".dat"}) EXPECT_TRUE(fs::exists(show + "0001/00000000" + extension));
    EXPECT_FALSE(fs::exists(show + "0001/00000001.pho"));
}

TEST_F(CliTest, AddSubfoldersAsCategoriesNestsThemBelowTheCategoryAndTakesExactlyOneFolder) {
    const std::string show = ShowWithBeach();
    const std::string jpeg = SmallJpeg();
    for (const char* name : {"top.jpg", "Day 1/b.jpg", "Day 1/Morning/c.jpg", "Beach/d.jpg"})
        WriteFile(Home() + "trip/" + name, jpeg);
    WriteFile(Home() + "other/e.jpg", jpeg);

    const auto before = Snapshot(show);
    for (const std::vector<std::string>& wrong : {
             std::vector<std::string>{"add", "--subfolders-as-categories", show, "\\Holidays", Home() + "trip",
                                      Home() + "other"},
             {"add", "--subfolders-as-categories", show, "\\Holidays", Home() + "trip/top.jpg"},
         })
        EXPECT_EQ(Cli(wrong).status, CliUsage) << wrong.back();
    EXPECT_EQ(Cli({"add", "--subfolders-as-categories", show, "\\Holidays", Home() + "gone"}).status, CliFailed);
    EXPECT_EQ(Snapshot(show), before);

    const CliRun run = Cli({"add", "--subfolders-as-categories", show, "\\Holidays", Home() + "trip"});
    EXPECT_EQ(run.status, CliDone) << run.err;
    EXPECT_EQ(run.out, "Added 4 photos to \\Holidays and 3 new categories below it.\n");
    EXPECT_NE(ReadFile(show + "categories.dat").find("\\Holidays\\Day 1\\Morning\r\n"), std::string::npos);
    EXPECT_EQ(ReadFile(show + "0001/folder.dat"), "00000000=top.jpg\r\n");

    WriteFile(Home() + "other/Sub/bad.jpg", "not a picture");
    EXPECT_EQ(Cli({"add", "--subfolders-as-categories", show, "\\", Home() + "other"}).status, CliSkipped);
}

TEST_F(CliTest, PublishRefusesNamesWindowsRefusesAndInspectListsTheShowAndRefusesDamagedFiles) {
    const std::string show = ShowWithBeach();
    WriteFile(Home() + "a.jpg", SmallJpeg());
    ASSERT_EQ(Cli({"add", show, "\\Holidays\\Beach", Home() + "a.jpg", Home() + "a.jpg"}).status, CliDone);
    ASSERT_EQ(Cli({"add", show, "\\", Home() + "a.jpg"}).status, CliDone);
    const std::string output = Home() + "out/Trip.exe";
    fs::create_directories(Home() + "out");
    const CliRun published = Cli({"publish", show, output});
    ASSERT_EQ(published.status, CliDone) << published.err;
    EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(Home() + "out"), {}), std::vector<fs::path>{output});

    const CliRun inspected = Cli({"inspect", output});
    EXPECT_EQ(inspected.status, CliDone);
    EXPECT_EQ(inspected.out,
              "title Trip\nviewer 18\ncategory \\\t1\ncategory \\Holidays\t0\n"
              "category \\Holidays\\Beach\t2\nphotos 3\n");

    const std::string bytes = ReadFile(output);
    WriteFile(Home() + "truncated.exe", bytes.substr(0, bytes.size() - 100));
    WriteFile(Home() + "random.exe", std::string(5000, '\x5a'));
    for (const std::string& damaged : {Home() + "truncated.exe", Home() + "random.exe", Home() + "out"}) {
        const CliRun refused = Cli({"inspect", damaged});
        EXPECT_EQ(refused.status, CliFailed) << damaged;
        EXPECT_EQ(refused.err.rfind("velvora-cli: " + damaged + ": ", 0), 0u) << refused.err;
        EXPECT_GT(refused.err.size(), damaged.size() + 16) << "names what is wrong";
    }
    EXPECT_EQ(Cli({"publish", show, Home() + "no-folder/Trip.exe"}).status, CliFailed);

    // The published file is a Windows program: a name Windows refuses is refused before
    // anything is saved or written, naming what is wrong.
    const auto before = Snapshot(Home());
    const std::pair<std::string, std::string> refused[] = {
        {"Rome: 1.exe", "the character \":\""},
        {"a*b.exe", "\"*\""},
        {"why?.exe", "\"?\""},
        {"say \"hi\".exe", "\"\"\""},
        {"a<b.exe", "\"<\""},
        {"a>b.exe", "\">\""},
        {"a|b.exe", "\"|\""},
        {"a\\b.exe", "\"\\\""},
        {"tab\t.exe", "control characters"},
        {"line\nbreak.exe", "control characters"},
        {"Rome.exe.", "end with a dot"},
        {"Rome.exe ", "end with a blank"},
        {"", "enter a file name"},
    };
    for (const auto& [name, reason] : refused) {
        const CliRun run = Cli({"publish", show, Home() + "out/" + name});
        EXPECT_EQ(run.status, CliFailed) << name;
        EXPECT_NE(run.err.find(reason), std::string::npos) << name << ": " << run.err;
    }
    EXPECT_EQ(Snapshot(Home()), before);
}

// A folder named like the index cannot be read, by root either; it must not end the program
// nor be replaced, and the message must say what cannot be read.
TEST_F(CliTest, CommandsThatReadAnUnreadableIndexFailAndLeaveIt) {
    const std::string index = Home() + "Slide Shows/" + ShowIndexFileName;
    fs::create_directories(index);
    for (const std::vector<std::string>& command : {std::vector<std::string>{"list"}, {"new", "Rome"}}) {
        const CliRun run = Cli(command);
        EXPECT_EQ(run.status, CliFailed) << command[0];
        EXPECT_EQ(run.err.rfind("velvora-cli: The list of slide shows \"" + index + "\" cannot be read.", 0), 0u)
            << run.err;
        EXPECT_TRUE(run.out.empty()) << command[0];
    }
    EXPECT_TRUE(fs::is_directory(index));
    EXPECT_EQ(std::distance(fs::directory_iterator(Home() + "Slide Shows"), {}), 1) << "no show was made";
}

TEST(TerminalProgressView, OneLineWithPhotosDonePercentageAndTheEstimate) {
    std::FILE* terminal = std::tmpfile();
    {
        TerminalProgressView view(terminal, 2);
        view.SetLine(ProgressLine::Title, "Adding photographs to category...");
        view.SetLine(ProgressLine::Status, "Beach - Sunset");
        view.SetBar(true, 400, 24);
        EXPECT_EQ(view.LineText(), "Adding photographs to category... 12/200 6%");
        view.SetLine(ProgressLine::Status, "Estimated time remaining: 1 minute ");
        view.SetBar(true, 400, 400);
        EXPECT_EQ(view.LineText(),
                  "Adding photographs to category... 200/200 100%  Estimated time remaining: 1 minute ");
    }
    std::rewind(terminal);
    std::string drawn(4096, '\0');
    drawn.resize(std::fread(drawn.data(), 1, drawn.size(), terminal));
    std::fclose(terminal);
    EXPECT_TRUE(drawn.starts_with("\rAdding photographs to category... 12/200 6%\x1b[K\r")) << drawn;
    EXPECT_TRUE(drawn.ends_with("1 minute \x1b[K\n")) << "redrawn in place, one line end at the close";
}

// The real program, stopped by SIGINT while it copies a few hundred megabytes of photos.
TEST_F(CliTest, InterruptDuringALongPublishLeavesNoOutputAndNoTemporaryFile) {
    const std::string show = ShowWithBeach();
    const std::string photo(2 << 20, 'p');  // the writer copies photo bytes without decoding them
    std::string folderList;
    for (int i = 0; i < 200; ++i) {
        char id[9];
        std::snprintf(id, sizeof id, "%08X", i);
        WriteFile(show + "0000/" + id + ".pho", photo);
        WriteFile(show + "0000/" + id + ".dat", "Name=p\r\n");
        folderList += std::string(id) + "=p.jpg\r\n";
    }
    WriteFile(show + "0000/folder.dat", folderList);
    fs::create_directories(Home() + "out");
    const std::string output = Home() + "out/Big.exe";
    try {
        ExtractCDViewer();  // what the program will embed
    } catch (const std::exception&) {
        GTEST_SKIP() << "this build carries no viewer to publish with";
    }

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::execl(VELVORA_CLI, VELVORA_CLI, "publish", show.c_str(), output.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    ::kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == CliDone) GTEST_SKIP() << "the run finished before the interrupt";
    EXPECT_EQ(WEXITSTATUS(status), CliInterrupted);
    EXPECT_TRUE(fs::is_empty(Home() + "out"));
}

}  // namespace
}  // namespace velvora
