// Slides prepared ahead on the worker: frames never wait for a decode, the clock waits for
// the slide instead, and what is held stays small.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "PublishedShow.h"
#include "viewer/core/Compositor.h"
#include "viewer/core/SlidePreparer.h"

namespace velvora {
namespace {

constexpr Pixel Red = 0xFFFF0000u, Green = 0xFF00FF00u, Blue = 0xFF0000FFu;

const std::uint32_t Colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
// One second of slide from the left, then one second on screen.
const std::string SlideEachSecond = "Title=S\r\nTransition=3\r\nDuration=3\r\n";

// Decodes through the show, but holds back the photos whose ids are gated until Open().
// Declared before the screen whose worker calls it, so it outlives that worker.
class GatedLoader {
public:
    GatedLoader(const SlideShow& show, std::set<std::string> gated) : show_(show), gated_(std::move(gated)) {}
    SlidePreparer::PictureLoader Loader() {
        return [this](const SlidePhoto& photo) {
            std::unique_lock lock(mutex_);
            decoded_.insert(photo.Id);
            if (gated_.contains(photo.Id) && !opened_.wait_for(lock, std::chrono::seconds(10), [&] { return open_; }))
                timedOut_ = true;
            lock.unlock();
            return show_.LoadPicture(photo);
        };
    }
    void Open() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        opened_.notify_all();
    }
    bool Decoded(const std::string& id) {
        const std::lock_guard lock(mutex_);
        return decoded_.contains(id);
    }
    bool TimedOut() {
        const std::lock_guard lock(mutex_);
        return timedOut_;
    }

private:
    const SlideShow& show_;
    const std::set<std::string> gated_;
    std::set<std::string> decoded_;
    bool open_ = false, timedOut_ = false;
    std::mutex mutex_;
    std::condition_variable opened_;
};

class SlidePreparationTest : public testing::PublishedShowTest {
protected:
    SlideShow PublishColours(int count, const std::string& settings = SlideEachSecond) {
        for (int photo = 0; photo < count; ++photo)
            AddPhoto("0000", "0000000" + std::to_string(photo), "", testing::SolidBmp(8, 4, Colours[photo]));
        return Publish(settings);
    }
    // Starts the show and plays its first photo's transition through to `settledAt`.
    static void StartSettled(SlideScreen& screen, PixelBuffer& frame, std::int64_t settledAt) {
        screen.Start(0);
        testing::RenderSettled(screen, 80, 40, frame);
        screen.Tick(settledAt);
        screen.Render(80, 40, frame);
    }
    static bool Shows(const PixelBuffer& frame, Pixel colour) {
        return std::find(frame.Pixels.begin(), frame.Pixels.end(), colour) != frame.Pixels.end();
    }
};

TEST(PlaceOnSlideTest, PlacedPictureDrawnAtItsPlaceGivesTheSlideThatDrawingItWholeGives) {
    PixelBuffer picture(37, 23);
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x) picture.At(x, y) = 0xFF000000u | Pixel(x * 7) << 16 | Pixel(y * 11);
    using namespace SizeIndex;
    for (const int size : {BestFit, ActualSize, FitWidth, FitHeight, CustomWidth})
        for (const int align : {AlignIndex::Start, AlignIndex::Center, AlignIndex::End}) {
            DisplayChoice choice{TransitionIndex::None, align, align, size, 90};
            choice.BackgroundColor = 0xFF0000;
            for (const auto& [width, height] : {std::pair{80, 40}, std::pair{20, 10}}) {
                PixelBuffer slide(width, height, Blue);
                const PlacedPicture placed = PlaceOnSlide(picture, width, height, choice);
                CopyPicture(placed.Pixels, placed.Place.X, placed.Place.Y, slide);
                EXPECT_EQ(slide.Pixels, RenderSlide(picture, width, height, choice).Pixels)
                    << "size " << size << " align " << align << " on " << width << " x " << height;
            }
        }
    EXPECT_TRUE(PlaceOnSlide(PixelBuffer(), 80, 40, {}).Missing);
}

// The first frame of a transition whose photo is still decoding shows the photo before, and
// neither the frame nor the clock moves on until the slide is there; then the transition
// runs its whole second.
TEST_F(SlidePreparationTest, TransitionWaitsForItsSlideWithoutAFrameWaitingOnTheDecode) {
    const SlideShow show = PublishColours(2);
    GatedLoader loader(show, {"00000001"});
    SlideScreen screen(show, 1, loader.Loader());
    PixelBuffer frame;
    StartSettled(screen, frame, 1500);
    screen.Tick(2000);
    ASSERT_EQ(screen.Show().Frame().To, 1);
    for (const std::int64_t now : {2000, 2500, 3500}) {
        screen.Tick(now);
        screen.Render(80, 40, frame);
        EXPECT_FALSE(screen.SlidesReady());
        EXPECT_EQ(frame.Pixels, PixelBuffer(80, 40, Red).Pixels) << now;
        EXPECT_EQ(screen.Show().Frame().Progress, 0.0) << now;
    }
    loader.Open();
    testing::RenderSettled(screen, 80, 40, frame);
    EXPECT_EQ(frame.Pixels, PixelBuffer(80, 40, Red).Pixels);
    screen.Tick(4000);
    screen.Render(80, 40, frame);
    EXPECT_EQ(screen.Show().Frame().Progress, 0.5);
    EXPECT_TRUE(Shows(frame, Red) && Shows(frame, Green));
    screen.Tick(4500);
    screen.Render(80, 40, frame);
    EXPECT_EQ(frame.Pixels, PixelBuffer(80, 40, Green).Pixels);
    EXPECT_FALSE(loader.TimedOut());
}

// Next pressed faster than photos decode: the show lands on the last photo asked for,
// passing over the others without showing or decoding them.
TEST_F(SlidePreparationTest, FastNextPressesEndOnTheRightPhotoWithNoStaleSlide) {
    const SlideShow show = PublishColours(5, "Title=S\r\nTransition=3\r\nDuration=1\r\n");
    GatedLoader loader(show, {"00000001", "00000002", "00000003"});
    SlideScreen screen(show, 1, loader.Loader());
    PixelBuffer frame;
    StartSettled(screen, frame, 1000);
    for (int press = 0; press < 4; ++press) {
        screen.Next(1000 + 10 * press);
        screen.Render(80, 40, frame);
        EXPECT_EQ(frame.Pixels, PixelBuffer(80, 40, Red).Pixels) << press;
    }
    loader.Open();
    testing::RenderSettled(screen, 80, 40, frame);
    screen.Tick(5000);
    screen.Render(80, 40, frame);
    EXPECT_EQ(screen.Show().Frame().To, 4);
    EXPECT_EQ(frame.Pixels, PixelBuffer(80, 40, 0xFF000000u | Colours[4]).Pixels);
    EXPECT_FALSE(loader.Decoded("00000002"));
}

// Playing on, stepping back, jumping and resizing never hold more than the slide before,
// the one on screen and the next; a resize stretches the slide at once and places it again.
TEST_F(SlidePreparationTest, HeldSlidesStayThreeAndAResizePlacesTheSlideAgain) {
    const SlideShow show = PublishColours(6, "Title=S\r\nTransition=3\r\nDuration=3\r\nSize=1\r\n");
    SlidePlayer player(show, 1);
    SlideRenderer renderer(show);
    PixelBuffer frame;
    int most = 0;
    const auto settle = [&](int width, int height) {
        testing::RenderSettled(renderer, player, width, height, frame);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        renderer.Render(player, width, height, frame);
        most = std::max(most, renderer.HeldSlides());
    };
    player.Start(0);
    std::int64_t now = 0;
    for (int step = 0; step < 12; ++step, now += 500) {
        player.Tick(now);
        settle(80, 40);
    }
    player.Previous(now);
    settle(80, 40);
    player.Last(now);
    settle(80, 40);
    player.First(now);
    settle(80, 40);
    EXPECT_LE(most, 3);
    EXPECT_GE(most, 2);

    renderer.Render(player, 40, 20, frame);
    EXPECT_TRUE(renderer.CurrentSlideReady());
    const PixelBuffer placed = RenderSlide(show.LoadPicture(show.Categories()[0].Photos[0]), 40, 20, player.Choice(0));
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (frame.Pixels != placed.Pixels && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        renderer.Render(player, 40, 20, frame);
    }
    EXPECT_EQ(frame.Pixels, placed.Pixels);
}

// Choices are made a photo ahead, yet in play order, so a seed settles "Random" as before.
TEST_F(SlidePreparationTest, ChoicesAheadKeepTheSeedsSequence) {
    const SlideShow show = PublishColours(4, "Title=S\r\nTransition=2\r\nDuration=2\r\nHorizontal=1\r\nLoop=2\r\n");
    SlidePlayer player(show, 99);
    std::mt19937 random(99);
    player.Start(0);
    for (int step = 0; step < 9; ++step) {
        const int shown = player.Frame().To;
        const SlidePhoto& photo = show.Categories()[0].Photos[std::size_t(shown)];
        EXPECT_EQ(player.Choice(shown), ChooseDisplay(photo.Settings, random)) << step;
        if (player.Upcoming() >= 0) {
            EXPECT_EQ(player.Upcoming(), (shown + 1) % 4);
        }
        player.Next(step);
    }
}

}  // namespace
}  // namespace velvora
