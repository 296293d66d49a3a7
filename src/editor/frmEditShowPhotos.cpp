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
    ReportSkipped(QStringLiteral("These files could not be added as photos. They may be damaged, or not JPEG or "
                                 "bitmap pictures:"),
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

// A name or caption still being typed is written when its field loses the focus; from
// here until the next selection change no photo is bound to the panel.
void TFrameEditShow::UnbindPhotoForEditing() {
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

// After photos left the list: `keep` becomes the current and selected photo.
void TFrameEditShow::ShowRemainingPhotos(int keep) {
    if (keep >= 0) {
        PhotoList& photos = document_.Photos();
        // The panel may still show a photo that is gone; it must not be written to another one.
        document_.CurrentPhotoIndex = -1;
        photos.SetCurrentIndex(keep);
        photos.Select(keep);
    }
    ReloadPhotoList();
    if (keep >= 0) lbxPhotosClick();
}

// The staged copies, not the photos, go on the clipboard: a cut photo's own files are gone.
void TFrameEditShow::btnPhotoCutClick() {
    if (document_.AddingPhotos || document_.Photos().SelectedCount() == 0) return;
    SavePhotoProperties();
    const int keep = CutSelectedPhotos(document_, PhotoClipboardFolder());
    QGuiApplication::clipboard()->setMimeData(MakeStagedPhotosData(PhotoClipboardFolder()));
    ShowRemainingPhotos(keep);
}

void TFrameEditShow::btnPhotoCopyClick() {
    if (document_.AddingPhotos) return;
    SavePhotoProperties();
    if (StageSelectedPhotos(document_, PhotoClipboardFolder()) > 0)
        QGuiApplication::clipboard()->setMimeData(MakeStagedPhotosData(PhotoClipboardFolder()));
}

// Photos cut or copied here, or image files copied in a file manager.
void TFrameEditShow::btnPhotoPasteClick() {
    if (document_.CategoryFolder.empty() || document_.AddingPhotos) return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
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

void TFrameEditShow::UpdatePasteCommand() {
    photoPaste_.SetEnabled(!document_.CategoryFolder.empty() &&
                           HoldsPasteablePhotos(QGuiApplication::clipboard()->mimeData()));
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
