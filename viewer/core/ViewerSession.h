// What a viewer window does with its show, whatever the toolkit: it owns the show and its
// screen, runs the viewer's commands on them, plays each frame, and pauses the show while its
// photo list is open. A front end derives from it and supplies the clock and the native half
// of each step; both viewers thereby behave alike by construction.
#pragma once

#include <cstdint>
#include <string>

#include "viewer/core/SlideScreen.h"
#include "viewer/core/SlideShow.h"
#include "viewer/core/ViewerFeatures.h"
#include "viewer/core/ViewerInput.h"

namespace velvora {

class ViewerSession {
public:
    // `seed` settles the show's "Random" settings.
    ViewerSession(SlideShow show, std::uint32_t seed);
    virtual ~ViewerSession() = default;
    ViewerSession(const ViewerSession&) = delete;
    ViewerSession& operator=(const ViewerSession&) = delete;

    const SlideShow& Slides() const { return show_; }
    const ViewerFeatures& Features() const { return features_; }
    const SlidePlayer& Player() const { return screen_.Show(); }
    bool AboutOpen() const { return screen_.AboutOpen(); }
    // False while the last frame waited for a slide being prepared.
    bool SlidesReady() const { return screen_.SlidesReady(); }

    void Run(ViewerCommand command);
    // Moves the show on to now and draws its frame; the front end's timer calls it.
    void PlayFrame();

protected:
    // Starts the show with its first frame.
    void StartShow();
    // A press and a double-click on the slides, and a turn of the mouse wheel.
    void SlidePressed() { Run(clicks_.Press(AboutOpen(), Now())); }
    void SlideDoubleClicked() { Run(clicks_.DoubleClick()); }
    void Wheel(int delta);
    // The front end's photo list has closed: the show goes on if the list paused it.
    void PhotosClosed();

    SlideScreen& Screen() { return screen_; }
    const SlideScreen& Screen() const { return screen_; }

    // Milliseconds since the window started, from the front end's clock.
    virtual std::int64_t Now() const = 0;
    virtual int DoubleClickMs() const = 0;
    // Renders the screen into the window's slide area and has it painted.
    virtual void RenderFrame() = 0;
    // Labels the pause command by the state of what plays on top.
    virtual void ShowPauseState() = 0;
    virtual void ShowPosition(const std::string& text) = 0;
    // Hides or shows the pointer as the idle rule says.
    virtual void UpdatePointer() = 0;
    // Brings an open photo list forward and returns true; false when none is open.
    virtual bool RaisePhotoList() = 0;
    virtual void OpenPhotoList() = 0;
    virtual void ToggleFullScreen() = 0;
    // Ends the viewer; the window goes.
    virtual void CloseViewer() = 0;

private:
    void Step(void (SlideScreen::*move)(std::int64_t));
    void TogglePause();
    void ShowAbout();
    void CloseAbout();
    void ShowPhotos();

    SlideShow show_;
    ViewerFeatures features_;
    SlideScreen screen_;
    SlideClicks clicks_;
    WheelNotches wheel_;
    bool resumeAfterPhotos_ = false;
};

}  // namespace velvora
