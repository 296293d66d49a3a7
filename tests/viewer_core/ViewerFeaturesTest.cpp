// The viewer's options, layout and screen: which commands a show allows, the photo list's
// labels, the intro, about and caption boxes, pictures left on screen, and the BMP export.
#include <gtest/gtest.h>

#include "PublishedShow.h"
#include "viewer/core/Compositor.h"
#include "viewer/core/PictureDecoding.h"
#include "viewer/core/PictureEncoding.h"
#include "viewer/core/SlideLayout.h"
#include "viewer/core/SlideScreen.h"
#include "viewer/core/ViewerFeatures.h"

namespace velvora {
namespace {

constexpr Pixel Red = 0xFFFF0000u, Green = 0xFF00FF00u, Blue = 0xFF0000FFu, Yellow = 0xFFFFFF00u, Cyan = 0xFF00FFFFu,
                Magenta = 0xFFFF00FFu;
// One-second photos without transitions, so that every step is exact.
const std::string Timed = "Title=S\r\nTransition=1\r\nDuration=3\r\nHorizontal=3\r\nVertical=3\r\n";

class ViewerFeaturesTest : public testing::PublishedShowTest {};

TEST_F(ViewerFeaturesTest, OptionsDecideTheCommandsAndPhotoCommandsNeedTheBrowser) {
    SetCategories("\\About\r\nAlias=0001\r\nAbout=1\r\n\r\n");
    AddPhoto("0000", "00000000", "", testing::SolidBmp(2, 2, 0));
    EXPECT_EQ(ViewerFeaturesOf(Publish("Title=S\r\n")), (ViewerFeatures{.FileNames = true, .Resolution = true}));
    // An about category without photos has nothing to show; copying needs the list to copy from.
    EXPECT_EQ(ViewerFeaturesOf(Publish("Title=S\r\nViewerShowToolbar=1\r\nViewerCopyIndividualPhotos=1\r\n"
                                       "ViewerHideFilenames=1\r\nViewerHideResolution=1\r\n")),
              (ViewerFeatures{.Toolbar = true, .PlaybackButtons = true}));
    AddPhoto("0001", "00000000", "", testing::SolidBmp(2, 2, 0));
    const ViewerFeatures all = ViewerFeaturesOf(Publish(
        "Title=S\r\nViewerShowToolbar=1\r\nViewerHidePlaybackControls=1\r\nViewerViewIndividualPhotos=1\r\n"
        "ViewerCopyIndividualPhotos=1\r\nViewerSaveIndividualPhotos=1\r\nViewerWallpaperIndividualPhotos=0\r\n"));
    EXPECT_EQ(all, (ViewerFeatures{.Toolbar = true,
                                   .About = true,
                                   .PhotoBrowser = true,
                                   .CopyPhoto = true,
                                   .SavePhoto = true,
                                   .FileNames = true,
                                   .Resolution = true}));
}

TEST_F(ViewerFeaturesTest, LabelsListEveryPhotoWithNameFileAndSizeAsAllowed) {
    SetCategories("\\A\r\nAlias=0001\r\n\r\n");
    AddPhoto("0000", "00000000", "Name=Beach\r\nWidth=640\r\nHeight=480\r\nRotate=1\r\n", testing::SolidBmp(2, 2, 0),
             "beach.jpg");
    AddPhoto("0001", "00000000", "", testing::SolidBmp(2, 2, 0), "dunes.jpg");
    const SlideShow show = Publish("Title=S\r\n");
    const std::vector<PhotoAddress> photos = AllPhotos(show);
    ASSERT_EQ(photos.size(), 2u);
    const SlidePhoto& beach = PhotoAt(show, photos[0]);
    struct Row {
        bool fileNames, resolution;
        const char* label;
    };
    // The size is the one shown: turned a quarter, 640 x 480 is 480 x 640.
    for (const Row& row : {Row{true, true, "Beach\nbeach.jpg\n480 x 640"}, Row{false, true, "Beach\n480 x 640"},
                           Row{true, false, "Beach\nbeach.jpg"}})
        EXPECT_EQ(PhotoLabel(beach, {.FileNames = row.fileNames, .Resolution = row.resolution}), row.label);
    // No name and no recorded size leave only the file name.
    EXPECT_EQ(PhotoLabel(PhotoAt(show, photos[1]), {.FileNames = true, .Resolution = true}), "dunes.jpg");
}

// A photo added from another format is stored as a JPEG; saved under its source's extension,
// a program that trusts the name could not open it.
TEST(SuggestedSaveNameTest, FolderAndRefusedCharactersGoAndStoredJpegsEndInJpg) {
    const std::vector<std::uint8_t> jpeg{0xFF, 0xD8, 0xFF}, bmp{'B', 'M', 0};
    const struct {
        const char* source;
        const std::vector<std::uint8_t>& stored;
        const char* offered;
    } rows[] = {{"C:\\Trip\\IMG_1.heic", jpeg, "IMG_1.jpg"},
                {"beach.JPEG", jpeg, "beach.JPEG"},
                {"scan", jpeg, "scan.jpg"},
                {"a.b/lawn?.bmp", bmp, "lawn.bmp"},
                {"dir/<>|", jpeg, "photo.jpg"}};
    for (const auto& row : rows) {
        SlidePhoto photo;
        photo.SourceFileName = row.source;
        EXPECT_EQ(SuggestedSaveName(photo, row.stored), row.offered) << row.source;
    }
}

TEST(SlideLayoutTest, BoxesAreCentredSharesAndCaptionsSitOnTheSlidesBottom) {
    EXPECT_EQ(CenteredBox({50, 50}, 640, 480), (PixelRect{160, 120, 320, 240}));
    EXPECT_EQ(CenteredBox({100, 25}, 640, 480), (PixelRect{0, 180, 640, 120}));
    EXPECT_EQ(CenteredBox({0, 500}, 640, 480), (PixelRect{317, 0, 6, 480}));  // clamped to 1..100
    EXPECT_EQ(CenteredBox({50, 50}, 0, 480), PixelRect{});

    const PixelRect slide{100, 50, 400, 300};
    const CaptionLayout caption = PlaceCaption(slide, 20);
    EXPECT_EQ(caption.Band.X, 100);
    EXPECT_EQ(caption.Band.Width, 400);
    EXPECT_EQ(caption.Band.Y + caption.Band.Height, 350);
    EXPECT_GT(caption.Band.Height, 20);
    EXPECT_EQ(caption.Text.Width, CaptionWrapWidth(slide));
    EXPECT_GE(caption.Text.X, slide.X);
    EXPECT_LE(caption.Text.Y + caption.Text.Height, 350);
    // Long text is cut at a third of the slide rather than covering the photo.
    EXPECT_EQ(PlaceCaption(slide, 1000).Band.Height, 100);
    EXPECT_EQ(PlaceCaption(slide, 0), CaptionLayout{});
    EXPECT_EQ(PlaceCaption({0, 0, 0, 0}, 20), CaptionLayout{});
}

TEST(PictureOutputTest, DarkenKeepsItsShareInsideTheClippedAreaAndBmpRoundTrips) {
    PixelBuffer picture(3, 2, 0xFFC86432u);
    picture.At(2, 1) = Blue;
    Darken({1, -5, 10, 6}, 50, picture);
    EXPECT_EQ(picture.At(0, 0), 0xFFC86432u);
    EXPECT_EQ(picture.At(1, 0), 0xFF643219u);
    EXPECT_EQ(picture.At(2, 1), Blue);  // the area ends above row 1
    // An odd width needs padded rows; the decoder must read back every pixel.
    const PixelBuffer decoded = DecodePicture(EncodeBmpFile(picture));
    ASSERT_EQ(decoded.Width, 3);
    ASSERT_EQ(decoded.Height, 2);
    EXPECT_EQ(decoded.Pixels, picture.Pixels);
    EXPECT_TRUE(EncodeBmpFile(PixelBuffer()).empty());
}

// The intro plays in its box, then the show fills the screen with its caption; the about box
// plays in its own box over the paused show and returns where it was; a photo that leaves the
// previous one on screen draws over it, and the next draws over the background again.
TEST_F(ViewerFeaturesTest, IntroAboutBoxCaptionsAndLeavePreviousDrawWhereTheyBelong) {
    SetCategories(
        "\\Intro\r\nAlias=0001\r\nIntro=1\r\nIntroWidth=50\r\nIntroHeight=50\r\n\r\n"
        "\\About\r\nAlias=0002\r\nAbout=1\r\nAboutWidth=50\r\nAboutHeight=50\r\n\r\n");
    AddPhoto("0001", "00000000", "", testing::SolidBmp(4, 4, 0xFFFF00));
    AddPhoto("0002", "00000000", "Caption=Made by us\r\n", testing::SolidBmp(4, 4, 0x00FF00));
    AddPhoto("0000", "00000000", "Caption=Sea at dawn\r\n", testing::SolidBmp(8, 4, 0x0000FF));
    AddPhoto("0000", "00000001", "Size=1\r\nLeavePrevious=1\r\n", testing::SolidBmp(2, 2, 0x00FFFF));
    AddPhoto("0000", "00000002", "Size=1\r\n", testing::SolidBmp(2, 2, 0xFF00FF));
    const SlideShow show = Publish(Timed + "Background=1\r\nBackgroundOption1=255\r\n");
    SlideScreen screen(show, 1);
    PixelBuffer frame;
    screen.Start(0);
    testing::RenderSettled(screen, 200, 100, frame);
    // The 4 x 4 photo fits the 100 x 50 box's height: yellow in the middle, background beside.
    EXPECT_EQ(frame.At(100, 50), Yellow);
    EXPECT_EQ(frame.At(60, 50), Red);
    EXPECT_EQ(frame.At(10, 10), Red);
    EXPECT_EQ(screen.CaptionSlide(), (PixelRect{50, 25, 100, 50}));
    EXPECT_EQ(screen.Caption(), "");
    screen.Next(0);
    testing::RenderSettled(screen, 200, 100, frame);
    EXPECT_EQ(frame.At(10, 10), Blue);
    EXPECT_EQ(screen.Caption(), "Sea at dawn");
    EXPECT_EQ(screen.CaptionSlide(), (PixelRect{0, 0, 200, 100}));

    screen.Tick(500);
    screen.OpenAbout(500);
    ASSERT_TRUE(screen.AboutOpen());
    EXPECT_EQ(screen.Show().State(), PlayState::Paused);
    screen.Tick(1400);
    testing::RenderSettled(screen, 200, 100, frame);
    EXPECT_EQ(frame.At(100, 50), Green);
    EXPECT_EQ(frame.At(10, 10), Blue);
    EXPECT_EQ(screen.Caption(), "Made by us");
    // The about photo's second ends it; the show goes on with the half second it had left.
    screen.Tick(1600);
    EXPECT_FALSE(screen.AboutOpen());
    EXPECT_EQ(screen.Show().State(), PlayState::Playing);
    EXPECT_EQ(screen.Show().Frame().To, 1);
    screen.Tick(2100);
    EXPECT_EQ(screen.Show().Frame().To, 2);
    testing::RenderSettled(screen, 200, 100, frame);
    EXPECT_EQ(frame.At(10, 10), Blue);
    EXPECT_EQ(frame.At(100, 50), Cyan);
    screen.Next(2100);
    testing::RenderSettled(screen, 200, 100, frame);
    EXPECT_EQ(frame.At(10, 10), Red);
    EXPECT_EQ(frame.At(100, 50), Magenta);
    // Closed early over a show paused by the user, the show stays paused.
    screen.TogglePause(2100);
    screen.OpenAbout(2100);
    screen.CloseAbout(2200);
    EXPECT_EQ(screen.Show().State(), PlayState::Paused);
}

}  // namespace
}  // namespace velvora
