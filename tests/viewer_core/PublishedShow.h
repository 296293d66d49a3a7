// Real published files for the viewer tests: a show folder written on disk, opened and
// published by the tool's own code, then opened by the viewer core.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "support/TempFolder.h"
#include "viewer/core/SlideRenderer.h"
#include "viewer/core/SlideScreen.h"
#include "viewer/core/SlideShow.h"

namespace velvora::testing {

// A 24-bit BMP file of width x height whose pixel (x, y) has the colour `color(x, y)`
// (0xRRGGBB).
std::string MakeBmp(int width, int height, const std::function<std::uint32_t(int, int)>& color);
// A BMP of one colour.
std::string SolidBmp(int width, int height, std::uint32_t color);

// Renders frames, as a front end's timer would without moving the clock, until no slide of
// the frame is still being prepared; fails the test after a few seconds.
void RenderSettled(SlideScreen& screen, int width, int height, PixelBuffer& frame);
void RenderSettled(SlideRenderer& renderer, const SlidePlayer& player, int width, int height, PixelBuffer& frame);

class PublishedShowTest : public ProgramFolderTest {
protected:
    void SetUp() override;

    // Category lines as "categories.dat" holds them (path, then key=value lines, then a
    // blank line for each category).
    void SetCategories(const std::string& lines);
    // Adds a photo to the folder of `alias` with its information lines and image file.
    void AddPhoto(const std::string& alias, const std::string& id, const std::string& information,
                  const std::string& image, const std::string& fileName = "photo.bmp");
    // Publishes the show with these show settings lines and returns the published file's path.
    std::string PublishFile(const std::string& showSettings);
    SlideShow Publish(const std::string& showSettings) { return SlideShow::Open(PublishFile(showSettings)); }

private:
    std::map<std::string, std::string> photoLists_;
};

}  // namespace velvora::testing
