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
#include "viewer/core/SlideShow.h"
#include "viewer/core/ViewerInput.h"
#include "viewer/core/ViewerSession.h"

class QKeyEvent;
class QLabel;

namespace velvora {

class PhotoListWindow;
class SlideCanvas;

class SlideShowWindow : public QMainWindow, public ViewerSession {
    Q_OBJECT

public:
    // `seed` settles the show's "Random" settings.
    SlideShowWindow(SlideShow show, std::uint32_t seed, QWidget* parent = nullptr);
    ~SlideShowWindow() override;

    // Starts the show and its frame timer.
    void Play();
    // The frame drawn last, in the canvas's size.
    const PixelBuffer& Frame() const { return frame_; }
    // The photo list, once it has been opened.
    PhotoListWindow* PhotoList() const { return photoList_.get(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createActions();
    void createToolbar();
    std::int64_t Now() const override { return clock_.elapsed(); }
    int DoubleClickMs() const override;
    void RenderFrame() override;
    void ShowPauseState() override;
    void ShowPosition(const std::string& text) override;
    void UpdatePointer() override;
    bool RaisePhotoList() override;
    void OpenPhotoList() override;
    void ToggleFullScreen() override;
    void CloseViewer() override;

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
    PointerIdle pointer_;
};

// Opens the published file at `path` in a new window, or shows the reason it cannot be
// played through the dialog service and returns nothing.
std::unique_ptr<SlideShowWindow> OpenSlideShowWindow(const QString& path, std::uint32_t seed);

}  // namespace velvora
