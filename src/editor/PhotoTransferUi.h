// What photos look like on the clipboard and in a drag, the two small event filters
// through which the editor starts photo drags and takes drops, and the scrolling of a list
// while a drag hovers near its edges.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QObject>
#include <QPoint>
#include <QTimer>

#include "base/Global.h"

class QAbstractScrollArea;
class QMimeData;
class QWidget;

namespace velvora {

// Clipboard data naming the folder of staged photos.
QMimeData* MakeStagedPhotosData(const std::string& stagingFolder);
// The staged photos folder named by `data`, when it still holds staged photos; else empty.
std::string StagedPhotosFolderIn(const QMimeData* data);

// Clipboard data standing for photos marked by Cut in the category whose folder is
// `categoryFolder`; the mark itself is the editor's. Another clipboard owner ends the cut.
QMimeData* MakeCutPhotosData(const std::string& categoryFolder);
bool HoldsCutPhotos(const QMimeData* data);

// Drag data of the photos selected in the category whose folder is `categoryFolder`.
QMimeData* MakePhotoMoveData(const std::string& categoryFolder);
// The category folder a photo drag comes from; empty for any other data.
std::string PhotoMoveSourceIn(const QMimeData* data);

// The local files of a file list (copied or dragged from a file manager), folders left out.
StringList LocalFilesIn(const QMimeData* data);
// The local folders of such a list, files left out.
StringList LocalFoldersIn(const QMimeData* data);

// True when a paste of `data` can add photos: staged photos or local files.
bool HoldsPasteablePhotos(const QMimeData* data);

// Starts a drag from the widget it filters once the left button, pressed where `canStart`
// allows, has moved the platform's drag distance. Mouse moves of such a press are kept
// from the widget, so that a list does not turn them into a new selection.
class DragStarter : public QObject {
public:
    DragStarter(QWidget* widget, std::function<bool(QPoint)> canStart, std::function<void()> start);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(QPoint)> canStart_;
    std::function<void()> start_;
    QPoint pressedAt_;
    bool armed_ = false;
};

// Takes drops on the widget it filters: `accepts` tells, for the data and the position,
// whether a drop there would do something; `drop` receives the accepted drops. Drops are
// taken with `action`; a copy, the default, keeps a file manager from removing its files.
// Drags it does not accept, and every drag leaving, go on to the widget's other filters,
// so several targets can share one widget, each taking its own kind of data.
class DropTarget : public QObject {
public:
    using Test = std::function<bool(const QMimeData*, QPoint)>;
    using Handler = std::function<void(const QMimeData*, QPoint)>;
    // Told where an accepted drop would land while the drag moves, and nullopt once the
    // drag leaves, is dropped or moves where no drop is taken.
    using HoverHandler = std::function<void(std::optional<QPoint>)>;
    DropTarget(QWidget* widget, Test accepts, Handler drop, Qt::DropAction action = Qt::CopyAction);

    void SetHoverHandler(HoverHandler hover) { hover_ = std::move(hover); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Test accepts_;
    Handler drop_;
    HoverHandler hover_;
    Qt::DropAction action_;
};

// Scrolls `area` vertically while a drag hovers within `margin` pixels of its top or bottom
// edge: one step at once, then one more every tick while the drag stays there, each time
// followed by `scrolled` so that a drop point shown can follow the content.
class EdgeScroller : public QObject {
public:
    EdgeScroller(QAbstractScrollArea* area, int margin, std::function<void(QPoint)> scrolled);

    // Where the drag hovers over the area's viewport; nullopt once it is gone.
    void Hover(std::optional<QPoint> position);

private:
    // -1 up, +1 down, 0 away from the edges.
    int DirectionAt(QPoint position) const;
    void Step();

    QAbstractScrollArea* area_;
    int margin_;
    std::function<void(QPoint)> scrolled_;
    QTimer timer_;
    QPoint position_;
};

}  // namespace velvora
