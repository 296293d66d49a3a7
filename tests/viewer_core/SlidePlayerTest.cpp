// Sequencing: the play list's order, durations on a clock passed in, keys, pause and loop.
#include "viewer/core/SlidePlayer.h"

#include <gtest/gtest.h>

#include "PublishedShow.h"

namespace velvora {
namespace {

class SlidePlayerTest : public testing::PublishedShowTest {
protected:
    // Root photo r, intro i, category A with a and its child B with b, about box x.
    void WriteTree(const std::string& extraA, const std::string& extraIntro = "") {
        SetCategories("\\Intro\r\nAlias=0001\r\nIntro=1\r\n" + extraIntro + "\r\n\\A\r\nAlias=0002\r\n" + extraA +
                      "\r\n\\A\\B\r\nAlias=0003\r\n\r\n\\About\r\nAlias=0004\r\nAbout=1\r\n\r\n");
        AddPhoto("0000", "00000000", "Name=r\r\n", "");
        AddPhoto("0001", "00000000", "Name=i\r\n", "");
        AddPhoto("0002", "00000000", "Name=a\r\n", "");
        AddPhoto("0003", "00000000", "Name=b\r\n", "");
        AddPhoto("0004", "00000000", "Name=x\r\n", "");
    }
    // The names of the play list, or of the photos shown, in order.
    static std::string Names(const SlideShow& show, const std::vector<PlayEntry>& list) {
        std::string names;
        for (const PlayEntry& entry : list) names += Name(show, entry);
        return names;
    }
    static std::string Name(const SlideShow& show, const PlayEntry& entry) {
        return show.Categories()[std::size_t(entry.Category)].Photos[std::size_t(entry.Photo)].Name;
    }
    static std::string Current(const SlideShow& show, const SlidePlayer& player) {
        return Name(show, player.PlayList()[std::size_t(player.Frame().To)]);
    }
    // One-second photos without transitions, so every step is exactly 1000 ms.
    static constexpr const char* OneSecondEach = "Title=S\r\nTransition=1\r\nDuration=3\r\n";
};

TEST_F(SlidePlayerTest, IntroPlaysFirstThenTheTreeInPreOrderWithoutTheAboutBox) {
    WriteTree("");
    const SlideShow show = Publish(OneSecondEach);
    EXPECT_EQ(Names(show, BuildPlayList(show)), "irab");
    EXPECT_TRUE(BuildPlayList(show)[0].Intro);
}

TEST_F(SlidePlayerTest, LoopOnceStopsOnTheLastPhotoAndLoopingWrapsPastTheIntro) {
    WriteTree("");
    const SlideShow once = Publish(OneSecondEach);
    SlidePlayer player(once, 1);
    player.Start(0);
    std::string shown = Current(once, player);
    for (std::int64_t now = 999; now <= 5000; now += 1000) {
        player.Tick(now);
        player.Tick(now + 1);
        shown += Current(once, player);
    }
    EXPECT_EQ(shown, "irabbb");
    EXPECT_EQ(player.State(), PlayState::Finished);
    EXPECT_FALSE(player.ExitRequested());
    player.Next(6000);
    EXPECT_EQ(Current(once, player), "b");

    const SlideShow looping = Publish(std::string(OneSecondEach) + "Loop=2\r\n");
    SlidePlayer again(looping, 1);
    again.Start(0);
    shown.clear();
    for (std::int64_t now = 1000; now <= 6000; now += 1000) {
        again.Tick(now);
        shown += Current(looping, again);
    }
    EXPECT_EQ(shown, "rabrab");
    EXPECT_EQ(again.State(), PlayState::Playing);
}

TEST_F(SlidePlayerTest, IndefiniteAndKeyAdvanceWaitForNextWhichRunsTheTransition) {
    WriteTree("KeyAdvance=1\r\n", "Duration=1\r\n");
    const SlideShow show = Publish("Title=S\r\nTransition=3\r\nDuration=3\r\n");
    SlidePlayer player(show, 1);
    player.Start(0);
    player.Tick(500);
    EXPECT_EQ(player.Frame(), (SlideFrame{-1, 0, 0.5}));
    player.Tick(1'000'000);
    EXPECT_EQ(Current(show, player), "i");  // Indefinite
    player.Next(1'000'000);
    player.Tick(1'000'250);
    EXPECT_EQ(player.Frame(), (SlideFrame{0, 1, 0.25}));
    player.Tick(1'002'000);  // r lasts its second after the transition
    EXPECT_EQ(Current(show, player), "a");
    player.Tick(9'000'000);
    EXPECT_EQ(Current(show, player), "a");  // its category advances by key only
}

TEST_F(SlidePlayerTest, PauseFreezesTheClockAndPreviousCutsBack) {
    WriteTree("");
    const SlideShow show = Publish("Title=S\r\nTransition=3\r\nDuration=3\r\n");
    SlidePlayer player(show, 1);
    player.Start(0);
    player.Tick(1500);
    player.TogglePause(1500);
    player.Tick(100'000);
    EXPECT_EQ(player.State(), PlayState::Paused);
    EXPECT_EQ(Current(show, player), "i");
    player.TogglePause(100'000);
    player.Tick(100'499);
    EXPECT_EQ(Current(show, player), "i");
    player.Tick(100'500);
    EXPECT_EQ(Current(show, player), "r");
    player.TogglePause(100'600);
    player.Next(100'700);  // paused: a cut, no frozen transition
    EXPECT_EQ(player.Frame(), (SlideFrame{1, 2, 1.0}));
    player.Previous(100'800);
    EXPECT_EQ(player.Frame(), (SlideFrame{-1, 1, 1.0}));
    player.Previous(100'900);
    player.Previous(101'000);  // nothing before the first photo
    EXPECT_EQ(player.Frame().To, 0);
}

// The auto-run category plays alone (after the intro) and, asked to, exits after one pass.
TEST_F(SlidePlayerTest, AutoRunCategoryPlaysAloneAndExitsAfterOnePassEvenWhenLooping) {
    WriteTree("AutoRun=1\r\nAutoRunExit=1\r\n");
    const SlideShow show = Publish(std::string(OneSecondEach) + "Loop=2\r\n");
    EXPECT_EQ(Names(show, BuildPlayList(show)), "iab");
    SlidePlayer player(show, 1);
    player.Start(0);
    for (std::int64_t now = 1000; now <= 3000; now += 1000) player.Tick(now);
    EXPECT_TRUE(player.ExitRequested());
}

TEST_F(SlidePlayerTest, ShowWithoutPhotosIsFinishedAtOnce) {
    const SlideShow show = Publish("Title=Empty\r\n");
    SlidePlayer player(show, 1);
    player.Start(0);
    player.Next(10);
    EXPECT_EQ(player.State(), PlayState::Finished);
    EXPECT_EQ(player.Frame(), SlideFrame{});
}

}  // namespace
}  // namespace velvora
