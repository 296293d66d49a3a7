#include "app/Global.h"

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/MessagePump.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using testing::ProgramFolderTest;
using testing::TempFolder;
using testing::WriteFile;

TEST(NameLists, StoredIndexesKeepTheirTexts) {
    struct Row {
        const StringList& list;
        std::size_t size;
        std::size_t index;
        const char* text;
    };
    const Row rows[] = {
        {TransitionNames, 34, 2, "Random"},
        {TransitionNames, 34, 10, "Slide from bottom-right"},
        {TransitionNames, 34, 11, "Wipe from left"},
        {TransitionNames, 34, 26, "Expand verticaly from center"},
        {TransitionNames, 34, 33, "Horizontal bars large"},
        {HorizontalAlignNames, 5, 1, "Random"},
        {HorizontalAlignNames, 5, 4, "Right"},
        {VerticalAlignNames, 5, 1, "Random"},
        {VerticalAlignNames, 5, 3, "Middle"},
        {DurationNames, 9, 2, "Random"},
        {DurationNames, 9, 8, "Custom..."},
        {SizeNames, 7, 6, "Custom height..."},
        {LoopNames, 3, 2, "Coninuously loop through photos."},
        {BackgroundNames, 2, 1, "Specific color."},
    };
    for (const Row& row : rows) {
        ASSERT_EQ(row.list.size(), row.size);
        EXPECT_EQ(row.list[0], "Default");
        EXPECT_EQ(row.list[row.index], row.text);
    }
    StringList basic = {"keep"};
    FillBasicTransitions(basic);
    ASSERT_EQ(basic.size(), 12u);
    EXPECT_TRUE(std::equal(basic.begin() + 1, basic.end(), TransitionNames.begin()));
}

TEST(CutToken, TakesTextBeforeSeparatorOrAll) {
    struct Row {
        std::string text, separator, token, rest;
    };
    const Row rows[] = {
        {"a|b|c", "|", "a", "b|c"},
        {"abc", "|", "abc", ""},
        {"", "|", "", ""},
        {"name\xFF" "caption\xFF", "\xFF", "name", "caption\xFF"},
    };
    for (const Row& row : rows) {
        std::string text = row.text, token = "stale";
        CutToken(text, row.separator, token);
        EXPECT_EQ(token, row.token) << row.text;
        EXPECT_EQ(text, row.rest) << row.text;
    }
}

TEST(StrToIntRange, ParsesAndClamps) {
    struct Row {
        const char* text;
        int minimum, maximum, expected;
    };
    const Row rows[] = {
        {"", 1, 10000, 1},          {"20000", 1, 10000, 10000}, {"-5", 0, 100, 0},
        {"42", 0, 100, 42},         {"12abc", 0, 100, 0},       {"abc", 5, 100, 5},
        {"99999999999999999999", 0, 100, 100}, {"+7", 0, 100, 7},
    };
    for (const Row& row : rows) EXPECT_EQ(StrToIntRange(row.text, row.minimum, row.maximum), row.expected) << row.text;
}

TEST(EscapeAmpersands, DoublesEveryAmpersandForMenuCaptions) {
    EXPECT_EQ(EscapeAmpersands("&&x & y&"), "&&&&x && y&&");
}

TEST(FileSizeOf, MissingFileIsZeroAndRealFileIsItsLength) {
    TempFolder folder;
    WriteFile(folder.Path() + "five", "12345");
    EXPECT_EQ(FileSizeOf(folder.Path() + "five"), 5u);
    EXPECT_EQ(FileSizeOf(folder.Path() + "missing"), 0u);
}

TEST(DeleteDirTree, RemovesTheTreeAndItsLinksButNothingTheyPointTo) {
    TempFolder folder;
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
    EXPECT_THROW(DeleteDirTree(folder.Path() + "nothing"), std::runtime_error);
}

TEST(CopyFileOverwrite, ReplacesDestinationAndIgnoresMissingSource) {
    TempFolder folder;
    WriteFile(folder.Path() + "new", "new bytes");
    WriteFile(folder.Path() + "old", "old");
    CopyFileOverwrite(folder.Path() + "new", folder.Path() + "old");
    EXPECT_EQ(testing::ReadFile(folder.Path() + "old"), "new bytes");
    EXPECT_NO_THROW(CopyFileOverwrite(folder.Path() + "missing", folder.Path() + "other"));
    EXPECT_FALSE(fs::exists(folder.Path() + "other"));
}

class AppPathTest : public ProgramFolderTest {};

TEST_F(AppPathTest, ComesFromVelvoraHomeElseTheProgramFolderWithTrailingSeparator) {
    std::string home = Home();
    home.pop_back();
    ::setenv("VELVORA_HOME", home.c_str(), 1);
    InitGlobal();
    EXPECT_EQ(AppPath, Home());
    ::unsetenv("VELVORA_HOME");
    InitGlobal("/opt/velvora/bin/velvora");
    EXPECT_EQ(AppPath, "/opt/velvora/bin/");
}

}  // namespace
}  // namespace velvora
