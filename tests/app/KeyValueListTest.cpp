#include "app/KeyValueList.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "app/FileIo.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

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

TEST(KeyValueList, ReadsAnyLineEndAndWritesCrLfAfterEveryLine) {
    TempFolder folder;
    const std::string path = folder.Path() + "settings.dat";
    WriteFile(path, "A=1\rB=2\nC=3\r\n\r\nD=4");
    KeyValueList list;
    list.LoadFromFile(path);
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"A=1", "B=2", "C=3", "", "D=4"}));
    list.SaveToFile(path);
    EXPECT_EQ(ReadFile(path), "A=1\r\nB=2\r\nC=3\r\n\r\nD=4\r\n");
    EXPECT_THROW(list.LoadFromFile(folder.Path() + "missing.dat"), std::runtime_error);
}

TEST(WriteFileAtomic, FailureKeepsOldFileAndLeavesNoTemporary) {
    TempFolder folder;
    const std::string path = folder.Path() + "shows.dat";
    WriteFileAtomic(path, "old\r\n");
    // A folder in the target's place makes the rename fail after the temporary was written.
    const std::string blocked = folder.Path() + "blocked";
    std::filesystem::create_directories(blocked + "/inside");
    EXPECT_THROW(WriteFileAtomic(blocked, "new"), std::runtime_error);
    EXPECT_EQ(ReadFile(path), "old\r\n");
    int entries = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(folder.Path())) ++entries;
    EXPECT_EQ(entries, 2);
}

}  // namespace
}  // namespace velvora
