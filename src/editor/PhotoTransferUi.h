// What photos look like on the clipboard and in a drag, and the two small event filters
// through which the editor starts photo drags and takes drops.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QObject>
#include <QPoint>

#include "app/Global.h"

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

}  // namespace velvora
