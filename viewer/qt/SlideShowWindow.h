// velvora-viewer's window: plays a published show full screen or in a window, drawing the
// core's frames about 30 times a second, with the keys of the Windows viewer and an
// optional toolbar.
#pragma once

#include <cstdint>
#include <memory>

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>
#include <QTimer>

#include "viewer/core/PixelBuffer.h"
#include "viewer/core/SlidePlayer.h"
#include "viewer/core/SlideScreen.h"
#include "viewer/core/SlideShow.h"
#include "viewer/core/ViewerFeatures.h"
#include "viewer/core/ViewerInput.h"

class QKeyEvent;
class QLabel;

namespace velvora {

class PhotoListWindow;
class SlideCanvas;

class SlideShowWindow : public QMainWindow {
    Q_OBJECT

public:
    // `seed` settles the show's "Random" settings.
    SlideShowWindow(SlideShow show, std::uint32_t seed, QWidget* parent = nullptr);
    ~SlideShowWindow() override;

    // Starts the show and its frame timer.
    void Play();
    // The frame drawn last, in the canvas's size.
    const PixelBuffer& Frame() const { return frame_; }
    const SlidePlayer& Player() const { return screen_.Show(); }
    bool AboutOpen() const { return screen_.AboutOpen(); }
    // The photo list, once it has been opened.
    PhotoListWindow* PhotoList() const { return photoList_.get(); }

public slots:
    // Moves the show on to now and draws its frame; the timer calls it.
    void PlayFrame();
    void NextPhoto();
    void PreviousPhoto();
    void FirstPhoto();
    void LastPhoto();
    void TogglePause();
    void ToggleFullScreen();
    // Plays the about category over the paused show; Escape, a click or its end comes back.
    void ShowAbout();
    void CloseAbout();
    // Pauses the show and opens the list of its photos, when the show allows it; the show
    // goes on when the list closes.
    void ShowPhotos();
    void Run(ViewerCommand command);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createActions();
    void createToolbar();
    void RenderFrame();
    void UpdatePauseText();
    void PhotosClosed();
    void UpdatePosition();
    void UpdatePointer();
    void Wheel(int delta);
    std::int64_t Now() const { return clock_.elapsed(); }

    SlideShow show_;
    ViewerFeatures features_;
    SlideScreen screen_;
    PixelBuffer frame_;
    SlideCanvas* canvas_ = nullptr;
    QTimer timer_;
    QElapsedTimer clock_;
    QAction* previousAction_ = nullptr;
    QAction* pauseAction_ = nullptr;
    QAction* nextAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* photosAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    std::unique_ptr<PhotoListWindow> photoList_;
    QLabel* position_ = nullptr;
    SlideClicks clicks_;
    WheelNotches wheel_;
    PointerIdle pointer_;
    bool resumeAfterPhotos_ = false;
};

// Opens the published file at `path` in a new window, or shows the reason it cannot be
// played through the dialog service and returns nothing.
std::unique_ptr<SlideShowWindow> OpenSlideShowWindow(const QString& path, std::uint32_t seed);

}  // namespace velvora
