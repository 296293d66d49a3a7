// The photo list and the single-photo window.
#include "viewer/qt/PhotoBrowser.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/TextCodec.h"
#include "viewer/core/Compositor.h"
#include "viewer/qt/PhotoCommands.h"
#include "viewer/qt/PixelImage.h"

namespace velvora {
namespace {

// The photo window opens at the photo's own size, up to this share of the screen; the
// list takes this other share.
constexpr int PhotoScreenSharePercent = 85;
constexpr int ListScreenSharePercent = 75;
// Room under each thumbnail for the three lines of a label.
constexpr int LabelLines = 3;

QSize ScreenShare(const QWidget* widget, int percent) {
    const QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    return screen->availableGeometry().size() * percent / 100;
}

}  // namespace

// The photo best fit on black in the widget, never enlarged past its own size.
class PhotoWindow::FittedPicture : public QWidget {
public:
    FittedPicture(PixelBuffer picture, QWidget* parent) : QWidget(parent), picture_(std::move(picture)) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    QSize PictureSize() const { return {picture_.Width, picture_.Height}; }
    const PixelBuffer& Fitted() const { return fitted_; }

protected:
    void resizeEvent(QResizeEvent*) override {
        DisplayChoice fit;
        if (picture_.Width <= width() && picture_.Height <= height()) fit.Size = SizeIndex::ActualSize;
        fitted_ = RenderSlide(picture_, width(), height(), fit);
    }

    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, ImageOf(fitted_)); }

private:
    PixelBuffer picture_;
    PixelBuffer fitted_;
};

PhotoWindow::PhotoWindow(const SlideShow& show, const SlidePhoto& photo, const ViewerFeatures& features,
                         QWidget* parent)
    : QMainWindow(parent, Qt::Window) {
    setWindowTitle(FromStored(PhotoTitle(photo)));
    picture_ = new FittedPicture(show.LoadPicture(photo), this);
    picture_->setContextMenuPolicy(Qt::ActionsContextMenu);
    setCentralWidget(picture_);
    commands_ = AddPhotoActions(picture_, show, features, [&photo] { return &photo; });
    if (!commands_.isEmpty()) menuBar()->addMenu(tr("&Photo"))->addActions(commands_);
    const QSize bound = ScreenShare(this, PhotoScreenSharePercent);
    QSize size = picture_->PictureSize();
    if (size.width() > bound.width() || size.height() > bound.height()) size.scale(bound, Qt::KeepAspectRatio);
    resize(size + QSize(0, commands_.isEmpty() ? 0 : menuBar()->sizeHint().height()));
}

const PixelBuffer& PhotoWindow::Fitted() const { return picture_->Fitted(); }

void PhotoWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QMainWindow::keyPressEvent(event);
}

PhotoListWindow::PhotoListWindow(const SlideShow& show, const ViewerFeatures& features, QWidget* parent)
    : QWidget(parent, Qt::Window), show_(show), features_(features), photos_(AllPhotos(show)) {
    setWindowTitle(tr("Photos - %1").arg(FromStored(show.Title())));
    list_ = new QListWidget(this);
    list_->setViewMode(QListView::IconMode);
    list_->setResizeMode(QListView::Adjust);
    list_->setMovement(QListView::Static);
    list_->setWordWrap(true);
    list_->setIconSize({ListThumbnailSide, ListThumbnailSide});
    const int lineHeight = list_->fontMetrics().height();
    list_->setGridSize({ListThumbnailSide * 2, ListThumbnailSide + LabelLines * lineHeight + lineHeight / 2});
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { OpenPhoto(list_->row(item)); });
    auto* open = new QAction(tr("&Open"), list_);
    connect(open, &QAction::triggered, this, [this] { OpenPhoto(list_->currentRow()); });
    list_->addAction(open);
    AddPhotoActions(list_, show_, features_, [this] { return CurrentPhoto(); });
    list_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    AddItems();
    // Enter opens the first photo straight away.
    list_->setCurrentRow(0);
    resize(ScreenShare(this, ListScreenSharePercent));
}

PhotoListWindow::~PhotoListWindow() = default;

void PhotoListWindow::AddItems() {
    for (const PhotoAddress& address : photos_) {
        const SlidePhoto& photo = PhotoAt(show_, address);
        const PixelBuffer thumbnail = ListThumbnail(show_, photo);
        new QListWidgetItem(QIcon(QPixmap::fromImage(ImageOf(thumbnail).copy())),
                            FromStored(PhotoLabel(photo, features_)), list_);
    }
}

const SlidePhoto* PhotoListWindow::CurrentPhoto() const {
    const int row = list_->currentRow();
    return row >= 0 && row < int(photos_.size()) ? &PhotoAt(show_, photos_[std::size_t(row)]) : nullptr;
}

void PhotoListWindow::OpenPhoto(int row) {
    if (row < 0 || row >= int(photos_.size())) return;
    if (photoWindow_ && photoWindow_->isVisible() && row == openRow_) {
        photoWindow_->raise();
        photoWindow_->activateWindow();
        return;
    }
    photoWindow_.reset();
    openRow_ = row;
    RunShowingErrors([&] {
        photoWindow_ = std::make_unique<PhotoWindow>(show_, PhotoAt(show_, photos_[std::size_t(row)]), features_, this);
        photoWindow_->show();
    });
}

void PhotoListWindow::closeEvent(QCloseEvent* event) {
    photoWindow_.reset();
    openRow_ = -1;
    event->accept();
    emit closed();
}

void PhotoListWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

}  // namespace velvora
