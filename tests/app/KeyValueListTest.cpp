#include "base/KeyValueList.h"

#include <filesystem>
#include <iterator>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace velvora {
namespace {

TEST(KeyValueList, LooksUpIgnoringCaseFirstMatchWinsAndSetReplacesFirstAppendsOrRemoves) {
    KeyValueList list({"Title=First", "title=Second", "Formula=a=b", "NoEquals", "Empty="});
    EXPECT_EQ(list.Value("TITLE"), "First");
    EXPECT_EQ(list.Value("formula"), "a=b");
    EXPECT_EQ(list.Value("NoEquals"), "");
    EXPECT_EQ(list.IndexOfName("empty"), 4);
    list.SetValue("TITLE", "9");
    list.SetValue("C", "new");
    list.SetValue("Formula", "");
    list.SetValue("Absent", "");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"TITLE=9", "title=Second", "NoEquals", "Empty=", "C=new"}));
}

TEST(KeyValueList, ReadsAnyLineEndWritesCrLfAfterEveryLineAndAFailedSaveLeavesNoTemporary) {
    testing::TempFolder folder;
    const std::string path = folder.Path() + "settings.dat";
    testing::WriteFile(path, "A=1\rB=2\nC=3\r\n\r\nD=4");
    KeyValueList list;
    list.LoadFromFile(path);
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"A=1", "B=2", "C=3", "", "D=4"}));
    list.SaveToFile(path);
    EXPECT_EQ(testing::ReadFile(path), "A=1\r\nB=2\r\nC=3\r\n\r\nD=4\r\n");
    EXPECT_THROW(list.LoadFromFile(folder.Path() + "missing.dat"), std::runtime_error);

    // A folder in the target's place makes the rename fail after the temporary was written.
    std::filesystem::create_directories(folder.Path() + "blocked/inside");
    EXPECT_THROW(list.SaveToFile(folder.Path() + "blocked"), std::runtime_error);
    EXPECT_TRUE(std::filesystem::exists(folder.Path() + "blocked/inside"));
    const std::filesystem::directory_iterator entries(folder.Path());
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 2);
}

}  // namespace
}  // namespace velvora
