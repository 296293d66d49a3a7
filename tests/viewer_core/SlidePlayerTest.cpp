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
        for (int alias = 0; alias < 5; ++alias)
            AddPhoto("000" + std::to_string(alias), "00000000", std::string("Name=") + "riabx"[alias] + "\r\n", "");
    }
    static std::string Names(const SlideShow& show, const std::vector<PlayEntry>& list) {
        std::string names;
        for (const PlayEntry& entry : list)
            names += show.Categories()[std::size_t(entry.Category)].Photos[std::size_t(entry.Photo)].Name;
        return names;
    }
    // The photo on screen after a tick at each of `times`.
    static std::string Shown(const SlideShow& show, SlidePlayer& player, std::initializer_list<std::int64_t> times) {
        std::string names;
        for (const std::int64_t now : times) {
            player.Tick(now);
            names += Names(show, {player.PlayList()[std::size_t(player.Frame().To)]});
        }
        return names;
    }
    // One-second photos without transitions, so every step is exactly 1000 ms.
    static constexpr const char* OneSecondEach = "Title=S\r\nTransition=1\r\nDuration=3\r\n";
};

TEST_F(SlidePlayerTest, IntroThenTreeInPreOrderWithoutAboutBoxLoopOnceStopsAndLoopingSkipsTheIntro) {
    WriteTree("");
    const SlideShow once = Publish(OneSecondEach);
    EXPECT_EQ(Names(once, BuildPlayList(once)), "irab");
    EXPECT_TRUE(BuildPlayList(once)[0].Intro);
    SlidePlayer player(once, 1);
    player.Start(0);
    EXPECT_EQ(Shown(once, player, {0, 999, 1000, 1999, 2000, 2999, 3000, 4000, 5000}), "iirraabbb");
    EXPECT_EQ(player.State(), PlayState::Finished);
    EXPECT_FALSE(player.ExitRequested());
    player.Next(6000);
    EXPECT_EQ(Shown(once, player, {6000}), "b");

    const SlideShow looping = Publish(std::string(OneSecondEach) + "Loop=2\r\n");
    SlidePlayer again(looping, 1);
    again.Start(0);
    EXPECT_EQ(Shown(looping, again, {1000, 2000, 3000, 4000, 5000, 6000}), "rabrab");
    EXPECT_EQ(again.State(), PlayState::Playing);
}

// The show says one second; category A's own custom seconds time its photo and its child's.
TEST_F(SlidePlayerTest, CategoryOnCustomSecondsPlaysItsPhotosAndThoseBelowForThoseSeconds) {
    WriteTree("Duration=8\r\nDurationCount=2\r\n");
    const SlideShow show = Publish(OneSecondEach);
    SlidePlayer player(show, 1);
    player.Start(0);
    EXPECT_EQ(Shown(show, player, {999, 1000, 2000, 3999, 4000, 5999, 6000}), "iraabbb");
    EXPECT_EQ(player.State(), PlayState::Finished);
}

TEST_F(SlidePlayerTest, IndefiniteAndKeyAdvanceWaitForNextWhichRunsTheTransition) {
    WriteTree("KeyAdvance=1\r\n", "Duration=1\r\n");
    const SlideShow show = Publish("Title=S\r\nTransition=3\r\nDuration=3\r\n");
    SlidePlayer player(show, 1);
    player.Start(0);
    player.Tick(500);
    EXPECT_EQ(player.Frame(), (SlideFrame{-1, 0, 0.5}));
    EXPECT_EQ(Shown(show, player, {1'000'000}), "i");  // Indefinite
    player.Next(1'000'000);
    player.Tick(1'000'250);
    EXPECT_EQ(player.Frame(), (SlideFrame{0, 1, 0.25}));
    // r lasts its second after the transition; its category then advances by key only.
    EXPECT_EQ(Shown(show, player, {1'002'000, 9'000'000}), "aa");
}

TEST_F(SlidePlayerTest, PauseFreezesTheClockAndPreviousCutsBack) {
    WriteTree("");
    const SlideShow show = Publish("Title=S\r\nTransition=3\r\nDuration=3\r\n");
    SlidePlayer player(show, 1);
    player.Start(0);
    player.Tick(1500);
    player.TogglePause(1500);
    EXPECT_EQ(Shown(show, player, {100'000}), "i");
    EXPECT_EQ(player.State(), PlayState::Paused);
    player.TogglePause(100'000);
    EXPECT_EQ(Shown(show, player, {100'499, 100'500}), "ir");
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
