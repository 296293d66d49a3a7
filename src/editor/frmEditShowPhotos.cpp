// The editor frame's photo list commands: adding, ordering and deleting photos, and moving
// them through the clipboard or by dragging them onto a category.
#include "editor/frmEditShow.h"

#include <utility>

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QStyle>
#include <QTimer>
#include <QTreeView>

#include "app/frmMain.h"
#include "editor/CategoryTreeModel.h"
#include "editor/PhotoAdding.h"
#include "editor/PhotoClipboard.h"
#include "editor/PhotoDeletion.h"
#include "editor/PhotoListEditing.h"
#include "editor/PhotoTransferUi.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

namespace velvora {

namespace {

// One warning for a batch: what went wrong, then every file or photo it concerns.
void ReportSkipped(const QString& intro, const StringList& names) {
    if (names.empty()) return;
    QString text = intro + QStringLiteral("\r\n");
    for (const std::string& name : names) text += QStringLiteral("\r\n") + FromStored(name);
    Dialogs().ShowWarning(text);
}

void ReportSkippedFiles(const StringList& files) {
    ReportSkipped(QStringLiteral("These files could not be added as photos. They may be damaged, or not JPEG, "
                                 "bitmap, PNG, GIF, TIFF, WebP or HEIF pictures:"),
                  files);
}

// Keeps the main window disabled and the adding flag set while a batch runs, so that
// nothing starts a second one from the messages it processes; exceptions included.
class AddingScope {
public:
    AddingScope(QWidget& main, bool& adding) : main_(main), adding_(adding) {
        adding_ = true;
        main_.setEnabled(false);
    }
    ~AddingScope() {
        main_.setEnabled(true);
        adding_ = false;
    }
    AddingScope(const AddingScope&) = delete;
    AddingScope& operator=(const AddingScope&) = delete;

private:
    QWidget& main_;
    bool& adding_;
};

}  // namespace

// The panel is written first: a name or caption still being typed would otherwise wait
// for its field to lose the focus, which the hidden list cannot take while the viewer
// pane is shown. From here until the next selection change no photo is bound to the panel.
void TFrameEditShow::UnbindPhotoForEditing() {
    SavePhotoProperties();
    if (PhotoViewerVisible())
        lbxCategories->setFocus();
    else
        lbxPhotos->setFocus();
    document_.CurrentPhotoIndex = -1;
    lbxPhotosClick();
    document_.CurrentPhotoIndex = -1;
}

void TFrameEditShow::btnAddPhotoClick() {
    if (document_.AddingPhotos) return;
    document_.AddingPhotos = true;
    StringList files;
    for (const QString& file : main_.PickPictures(tr("Add Photos"))) files.push_back(ToStored(file));
    document_.AddingPhotos = false;
    AddPhotos(std::move(files));
}

// Chosen, pasted or dropped image files, as one Add Photos batch.
void TFrameEditShow::AddPhotos(StringList files) {
    if (files.empty() || document_.AddingPhotos) return;
    PhotoBatchResult result;
    {
        AddingScope adding(main_, document_.AddingPhotos);
        result = AddPhotoBatch(document_, std::move(files));
    }
    ShowAddedPhotos(result.CurrentIndex);
    ReportSkippedFiles(result.SkippedFiles);
}

// After a batch appended selected photos: its first photo, if any, becomes current.
void TFrameEditShow::ShowAddedPhotos(int current) {
    ReloadPhotoList();
    if (current < 0) return;
    document_.Photos().SetCurrentIndex(current);
    ReloadPhotoList();
    lbxPhotosClick();
}

void TFrameEditShow::btnUpClick() {
    UnbindPhotoForEditing();
    MoveSelectedPhotosUp(document_.Photos());
    ReloadPhotoList();
}

void TFrameEditShow::btnDownClick() {
    UnbindPhotoForEditing();
    MoveSelectedPhotosDown(document_.Photos());
    ReloadPhotoList();
}

void TFrameEditShow::btnDeletePhotoClick() {
    PhotoList& photos = document_.Photos();
    if (photos.SelectedCount() == 0) return;
    bool ask = main_.PhotoDeleteAsk();
    const bool confirmed = ConfirmDeletePhotos(ask);
    main_.SetPhotoDeleteAsk(ask);
    if (!confirmed) return;
    ShowRemainingPhotos(DeleteSelectedPhotos(photos, document_.CategoryFolder, FolderList));
}

// After photos left the list, whatever took them: `keep` becomes the current and selected
// photo. The panel may still show a photo that is gone, so it is unbound first: it must be
// written neither to another photo nor to one added later in the gone one's place.
void TFrameEditShow::ShowRemainingPhotos(int keep) {
    PhotoList& photos = document_.Photos();
    document_.CurrentPhotoIndex = -1;
    ForgetRemovedPhotos(cutPhotos_, document_);
    if (keep >= 0) {
        photos.SetCurrentIndex(keep);
        photos.Select(keep);
    }
    ReloadPhotoList();
    lbxPhotosClick();
}

// Cut only marks the photos, as a file manager does: they stay where they are until Paste
// moves them, so that a later Cut or Copy, or closing the show, cannot lose them.
void TFrameEditShow::btnPhotoCutClick() {
    if (document_.AddingPhotos || document_.Photos().SelectedCount() == 0) return;
    SavePhotoProperties();
    cutPhotos_ = MarkSelectedPhotos(document_);
    QGuiApplication::clipboard()->setMimeData(MakeCutPhotosData(document_.CategoryFolder));
    lbxPhotos->viewport()->update();
}

// The staged copies, not the photos, go on the clipboard, so that they paste as they were
// even after the photos change or go.
void TFrameEditShow::btnPhotoCopyClick() {
    if (document_.AddingPhotos) return;
    SavePhotoProperties();
    DropCutMark();
    if (StageSelectedPhotos(document_, PhotoClipboardFolder()) > 0)
        QGuiApplication::clipboard()->setMimeData(MakeStagedPhotosData(PhotoClipboardFolder()));
}

// Photos cut or copied here, or image files copied in a file manager.
void TFrameEditShow::btnPhotoPasteClick() {
    if (document_.CategoryFolder.empty() || document_.AddingPhotos) return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (HoldsCutPhotos(data)) {
        PasteCutPhotos();
        return;
    }
    const std::string staged = StagedPhotosFolderIn(data);
    if (staged.empty())
        AddPhotos(LocalFilesIn(data));
    else
        PasteStaged(staged);
}

void TFrameEditShow::PasteStaged(const std::string& stagingFolder) {
    PhotoTransferResult result;
    {
        AddingScope adding(main_, document_.AddingPhotos);
        result = PasteStagedPhotos(document_, stagingFolder);
    }
    ShowAddedPhotos(result.CurrentIndex);
    ReportSkipped(QStringLiteral("These photos could not be pasted. Their copies on the clipboard are missing or "
                                 "damaged:"),
                  result.SkippedPhotos);
}

// A cut pastes once, as a file manager's does; into the photos' own category it moves
// nothing and only ends the cut.
void TFrameEditShow::PasteCutPhotos() {
    const PhotoCutMark cut = cutPhotos_;
    DropCutMark();
    PhotoTransferResult result;
    {
        AddingScope adding(main_, document_.AddingPhotos);
        result = MoveMarkedPhotos(document_, cut);
    }
    ShowAddedPhotos(result.CurrentIndex);
    ReportSkipped(QStringLiteral("These photos could not be moved and stay in the category they were cut from:"),
                  result.SkippedPhotos);
}

// Ends a cut: the marked photos stay, drawn as usual, and the clipboard no longer offers them.
void TFrameEditShow::DropCutMark() {
    if (cutPhotos_.Empty()) return;
    cutPhotos_ = {};
    lbxPhotos->viewport()->update();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (HoldsCutPhotos(clipboard->mimeData())) clipboard->clear();
}

// Anything else put on the clipboard, here or by another program, ends a cut.
void TFrameEditShow::ClipboardChanged() {
    if (!HoldsCutPhotos(QGuiApplication::clipboard()->mimeData())) DropCutMark();
    UpdatePasteCommand();
}

void TFrameEditShow::UpdatePasteCommand() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    photoPaste_.SetEnabled(!document_.CategoryFolder.empty() &&
                           (HoldsPasteablePhotos(data) || (HoldsCutPhotos(data) && !cutPhotos_.Empty())));
}

// The drag icon, and a press on a selected card, drag the selection to a category of the
// tree; image files dragged from a file manager drop onto the photo list.
void TFrameEditShow::CreatePhotoDragAndDrop() {
    new DragStarter(
        findChild<QLabel*>(QStringLiteral("imgDragPhotos")), [](QPoint) { return true; }, [this] { StartPhotoDrag(); });
    new DragStarter(
        lbxPhotos->viewport(),
        [this](QPoint position) {
            const QModelIndex index = lbxPhotos->indexAt(position);
            return index.isValid() && document_.Photos().IsSelected(index.row());
        },
        [this] { StartPhotoDrag(); });
    auto* tree = new DropTarget(
        lbxCategories->viewport(),
        [this](const QMimeData* data, QPoint position) { return !DropTargetFolder(data, position).empty(); },
        [this](const QMimeData* data, QPoint position) {
            // Moving may open the progress window and show messages: not inside the drag.
            QTimer::singleShot(0, this,
                               [this, source = PhotoMoveSourceIn(data), target = DropTargetFolder(data, position)] {
                                   MovePhotosToCategory(source, target);
                               });
        },
        Qt::MoveAction);
    tree->SetHoverHandler([this](std::optional<QPoint> position) {
        categoryModel_->SetDropTarget(position ? CategoryTreeModel::NodeOf(lbxCategories->indexAt(*position))
                                               : nullptr);
    });
    new DropTarget(
        lbxPhotos->viewport(),
        [this](const QMimeData* data, QPoint) {
            return !document_.CategoryFolder.empty() && !LocalFilesIn(data).empty();
        },
        [this](const QMimeData* data, QPoint) {
            QTimer::singleShot(0, this, [this, files = LocalFilesIn(data)] { AddPhotos(files); });
        });
}

void TFrameEditShow::StartPhotoDrag() {
    if (document_.Photos().SelectedCount() == 0 || document_.AddingPhotos) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(MakePhotoMoveData(document_.CategoryFolder));
    drag->setPixmap(QApplication::style()->standardIcon(QStyle::SP_FileIcon).pixmap(32, 32));
    drag->exec(Qt::MoveAction);
}

// The folder of the category under `position` when photos of the displayed category
// dropped there would move; empty for the displayed category itself and for no category.
std::string TFrameEditShow::DropTargetFolder(const QMimeData* data, QPoint position) const {
    const std::string source = PhotoMoveSourceIn(data);
    const CategoryNode* node = CategoryTreeModel::NodeOf(lbxCategories->indexAt(position));
    if (source.empty() || source != document_.CategoryFolder || !node || !node->Category) return {};
    const std::string target = ShowPath + node->Category->Alias + PathSeparator;
    return target == source ? std::string() : target;
}

void TFrameEditShow::MovePhotosToCategory(const std::string& sourceFolder, const std::string& targetFolder) {
    if (document_.AddingPhotos || sourceFolder != document_.CategoryFolder) return;
    SavePhotoProperties();
    PhotoTransferResult result;
    {
        AddingScope adding(main_, document_.AddingPhotos);
        result = MoveSelectedPhotos(document_, targetFolder);
    }
    ShowRemainingPhotos(result.CurrentIndex);
    ReportSkipped(QStringLiteral("These photos could not be moved and stay in this category:"), result.SkippedPhotos);
}

}  // namespace velvora
