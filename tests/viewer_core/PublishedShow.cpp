// Published test shows made through the tool's show document and package writer.
#include "PublishedShow.h"

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "base/Global.h"
#include "compression/Stream.h"
#include "editor/ShowDocument.h"
#include "imaging/Bitmap.h"
#include "publish/PublishUtil.h"

namespace velvora::testing {

std::string MakeBmp(int width, int height, const std::function<std::uint32_t(int, int)>& color) {
    Bitmap bitmap(width, height, PixelFormat::Bits24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int channel = 0; channel < 3; ++channel)
                bitmap.Row(y)[3 * x + channel] = std::uint8_t(color(x, y) >> (8 * channel));
    std::string bmp = bitmap.SaveToBmp();
    bmp.replace(34, 4, 4, '\0');  // an image size of 0, which uncompressed files may give
    return bmp;
}

std::string SolidBmp(int width, int height, std::uint32_t color) {
    return MakeBmp(width, height, [color](int, int) { return color; });
}

namespace {

void RenderUntil(const std::function<bool()>& renderReady) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!renderReady()) {
        if (std::chrono::steady_clock::now() > giveUp) {
            ADD_FAILURE() << "the slide was never prepared";
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace

void RenderSettled(SlideScreen& screen, int width, int height, PixelBuffer& frame) {
    RenderUntil([&] {
        screen.Render(width, height, frame);
        return screen.SlidesReady();
    });
}

void RenderSettled(SlideRenderer& renderer, const SlidePlayer& player, int width, int height, PixelBuffer& frame) {
    RenderUntil([&] {
        renderer.Render(player, width, height, frame);
        return renderer.CurrentSlideReady();
    });
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
