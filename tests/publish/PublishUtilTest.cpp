#include "publish/PublishUtil.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/Global.h"
#include "base/Progress.h"
#include "compression/Compress.h"
#include "editor/ShowDocument.h"
#include "package/PackageFormat.h"
#include "platform/MessagePump.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

using testing::WriteFile;
using Lines = std::vector<std::string>;

std::string Slice(const std::vector<std::uint8_t>& file, ByteExtent extent) {
    return {file.begin() + std::ptrdiff_t(extent.Offset), file.begin() + std::ptrdiff_t(extent.Offset + extent.Size)};
}

class PublishTest : public testing::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        ShowPath = Home() + "Show/";
        WriteFile(Home() + "keltview.exe", Viewer);
    }
    // Writes the show's settings and opens it as the editor does, which saves it again.
    void LoadShow(const std::string& settings) {
        WriteFile(ShowPath + "quillond.dat", settings);
        ShowSettings.LoadFromFile(ShowPath + "quillond.dat");
        document.LoadShow();
    }
    // A show with a photo in the root, two in Holidays and none in Beach.
    void WriteTripShow() {
        WriteFile(ShowPath + "categories.dat",
                  "\\Holidays\r\nSelected=1\r\nAlias=0001\r\nTransition=3\r\n\r\n\\Holidays\\Beach\r\nExpanded=1\r\n"
                  "Alias=0002\r\n\r\n");
        WriteFile(ShowPath + "0000/folder.dat", "00000000=sea.jpg\r\n../../x=evil.jpg\r\n");
        WriteFile(ShowPath + "0000/00000000.dat", "Name=Sea\r\nWidth=640\r\nHeight=480\r\n\r\nRotate=3\r\n");
        WriteFile(ShowPath + "0000/00000000.thu", "thumb of sea");
        WriteFile(ShowPath + "0000/00000000.pho", "the sea photo");
        WriteFile(ShowPath + "0001/folder.dat", "00000001=a.jpg\r\n00000002=b.jpg\r\n");
        WriteFile(ShowPath + "0001/00000001.dat", "Name=A\r\nCaption=First\r\n");
        WriteFile(ShowPath + "0001/00000001.thu", "thumb of a");
        WriteFile(ShowPath + "0001/00000001.pho", "photo a");
        WriteFile(ShowPath + "0001/00000002.pho", "photo b without thumbnail or information");
    }

    static constexpr const char* Viewer = "MZ viewer program, viewer program, viewer program";
    ShowDocument document;
};

TEST_F(PublishTest, PublishedShowReadsBackWithEveryOffsetPointingAtItsDataAndACancelStopsIt) {
    const std::string marker(PackageMarker.begin(), PackageMarker.end());
    WriteFile(Home() + StubFileName, marker + "stub code");
    WriteTripShow();
    LoadShow("Title=Trip & Co\r\nViewerShowToolbar=1\r\n\r\n");
    EXPECT_EQ(CountPublishPhotos(), 3);
    // A title too long for its length byte, or no viewer, is refused before anything is written.
    TMemoryStream out;
    EXPECT_THROW(WriteViewerPrefix(out, std::string(256, 't'), Home() + "keltview.exe"), std::runtime_error);
    EXPECT_THROW(WriteViewerPrefix(out, "Trip", Home() + "missing.exe"), std::runtime_error);
    EXPECT_EQ(out.Size(), 0u);
    TMemoryStream longest;
    WriteViewerPrefix(longest, std::string(255, 't'), Home() + "keltview.exe");
    EXPECT_EQ(ReadViewerPrefix(MemoryByteSource(longest.Bytes())).Title, std::string(255, 't'));
    WriteViewerPrefix(out, document.Tree().Root()->Text, Home() + "keltview.exe");
    WritePublishedShow(out, document.Tree(), true, 3);
    const std::vector<std::uint8_t> file = out.Bytes();

    const MemoryByteSource source(file);
    const ViewerPrefix prefix = ReadViewerPrefix(source);
    EXPECT_EQ(prefix.MarkerOffset, marker.size() + 9);
    EXPECT_EQ(prefix.Title, "Trip & Co");
    EXPECT_EQ(prefix.ViewerSize, std::string(Viewer).size());
    TMemoryStream record(std::vector<std::uint8_t>(file.begin(), file.begin() + std::ptrdiff_t(prefix.PackageOffset)));
    record.Seek(prefix.ViewerRecord.Offset);
    TMemoryStream viewer;
    TCompressStream().DecompressStream(record, viewer);
    EXPECT_EQ(std::string(viewer.Bytes().begin(), viewer.Bytes().end()), Viewer);

    const PackageContents package = ReadPackage(source, prefix.PackageOffset);
    EXPECT_EQ(package.Version, "1.0");
    EXPECT_EQ(package.ShowSettings, (Lines{"Title=Trip & Co", "ViewerShowToolbar=1", "AliasCount=0"}));
    ASSERT_EQ(package.Categories.size(), 3u);
    const PackageCategory& root = package.Categories[0];
    const PackageCategory& holidays = package.Categories[1];
    const PackageCategory& beach = package.Categories[2];
    EXPECT_EQ(root.Path + " " + holidays.Path + " " + beach.Path, "\\ \\Holidays \\Holidays\\Beach");
    EXPECT_EQ(root.Alias + holidays.Alias + beach.Alias, "000000010002");
    EXPECT_TRUE(!root.Selected && holidays.Selected && !beach.Selected);
    EXPECT_TRUE(root.Expanded && holidays.Expanded && !beach.Expanded);
    EXPECT_EQ(holidays.Settings, Lines{"Transition=3"});
    EXPECT_TRUE(beach.Photos.empty());

    ASSERT_EQ(root.Photos.size(), 1u);
    EXPECT_EQ(root.Photos[0].Id + "=" + root.Photos[0].SourceFileName, "00000000=sea.jpg");
    EXPECT_EQ(root.Photos[0].Information, (Lines{"Name=Sea", "width=480", "height=640", "Rotate=3"}));
    EXPECT_EQ(Slice(file, root.Photos[0].Thumbnail), "thumb of sea");
    EXPECT_EQ(Slice(file, root.Photos[0].Fullsize), "the sea photo");
    ASSERT_EQ(holidays.Photos.size(), 2u);
    EXPECT_EQ(holidays.Photos[0].Information, (Lines{"Name=A", "Caption=First", "width=0", "height=0"}));
    EXPECT_EQ(Slice(file, holidays.Photos[0].Thumbnail), "thumb of a");
    EXPECT_EQ(Slice(file, holidays.Photos[1].Thumbnail), "");
    EXPECT_TRUE(holidays.Photos[1].HasFullsize && holidays.Photos[1].Information.empty());
    EXPECT_EQ(Slice(file, holidays.Photos[1].Fullsize), "photo b without thumbnail or information");

    // Cancelled after the first photo, the writer stops before the second photo's data.
    ProgressOpen();
    const auto previous = SetMessagePump([] { ProgressCancel(); });
    TMemoryStream cancelled;
    WritePublishedShow(cancelled, document.Tree(), true, 3);
    SetMessagePump(previous);
    ProgressClose();
    const std::string written(cancelled.Bytes().begin(), cancelled.Bytes().end());
    EXPECT_NE(written.find("thumb of seathe sea photo"), std::string::npos);
    EXPECT_EQ(written.find("thumb of a"), std::string::npos);

    // Every cut leaves a file the reader refuses with its own error, never reading past it.
    for (std::size_t size = 0; size < file.size(); ++size) {
        const MemoryByteSource cut(std::span<const std::uint8_t>(file).first(size));
        EXPECT_THROW(ReadPackage(cut, ReadViewerPrefix(cut).PackageOffset), EPackageError) << size;
    }
}

// Root alone, no photos: head, one section, "*", and one block of an empty list and two
// terminators, byte for byte.
TEST_F(PublishTest, RootOnlyShowWithoutPhotosIsHeadSectionAndOneEmptyBlock) {
    WriteFile(ShowPath + "quillond.dat", "Title=Solo\r\n");
    CategoryTree tree;
    tree.SetRoot("Solo")->Category = std::make_unique<TCategory>();
    tree.Root()->Category->Alias = RootAlias;
    TMemoryStream out;
    WritePublishedShow(out, tree, true, 0);

    // The package as it must be, with the category's Lookup line holding `lookup`.
    const auto package = [](auto lookup) {
        Scrambler s;
        std::string bytes = s.ScrambleText("ZORB") + "\r\n";
        bytes += s.ScrambleText("Version=1.0\r\n\r\n*\r\n\r\nTitle=Solo\r\n\r\n*\r\n\r\n");
        bytes += s.ScrambleText("\\\r\nTitle=Solo\r\n\r\nSelected=1\r\nAlias=0000\r\n");
        bytes += s.ScrambleText("Lookup=" + Hex8(std::uint32_t(lookup(bytes.size() + 17 + 2 + 3))) + "\r\n\r\n*\r\n");
        s.SetPhase(0);
        return bytes + s.ScrambleText("\r\n*\r\n\r\n*\r\n\r\n");
    };
    const std::string expected = package([](std::size_t blockAt) { return blockAt; });
    EXPECT_EQ(std::string(out.Bytes().begin(), out.Bytes().end()), expected);
    EXPECT_EQ(ReadPackage(MemoryByteSource(out.Bytes()), 0).Categories.size(), 1u);
    const std::string pastTheEnd = package([](std::size_t) { return 0xFFFFFFF0u; });
    EXPECT_THROW(ReadPackage(MemoryByteSource(std::vector<std::uint8_t>(pastTheEnd.begin(), pastTheEnd.end())), 0),
                 EPackageError);
    // "ZORB" takes phases 1 to 4 and the raw CR LF none, so the text starts at phase 5.
    EXPECT_EQ(out.Bytes()[6] ^ ScrambleKey[4], 'V');
}

TEST_F(PublishTest, CountSkipsAliasesAndIdsThatLeaveTheShowFolder) {
    WriteFile(ShowPath + "categories.dat",
              "\\A\r\nALIAS=0001\r\n\r\n\\B\r\nAlias=../0001\r\n\r\n\\C\r\nAlias=0003\r\n\r\n");
    WriteFile(ShowPath + "0000/folder.dat", "00000000=a.jpg\r\n");
    WriteFile(ShowPath + "0001/folder.dat", "00000000=a.jpg\r\n..=b.jpg\r\n0000000A=c.jpg\r\n");
    WriteFile(ShowPath + "folder.dat", "00000000=a.jpg\r\n");
    ProgressOpen();
    EXPECT_EQ(CountPublishPhotos(), 4);
    ProgressClose();
}

}  // namespace
}  // namespace velvora
