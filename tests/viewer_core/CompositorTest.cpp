// Slides and transitions: placement by size mode and alignment, scaling, every transition's
// ends and one mid-way look per family, and a whole frame drawn from a published show.
#include "viewer/core/Compositor.h"

#include <gtest/gtest.h>

#include "PublishedShow.h"
#include "viewer/core/Scaling.h"
#include "viewer/core/SlideRenderer.h"

namespace velvora {
namespace {

constexpr Pixel Red = 0xFFFF0000u, Blue = 0xFF0000FFu, White = 0xFFFFFFFFu;

DisplayChoice Choice(int size, int horizontal = AlignIndex::Center, int vertical = AlignIndex::Center,
                     int sizeCount = 0) {
    DisplayChoice choice;
    choice.Size = size;
    choice.Horizontal = horizontal;
    choice.Vertical = vertical;
    choice.SizeCount = sizeCount;
    return choice;
}

TEST(PlacePictureTest, SizeModesAndAlignment) {
    struct Row {
        int pictureWidth, pictureHeight;
        DisplayChoice choice;
        PixelRect expected;
    };
    const Row rows[] = {
        {200, 50, Choice(SizeIndex::BestFit), {0, 12, 100, 25}},
        {10, 10, Choice(SizeIndex::BestFit), {25, 0, 50, 50}},  // small pictures grow to fit
        {10, 10, Choice(SizeIndex::ActualSize, AlignIndex::Start, AlignIndex::Start), {0, 0, 10, 10}},
        {10, 10, Choice(SizeIndex::ActualSize, AlignIndex::End, AlignIndex::End), {90, 40, 10, 10}},
        {10, 20, Choice(SizeIndex::FitWidth), {0, -75, 100, 200}},
        {10, 20, Choice(SizeIndex::CustomWidth, AlignIndex::Start, AlignIndex::Start, 30), {0, 0, 30, 60}},
        {20, 10, Choice(SizeIndex::CustomHeight, AlignIndex::End, AlignIndex::Start, 5), {90, 0, 10, 5}},
        {10, 10, Choice(SizeIndex::CustomHeight, AlignIndex::Center, AlignIndex::Center, 0), {25, 0, 50, 50}},
        {1, 60'000'000, Choice(SizeIndex::FitWidth, AlignIndex::Start, AlignIndex::Start), {0, 0, 100, 1 << 30}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(PlacePicture(row.pictureWidth, row.pictureHeight, 100, 50, row.choice), row.expected)
            << row.pictureWidth << "x" << row.pictureHeight << " size " << row.choice.Size;
}

TEST(ScalingTest, EqualSizeCopiesExactlyAndEndsKeepTheirColours) {
    PixelBuffer source(3, 2);
    for (int i = 0; i < 6; ++i) source.Pixels[std::size_t(i)] = 0xFF000000u | Pixel(i * 0x102030);
    EXPECT_EQ(ScaleBilinear(source, 3, 2).Pixels, source.Pixels);
    EXPECT_EQ(ScaleBilinear(PixelBuffer(1, 1, Red), 5, 4).Pixels, PixelBuffer(5, 4, Red).Pixels);

    PixelBuffer ramp(2, 1, OpaqueBlack);
    ramp.At(1, 0) = White;
    const PixelBuffer wide = ScaleBilinear(ramp, 4, 1);
    EXPECT_EQ(wide.At(0, 0), OpaqueBlack);
    EXPECT_EQ(wide.At(1, 0), 0xFF404040u);
    EXPECT_EQ(wide.At(2, 0), 0xFFBFBFBFu);
    EXPECT_EQ(wide.At(3, 0), White);
}

TEST(ScalingTest, ReductionAveragesFineDetailAndHugePlacementDrawsOnlyTheWindow) {
    PixelBuffer checker(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) checker.At(x, y) = (x + y) % 2 ? White : OpaqueBlack;
    EXPECT_EQ(ScaleBilinear(checker, 2, 2).Pixels, PixelBuffer(2, 2, 0xFF808080u).Pixels);

    PixelBuffer target(4, 4, Blue);
    DrawScaled(PixelBuffer(2, 2, Red), {-50'000, -50'000, 100'000, 100'000}, target);
    EXPECT_EQ(target.Pixels, PixelBuffer(4, 4, Red).Pixels);
}

TEST(RenderSlideTest, PictureSitsOnItsBackgroundAndAnEmptyPictureLeavesTheBackground) {
    PixelBuffer picture(2, 1, Red);
    picture.At(1, 0) = White;
    DisplayChoice choice = Choice(SizeIndex::ActualSize, AlignIndex::End, AlignIndex::End);
    choice.BackgroundColor = 0xFF0000;  // blue in the settings' encoding
    const PixelBuffer slide = RenderSlide(picture, 4, 3, choice);
    EXPECT_EQ(slide.At(0, 0), Blue);
    EXPECT_EQ(slide.At(2, 2), Red);
    EXPECT_EQ(slide.At(3, 2), White);
    EXPECT_EQ(RenderSlide(PixelBuffer(), 4, 3, choice).Pixels, PixelBuffer(4, 3, Blue).Pixels);
}

PixelBuffer Compose(int transition, double progress) {
    PixelBuffer target(64, 64, White);
    ComposeTransition(PixelBuffer(64, 64, Red), PixelBuffer(64, 64, Blue), transition, progress, target);
    return target;
}

TEST(TransitionTest, EveryTransitionStartsOnTheOldSlideAndEndsOnTheNewOne) {
    for (int transition = TransitionIndex::None; transition < TransitionIndex::Count; ++transition) {
        EXPECT_EQ(Compose(transition, 0.0).Pixels, PixelBuffer(64, 64, Red).Pixels) << transition;
        EXPECT_EQ(Compose(transition, 1.0).Pixels, PixelBuffer(64, 64, Blue).Pixels) << transition;
    }
    PixelBuffer target(8, 8, White);  // an empty slide draws as black; progress is clamped
    ComposeTransition(PixelBuffer(), PixelBuffer(8, 8, Blue), 3, -2.0, target);
    EXPECT_EQ(target.Pixels, PixelBuffer(8, 8, OpaqueBlack).Pixels);
}

TEST(TransitionTest, HalfwayEachFamilyShowsItsShape) {
    struct Look {
        int transition;
        int x, y;
        Pixel expected;
    };
    const Look looks[] = {
        {1, 32, 32, Red},                                                               // None changes only at the end
        {3, 10, 32, Blue},  {3, 50, 32, Red},   {7, 10, 10, Blue},  {7, 50, 50, Red},   // slides in
        {11, 10, 32, Blue}, {11, 50, 32, Red},  {22, 50, 32, Blue}, {22, 10, 32, Red},  // wipes
        {23, 32, 10, Blue}, {23, 32, 50, Red},  {12, 5, 32, Blue},  {12, 32, 32, Red},  {12, 60, 32, Blue},
        {14, 5, 5, Blue},   {14, 5, 50, Red},   {14, 60, 60, Blue}, {17, 60, 5, Blue},  {17, 5, 5, Red},
        {17, 5, 60, Blue},  {18, 10, 32, Blue}, {18, 50, 32, Red},  {21, 32, 50, Blue}, {21, 32, 10, Red},
        {25, 32, 32, Blue}, {25, 5, 5, Red},    {26, 2, 32, Blue},  {26, 2, 5, Red},  // expands
        {28, 32, 32, Blue}, {28, 32, 5, Red},   {28, 32, 60, Red},  {29, 5, 32, Red},   {29, 60, 32, Red},
        {30, 0, 9, Blue},   {30, 1, 9, Red},    {31, 3, 9, Blue},   {31, 4, 9, Red},  // bars of 2 and 8
        {33, 9, 3, Blue},   {33, 9, 4, Red},
    };
    for (const Look& look : looks)
        EXPECT_EQ(Compose(look.transition, 0.5).At(look.x, look.y), look.expected)
            << "transition " << look.transition << " at " << look.x << "," << look.y;
}

class SlideRendererTest : public testing::PublishedShowTest {};

TEST_F(SlideRendererTest, FrameShowsThePhotoOnTheShowBackgroundAndUndecodablePhotosAsBackground) {
    AddPhoto("0000", "00000000", "", testing::SolidBmp(4, 4, 0xFF0000));
    AddPhoto("0000", "00000001", "", "not a picture", "broken.jpg");
    const SlideShow show =
        Publish("Title=R\r\nTransition=1\r\nSize=2\r\nDuration=1\r\nBackground=1\r\nBackgroundOption1=16711680\r\n");
    SlidePlayer player(show, 3);
    SlideRenderer renderer(show);
    PixelBuffer frame;
    player.Start(0);
    renderer.Render(player, 8, 4, frame);
    ASSERT_EQ(frame.Width, 8);
    EXPECT_EQ(frame.At(0, 0), Blue);
    EXPECT_EQ(frame.At(4, 2), Red);
    EXPECT_TRUE(renderer.LastPictureError().empty());

    player.Next(10);
    renderer.Render(player, 8, 4, frame);
    EXPECT_EQ(frame.Pixels, PixelBuffer(8, 4, Blue).Pixels);
    EXPECT_NE(renderer.LastPictureError().find("broken.jpg"), std::string::npos);
}

}  // namespace
}  // namespace velvora
