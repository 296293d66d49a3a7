// Slide sequencing: which photos play in what order, how long each stays, and what the
// keys do. Time is passed in as a millisecond clock value and never read here, so a front
// end drives it from its timer and tests drive it instantly.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "viewer/core/SlideSettings.h"
#include "viewer/core/SlideShow.h"

namespace velvora {

// How long every transition runs; "None" changes the picture at once.
inline constexpr std::int64_t TransitionMs = 1000;

// One photo of the play list.
struct PlayEntry {
    int Category = 0;
    int Photo = 0;
    bool Intro = false;  // plays before the show proper, only on the first round
};

// The play list: the intro category first (when there is one), then the auto-run category
// alone when the show has one, else the whole show; a category plays its own photos in
// list order, then the categories below it in tree order. Intro and about categories never
// play inside another category.
std::vector<PlayEntry> BuildPlayList(const SlideShow& show);
// Category `category` alone, as the about box plays it: its photos, then the categories below.
std::vector<PlayEntry> BuildCategoryPlayList(const SlideShow& show, int category);

enum class PlayState { Playing, Paused, Finished };

// What to draw now: the picture `From` gives way to `To` at `Progress` in [0, 1] with
// `Choice`'s transition. Indexes are into the play list; From is -1 before the first photo
// (the background shows instead), and To is -1 only for a show without photos.
struct SlideFrame {
    int From = -1;
    int To = -1;
    double Progress = 1.0;
    bool operator==(const SlideFrame&) const = default;
};

class SlidePlayer {
public:
    // `seed` settles every "Random"; the same seed plays the same show.
    SlidePlayer(const SlideShow& show, std::uint32_t seed);
    // Plays category `category` alone (BuildCategoryPlayList) under its own loop setting.
    SlidePlayer(const SlideShow& show, std::uint32_t seed, int category);

    const std::vector<PlayEntry>& PlayList() const { return playList_; }
    // The choice made for the current display of play list entry `index`.
    const DisplayChoice& Choice(int index) const { return choices_[std::size_t(index)]; }
    // The play list entry that Next or the clock shows after the current one; -1 when the
    // show ends there or has not started.
    int Upcoming() const;
    // The choice that entry will be shown with, made while the current photo plays. Only
    // for an Upcoming() of 0 or more.
    const DisplayChoice& UpcomingChoice() const { return chosenAhead_ >= 0 ? aheadChoice_ : Choice(Upcoming()); }

    // Starts with the first photo's transition. A show without photos is Finished at once.
    void Start(std::int64_t nowMs);
    // Moves on when the current photo's time is up; call it from the front end's timer.
    void Tick(std::int64_t nowMs);
    // The next photo, with its transition (Space, Right, Page Down). After the last photo it
    // wraps when the show loops and finishes otherwise.
    void Next(std::int64_t nowMs);
    // The photo before, shown at once (Left, Page Up); nothing before the first.
    void Previous(std::int64_t nowMs);
    // Play list entry `index` shown at once, playing on from there even after the end;
    // nothing before the show has started or for an index outside the list.
    void GoTo(int index, std::int64_t nowMs);
    void First(std::int64_t nowMs) { GoTo(0, nowMs); }
    void Last(std::int64_t nowMs) { GoTo(int(playList_.size()) - 1, nowMs); }
    // Pause freezes the clock, transitions included; Next and Previous still work.
    void TogglePause(std::int64_t nowMs);

    // While the current photo's slide is not ready to draw, its time does not run: the
    // transition starts, and the photo's seconds count, once the slide can be shown.
    void SetWaitingForSlide(bool waiting) { waitingForSlide_ = waiting; }

    // Plays with nobody at the keys, as a recording does: the show plays once even when it
    // loops, and a photo that would wait for a key stays its own seconds, or `keyWaitMs`
    // when it has none. Call it before Start.
    void PlayUnattended(std::int64_t keyWaitMs);

    PlayState State() const { return state_; }
    SlideFrame Frame() const;
    // True once a finished show should close the viewer: an auto-run category that asks to
    // exit after being viewed.
    bool ExitRequested() const { return state_ == PlayState::Finished && exitWhenFinished_; }

private:
    SlidePlayer(const SlideShow& show, std::uint32_t seed, std::vector<PlayEntry> playList, int category);
    void Show(int index, int from, std::int64_t nowMs);
    int IndexAfter(int index) const;
    DisplayChoice Choose(int index);
    void Advance(std::int64_t nowMs);
    std::int64_t TransitionLength() const;
    void AccountTime(std::int64_t nowMs);

    const SlideShow& show_;
    std::mt19937 random_;
    std::vector<PlayEntry> playList_;
    std::vector<DisplayChoice> choices_;
    bool loops_ = false;
    bool exitWhenFinished_ = false;
    PlayState state_ = PlayState::Finished;
    int current_ = -1;
    int from_ = -1;
    // The entry whose choice was made ahead, while the one before it played: choices are
    // drawn in play order either way, so a seed settles "Random" as it always did.
    int chosenAhead_ = -1;
    DisplayChoice aheadChoice_;
    bool waitingForSlide_ = false;
    std::int64_t unattendedKeyWaitMs_ = -1;  // below 0 while someone may press a key
    std::int64_t elapsedMs_ = 0;             // time the current photo has been on, pauses excluded
    std::int64_t lastNowMs_ = 0;
};

}  // namespace velvora
