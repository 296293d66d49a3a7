// keltview's window: plays a published show full screen or in a window, drawing the core's
// frames about 30 times a second, with the show's keys and an optional row of buttons.
// Everything that decides what is on screen is the core's; this class only feeds it the
// clock, the keys and the window size, and puts its frames on the screen.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "viewer/core/PixelBuffer.h"
#include "viewer/core/SlideShow.h"
#include "viewer/core/ViewerInput.h"
#include "viewer/core/ViewerSession.h"
#include "viewer/win32/CaptionPainter.h"
#include "viewer/win32/DibCanvas.h"
#include "viewer/win32/PhotoBrowser.h"
#include "viewer/win32/PlaybackToolbar.h"
#include "viewer/win32/Win32Window.h"

namespace velvora {

class ViewerWindow : public Win32Window, public ViewerSession {
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
    std::int64_t Now() const override;
    int DoubleClickMs() const override;
    void RenderFrame() override;
    void ShowPauseState() override;
    void ShowPosition(const std::string& text) override;
    void UpdatePointer() override;
    bool RaisePhotoList() override;
    void OpenPhotoList() override;
    void ToggleFullScreen() override;
    void CloseViewer() override;
    bool HandleKey(WPARAM key);
    void HandleCommand(PlaybackCommand command);
    bool OnSlides(LPARAM clientPoint) const;
    void Paint();
    int ToolbarHeight() const { return toolbar_ ? PlaybackToolbar::Height() : 0; }
    // The part of the client area the slides fill: all of it below the toolbar.
    RECT SlideArea() const;

    PixelBuffer frame_;
    DibCanvas canvas_;
    CaptionPainter caption_;
    std::optional<PlaybackToolbar> toolbar_;
    // Goes before the show, which the base holds; its window's end calls back here.
    std::unique_ptr<PhotoBrowser> photoBrowser_;
    PointerIdle pointer_;
    bool pointerHidden_ = false;
    bool fullScreen_ = false;
    std::uint64_t startTicks_ = 0;
};

}  // namespace velvora
