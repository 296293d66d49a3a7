// Published test shows made through the tool's show document and package writer.
#include "PublishedShow.h"

#include "app/Global.h"
#include "compression/Stream.h"
#include "editor/ShowDocument.h"
#include "publish/PublishUtil.h"

namespace velvora::testing {
namespace {

void PutLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(char((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string MakeBmp(int width, int height, const std::function<std::uint32_t(int, int)>& color) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    std::string bmp = "BM";
    PutLittleEndian(bmp, std::uint32_t(54 + rowBytes * height), 4);
    PutLittleEndian(bmp, 0, 4);
    PutLittleEndian(bmp, 54, 4);
    for (const auto& [value, size] : {std::pair{40, 4},
                                      {width, 4},
                                      {height, 4},
                                      {1, 2},
                                      {24, 2},
                                      {0, 4},
                                      {0, 4},
                                      {2835, 4},
                                      {2835, 4},
                                      {0, 4},
                                      {0, 4}})
        PutLittleEndian(bmp, std::uint32_t(value), size);
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) PutLittleEndian(row, color(x, y), 3);
        row.resize(std::size_t(rowBytes), '\0');
        bmp += row;
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
