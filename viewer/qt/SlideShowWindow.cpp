// The Qt front end of the slide-show core.
#include "viewer/qt/SlideShowWindow.h"

#include <exception>

#include <QAction>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QToolBar>
#include <QWidget>

#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

namespace velvora {

// Frames at about 30 per second.
constexpr int FrameIntervalMs = 33;

// Shows the window's latest frame; its size is the size frames are drawn at.
class SlideCanvas : public QWidget {
public:
    SlideCanvas(const PixelBuffer& frame, QWidget* parent) : QWidget(parent), frame_(frame) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (frame_.Empty()) {
            painter.fillRect(rect(), Qt::black);
            return;
        }
        // The frame's B, G, R, A bytes are Format_RGB32's own layout: shown without a copy.
        const QImage image(reinterpret_cast<const uchar*>(frame_.Pixels.data()), frame_.Width, frame_.Height,
                           qsizetype(frame_.Width) * 4, QImage::Format_RGB32);
        painter.drawImage(0, 0, image);
    }

private:
    const PixelBuffer& frame_;
};

SlideShowWindow::SlideShowWindow(SlideShow show, std::uint32_t seed, QWidget* parent)
    : QMainWindow(parent), show_(std::move(show)), player_(show_, seed), renderer_(show_) {
    setWindowTitle(FromStored(show_.Title()));
    canvas_ = new SlideCanvas(frame_, this);
    setCentralWidget(canvas_);
    createActions();
    if (show_.Option("ViewerShowToolbar")) createToolbar();
    timer_.setInterval(FrameIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &SlideShowWindow::PlayFrame);
}

SlideShowWindow::~SlideShowWindow() = default;

void SlideShowWindow::createActions() {
    previousAction_ = new QAction(QIcon::fromTheme("go-previous"), tr("Previous"), this);
    previousAction_->setStatusTip(tr("Show the previous photo"));
    connect(previousAction_, &QAction::triggered, this, &SlideShowWindow::PreviousPhoto);
    pauseAction_ = new QAction(QIcon::fromTheme("media-playback-pause"), tr("Pause"), this);
    pauseAction_->setStatusTip(tr("Pause or resume the show"));
    connect(pauseAction_, &QAction::triggered, this, &SlideShowWindow::TogglePause);
    nextAction_ = new QAction(QIcon::fromTheme("go-next"), tr("Next"), this);
    nextAction_->setStatusTip(tr("Show the next photo"));
    connect(nextAction_, &QAction::triggered, this, &SlideShowWindow::NextPhoto);
    quitAction_ = new QAction(QIcon::fromTheme("application-exit"), tr("Quit"), this);
    quitAction_->setStatusTip(tr("Close the show"));
    connect(quitAction_, &QAction::triggered, this, &QWidget::close);
}

void SlideShowWindow::createToolbar() {
    QToolBar* toolbar = addToolBar(tr("Playback"));
    toolbar->setMovable(false);
    toolbar->setFocusPolicy(Qt::NoFocus);
    toolbar->addActions({previousAction_, pauseAction_, nextAction_, quitAction_});
}

void SlideShowWindow::Play() {
    clock_.start();
    player_.Start(Now());
    canvas_->setFocus();
    PlayFrame();
    timer_.start();
}

void SlideShowWindow::PlayFrame() {
    player_.Tick(Now());
    if (player_.ExitRequested()) {
        timer_.stop();
        close();
        return;
    }
    renderer_.Render(player_, canvas_->width(), canvas_->height(), frame_);
    canvas_->update();
}

void SlideShowWindow::NextPhoto() {
    player_.Next(Now());
    PlayFrame();
}

void SlideShowWindow::PreviousPhoto() {
    player_.Previous(Now());
    PlayFrame();
}

void SlideShowWindow::TogglePause() {
    player_.TogglePause(Now());
    pauseAction_->setText(player_.State() == PlayState::Paused ? tr("Resume") : tr("Pause"));
}

void SlideShowWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Right:
        case Qt::Key_PageDown:
            NextPhoto();
            break;
        case Qt::Key_Left:
        case Qt::Key_PageUp:
            PreviousPhoto();
            break;
        case Qt::Key_P:
            TogglePause();
            break;
        case Qt::Key_Escape:
            close();
            break;
        default:
            QMainWindow::keyPressEvent(event);
            return;
    }
    event->accept();
}

std::unique_ptr<SlideShowWindow> OpenSlideShowWindow(const QString& path, std::uint32_t seed) {
    try {
        return std::make_unique<SlideShowWindow>(SlideShow::Open(QFile::encodeName(path).toStdString()), seed);
    } catch (const std::exception& error) {
        Dialogs().ShowWarning(
            QObject::tr("The slide show \"%1\" cannot be played.\r\n%2").arg(path, QString::fromUtf8(error.what())));
        return nullptr;
    }
}

}  // namespace velvora
