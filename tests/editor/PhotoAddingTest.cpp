#include "editor/PhotoAdding.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <utility>

#include <gtest/gtest.h>

#include "base/KeyValueList.h"
#include "base/Progress.h"
#include "editor/PhotoViewing.h"
#include "editor/RotationWizard.h"
#include "imaging/Bitmap.h"
#include "imaging/ExifOrientation.h"
#include "imaging/JPEG_IO.h"
#include "platform/MessagePump.h"
#include "support/JpegEncoder.h"
#include "support/PictureEncoders.h"
#include "support/TempFolder.h"

namespace velvora {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

// Returns the id found from `counter` and the used ids still listed afterwards.
std::string NextFree(std::string counter, StringList used) {
    std::string id = NextFreePhotoId(counter, used);
    for (const std::string& left : used) id += " " + left;
    return id;
}

TEST(NextFreePhotoId, SkipsAndConsumesUsedIdsCountingInCapitalHex) {
    EXPECT_EQ(NextFree("00000000", {}), "00000000");
    EXPECT_EQ(NextFree("00000000", {"00000002", "00000000"}), "00000001 00000002");
    EXPECT_EQ(NextFree("0000000F", {"0000000f"}), "00000010");
    EXPECT_EQ(NextFree("00000009", {"00000009"}), "0000000A");
    EXPECT_EQ(NextFree("000000FF", {"000000FF"}), "00000100");
}

// JPEG names need only an extension that occurs in "jpeg" or "jpg"; converted formats are
// matched exactly, and their stored pictures are JPEGs, as JPEGs' are.
TEST(PhotoFileNames, JpegExtensionsAreLooseConvertedOnesExactAndBitmapsNoJpeg) {
    for (const char* name : {"/a/b.jpg", "/a/B.JPEG", "/a/b.jp", "/a/.jpe"}) EXPECT_TRUE(IsJpegFileName(name)) << name;
    for (const char* name : {"/a/b.bmp", "/a/photo", "/a.jpg/photo", "/a/b.jpgx"}) EXPECT_FALSE(IsJpegFileName(name));
    for (const char* name : {"b.jpg", "b.PNG", "b.gif", "b.tif", "b.TIFF", "b.webp", "b.heic", "b.Heif"}) {
        EXPECT_TRUE(StoredPictureIsJpeg(name)) << name;
        EXPECT_TRUE(IsAddablePhotoFileName(name)) << name;
    }
    for (const char* name : {"b.bmp", "b", "b.pn", "b.tiffs", "b.heics", "png"}) EXPECT_FALSE(StoredPictureIsJpeg(name));
    EXPECT_FALSE(IsConvertedFileName("b.jpg"));
    EXPECT_FALSE(IsAddablePhotoFileName("b.pn"));
}

class PhotoAddingTest : public testing::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        document.CategoryFolder = Home() + "Show/0000/";
        fs::create_directories(folder);
    }
    std::string Source(const std::string& name, const std::string& bytes) {
        WriteFile(Home() + "in/" + name, bytes);
        return Home() + "in/" + name;
    }
    std::string Bmp(const std::string& name, int width = 40) {
        return Source(name, Bitmap(width, 20, PixelFormat::Bits24).SaveToBmp());
    }
    std::string Jpeg(const std::string& name) {
        return Source(name, testing::EncodeJpeg(4000, 2000, 3, [](int, int, std::uint8_t* out) { out[0] = 9; }));
    }

    ShowDocument document;
    const std::string& folder = document.CategoryFolder;
};

std::string GifQuadrants(int width, int height) {
    const std::string palette("\xFF\0\0\0\xFF\0\0\0\xFF\xFF\xFF\0", 12);
    return testing::EncodeGif(width, height, {.screenWidth = width, .screenHeight = height}, palette,
                              [=](int x, int y) { return (y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0); });
}

// The source of each converted format, holding an upright 80 x 60 picture (the TIFF, WebP
// and HEIC stored sideways, to be stood up on the way in).
StringList ConvertedSources(const std::function<std::string(const std::string&, const std::string&)>& source) {
    const auto stored = [](int orientation) { return testing::StoredQuadrants(80, 60, orientation); };
    StringList files{source("a.png", testing::EncodePng(80, 60, testing::PngKind::Rgba, stored(1))),
                     source("b.gif", GifQuadrants(80, 60)),
                     source("c.tif", testing::EncodeTiff(60, 80, stored(6), 6, false)),
                     source("d.webp", testing::EncodeWebp(60, 80, stored(8), false,
                                                          testing::ExifSegment(8, "2019:05:01 08:00:00")))};
    if (testing::CanEncodeHeic()) files.push_back(source("e.HEIC", testing::EncodeHeic(60, 80, stored(6), 6, false)));
    return files;
}

// "RGB" of a pixel, each channel rounded to 0 or 255 (F).
std::string ColourAt(const Bitmap& bitmap, int x, int y) {
    const Bitmap bgr = ConvertToBgr24(bitmap);
    const std::uint8_t* pixel = bgr.Row(y) + std::size_t(x) * 3;
    return std::string{pixel[2] >= 128 ? 'F' : '0', pixel[1] >= 128 ? 'F' : '0', pixel[0] >= 128 ? 'F' : '0'};
}

// Top-left and bottom-right corners: red and yellow when upright.
std::string Corners(const Bitmap& bitmap) {
    return ColourAt(bitmap, 0, 0) + " " + ColourAt(bitmap, bitmap.Width() - 1, bitmap.Height() - 1);
}

TEST_F(PhotoAddingTest, ConvertedFormatsAreStoredAsUprightJpegsWithoutRotate) {
    const StringList files =
        ConvertedSources([this](const std::string& name, const std::string& bytes) { return Source(name, bytes); });
    const std::string old = Home() + "in/c.tif";
    fs::last_write_time(old, fs::last_write_time(old) - std::chrono::hours(24 * 400));
    EXPECT_TRUE(AddPhotoBatch(document, files).SkippedFiles.empty());
    ASSERT_EQ(document.Photos().Count(), int(files.size()));
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string id = "0000000" + std::to_string(i);
        const std::string name = fs::path(files[i]).filename().string();
        EXPECT_EQ(FolderList[i], id + "=" + name);
        EXPECT_EQ(ReadFile(folder + id + ".dat"),
                  "Name=" + fs::path(files[i]).stem().string() + "\r\nWidth=80\r\nHeight=60\r\n") << name;
        EXPECT_EQ(fs::last_write_time(folder + id + ".pho"), fs::last_write_time(files[i])) << name;
        std::unique_ptr<Bitmap> stored;
        int width = 0, height = 0;
        ASSERT_TRUE(ReadJpegFile(folder + id + ".pho", 1, stored, width, height)) << name;
        EXPECT_EQ(Corners(*stored), "F00 FF0") << name;
        Bitmap thumbnail;
        thumbnail.LoadFromFile(folder + id + ".thu");
        EXPECT_EQ(thumbnail.Width() * 100 + thumbnail.Height(), 7052) << name;
        EXPECT_EQ(Corners(thumbnail), "F00 FF0") << name;
        // The viewer pane and the rotation wizard decode the stored JPEG, not the thumbnail.
        const PhotoEntry entry = PhotoEntry::FromText(document.Photos().Item(int(i)));
        EXPECT_EQ(LoadPhotoForViewing(folder, entry).Width(), 80) << name;
        fs::remove(folder + id + ".thu");
        EXPECT_EQ(LoadRotationPreview(folder, entry, 200).Width(), 200) << name;
    }
    // The WebP's date taken travels in the stored JPEG's EXIF block, its orientation reset.
    EXPECT_NE(ReadFile(folder + "00000003.pho").find("2019:05:01 08:00:00"), std::string::npos);
    EXPECT_EQ(ReadExifOrientation(folder + "00000003.pho"), 1);
    if (!testing::CanEncodeHeic()) GTEST_SKIP() << "this libheif has no HEVC encoder; no HEIC was added";
}

TEST_F(PhotoAddingTest, ThumbnailFitsTheBoxAndReportsTheSourceSize) {
    int width = 0, height = 0;
    for (const std::string& source : {Bmp("small.bmp"), Jpeg("large.jpg")}) {
        ASSERT_TRUE(MakeThumbnail(source, folder + "t.thu", width, height)) << source;
        EXPECT_EQ(width * 10 + height, source.ends_with(".bmp") ? 420 : 42000);
        Bitmap written;
        written.LoadFromFile(folder + "t.thu");
        EXPECT_EQ(written.Width() * 100 + written.Height(), 7035);
    }
    // A header claiming 100000 x 100000 pixels is refused before memory is taken.
    std::string huge = Bitmap(1, 1, PixelFormat::Bits24).SaveToBmp();
    huge.replace(18, 8, std::string("\xA0\x86\x01\x00\xA0\x86\x01\x00", 8));
    fs::remove(folder + "t.thu");
    for (const std::string& source : {Source("huge.bmp", huge), Source("bad.jpg", "\xFF\xD8 nothing")})
        EXPECT_FALSE(MakeThumbnail(source, folder + "t.thu", width, height)) << source;
    EXPECT_FALSE(fs::exists(folder + "t.thu"));
}

// A file name that is not UTF-8 is taken as Windows-1252: its raw 0xFF once split the entry.
TEST_F(PhotoAddingTest, BatchAddsInSortedPathOrderWithThreeLinePropertiesAndAllSelected) {
    document.Photos().Select(document.Photos().Add("old"));
    EXPECT_EQ(AddPhotoBatch(document, {Bmp("x\xFFy.bmp"), Bmp("C.bmp"), Bmp("b"), Jpeg("A.jpg")}).CurrentIndex, 1);
    EXPECT_FALSE(ProgressIsOpen());
    EXPECT_EQ(FolderList, (StringList{"00000000=A.jpg", "00000001=b", "00000002=C.bmp", "00000003=x\xC3\xBFy.bmp"}));
    EXPECT_EQ(ReadFile(folder + "00000000.dat"), "Name=A\r\nWidth=4000\r\nHeight=2000\r\n");
    EXPECT_EQ(ReadFile(folder + "00000002.pho"), ReadFile(Home() + "in/C.bmp"));
    ASSERT_EQ(document.Photos().Count(), 5);
    EXPECT_EQ(PhotoEntry::FromText(document.Photos().Item(2)), (PhotoEntry{"00000001", "b", "", "b", "40", "20"}));
    EXPECT_EQ(PhotoEntry::FromText(document.Photos().Item(4)),
              (PhotoEntry{"00000003", "x\xC3\xBFy.bmp", "", "x\xC3\xBFy", "40", "20"}));
    for (int i = 0; i < 5; ++i) EXPECT_EQ(document.Photos().IsSelected(i), i > 0);
    for (const char* id : {"00000000", "00000001", "00000002"}) EXPECT_TRUE(fs::exists(folder + id + ".thu"));
}

// Thumbnails are made ahead on other threads; each must still land with its own photo past
// the files skipped between them.
TEST_F(PhotoAddingTest, BadFilesAreSkippedLeavingNothingBehindAndEveryPhotoKeepsItsOwnThumbnailAndFreedId) {
    for (const char* file : {"00000000.pho", "00000002.PHO"}) WriteFile(folder + file, "kept");
    StringList files, skipped;
    const auto bad = [&](const std::string& path) {
        files.push_back(path);
        skipped.push_back(path);
    };
    files.push_back(Bmp("a.bmp", 1));
    bad(Source("b.bmp", "BM but not really"));
    // The first half of a JPEG and an end marker: a grey lower half would pass for a photo.
    const std::string whole = testing::EncodeJpeg(64, 48, 3, [](int x, int y, std::uint8_t* out) {
        out[0] = std::uint8_t(x * 4), out[1] = std::uint8_t(y * 5), out[2] = std::uint8_t(x ^ y);
    });
    bad(Source("c.jpg", whole.substr(0, whole.size() / 2) + "\xFF\xD9"));
    const StringList converted =
        ConvertedSources([this](const std::string& name, const std::string& bytes) { return Source(name, bytes); });
    for (const std::string& source : converted) {
        const std::string bytes = ReadFile(source);
        bad(Source("cut-" + fs::path(source).filename().string(), bytes.substr(0, bytes.size() / 2)));
    }
    for (const char name : {'d', 'e', 'f', 'g'}) files.push_back(Bmp(name + std::string(".bmp"), name - 'a' + 1));
    bad(Home() + "in/gone.bmp");
    // A JPEG under a converted name is no PNG; a PNG under a JPEG name is no JPEG.
    bad(Source("jpeg.png", testing::EncodeJpeg(8, 8, 3, [](int, int, std::uint8_t*) {})));
    bad(Source("png.jpg", ReadFile(converted[0])));
    EXPECT_EQ(AddPhotoBatch(document, files).SkippedFiles, skipped);
    EXPECT_EQ(FolderList,
              (StringList{"00000001=a.bmp", "00000003=d.bmp", "00000004=e.bmp", "00000005=f.bmp", "00000006=g.bmp"}));
    for (const std::string& line : FolderList) {
        const char name = KeyValueList::ValueOf(line)[0];
        EXPECT_EQ(ReadFile(folder + KeyValueList::NameOf(line) + ".dat"),
                  std::string("Name=") + name + "\r\nWidth=" + std::to_string(name - 'a' + 1) + "\r\nHeight=20\r\n");
    }
    EXPECT_EQ(ReadFile(folder + "00000002.PHO"), "kept");
    // The two kept files and three for each photo added: no orphan, no temporary file.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2 + 5 * 3);
}

TEST_F(PhotoAddingTest, ExifOrientationBecomesRotateWithPictureAndThumbnailStoredAsTheyCame) {
    const std::pair<int, const char*> rows[] = {{1, ""}, {6, "Rotate=1\r\n"}, {3, "Rotate=2\r\n"}, {8, "Rotate=3\r\n"}};
    StringList files;
    for (const auto& [orientation, rotate] : rows)
        files.push_back(Source(std::to_string(files.size()) + ".jpg",
                               testing::EncodeJpeg(80, 40, 3, [](int, int, std::uint8_t* out) { out[0] = 9; },
                                                   {.exifOrientation = orientation})));
    EXPECT_TRUE(AddPhotoBatch(document, files).SkippedFiles.empty());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string base = folder + "0000000" + std::to_string(i);
        EXPECT_EQ(ReadFile(base + ".dat"),
                  "Name=" + std::to_string(i) + "\r\nWidth=80\r\nHeight=40\r\n" + rows[i].second);
        EXPECT_EQ(ReadFile(base + ".pho"), ReadFile(files[i]));
        Bitmap thumbnail;
        thumbnail.LoadFromFile(base + ".thu");
        EXPECT_EQ(std::pair(thumbnail.Width(), thumbnail.Height()), std::pair(70, 35)) << i;
    }
}

TEST_F(PhotoAddingTest, CancelKeepsThePhotoInProgressAndWithoutADisplayedCategoryNothingIsAdded) {
    const auto pump = SetMessagePump([] { ProgressCancel(); });
    EXPECT_EQ(AddPhotoBatch(document, {Bmp("a.bmp"), Bmp("b.bmp")}).CurrentIndex, -1);
    SetMessagePump(pump);
    EXPECT_EQ(FolderList, StringList{"00000000=a.bmp"});
    EXPECT_EQ(document.Photos().Count(), 1);
    EXPECT_FALSE(ProgressIsOpen());
    document.CategoryFolder.clear();
    EXPECT_EQ(AddPhotoBatch(document, {Bmp("c.bmp")}).CurrentIndex, -1);
    EXPECT_EQ(FolderList, StringList{"00000000=a.bmp"});
}

}  // namespace
}  // namespace velvora
