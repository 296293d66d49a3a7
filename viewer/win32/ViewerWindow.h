// keltview's window: plays a published show full screen or in a window, drawing the core's
// frames about 30 times a second, with the show's keys and an optional row of buttons.
// Everything that decides what is on screen is the core's; this class only feeds it the
// clock, the keys and the window size, and puts its frames on the screen.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "viewer/core/PixelBuffer.h"
#include "viewer/core/SlideScreen.h"
#include "viewer/core/SlideShow.h"
#include "viewer/core/ViewerFeatures.h"
#include "viewer/core/ViewerInput.h"
#include "viewer/win32/CaptionPainter.h"
#include "viewer/win32/DibCanvas.h"
#include "viewer/win32/PhotoBrowser.h"
#include "viewer/win32/PlaybackToolbar.h"
#include "viewer/win32/Win32Window.h"

namespace velvora {

class ViewerWindow : public Win32Window {
public:
    // `seed` settles the show's "Random" settings.
    ViewerWindow(SlideShow show, std::uint32_t seed);

    // Creates the window over the whole primary screen, or as a window of 1024 x 768, shows
    // it and starts the show. Throws std::runtime_error when Windows refuses the window.
    void Open(bool fullScreen, int showCommand);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Play();
    void PlayFrame();
    void RenderFrame();
    void NextPhoto();
    void PreviousPhoto();
    void FirstPhoto();
    void LastPhoto();
    void TogglePause();
    void ToggleFullScreen();
    void ShowAbout();
    void CloseAbout();
    void ShowPhotos();
    void PhotosClosed();
    void ShowPauseState() const;
    bool HandleKey(WPARAM key);
    void HandleCommand(PlaybackCommand command);
    void Run(ViewerCommand command);
    void Wheel(int delta);
    void UpdatePosition();
    void UpdatePointer();
    bool OnSlides(LPARAM clientPoint) const;
    void Paint();
    int ToolbarHeight() const { return toolbar_ ? PlaybackToolbar::Height() : 0; }
    // The part of the client area the slides fill: all of it below the toolbar.
    RECT SlideArea() const;
    std::int64_t Now() const;

    SlideShow show_;
    ViewerFeatures features_;
    SlideScreen screen_;
    PixelBuffer frame_;
    DibCanvas canvas_;
    CaptionPainter caption_;
    std::optional<PlaybackToolbar> toolbar_;
    // Declared after the show's members, so it goes first; its window's end calls back here.
    std::unique_ptr<PhotoBrowser> photoBrowser_;
    SlideClicks clicks_;
    WheelNotches wheel_;
    PointerIdle pointer_;
    bool pointerHidden_ = false;
    bool fullScreen_ = false;
    bool resumeAfterPhotos_ = false;
    std::uint64_t startTicks_ = 0;
};

}  // namespace velvora
