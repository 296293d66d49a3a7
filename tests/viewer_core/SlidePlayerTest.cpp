// Sequencing: the play list's order, durations on a clock passed in, keys, jumps, pause and
// loop.
#include "viewer/core/SlidePlayer.h"

#include <memory>
#include <optional>

#include <gtest/gtest.h>

#include "PublishedShow.h"
#include "viewer/core/ViewerInput.h"

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
    // Publishes the tree with `settings`; the player is started at time 0 unless told not to.
    SlidePlayer& Play(const std::string& settings, bool start = true) {
        player_.reset();
        show_.emplace(Publish(settings));
        player_ = std::make_unique<SlidePlayer>(*show_, 1);
        if (start) player_->Start(0);
        return *player_;
    }
    std::string Names(const std::vector<PlayEntry>& list) const {
        std::string names;
        for (const PlayEntry& entry : list)
            names += show_->Categories()[std::size_t(entry.Category)].Photos[std::size_t(entry.Photo)].Name;
        return names;
    }
    // The photo on screen after a tick at each of `times`.
    std::string Shown(std::initializer_list<std::int64_t> times) {
        std::string names;
        for (const std::int64_t now : times) {
            player_->Tick(now);
            names += Names({player_->PlayList()[std::size_t(player_->Frame().To)]});
        }
        return names;
    }
    // One-second photos without transitions, so every step is exactly 1000 ms.
    static constexpr const char* OneSecondEach = "Title=S\r\nTransition=1\r\nDuration=3\r\n";

    std::optional<SlideShow> show_;
    std::unique_ptr<SlidePlayer> player_;
};

TEST_F(SlidePlayerTest, IntroThenTreeInPreOrderWithoutAboutBoxLoopOnceStopsAndLoopingSkipsTheIntro) {
    WriteTree("");
    SlidePlayer& once = Play(OneSecondEach);
    EXPECT_EQ(Names(BuildPlayList(*show_)), "irab");
    EXPECT_TRUE(BuildPlayList(*show_)[0].Intro);
    EXPECT_EQ(Shown({0, 999, 1000, 1999, 2000, 2999, 3000, 4000, 5000}), "iirraabbb");
    EXPECT_EQ(once.State(), PlayState::Finished);
    EXPECT_FALSE(once.ExitRequested());
    once.Next(6000);
    EXPECT_EQ(Shown({6000}), "b");

    const SlidePlayer& looping = Play(std::string(OneSecondEach) + "Loop=2\r\n");
    EXPECT_EQ(Shown({1000, 2000, 3000, 4000, 5000, 6000}), "rabrab");
    EXPECT_EQ(looping.State(), PlayState::Playing);
}

// The show says one second; category A's own custom seconds time its photo and its child's.
TEST_F(SlidePlayerTest, CategoryOnCustomSecondsPlaysItsPhotosAndThoseBelowForThoseSeconds) {
    WriteTree("Duration=8\r\nDurationCount=2\r\n");
    const SlidePlayer& player = Play(OneSecondEach);
    EXPECT_EQ(Shown({999, 1000, 2000, 3999, 4000, 5999, 6000}), "iraabbb");
    EXPECT_EQ(player.State(), PlayState::Finished);
}

TEST_F(SlidePlayerTest, IndefiniteAndKeyAdvanceWaitForNextWhichRunsTheTransition) {
    WriteTree("KeyAdvance=1\r\n", "Duration=1\r\n");
    SlidePlayer& player = Play("Title=S\r\nTransition=3\r\nDuration=3\r\n");
    player.Tick(500);
    EXPECT_EQ(player.Frame(), (SlideFrame{-1, 0, 0.5}));
    EXPECT_EQ(Shown({1'000'000}), "i");  // Indefinite
    player.Next(1'000'000);
    player.Tick(1'000'250);
    EXPECT_EQ(player.Frame(), (SlideFrame{0, 1, 0.25}));
    // r lasts its second after the transition; its category then advances by key only.
    EXPECT_EQ(Shown({1'002'000, 9'000'000}), "aa");
}

// Home and End cut to the ends of the play list, intro included, and restart a finished show.
TEST_F(SlidePlayerTest, PauseFreezesTheClockPreviousCutsBackAndJumpsCutToTheEnds) {
    WriteTree("");
    SlidePlayer& player = Play("Title=S\r\nTransition=3\r\nDuration=3\r\n", false);
    player.Last(0);
    EXPECT_EQ(PositionText(player), "");  // not started: nothing to jump in
    player.Start(0);
    EXPECT_EQ(PositionText(player), "1 / 4");
    player.Tick(1500);
    player.TogglePause(1500);
    EXPECT_EQ(Shown({100'000}), "i");
    EXPECT_EQ(player.State(), PlayState::Paused);
    player.TogglePause(100'000);
    EXPECT_EQ(Shown({100'499, 100'500}), "ir");
    player.TogglePause(100'600);
    player.Next(100'700);  // paused: a cut, no frozen transition
    EXPECT_EQ(player.Frame(), (SlideFrame{1, 2, 1.0}));
    player.Previous(100'800);
    EXPECT_EQ(player.Frame(), (SlideFrame{-1, 1, 1.0}));
    player.Previous(100'900);
    player.Previous(101'000);  // nothing before the first photo
    EXPECT_EQ(player.Frame().To, 0);

    player.TogglePause(101'000);
    player.Last(101'010);
    EXPECT_EQ(player.Frame(), (SlideFrame{-1, 3, 1.0}));
    EXPECT_EQ(PositionText(player), "4 / 4");
    player.Tick(200'000);
    ASSERT_EQ(player.State(), PlayState::Finished);
    player.First(200'010);
    EXPECT_EQ(player.State(), PlayState::Playing);
    EXPECT_EQ(player.Frame(), (SlideFrame{-1, 0, 1.0}));
    player.GoTo(4, 200'020);
    EXPECT_EQ(player.Frame().To, 0);
}

// The auto-run category plays alone (after the intro) and, asked to, exits after one pass.
TEST_F(SlidePlayerTest, AutoRunCategoryPlaysAloneAndExitsAfterOnePassEvenWhenLooping) {
    WriteTree("AutoRun=1\r\nAutoRunExit=1\r\n");
    SlidePlayer& player = Play(std::string(OneSecondEach) + "Loop=2\r\n");
    EXPECT_EQ(Names(BuildPlayList(*show_)), "iab");
    for (std::int64_t now = 1000; now <= 3000; now += 1000) player.Tick(now);
    EXPECT_TRUE(player.ExitRequested());
}

TEST_F(SlidePlayerTest, ShowWithoutPhotosIsFinishedAtOnce) {
    SlidePlayer& player = Play("Title=Empty\r\n");
    player.Next(10);
    EXPECT_EQ(player.State(), PlayState::Finished);
    EXPECT_EQ(player.Frame(), SlideFrame{});
}

}  // namespace
}  // namespace velvora
