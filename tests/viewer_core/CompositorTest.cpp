// Slides and transitions: placement by size mode and alignment, scaling, every transition's
// ends and its half-way frame, and an undecodable photo of a published show.
#include "viewer/core/Compositor.h"

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "PublishedShow.h"
#include "base/Global.h"
#include "viewer/core/Scaling.h"
#include "viewer/core/SlideRenderer.h"

namespace velvora {
namespace {

constexpr Pixel Red = 0xFFFF0000u, Green = 0xFF00FF00u, Blue = 0xFF0000FFu, White = 0xFFFFFFFFu;

TEST(PlacePictureTest, SizeModesAndAlignment) {
    using namespace AlignIndex;
    using namespace SizeIndex;
    struct Row {
        int pictureWidth, pictureHeight, size, horizontal, vertical, sizeCount;
        PixelRect expected;
    };
    const Row rows[] = {
        {200, 50, BestFit, Center, Center, 0, {0, 12, 100, 25}},
        {10, 10, BestFit, Center, Center, 0, {25, 0, 50, 50}},  // small pictures grow to fit
        {10, 10, ActualSize, Start, Start, 0, {0, 0, 10, 10}},
        {10, 10, ActualSize, End, End, 0, {90, 40, 10, 10}},
        {10, 20, FitWidth, Center, Center, 0, {0, -75, 100, 200}},
        {10, 20, CustomWidth, Start, Start, 30, {0, 0, 30, 60}},
        {20, 10, CustomHeight, End, Start, 5, {90, 0, 10, 5}},
        {10, 10, CustomHeight, Center, Center, 0, {25, 0, 50, 50}},
        {1, 60'000'000, FitWidth, Start, Start, 0, {0, 0, 100, 1 << 30}},  // capped, not overflowed
    };
    for (const Row& row : rows) {
        const DisplayChoice choice{TransitionIndex::None, row.horizontal, row.vertical, row.size, row.sizeCount};
        EXPECT_EQ(PlacePicture(row.pictureWidth, row.pictureHeight, 100, 50, choice), row.expected)
            << row.pictureWidth << "x" << row.pictureHeight << " size " << row.size;
    }
}

TEST(ScalingTest, EqualSizeCopiesEndsKeepTheirColoursReductionAveragesAndHugePlacementDrawsOnlyTheWindow) {
    PixelBuffer source(3, 2);
    for (int i = 0; i < 6; ++i) source.Pixels[std::size_t(i)] = 0xFF000000u | Pixel(i * 0x102030);
    EXPECT_EQ(ScaleBilinear(source, 3, 2).Pixels, source.Pixels);
    EXPECT_EQ(ScaleBilinear(PixelBuffer(1, 1, Red), 5, 4).Pixels, PixelBuffer(5, 4, Red).Pixels);

    PixelBuffer ramp(2, 1, OpaqueBlack);
    ramp.At(1, 0) = White;
    EXPECT_EQ(ScaleBilinear(ramp, 4, 1).Pixels, (std::vector<Pixel>{OpaqueBlack, 0xFF404040u, 0xFFBFBFBFu, White}));

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
    DisplayChoice choice{TransitionIndex::None, AlignIndex::End, AlignIndex::End, SizeIndex::ActualSize};
    choice.BackgroundColor = 0xFF0000;  // blue in the settings' encoding
    PixelBuffer expected(4, 3, Blue);
    expected.At(2, 2) = Red;
    expected.At(3, 2) = White;
    EXPECT_EQ(RenderSlide(picture, 4, 3, choice).Pixels, expected.Pixels);
    EXPECT_EQ(RenderSlide(PixelBuffer(), 4, 3, choice).Pixels, PixelBuffer(4, 3, Blue).Pixels);
}

PixelBuffer Compose(int transition, double progress) {
    PixelBuffer target(64, 64, White);
    ComposeTransition(PixelBuffer(64, 64, Red), PixelBuffer(64, 64, Blue), transition, progress, target);
    return target;
}

TEST(TransitionTest, EveryTransitionGoesFromTheOldSlideToTheNewOneAndBarsHaveTheirWidth) {
    for (int transition = TransitionIndex::None; transition < TransitionIndex::Count; ++transition) {
        EXPECT_EQ(Compose(transition, 0.0).Pixels, PixelBuffer(64, 64, Red).Pixels) << transition;
        EXPECT_EQ(Compose(transition, 1.0).Pixels, PixelBuffer(64, 64, Blue).Pixels) << transition;
    }
    PixelBuffer target(8, 8, White);  // an empty slide draws as black; progress is clamped
    ComposeTransition(PixelBuffer(), PixelBuffer(8, 8, Blue), 3, -2.0, target);
    EXPECT_EQ(target.Pixels, PixelBuffer(8, 8, OpaqueBlack).Pixels);

    struct Look {
        int transition;
        int x, y;
        Pixel expected;
    };
    // The grid of the signatures falls on the new slide's bars; their width shows at the edges.
    const Look looks[] = {
        {30, 0, 9, Blue}, {30, 1, 9, Red}, {31, 3, 9, Blue}, {31, 4, 9, Red},  // bars of 2 and 8
        {32, 9, 0, Blue}, {32, 9, 1, Red}, {33, 9, 3, Blue}, {33, 9, 4, Red},
    };
    for (const Look& look : looks)
        EXPECT_EQ(Compose(look.transition, 0.5).At(look.x, look.y), look.expected)
            << "transition " << look.transition << " at " << look.x << "," << look.y;
}

// A slide whose every pixel tells where it came from: red and green give x and y, blue which
// slide it is.
PixelBuffer CoordinateSlide(bool isNew) {
    PixelBuffer slide(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            slide.At(x, y) = OpaqueBlack | Pixel(x * 4) << 16 | Pixel(y * 4) << 8 | (isNew ? 0xFFu : 0u);
    return slide;
}

// What the half-way frame shows at the centres of a 4 x 4 grid, row by row: for each point
// the slide ("o" old, "n" new, "?" neither) and where its pixel came from compared with the
// point, left or right ("<", "=", ">") and up or down ("^", "=", "v").
std::string HalfwaySignature(int transition) {
    PixelBuffer frame(64, 64, White);
    ComposeTransition(CoordinateSlide(false), CoordinateSlide(true), transition, 0.5, frame);
    const auto direction = [](int from, int at, const char* signs) {
        return from < at - 1 ? signs[0] : from > at + 1 ? signs[2] : signs[1];
    };
    std::string signature;
    for (int y = 8; y < 64; y += 16) {
        for (int x = 8; x < 64; x += 16) {
            const Pixel pixel = frame.At(x, y);
            const std::uint32_t blue = pixel & 0xFFu;
            signature += blue == 0xFFu ? 'n' : blue == 0 ? 'o' : '?';
            signature += direction(int(pixel >> 16 & 0xFFu) / 4, x, "<=>");
            signature += direction(int(pixel >> 8 & 0xFFu) / 4, y, "^=v");
            signature += x < 56 ? " " : y < 56 ? " / " : "";
        }
    }
    return signature;
}

// Solid slides cannot tell a slide from a wipe, nor which way a slide moves; slides that
// carry their coordinates can, so every transition is pinned half-way by its signature.
TEST(TransitionTest, HalfwayEachTransitionShowsItsOwnMovement) {
    const std::pair<int, const char*> signatures[] = {
        {1, "o== o== o== o== / o== o== o== o== / o== o== o== o== / o== o== o== o=="},
        {2, "o== o== o== o== / o== o== o== o== / o== o== o== o== / o== o== o== o=="},
        {3, "n>= n>= o== o== / n>= n>= o== o== / n>= n>= o== o== / n>= n>= o== o=="},
        {4, "o== o== n<= n<= / o== o== n<= n<= / o== o== n<= n<= / o== o== n<= n<="},
        {5, "n=v n=v n=v n=v / n=v n=v n=v n=v / o== o== o== o== / o== o== o== o=="},
        {6, "o== o== o== o== / o== o== o== o== / n=^ n=^ n=^ n=^ / n=^ n=^ n=^ n=^"},
        {7, "n>v n>v o== o== / n>v n>v o== o== / o== o== o== o== / o== o== o== o=="},
        {8, "o== o== n<v n<v / o== o== n<v n<v / o== o== o== o== / o== o== o== o=="},
        {9, "o== o== o== o== / o== o== o== o== / n>^ n>^ o== o== / n>^ n>^ o== o=="},
        {10, "o== o== o== o== / o== o== o== o== / o== o== n<^ n<^ / o== o== n<^ n<^"},
        {11, "n== n== o== o== / n== n== o== o== / n== n== o== o== / n== n== o== o=="},
        {12, "n>= o== o== n<= / n>= o== o== n<= / n>= o== o== n<= / n>= o== o== n<="},
        {13, "n=v n=v n=v n=v / o== o== o== o== / o== o== o== o== / n=^ n=^ n=^ n=^"},
        {14, "n>v o== o== o== / n>v o== o== o== / o== o== o== n<^ / o== o== o== n<^"},
        {15, "o== o== o== n<v / o== o== o== n<v / n>^ o== o== o== / n>^ o== o== o=="},
        {16, "n>v n>v o== o== / o== o== o== o== / o== o== o== o== / o== o== n<^ n<^"},
        {17, "o== o== n<v n<v / o== o== o== o== / o== o== o== o== / n>^ n>^ o== o=="},
        {18, "n== n== o<= o<= / n== n== o<= o<= / n== n== o<= o<= / n== n== o<= o<="},
        {19, "o>= o>= n== n== / o>= o>= n== n== / o>= o>= n== n== / o>= o>= n== n=="},
        {20, "n== n== n== n== / n== n== n== n== / o=^ o=^ o=^ o=^ / o=^ o=^ o=^ o=^"},
        {21, "o=v o=v o=v o=v / o=v o=v o=v o=v / n== n== n== n== / n== n== n== n=="},
        {22, "o== o== n== n== / o== o== n== n== / o== o== n== n== / o== o== n== n=="},
        {23, "n== n== n== n== / n== n== n== n== / o== o== o== o== / o== o== o== o=="},
        {24, "o== o== o== o== / o== o== o== o== / n== n== n== n== / n== n== n== n=="},
        {25, "o== o== o== o== / o== n== n== o== / o== n== n== o== / o== o== o== o=="},
        {26, "o== o== o== o== / n== n== n== n== / n== n== n== n== / o== o== o== o=="},
        {27, "o== n== n== o== / o== n== n== o== / o== n== n== o== / o== n== n== o=="},
        {28, "o=v o=v o=v o=v / n== n== n== n== / n== n== n== n== / o=^ o=^ o=^ o=^"},
        {29, "o>= n== n== o<= / o>= n== n== o<= / o>= n== n== o<= / o>= n== n== o<="},
        {30, "n== n== n== n== / n== n== n== n== / n== n== n== n== / n== n== n== n=="},
        {31, "n== n== n== n== / n== n== n== n== / n== n== n== n== / n== n== n== n=="},
        {32, "n== n== n== n== / n== n== n== n== / n== n== n== n== / n== n== n== n=="},
        {33, "n== n== n== n== / n== n== n== n== / n== n== n== n== / n== n== n== n=="},
    };
    for (const auto& [transition, signature] : signatures)
        EXPECT_EQ(HalfwaySignature(transition), signature) << TransitionNames[std::size_t(transition)];
}

class SlideRendererTest : public testing::PublishedShowTest {};

// A photo that cannot be decoded shows as the show's background with a notice above its
// own caption, keeps its error, and gives way to the next photo on time.
TEST_F(SlideRendererTest, UndecodablePhotoDrawsItsBackgroundWithANoticeAndTheShowGoesOn) {
    AddPhoto("0000", "00000000", "Caption=Harbour\r\n", "not a picture", "broken.jpg");
    AddPhoto("0000", "00000001", "", testing::SolidBmp(8, 4, 0x00FF00));
    const SlideShow show =
        Publish("Title=R\r\nTransition=1\r\nDuration=3\r\nBackground=1\r\nBackgroundOption1=16711680\r\n");
    SlidePlayer player(show, 3);
    SlideRenderer renderer(show);
    PixelBuffer frame;
    player.Start(0);
    testing::RenderSettled(renderer, player, 8, 4, frame);
    EXPECT_EQ(frame.Pixels, PixelBuffer(8, 4, Blue).Pixels);
    EXPECT_EQ(renderer.Caption(), "This photo cannot be shown.\nHarbour");
    EXPECT_NE(renderer.LastPictureError().find("broken.jpg"), std::string::npos);
    player.Tick(1000);
    testing::RenderSettled(renderer, player, 8, 4, frame);
    EXPECT_EQ(frame.Pixels, PixelBuffer(8, 4, Green).Pixels);
    EXPECT_EQ(renderer.Caption(), "");
}

}  // namespace
}  // namespace velvora
