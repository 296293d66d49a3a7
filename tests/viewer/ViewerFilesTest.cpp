// The embedded Windows programs: the CD viewer copied into the program folder, the stub's
// temporary copy, and what they are.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "base/Global.h"
#include "publish/ViewerFiles.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

using testing::ReadFile;
using testing::WriteFile;

class ViewerFilesTest : public testing::ProgramFolderTest {};

TEST_F(ViewerFilesTest, ExtractCDViewerReplacesKeltviewWithAWindowsProgram) {
    WriteFile(Home() + "keltview.exe", "an older copy");
    EXPECT_EQ(ExtractCDViewer(), Home() + "keltview.exe");
    const std::string viewer = ReadFile(Home() + "keltview.exe");
    EXPECT_EQ(viewer.substr(0, 2), "MZ");
    EXPECT_GT(viewer.size(), 10000u);
    EXPECT_EQ(ExtractCDViewer(), Home() + "keltview.exe");
    EXPECT_EQ(ReadFile(Home() + "keltview.exe"), viewer);
    EXPECT_EQ(StubViewerPath(), Home() + "zorbstub.exe");
}

// Without the program folder neither copy can be made, and both say so.
TEST_F(ViewerFilesTest, AMissingStubIsInstalledFromTheToolsOwnCopyAPresentOneIsKeptAndAMissingFolderFails) {
    EXPECT_EQ(EnsureStubViewer(), Home() + "zorbstub.exe");
    EXPECT_EQ(ReadFile(Home() + "zorbstub.exe").substr(0, 2), "MZ");
    WriteFile(Home() + "zorbstub.exe", "MZ installed by someone");
    EnsureStubViewer();
    EXPECT_EQ(ReadFile(Home() + "zorbstub.exe"), "MZ installed by someone");
    AppPath = Home() + "gone/";
    EXPECT_THROW(EnsureStubViewer(), std::runtime_error);
    EXPECT_THROW(ExtractCDViewer(), std::runtime_error);
}

TEST_F(ViewerFilesTest, ViewerStubIsAWindowsProgramForAsLongAsItsComponentLives) {
    auto stub = CreateViewerStub();
    const std::string path = stub->FileName();
    EXPECT_EQ(std::filesystem::path(path).extension(), ".exe");
    EXPECT_EQ(ReadFile(path).substr(0, 2), "MZ");
    stub.reset();
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace velvora
