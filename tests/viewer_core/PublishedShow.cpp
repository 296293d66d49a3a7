// Published test shows made through the tool's show document and package writer.
#include "PublishedShow.h"

#include "app/Global.h"
#include "compression/Stream.h"
#include "editor/ShowDocument.h"
#include "publish/PublishUtil.h"

namespace velvora::testing {

std::string MakeBmp(int width, int height, const std::function<std::uint32_t(int, int)>& color) {
    const auto putLittleEndian = [](std::string& bytes, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes.push_back(char((value >> (8 * i)) & 0xFF));
    };
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    std::string bmp = "BM";
    // File size, reserved, pixel offset, then the info header: its size, width, height, one
    // plane of 24 bits, no compression, image size 0 (allowed uncompressed), 72 dpi, no palette.
    for (const int value : {54 + rowBytes * height, 0, 54, 40, width, height, 1 | 24 << 16, 0, 0, 2835, 2835, 0, 0})
        putLittleEndian(bmp, std::uint32_t(value), 4);
    for (int y = height - 1; y >= 0; --y) {
        const std::size_t rowStart = bmp.size();
        for (int x = 0; x < width; ++x) putLittleEndian(bmp, color(x, y), 3);
        bmp.resize(rowStart + std::size_t(rowBytes), '\0');
    }
    return bmp;
}

std::string SolidBmp(int width, int height, std::uint32_t color) {
    return MakeBmp(width, height, [color](int, int) { return color; });
}

void PublishedShowTest::SetUp() {
    ProgramFolderTest::SetUp();
    ShowPath = Home() + "Show/";
    WriteFile(Home() + "keltview.exe", "MZ the viewer program");
    WriteFile(ShowPath + "categories.dat", "");
}

void PublishedShowTest::SetCategories(const std::string& lines) { WriteFile(ShowPath + "categories.dat", lines); }

void PublishedShowTest::AddPhoto(const std::string& alias, const std::string& id, const std::string& information,
                                 const std::string& image, const std::string& fileName) {
    const std::string folder = ShowPath + alias + "/";
    photoLists_[alias] += id + "=" + fileName + "\r\n";
    WriteFile(folder + "folder.dat", photoLists_[alias]);
    WriteFile(folder + id + ".dat", information);
    WriteFile(folder + id + ".thu", SolidBmp(2, 2, 0x00FF00));
    WriteFile(folder + id + ".pho", image);
}

std::string PublishedShowTest::PublishFile(const std::string& showSettings) {
    WriteFile(ShowPath + "quillond.dat", showSettings);
    ShowSettings.LoadFromFile(ShowPath + "quillond.dat");
    ShowDocument document;
    document.LoadShow();
    TMemoryStream out;
    WriteViewerPrefix(out, document.Tree().Root()->Text, Home() + "keltview.exe");
    WritePublishedShow(out, document.Tree(), true, CountPublishPhotos());
    const std::string path = Home() + "show.exe";
    WriteFile(path, std::string(out.Bytes().begin(), out.Bytes().end()));
    return path;
}

}  // namespace velvora::testing
