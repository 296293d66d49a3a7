#include "base/FileIo.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

std::size_t EntriesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Failures name the file and leave the destination as it was; no temporary file ever stays.
TEST(CopyFileAtomic, CopiesPastOnePieceAndReplacesTheOldFileOrFailsLeavingItAsItWas) {
    const testing::TempFolder folder;
    WriteFile(folder.Path() + "copy", "old");
    try {
        CopyFileAtomic(folder.Path() + "gone", folder.Path() + "copy");
        ADD_FAILURE() << "copied a missing file";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(error.what(), "Cannot open file \"" + folder.Path() + "gone\".");
    }
    EXPECT_THROW(CopyFileAtomic(folder.Path() + "copy", folder.Path() + "no-folder/copy"), std::runtime_error);
    EXPECT_THROW(CopyFileAtomic(folder.Path(), folder.Path() + "copy"), std::runtime_error) << "a folder is no file";
    EXPECT_EQ(ReadFile(folder.Path() + "copy"), "old");
    EXPECT_EQ(EntriesIn(folder.Path()), 1u);

    std::string bytes(3 << 20, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7 + i / 4096);
    WriteFile(folder.Path() + "source", bytes);
    for (FileSync sync : {FileSync::BeforeRename, FileSync::Later}) {
        CopyFileAtomic(folder.Path() + "source", folder.Path() + "copy", sync);
        EXPECT_TRUE(ReadFile(folder.Path() + "copy") == bytes);
    }
    WriteFile(folder.Path() + "empty", "");
    CopyFileAtomic(folder.Path() + "empty", folder.Path() + "copy");
    EXPECT_EQ(ReadFile(folder.Path() + "copy"), "");
    EXPECT_EQ(EntriesIn(folder.Path()), 3u);
}

}  // namespace
}  // namespace velvora
