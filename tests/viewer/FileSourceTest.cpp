// TFileSource: temporary names, extraction and storing in both stored forms, the file's
// lifetime, and damaged stored bytes.
#include <filesystem>
#include <memory>
#include <string>

#include <gmock/gmock.h>

#include "compression/FileSrc.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

using testing::ReadFile;
using testing::WriteFile;

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

TEST(FileSourceTest, NamesInTheSameSecondCountUpFromZeroAndAreTakenAtOnce) {
    testing::TempFolder folder;
    const std::string first = CreateTemporaryFileName(folder.Path(), 7, ".exe");
    EXPECT_EQ(CreateTemporaryFileName(folder.Path(), 7, ".exe"), folder.Path() + "~fs71.exe");
    EXPECT_EQ(first, folder.Path() + "~fs70.exe");
    EXPECT_EQ(ReadFile(first), "");
    WriteFile(folder.Path() + "~fs592.dat", "someone else's");
    EXPECT_EQ(CreateTemporaryFileName(folder.Path(), 59, ".dat"), folder.Path() + "~fs590.dat");
    EXPECT_EQ(CreateTemporaryFileName(folder.Path(), 59, ".dat"), folder.Path() + "~fs591.dat");
    EXPECT_EQ(CreateTemporaryFileName(folder.Path(), 59, ".dat"), folder.Path() + "~fs593.dat");
    EXPECT_EQ(ReadFile(folder.Path() + "~fs592.dat"), "someone else's");
    EXPECT_THROW(CreateTemporaryFileName(folder.Path() + "missing/", 0, ".exe"), std::runtime_error);
}

// A file stored by one component and extracted by another, as the build and the running
// tool do it.
std::unique_ptr<TFileSource> RoundTrip(const std::string& content, bool compress, TMemoryStream& stored) {
    testing::TempFolder folder;
    WriteFile(folder.Path() + "viewer.exe", content);
    TFileSource writer("Viewer_CD");
    writer.SetCompress(compress);
    writer.SetFileName(folder.Path() + "viewer.exe");
    writer.WriteData(stored);
    stored.Seek(0);
    auto reader = std::make_unique<TFileSource>("Viewer_CD");
    reader->SetCompress(compress);
    reader->SetExtension(writer.Extension());
    reader->ReadData(stored);
    return reader;
}

TEST(FileSourceTest, ExtractsWhatWasStoredAndDeletesItWithTheComponent) {
    std::string content = "MZ";
    for (int i = 0; i < 40000; ++i) content += static_cast<char>(i % 251);
    for (const bool compress : {true, false}) {
        TMemoryStream stored;
        auto source = RoundTrip(content, compress, stored);
        EXPECT_EQ(stored.Bytes()[0] == 'T', compress);
        EXPECT_EQ(stored.Position(), stored.Size()) << "the stored bytes are read to their end";
        const std::string path = source->FileName();
        EXPECT_EQ(ReadFile(path), content);
        EXPECT_EQ(std::filesystem::path(path).filename().string().substr(0, 3), "~fs");
        EXPECT_EQ(std::filesystem::path(path).extension(), ".exe");
        source.reset();
        EXPECT_FALSE(Exists(path));
    }
}

TEST(FileSourceTest, TwoComponentsGetTwoFilesAndANameDeletedBySomeoneElseReadsEmpty) {
    TMemoryStream stored;
    auto first = RoundTrip("first", true, stored);
    stored.Seek(0);
    TFileSource second("Viewer_CD");
    second.SetCompress(true);
    second.ReadData(stored);
    EXPECT_NE(first->FileName(), second.FileName());
    EXPECT_EQ(ReadFile(second.FileName()), "first");

    const std::string path = first->FileName();
    std::filesystem::remove(path);
    EXPECT_EQ(first->FileName(), "");
    // Assigning a name deletes the component's own earlier file, never the new one.
    const std::string secondPath = second.FileName();
    second.SetFileName(path + ".txt");
    EXPECT_FALSE(Exists(secondPath));
    EXPECT_EQ(second.Extension(), ".txt");
}

TEST(FileSourceTest, StoringAMissingFileNamesComponentAndFile) {
    TFileSource source("ViewerStub");
    source.SetFileName("/nowhere/zorbstub.exe");
    TMemoryStream stored;
    EXPECT_THAT([&] { source.WriteData(stored); },
                ::testing::ThrowsMessage<std::runtime_error>(
                    "ViewerStub cannot store file: /nowhere/zorbstub.exe (file is missing)"));
    EXPECT_EQ(stored.Size(), 0u);
    source.SetCompress(true);
    EXPECT_TRUE(source.Store());
}

TEST(FileSourceTest, DamagedStoredBytesFailAndLeaveNoFileBehind) {
    // A size far beyond the bytes present, a record of another kind, a record cut short.
    const std::vector<std::pair<bool, std::vector<std::uint8_t>>> damaged = {
        {false, {0xFF, 0xFF, 0xFF, 0x7F, 'M', 'Z'}},
        {true, {'T', 'Q', 'X', 'B', '1', '1', 0, 0, 0, 0}},
        {true, {'T', 'Q', 'X', 'B', '1', '0', 9, 0, 0, 0, 5, 0}},
    };
    for (const auto& [compress, bytes] : damaged) {
        std::string path;
        {
            TFileSource source("Viewer_CD");
            source.SetCompress(compress);
            TMemoryStream stored(bytes);
            EXPECT_ANY_THROW(source.ReadData(stored));
            path = source.FileName();
            EXPECT_FALSE(path.empty());
        }
        EXPECT_FALSE(Exists(path));
    }
}

}  // namespace
}  // namespace velvora
