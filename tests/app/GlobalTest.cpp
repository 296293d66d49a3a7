#include "base/Global.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "platform/MessagePump.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using testing::ProgramFolderTest;
using testing::WriteFile;

TEST(NameLists, StoredIndexesKeepTheirTexts) {
    const std::tuple<const StringList&, std::size_t, std::size_t, const char*> rows[] = {
        {TransitionNames, 34, 26, "Expand verticaly from center"},
        {TransitionNames, 34, 33, "Horizontal bars large"},
        {HorizontalAlignNames, 5, 1, "Random"},
        {VerticalAlignNames, 5, 1, "Random"},
        {DurationNames, 9, 8, "Custom..."},
        {SizeNames, 7, 6, "Custom height..."},
        {LoopNames, 3, 2, "Coninuously loop through photos."},
        {BackgroundNames, 2, 1, "Specific color."}};
    for (const auto& [list, size, index, text] : rows) {
        ASSERT_EQ(list.size(), size);
        EXPECT_EQ(list[0], "Default");
        EXPECT_EQ(list[index], text);
    }
    StringList basic = {"keep"};
    FillBasicTransitions(basic);
    ASSERT_EQ(basic.size(), 12u);
    EXPECT_TRUE(std::equal(basic.begin() + 1, basic.end(), TransitionNames.begin()));
}

TEST(TextHelpers, CutTokenStrToIntRangeAndEscapeAmpersands) {
    const std::tuple<std::string, std::string, std::string, std::string> cuts[] = {
        {"a|b|c", "|", "a", "b|c"},
        {"abc", "|", "abc", ""},
        {"", "|", "", ""},
        {"name\xFFrest\xFF", "\xFF", "name", "rest\xFF"}};
    for (const auto& [text, separator, token, rest] : cuts) {
        std::string remaining = text, taken = "stale";
        CutToken(remaining, separator, taken);
        EXPECT_EQ(taken, token) << text;
        EXPECT_EQ(remaining, rest) << text;
    }
    const std::tuple<const char*, int, int, int> numbers[] = {{"", 1, 10000, 1},
                                                              {"20000", 1, 10000, 10000},
                                                              {"-5", 0, 100, 0},
                                                              {"42", 0, 100, 42},
                                                              {"12abc", 0, 100, 0},
                                                              {"abc", 5, 100, 5},
                                                              {"99999999999999999999", 0, 100, 100},
                                                              {"+7", 0, 100, 7}};
    for (const auto& [text, minimum, maximum, expected] : numbers)
        EXPECT_EQ(StrToIntRange(text, minimum, maximum), expected) << text;
    EXPECT_EQ(EscapeAmpersands("&&x & y&"), "&&&&x && y&&");
}

TEST(FileHelpers, DeleteDirTreeSparesWhatLinksPointToAndCopyReplacesOrIgnoresAMissingSource) {
    testing::TempFolder folder;
    WriteFile(folder.Path() + "outside/precious.jpg", "photo");
    WriteFile(folder.Path() + "show/0000/deeper/b.pho", "b");
    fs::create_directory_symlink(folder.Path() + "outside", folder.Path() + "show/link");
    int pumps = 0;
    auto previous = SetMessagePump([&] { ++pumps; });
    DeleteDirTree(folder.Path() + "show/");
    SetMessagePump(previous);
    EXPECT_FALSE(fs::exists(folder.Path() + "show"));
    EXPECT_TRUE(fs::exists(folder.Path() + "outside/precious.jpg"));
    EXPECT_GE(pumps, 3);
    for (const char* given : {"category", "category/"}) {  // a link given as the folder goes as a link
        fs::create_directory_symlink(folder.Path() + "outside", folder.Path() + "category");
        DeleteDirTree(folder.Path() + given);
        EXPECT_FALSE(fs::is_symlink(folder.Path() + "category")) << given;
        EXPECT_TRUE(fs::exists(folder.Path() + "outside/precious.jpg")) << given;
    }
    EXPECT_THROW(DeleteDirTree(folder.Path() + "nothing"), std::runtime_error);

    WriteFile(folder.Path() + "new", "new bytes");
    WriteFile(folder.Path() + "old", "old");
    CopyFileOverwrite(folder.Path() + "new", folder.Path() + "old");
    EXPECT_EQ(testing::ReadFile(folder.Path() + "old"), "new bytes");
    EXPECT_EQ(FileSizeOf(folder.Path() + "old"), 9u);
    EXPECT_NO_THROW(CopyFileOverwrite(folder.Path() + "missing", folder.Path() + "other"));
    EXPECT_EQ(FileSizeOf(folder.Path() + "other"), 0u);
}

// An installation made by `cmake --install` under a temporary prefix, next to a build tree
// whose programs have no marker above them.
TEST(ProgramFolders, InstalledProgramKeepsShowsPerUserAndReadsItsFilesFromThePrefix) {
    testing::TempFolder root;
    const std::string prefix = root.Path() + "prefix/";
    WriteFile(prefix + "share/velvora/" + InstalledMarkerName, "marker");
    const std::string installed = prefix + "bin/velvora";
    const std::string built = root.Path() + "build/velvora";
    const std::string buildFolder = root.Path() + "build/", shipped = prefix + "share/velvora/";
    const std::string annData = "/home/ann/.local/share/velvora/";
    using Environment = std::map<std::string, std::string>;
    const Environment ann = {{"HOME", "/home/ann"}};
    const struct {
        std::string program;
        Environment environment;
        std::string data, shipped;
        bool perUser;
    } rows[] = {
        {built, ann, buildFolder, buildFolder, false},
        {built, {{"VELVORA_HOME", "/tmp/shows"}}, "/tmp/shows/", buildFolder, false},
        {installed, ann, annData, shipped, true},
        {installed, {{"HOME", "/home/ann"}, {"XDG_DATA_HOME", "/data/ann/"}}, "/data/ann/velvora/", shipped, true},
        // The XDG rule ignores a relative XDG_DATA_HOME, and an empty variable counts as unset.
        {installed, {{"HOME", "/home/ann"}, {"XDG_DATA_HOME", "data"}}, annData, shipped, true},
        {installed, {{"HOME", "/home/ann"}, {"VELVORA_HOME", ""}}, annData, shipped, true},
        {installed, {{"HOME", "/home/ann"}, {"VELVORA_HOME", "/tmp/shows"}}, "/tmp/shows/", shipped, false},
    };
    for (const auto& row : rows) {
        const auto lookup = [&row](const char* name) -> const char* {
            const auto found = row.environment.find(name);
            return found == row.environment.end() ? nullptr : found->second.c_str();
        };
        const ProgramFolders folders = ChooseProgramFolders(row.program, lookup);
        EXPECT_EQ(folders.data, row.data) << row.program;
        EXPECT_EQ(folders.shipped, row.shipped) << row.program;
        EXPECT_EQ(folders.perUser, row.perUser) << row.program;
    }
}

TEST_F(ProgramFolderTest, AppPathAndProgramFilesComeFromTheProgramFolderFirstThenFromTheInstallation) {
    const std::string withoutSeparator = Home().substr(0, Home().size() - 1);
    ::setenv("VELVORA_HOME", withoutSeparator.c_str(), 1);
    InitGlobal();
    EXPECT_EQ(AppPath, Home());
    testing::TempFolder installation;
    ProgramDataPath = installation.Path();
    EXPECT_EQ(ProgramFilePath("zorbstub.exe"), Home() + "zorbstub.exe");
    WriteFile(installation.Path() + "zorbstub.exe", "MZ installed");
    EXPECT_EQ(ProgramFilePath("zorbstub.exe"), installation.Path() + "zorbstub.exe");
    WriteFile(Home() + "zorbstub.exe", "MZ placed by the user");
    EXPECT_EQ(ProgramFilePath("zorbstub.exe"), Home() + "zorbstub.exe");
    ::unsetenv("VELVORA_HOME");
    InitGlobal("/opt/velvora/bin/velvora");
    EXPECT_EQ(AppPath, "/opt/velvora/bin/");
}

}  // namespace
}  // namespace velvora
