// The play list and the clock of a slide show.
#include "viewer/core/SlidePlayer.h"

#include <algorithm>
#include <utility>

namespace velvora {
namespace {

// Category `index`'s photos, then the categories below it that are neither the intro nor
// the about category, each with its own subtree.
void CollectPhotos(const SlideShow& show, int index, bool intro, std::vector<PlayEntry>& list) {
    const SlideCategory& category = show.Categories()[std::size_t(index)];
    for (std::size_t photo = 0; photo < category.Photos.size(); ++photo) list.push_back({index, int(photo), intro});
    for (int child : category.Children) {
        const SlideCategory& below = show.Categories()[std::size_t(child)];
        if (!below.Intro && !below.About) CollectPhotos(show, child, intro, list);
    }
}

// The category that plays as the show: the auto-run category when there is one.
int MainCategory(const SlideShow& show) { return std::max(show.AutoRunCategory(), 0); }

}  // namespace

std::vector<PlayEntry> BuildPlayList(const SlideShow& show) {
    std::vector<PlayEntry> list;
    const int intro = show.IntroCategory();
    const int main = MainCategory(show);
    if (intro >= 0 && intro != main) CollectPhotos(show, intro, true, list);
    CollectPhotos(show, main, false, list);
    return list;
}

std::vector<PlayEntry> BuildCategoryPlayList(const SlideShow& show, int category) {
    std::vector<PlayEntry> list;
    if (category >= 0 && category < int(show.Categories().size())) CollectPhotos(show, category, false, list);
    return list;
}

SlidePlayer::SlidePlayer(const SlideShow& show, std::uint32_t seed)
    : SlidePlayer(show, seed, BuildPlayList(show), MainCategory(show)) {
    const SlideCategory& main = show.Categories()[std::size_t(MainCategory(show))];
    exitWhenFinished_ = main.AutoRun && main.AutoRunExit;
}

SlidePlayer::SlidePlayer(const SlideShow& show, std::uint32_t seed, int category)
    : SlidePlayer(show, seed, BuildCategoryPlayList(show, category), category) {}

SlidePlayer::SlidePlayer(const SlideShow& show, std::uint32_t seed, std::vector<PlayEntry> playList, int category)
    : show_(show), random_(seed), playList_(std::move(playList)), choices_(playList_.size()) {
    if (category >= 0 && category < int(show.Categories().size()))
        loops_ = show.Categories()[std::size_t(category)].Loop == LoopIndex::Continuous;
}

void SlidePlayer::Start(std::int64_t nowMs) {
    lastNowMs_ = nowMs;
    if (playList_.empty()) {
        state_ = PlayState::Finished;
        return;
    }
    state_ = PlayState::Playing;
    Show(0, -1, nowMs);
}

void SlidePlayer::Tick(std::int64_t nowMs) {
    AccountTime(nowMs);
    if (state_ != PlayState::Playing) return;
    const DisplayChoice& choice = Choice(current_);
    if (!choice.WaitsForKey && elapsedMs_ >= TransitionLength() + choice.DurationMs) Advance(nowMs);
}

void SlidePlayer::Next(std::int64_t nowMs) {
    AccountTime(nowMs);
    if (state_ == PlayState::Finished) return;
    Advance(nowMs);
    // A paused clock would hold the transition at its start; a paused show cuts instead.
    if (state_ == PlayState::Paused) elapsedMs_ = TransitionLength();
}

void SlidePlayer::Previous(std::int64_t nowMs) {
    if (current_ > 0) GoTo(current_ - 1, nowMs);
}

void SlidePlayer::GoTo(int index, std::int64_t nowMs) {
    AccountTime(nowMs);
    if (current_ < 0 || index < 0 || index >= int(playList_.size())) return;
    if (state_ == PlayState::Finished) state_ = PlayState::Playing;
    Show(index, -1, nowMs);
    elapsedMs_ = TransitionLength();
}

void SlidePlayer::TogglePause(std::int64_t nowMs) {
    AccountTime(nowMs);
    if (state_ == PlayState::Playing)
        state_ = PlayState::Paused;
    else if (state_ == PlayState::Paused)
        state_ = PlayState::Playing;
}

SlideFrame SlidePlayer::Frame() const {
    if (current_ < 0) return {};
    const std::int64_t length = TransitionLength();
    const double progress = length == 0 ? 1.0 : std::min(1.0, double(elapsedMs_) / double(length));
    return {from_, current_, progress};
}

int SlidePlayer::Upcoming() const { return current_ < 0 ? -1 : IndexAfter(current_); }

void SlidePlayer::Show(int index, int from, std::int64_t nowMs) {
    choices_[std::size_t(index)] = index == chosenAhead_ ? aheadChoice_ : Choose(index);
    chosenAhead_ = IndexAfter(index);
    // A photo that follows itself, alone in a looping show, chooses again when it comes round.
    if (chosenAhead_ == index) chosenAhead_ = -1;
    // Kept apart until shown, as the entry may still be leaving the screen with its old choice.
    if (chosenAhead_ >= 0) aheadChoice_ = Choose(chosenAhead_);
    current_ = index;
    from_ = from;
    elapsedMs_ = 0;
    lastNowMs_ = nowMs;
}

DisplayChoice SlidePlayer::Choose(int index) {
    const PlayEntry& entry = playList_[std::size_t(index)];
    const SlidePhoto& photo = show_.Categories()[std::size_t(entry.Category)].Photos[std::size_t(entry.Photo)];
    DisplayChoice choice = ChooseDisplay(photo.Settings, random_);
    if (unattendedKeyWaitMs_ >= 0 && choice.WaitsForKey) {
        choice.WaitsForKey = false;
        if (choice.DurationMs <= 0) choice.DurationMs = unattendedKeyWaitMs_;
    }
    return choice;
}

void SlidePlayer::PlayUnattended(std::int64_t keyWaitMs) {
    unattendedKeyWaitMs_ = std::max<std::int64_t>(0, keyWaitMs);
    loops_ = false;
}

// The entry after `index`; after the last, the first photo of the show proper again (the
// intro plays once) when the show loops, else -1: the show stays on its last photo.
int SlidePlayer::IndexAfter(int index) const {
    if (index + 1 < int(playList_.size())) return index + 1;
    const auto firstMain =
        std::find_if(playList_.begin(), playList_.end(), [](const PlayEntry& entry) { return !entry.Intro; });
    if (!loops_ || exitWhenFinished_ || firstMain == playList_.end()) return -1;
    return int(firstMain - playList_.begin());
}

void SlidePlayer::Advance(std::int64_t nowMs) {
    const int next = IndexAfter(current_);
    if (next < 0) {
        state_ = PlayState::Finished;
        return;
    }
    Show(next, current_, nowMs);
}

std::int64_t SlidePlayer::TransitionLength() const {
    return Choice(current_).Transition == TransitionIndex::None ? 0 : TransitionMs;
}

void SlidePlayer::AccountTime(std::int64_t nowMs) {
    if (state_ == PlayState::Playing && !waitingForSlide_) elapsedMs_ += std::max<std::int64_t>(0, nowMs - lastNowMs_);
    lastNowMs_ = nowMs;
}

}  // namespace velvora
