// The worker that decodes and places upcoming slides.
#include "viewer/core/SlidePreparer.h"

#include <algorithm>

#include "viewer/core/Compositor.h"
#include "viewer/core/Scaling.h"

namespace velvora {

PlacedPicture PlaceOnSlide(const PixelBuffer& picture, int width, int height, const DisplayChoice& choice) {
    PlacedPicture placed;
    placed.Missing = picture.Empty();
    const PixelRect place = PlacePicture(picture.Width, picture.Height, width, height, choice);
    const int left = std::max(place.X, 0), top = std::max(place.Y, 0);
    const int right = int(std::min<std::int64_t>(std::int64_t(place.X) + place.Width, width));
    const int bottom = int(std::min<std::int64_t>(std::int64_t(place.Y) + place.Height, height));
    if (placed.Missing || right <= left || bottom <= top) return placed;
    placed.Place = {left, top, right - left, bottom - top};
    placed.Pixels = PixelBuffer(placed.Place.Width, placed.Place.Height);
    DrawScaled(picture, {place.X - left, place.Y - top, place.Width, place.Height}, placed.Pixels);
    return placed;
}

SlidePreparer::~SlidePreparer() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void SlidePreparer::Want(std::vector<SlideRequest> requests) {
    {
        const std::lock_guard lock(mutex_);
        wanted_ = std::move(requests);
        std::erase_if(finished_, [this](const Finished& done) { return !IsWanted(done.Request); });
        if (!worker_.joinable() && !wanted_.empty()) worker_ = std::thread(&SlidePreparer::Work, this);
    }
    changed_.notify_all();
}

std::optional<PlacedPicture> SlidePreparer::Take(const SlideRequest& request) {
    const std::lock_guard lock(mutex_);
    const auto done = std::find_if(finished_.begin(), finished_.end(),
                                   [&](const Finished& finished) { return finished.Request == request; });
    if (done == finished_.end()) return std::nullopt;
    PlacedPicture picture = std::move(done->Picture);
    finished_.erase(done);
    return picture;
}

int SlidePreparer::HeldCount() const {
    const std::lock_guard lock(mutex_);
    return int(finished_.size()) + (inHand_ ? 1 : 0);
}

bool SlidePreparer::IsWanted(const SlideRequest& request) const {
    return std::find(wanted_.begin(), wanted_.end(), request) != wanted_.end();
}

// The most urgent wanted slide that is neither finished nor in hand.
std::optional<SlideRequest> SlidePreparer::NextToMake() const {
    for (const SlideRequest& request : wanted_) {
        const bool finished = std::any_of(finished_.begin(), finished_.end(),
                                          [&](const Finished& done) { return done.Request == request; });
        if (!finished && request != inHand_) return request;
    }
    return std::nullopt;
}

// No lock is held while a picture is decoded and scaled, so new wishes and finished pictures
// pass at any time.
void SlidePreparer::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || NextToMake(); });
        if (stopping_) return;
        inHand_ = NextToMake();
        const SlideRequest request = *inHand_;
        lock.unlock();
        PlacedPicture picture = Make(request);
        lock.lock();
        inHand_.reset();
        if (IsWanted(request)) finished_.push_back({request, std::move(picture)});
    }
}

PlacedPicture SlidePreparer::Make(const SlideRequest& request) const {
    try {
        return PlaceOnSlide(load_(*request.Photo), request.Width, request.Height, request.Choice);
    } catch (const std::exception& error) {
        PlacedPicture missing;
        missing.Missing = true;
        missing.Error = request.Photo->SourceFileName + ": " + error.what();
        return missing;
    }
}

}  // namespace velvora
