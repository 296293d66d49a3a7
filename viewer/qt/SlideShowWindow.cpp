// The Qt front end of the slide-show core.
#include "viewer/qt/SlideShowWindow.h"

#include <cstdlib>
#include <exception>
#include <functional>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
#include <QToolBar>
#include <QWheelEvent>
#include <QWidget>

#include "platform/Dialogs.h"
#include "platform/TextCodec.h"
#include "viewer/core/Compositor.h"
#include "viewer/core/SlideLayout.h"
#include "viewer/qt/PhotoBrowser.h"
#include "viewer/qt/PixelImage.h"

namespace velvora {

// Frames at about 30 per second.
constexpr int FrameIntervalMs = 33;

namespace {

QRect ToQRect(PixelRect rect) { return {rect.X, rect.Y, rect.Width, rect.Height}; }

QFont CaptionFont(PixelRect slide) {
    QFont font;
    font.setPixelSize(CaptionFontHeight(slide));
    return font;
}

constexpr int CaptionFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

ViewerKey KeyOf(int key) {
    switch (key) {
        case Qt::Key_Space:
            return ViewerKey::Space;
        case Qt::Key_Right:
            return ViewerKey::Right;
        case Qt::Key_PageDown:
            return ViewerKey::PageDown;
        case Qt::Key_Left:
            return ViewerKey::Left;
        case Qt::Key_PageUp:
            return ViewerKey::PageUp;
        case Qt::Key_Home:
            return ViewerKey::Home;
        case Qt::Key_End:
            return ViewerKey::End;
        case Qt::Key_P:
            return ViewerKey::P;
        case Qt::Key_Pause:
            return ViewerKey::Pause;
        case Qt::Key_F1:
            return ViewerKey::F1;
        case Qt::Key_F11:
            return ViewerKey::F11;
        case Qt::Key_Escape:
            return ViewerKey::Escape;
        default:
            return ViewerKey::Other;
    }
}

}  // namespace

// Shows the window's latest frame, with the caption of its photo written on the band the
// frame has darkened for it; its size is the size frames are drawn at.
class SlideCanvas : public QWidget {
public:
    SlideCanvas(PixelBuffer& frame, QWidget* parent) : QWidget(parent), frame_(frame) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
    }

    // Darkens the caption's band on the frame and keeps the text to write on it.
    void SetCaption(const std::string& caption, PixelRect slide) {
        captionText_ = FromStored(caption);
        if (captionText_.isEmpty()) return;
        font_ = CaptionFont(slide);
        const int wrapWidth = CaptionWrapWidth(slide);
        const int height =
            QFontMetrics(font_).boundingRect(QRect(0, 0, wrapWidth, 1 << 20), CaptionFlags, captionText_).height();
        const CaptionLayout layout = PlaceCaption(slide, height);
        Darken(layout.Band, CaptionBandKeepPercent, frame_);
        captionArea_ = ToQRect(layout.Text);
    }

    std::function<void()> pressed;
    std::function<void()> doubleClicked;
    std::function<void(int)> wheeled;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (frame_.Empty()) {
            painter.fillRect(rect(), Qt::black);
            return;
        }
        painter.drawImage(0, 0, ImageOf(frame_));
        if (captionText_.isEmpty()) return;
        painter.setFont(font_);
        painter.setPen(Qt::white);
        painter.drawText(captionArea_, CaptionFlags, captionText_);
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && pressed) pressed();
        event->accept();
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && doubleClicked) doubleClicked();
        event->accept();
    }

    void wheelEvent(QWheelEvent* event) override {
        if (wheeled) wheeled(event->angleDelta().y());
        event->accept();
    }

private:
    PixelBuffer& frame_;
    QString captionText_;
    QFont font_;
    QRect captionArea_;
};

SlideShowWindow::SlideShowWindow(SlideShow show, std::uint32_t seed, QWidget* parent)
    : QMainWindow(parent), ViewerSession(std::move(show), seed) {
    setWindowTitle(FromStored(Slides().Title()));
    canvas_ = new SlideCanvas(frame_, this);
    canvas_->pressed = [this] { SlidePressed(); };
    canvas_->doubleClicked = [this] { SlideDoubleClicked(); };
    canvas_->wheeled = [this](int delta) { Wheel(delta); };
    setCentralWidget(canvas_);
    createActions();
    if (Features().Toolbar) createToolbar();
    timer_.setInterval(FrameIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { PlayFrame(); });
}

SlideShowWindow::~SlideShowWindow() = default;

void SlideShowWindow::createActions() {
    previousAction_ = new QAction(QIcon::fromTheme("go-previous"), tr("Previous"), this);
    previousAction_->setStatusTip(tr("Show the previous photo"));
    connect(previousAction_, &QAction::triggered, this, [this] { Run(ViewerCommand::Previous); });
    pauseAction_ = new QAction(QIcon::fromTheme("media-playback-pause"), tr("Pause"), this);
    pauseAction_->setStatusTip(tr("Pause or resume the show"));
    connect(pauseAction_, &QAction::triggered, this, [this] { Run(ViewerCommand::TogglePause); });
    nextAction_ = new QAction(QIcon::fromTheme("go-next"), tr("Next"), this);
    nextAction_->setStatusTip(tr("Show the next photo"));
    connect(nextAction_, &QAction::triggered, this, [this] { Run(ViewerCommand::Next); });
    aboutAction_ = new QAction(QIcon::fromTheme("help-about"), tr("About"), this);
    aboutAction_->setStatusTip(tr("Show what this slide show is about"));
    connect(aboutAction_, &QAction::triggered, this, [this] { Run(ViewerCommand::ShowAbout); });
    photosAction_ = new QAction(QIcon::fromTheme("view-list-icons"), tr("Photos"), this);
    photosAction_->setStatusTip(tr("List the photos of the show"));
    connect(photosAction_, &QAction::triggered, this, [this] { Run(ViewerCommand::ShowPhotos); });
    quitAction_ = new QAction(QIcon::fromTheme("application-exit"), tr("Quit"), this);
    quitAction_->setStatusTip(tr("Close the show"));
    connect(quitAction_, &QAction::triggered, this, &QWidget::close);
}

void SlideShowWindow::createToolbar() {
    QToolBar* toolbar = addToolBar(tr("Playback"));
    toolbar->setMovable(false);
    toolbar->setFocusPolicy(Qt::NoFocus);
    if (Features().PlaybackButtons) toolbar->addActions({previousAction_, pauseAction_, nextAction_});
    if (Features().About) toolbar->addAction(aboutAction_);
    if (Features().PhotoBrowser) toolbar->addAction(photosAction_);
    toolbar->addAction(quitAction_);
    toolbar->addSeparator();
    position_ = new QLabel(toolbar);
    position_->setContentsMargins(6, 0, 6, 0);
    toolbar->addWidget(position_);
}

void SlideShowWindow::Play() {
    clock_.start();
    canvas_->setFocus();
    StartShow();
    timer_.start();
}

void SlideShowWindow::CloseViewer() {
    timer_.stop();
    close();
}

void SlideShowWindow::ShowPosition(const std::string& text) {
    if (position_ && position_->text() != QString::fromStdString(text))
        position_->setText(QString::fromStdString(text));
}

int SlideShowWindow::DoubleClickMs() const { return QGuiApplication::styleHints()->mouseDoubleClickInterval(); }

void SlideShowWindow::UpdatePointer() {
    const QPoint at = QCursor::pos();
    pointer_.Observe(at.x(), at.y(), Now());
    const bool hidden = pointer_.Hidden(isFullScreen(), Now());
    if (hidden == (cursor().shape() == Qt::BlankCursor)) return;
    if (hidden)
        setCursor(Qt::BlankCursor);
    else
        unsetCursor();
}

void SlideShowWindow::RenderFrame() {
    Screen().Render(canvas_->width(), canvas_->height(), frame_);
    canvas_->SetCaption(Screen().Caption(), Screen().CaptionSlide());
    canvas_->update();
}

// The canvas's new size reaches the next frame, which is drawn for it.
void SlideShowWindow::ToggleFullScreen() {
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

bool SlideShowWindow::RaisePhotoList() {
    if (!photoList_ || !photoList_->isVisible()) return false;
    photoList_->raise();
    photoList_->activateWindow();
    return true;
}

void SlideShowWindow::OpenPhotoList() {
    if (!photoList_) {
        photoList_ = std::make_unique<PhotoListWindow>(Slides(), Features(), this);
        connect(photoList_.get(), &PhotoListWindow::closed, this, [this] {
            PhotosClosed();
            activateWindow();
            canvas_->setFocus();
        });
    }
    photoList_->show();
    photoList_->activateWindow();
}

void SlideShowWindow::ShowPauseState() {
    pauseAction_->setText(Screen().State() == PlayState::Paused ? tr("Resume") : tr("Pause"));
}

void SlideShowWindow::keyPressEvent(QKeyEvent* event) {
    const ViewerCommand command = CommandForKey(KeyOf(event->key()), Features().PhotoBrowser, AboutOpen());
    if (command == ViewerCommand::None) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    Run(command);
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
