// Decoding and placing the photos a show is about to need, on a worker thread, so that the
// frame that starts a transition only has to compose. Decoding a camera photo takes a good
// part of a second; a frame has a thirtieth.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "viewer/core/PixelBuffer.h"
#include "viewer/core/SlideSettings.h"
#include "viewer/core/SlideShow.h"

namespace velvora {

// One slide as a frame will need it: a play list entry's photo under a display choice, on a
// slide of Width x Height.
struct SlideRequest {
    int Index = -1;
    const SlidePhoto* Photo = nullptr;
    DisplayChoice Choice;
    int Width = 0;
    int Height = 0;
    bool operator==(const SlideRequest&) const = default;
};

// A photo's picture scaled into its place on a slide and cut to the slide: all a slide needs
// besides its background. The full-size picture it came from is gone.
struct PlacedPicture {
    PixelRect Place;     // where Pixels go on the slide; empty when nothing shows
    PixelBuffer Pixels;  // the visible part of the scaled picture
    bool Missing = false;  // the picture could not be decoded; Error says why
    std::string Error;
};

// `picture` scaled into its place under `choice` on a width x height slide, only as far as
// the slide shows it: drawing Pixels at Place gives the pixels DrawPlaced gives.
PlacedPicture PlaceOnSlide(const PixelBuffer& picture, int width, int height, const DisplayChoice& choice);

class SlidePreparer {
public:
    // Decodes a photo's picture, turned for showing; throws when it cannot.
    using PictureLoader = std::function<PixelBuffer(const SlidePhoto&)>;

    explicit SlidePreparer(PictureLoader load) : load_(std::move(load)) {}
    // Waits for the picture in hand, if any, and stops the worker.
    ~SlidePreparer();
    SlidePreparer(const SlidePreparer&) = delete;
    SlidePreparer& operator=(const SlidePreparer&) = delete;

    // The slides wanted now, the most urgent first. Finished pictures of anything else are
    // dropped, and so is a picture in hand once it is done; nothing waits on it.
    void Want(std::vector<SlideRequest> requests);
    // The finished picture for `request`, handed over; none while it is still being made.
    std::optional<PlacedPicture> Take(const SlideRequest& request);
    // Finished pictures held, and the one in hand.
    int HeldCount() const;

private:
    struct Finished {
        SlideRequest Request;
        PlacedPicture Picture;
    };

    void Work();
    bool IsWanted(const SlideRequest& request) const;
    std::optional<SlideRequest> NextToMake() const;
    PlacedPicture Make(const SlideRequest& request) const;

    PictureLoader load_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<SlideRequest> wanted_;
    std::vector<Finished> finished_;
    std::optional<SlideRequest> inHand_;
    bool stopping_ = false;
    // Started with the first request, so that a show nobody plays costs no thread.
    std::thread worker_;
};

}  // namespace velvora
