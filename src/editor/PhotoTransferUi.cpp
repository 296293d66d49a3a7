// Clipboard and drag data of photos, and the drag and drop filters of the editor.
#include "editor/PhotoTransferUi.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QUrl>
#include <QWidget>

#include "editor/PhotoClipboard.h"
#include "platform/TextCodec.h"

namespace velvora {

namespace {

const QString StagedPhotosMimeType = QStringLiteral("application/x-velvora-staged-photos");
const QString CutPhotosMimeType = QStringLiteral("application/x-velvora-cut-photos");
const QString PhotoMoveMimeType = QStringLiteral("application/x-velvora-photo-move");

QMimeData* MakeData(const QString& type, const std::string& folder) {
    auto* data = new QMimeData;
    data->setData(type, QByteArray::fromStdString(folder));
    return data;
}

std::string FolderIn(const QMimeData* data, const QString& type) {
    return data && data->hasFormat(type) ? data->data(type).toStdString() : std::string();
}

}  // namespace

QMimeData* MakeStagedPhotosData(const std::string& stagingFolder) {
    return MakeData(StagedPhotosMimeType, stagingFolder);
}

std::string StagedPhotosFolderIn(const QMimeData* data) {
    std::string folder = FolderIn(data, StagedPhotosMimeType);
    return HoldsStagedPhotos(folder) ? folder : std::string();
}

QMimeData* MakeCutPhotosData(const std::string& categoryFolder) { return MakeData(CutPhotosMimeType, categoryFolder); }

bool HoldsCutPhotos(const QMimeData* data) { return data && data->hasFormat(CutPhotosMimeType); }

QMimeData* MakePhotoMoveData(const std::string& categoryFolder) { return MakeData(PhotoMoveMimeType, categoryFolder); }

std::string PhotoMoveSourceIn(const QMimeData* data) { return FolderIn(data, PhotoMoveMimeType); }

// The local paths of a file list that `keep` accepts, in list order.
static StringList LocalPathsIn(const QMimeData* data, bool (QFileInfo::*keep)() const) {
    StringList paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty() && (QFileInfo(path).*keep)()) paths.push_back(ToStored(path));
    }
    return paths;
}

StringList LocalFilesIn(const QMimeData* data) { return LocalPathsIn(data, &QFileInfo::isFile); }

StringList LocalFoldersIn(const QMimeData* data) { return LocalPathsIn(data, &QFileInfo::isDir); }

bool HoldsPasteablePhotos(const QMimeData* data) {
    return !StagedPhotosFolderIn(data).empty() || !LocalFilesIn(data).empty();
}

DragStarter::DragStarter(QWidget* widget, std::function<bool(QPoint)> canStart, std::function<void()> start)
    : QObject(widget), canStart_(std::move(canStart)), start_(std::move(start)) {
    widget->installEventFilter(this);
}

bool DragStarter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            armed_ = mouse->button() == Qt::LeftButton && mouse->modifiers() == Qt::NoModifier &&
                     canStart_(mouse->position().toPoint());
            pressedAt_ = mouse->position().toPoint();
            break;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!armed_ || !(mouse->buttons() & Qt::LeftButton)) break;
            if ((mouse->position().toPoint() - pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
                armed_ = false;
                start_();
            }
            return true;
        }
        case QEvent::MouseButtonRelease:
            armed_ = false;
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

DropTarget::DropTarget(QWidget* widget, Test accepts, Handler drop, Qt::DropAction action)
    : QObject(widget), accepts_(std::move(accepts)), drop_(std::move(drop)), action_(action) {
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
}

bool DropTarget::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const auto hover = [this](std::optional<QPoint> position) {
        if (hover_) hover_(position);
    };
    if (type == QEvent::DragLeave) {
        hover(std::nullopt);
        return QObject::eventFilter(watched, event);
    }
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QPoint position = drop->position().toPoint();
    if (!accepts_(drop->mimeData(), position)) {
        hover(std::nullopt);
        drop->ignore();
        return QObject::eventFilter(watched, event);
    }
    drop->setDropAction(action_);
    drop->accept();
    if (type == QEvent::Drop) {
        hover(std::nullopt);
        drop_(drop->mimeData(), position);
    } else {
        hover(position);
    }
    return true;
}

// Fast enough to cross a long list, slow enough to stop at the card wanted.
static constexpr int EdgeScrollIntervalMs = 100;

EdgeScroller::EdgeScroller(QAbstractScrollArea* area, int margin, std::function<void(QPoint)> scrolled)
    : QObject(area), area_(area), margin_(margin), scrolled_(std::move(scrolled)) {
    timer_.setInterval(EdgeScrollIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &EdgeScroller::Step);
}

void EdgeScroller::Hover(std::optional<QPoint> position) {
    if (!position || DirectionAt(*position) == 0) {
        timer_.stop();
        return;
    }
    position_ = *position;
    if (timer_.isActive()) return;
    Step();
    timer_.start();
}

int EdgeScroller::DirectionAt(QPoint position) const {
    const int height = area_->viewport()->height();
    if (position.y() < margin_) return -1;
    if (position.y() >= height - margin_) return 1;
    return 0;
}

void EdgeScroller::Step() {
    QScrollBar* bar = area_->verticalScrollBar();
    const int before = bar->value();
    bar->setValue(before + DirectionAt(position_) * bar->singleStep());
    if (bar->value() != before && scrolled_) scrolled_(position_);
}

}  // namespace velvora
