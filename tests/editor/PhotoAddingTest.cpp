#include "editor/PhotoAdding.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "app/Progress.h"
#include "imaging/Bitmap.h"
#include "platform/MessagePump.h"
#include "support/JpegEncoder.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

TEST(NextFreePhotoId, SkipsAndConsumesUsedIdsCountingInCapitalHex) {
    struct Row {
        std::string counter;
        StringList used;
        std::string expected;
        StringList left;
    } rows[] = {
        {"00000000", {}, "00000000", {}},
        {"00000000", {"00000002", "00000000"}, "00000001", {"00000002"}},
        {"0000000F", {"0000000f"}, "00000010", {}},
        {"00000009", {"00000009"}, "0000000A", {}},
        {"000000FF", {"000000FF"}, "00000100", {}},
    };
    for (Row& row : rows) {
        EXPECT_EQ(NextFreePhotoId(row.counter, row.used), row.expected);
        EXPECT_EQ(row.counter, row.expected);
        EXPECT_EQ(row.used, row.left) << row.expected;
    }
}

TEST(IsJpegFileName, ExtensionMustOccurInJpegJpg) {
    for (const char* name : {"/a/b.jpg", "/a/B.JPEG", "/a/b.jp", "/a/.jpe"}) EXPECT_TRUE(IsJpegFileName(name)) << name;
    for (const char* name : {"/a/b.bmp", "/a/photo", "/a.jpg/photo", "/a/b.jpgx", "/a/b.g"})
        EXPECT_FALSE(IsJpegFileName(name)) << name;
}

class PhotoAddingTest : public testing::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        document.CategoryFolder = Home() + "Show/0000/";
        fs::create_directories(document.CategoryFolder);
    }
    void TearDown() override {
        SetMessagePump({});
        ProgramFolderTest::TearDown();
    }
    std::string Source(const std::string& name, const std::string& bytes) {
        WriteFile(Home() + "in/" + name, bytes);
        return Home() + "in/" + name;
    }
    std::string Bmp(const std::string& name, int width = 40, int height = 20) {
        return Source(name, Bitmap(width, height, PixelFormat::Bits24).SaveToBmp());
    }
    std::string Jpeg(const std::string& name, int width, int height) {
        return Source(name, testing::EncodeJpeg(width, height, 3, [](int, int, std::uint8_t* out) { out[0] = 9; }));
    }
    bool Has(const std::string& file) const { return fs::exists(document.CategoryFolder + file); }
    std::string IdAt(int index) const { return PhotoEntry::FromText(document.Photos().Item(index)).PhotoId; }

    ShowDocument document;
};

TEST_F(PhotoAddingTest, ThumbnailFitsTheBoxAndReportsTheSourceSize) {
    int width = 0;
    int height = 0;
    const std::string thumbnail = document.CategoryFolder + "t.thu";
    for (const std::string& source : {Bmp("small.bmp"), Jpeg("large.jpg", 4000, 2000)}) {
        ASSERT_TRUE(MakeThumbnail(source, thumbnail, width, height)) << source;
        EXPECT_EQ(width, source.ends_with(".bmp") ? 40 : 4000);
        EXPECT_EQ(height * 2, width);
        Bitmap written;
        written.LoadFromFile(thumbnail);
        EXPECT_EQ(written.Width(), 70);
        EXPECT_EQ(written.Height(), 35);
    }
    // A header claiming 100000 x 100000 pixels is refused before memory is taken.
    std::string huge = Bitmap(1, 1, PixelFormat::Bits24).SaveToBmp();
    huge.replace(18, 8, std::string("\xA0\x86\x01\x00\xA0\x86\x01\x00", 8));
    fs::remove(thumbnail);
    for (const std::string& source : {Source("huge.bmp", huge), Source("bad.jpg", "\xFF\xD8 nothing")})
        EXPECT_FALSE(MakeThumbnail(source, thumbnail, width, height)) << source;
    EXPECT_FALSE(fs::exists(thumbnail));
}

TEST_F(PhotoAddingTest, BatchAddsInSortedPathOrderWithThreeLinePropertiesAndAllSelected) {
    document.Photos().Select(document.Photos().Add("old"));
    const PhotoBatchResult result =
        AddPhotoBatch(document, {Bmp("C.bmp"), Bmp("b"), Jpeg("A.jpg", 4000, 2000)});
    EXPECT_EQ(result.CurrentIndex, 1);
    EXPECT_TRUE(result.SkippedFiles.empty());
    EXPECT_FALSE(ProgressIsOpen());
    EXPECT_EQ(FolderList, (StringList{"00000000=A.jpg", "00000001=b", "00000002=C.bmp"}));
    EXPECT_EQ(ReadFile(document.CategoryFolder + "00000000.dat"), "Name=A\r\nWidth=4000\r\nHeight=2000\r\n");
    EXPECT_EQ(ReadFile(document.CategoryFolder + "00000001.dat"), "Name=b\r\nWidth=40\r\nHeight=20\r\n");
    EXPECT_EQ(ReadFile(document.CategoryFolder + "00000002.pho"), ReadFile(Home() + "in/C.bmp"));
    ASSERT_EQ(document.Photos().Count(), 4);
    EXPECT_FALSE(document.Photos().IsSelected(0));
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(IdAt(i), "0000000" + std::to_string(i - 1));
        EXPECT_TRUE(Has(IdAt(i) + ".thu"));
        EXPECT_TRUE(document.Photos().IsSelected(i));
    }
}

TEST_F(PhotoAddingTest, FreedIdIsReusedAndBadFilesAreSkippedLeavingNothingBehind) {
    for (const char* file : {"00000000.pho", "00000002.PHO"}) WriteFile(document.CategoryFolder + file, "kept");
    const std::string damaged = Source("b.bmp", "BM but not really");
    const std::string missing = Home() + "in/gone.bmp";
    const PhotoBatchResult result = AddPhotoBatch(document, {Bmp("a.bmp"), damaged, missing, Bmp("d.bmp")});
    EXPECT_EQ(result.SkippedFiles, (StringList{damaged, missing}));
    EXPECT_EQ(FolderList, (StringList{"00000001=a.bmp", "00000003=d.bmp"}));
    EXPECT_EQ(ReadFile(document.CategoryFolder + "00000002.PHO"), "kept");
    EXPECT_FALSE(Has("00000004.pho"));
    EXPECT_EQ(std::distance(fs::directory_iterator(document.CategoryFolder), fs::directory_iterator()), 8);
}

TEST_F(PhotoAddingTest, CancelKeepsThePhotoInProgressAndMakesNoneCurrent) {
    SetMessagePump([] { ProgressCancel(); });
    const PhotoBatchResult result = AddPhotoBatch(document, {Bmp("a.bmp"), Bmp("b.bmp")});
    EXPECT_EQ(result.CurrentIndex, -1);
    EXPECT_EQ(document.Photos().Count(), 1);
    EXPECT_TRUE(Has("00000000.dat"));
    EXPECT_FALSE(Has("00000001.pho"));
    EXPECT_FALSE(ProgressIsOpen());
}

TEST_F(PhotoAddingTest, NoDisplayedCategoryTouchesNothing) {
    document.CategoryFolder.clear();
    EXPECT_EQ(AddPhotoBatch(document, {Bmp("a.bmp")}).CurrentIndex, -1);
    EXPECT_TRUE(FolderList.empty());
}

}  // namespace
}  // namespace velvora
