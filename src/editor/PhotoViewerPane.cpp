#include "editor/PhotoViewerPane.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>

#include "editor/PhotoViewing.h"

namespace velvora {

namespace {

QToolButton* BarButton(const char* name, const QString& caption, const QString& hint, QStyle::StandardPixmap icon,
                       QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(hint);
    button->setIcon(QApplication::style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

TPhotoViewerPane::TPhotoViewerPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlViewPhoto"));
    setAutoFillBackground(true);
    imgViewPhoto = new QLabel(this);
    imgViewPhoto->setObjectName(QStringLiteral("imgViewPhoto"));
    imgViewPhoto->setScaledContents(true);
    imgViewPhoto->installEventFilter(this);
    imgViewPhoto->hide();
    auto* bar = new QWidget(this);
    bar->setFixedHeight(ViewerBarHeight);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 0, 4, 0);
    btnPhotoPrevious =
        BarButton("btnPhotoPrevious", tr("Previous  "), tr("View previous photo."), QStyle::SP_ArrowBack, bar);
    btnPhotoNext = BarButton("btnPhotoNext", tr("Next  "), tr("View next photo."), QStyle::SP_ArrowForward, bar);
    row->addWidget(btnPhotoPrevious);
    row->addWidget(btnPhotoNext);
    row->addStretch();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addStretch();
    column->addWidget(bar);
    connect(btnPhotoPrevious, &QToolButton::clicked, this, &TPhotoViewerPane::PreviousClicked);
    connect(btnPhotoNext, &QToolButton::clicked, this, &TPhotoViewerPane::NextClicked);
}

void TPhotoViewerPane::ShowPicture(const QImage& picture) {
    picture_ = picture;
    imgViewPhoto->setPixmap(QPixmap::fromImage(picture_));
    Fit();
    imgViewPhoto->setVisible(!picture_.isNull());
}

void TPhotoViewerPane::HidePicture() {
    imgViewPhoto->hide();
    imgViewPhoto->clear();
    picture_ = QImage();
}

void TPhotoViewerPane::SetBackground(const QColor& color) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
}

QRect TPhotoViewerPane::PictureRect() const { return imgViewPhoto->isVisible() ? imgViewPhoto->geometry() : QRect(); }

void TPhotoViewerPane::Fit() {
    PictureBounds bounds;
    if (!FitPicture(width(), height(), ViewerBarHeight, picture_.width(), picture_.height(), bounds)) return;
    imgViewPhoto->setGeometry(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
}

void TPhotoViewerPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Fit();
}

void TPhotoViewerPane::mouseDoubleClickEvent(QMouseEvent*) { emit DoubleClicked(false); }

bool TPhotoViewerPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == imgViewPhoto && event->type() == QEvent::MouseButtonDblClick) {
        emit DoubleClicked(true);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace velvora
