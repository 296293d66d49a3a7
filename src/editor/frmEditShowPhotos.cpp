// The editor frame's photo list commands: adding, ordering and deleting photos, and moving
// them through the clipboard, by dragging them onto a category or to a new place in the list.
#include "editor/frmEditShow.h"

#include <optional>
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

#include "base/ShellRequests.h"
#include "editor/CategoryTreeModel.h"
#include "editor/FolderAdding.h"
#include "editor/PhotoAdding.h"
#include "editor/PhotoCard.h"
#include "editor/PhotoClipboard.h"
#include "editor/PhotoDeletion.h"
#include "editor/PhotoListEditing.h"
#include "editor/PhotoListModel.h"
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

// How a folder is to be added; the question is asked only when a subfolder has photos.
// No value when the user cancels.
std::optional<FolderAddMode> AskFolderAddMode(const PhotoFolder& folder, const std::string& path,
                                              const std::string& category) {
    if (folder.Subfolders.empty()) return FolderAddMode::IntoCategory;
    const int choice = Dialogs().Choose(
        QStringLiteral("The folder \"%1\" has subfolders with photos.\r\n\r\nPut every photo into the category "
                       "\"%2\", or make one category for each subfolder, named after it?")
            .arg(FromStored(path), FromStored(category)),
        {QStringLiteral("Into This Category"), QStringLiteral("One Category per Subfolder")});
    switch (choice) {
        case 0:
            return FolderAddMode::IntoCategory;
        case 1:
            return FolderAddMode::SubfoldersAsCategories;
        default:
            return std::nullopt;
    }
}

// Keeps the main window disabled and the adding flag set while a batch runs, so that
// nothing starts a second one from the messages it processes; exceptions included.
class AddingScope {
public:
    AddingScope(EditorHost& shell, bool& adding) : shell_(shell), adding_(adding) {
        adding_ = true;
        shell_.SetShellEnabled(false);
    }
    ~AddingScope() {
        shell_.SetShellEnabled(true);
        adding_ = false;
    }
    AddingScope(const AddingScope&) = delete;
    AddingScope& operator=(const AddingScope&) = delete;

private:
    EditorHost& shell_;
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
    StringList files = shell_.PickPictures("Add Photos");
    document_.AddingPhotos = false;
    AddPhotos(std::move(files));
}

// Chosen, pasted or dropped image files, as one Add Photos batch.
void TFrameEditShow::AddPhotos(StringList files) {
    if (files.empty() || document_.AddingPhotos) return;
    PhotoBatchResult result;
    {
        AddingScope adding(shell_, document_.AddingPhotos);
        result = AddPhotoBatch(document_, std::move(files));
    }
    ShowAddedPhotos(result.CurrentIndex);
    ReportSkippedFiles(result.SkippedFiles);
}

void TFrameEditShow::btnAddFolderClick() {
    if (document_.CategoryFolder.empty() || document_.AddingPhotos) return;
    document_.AddingPhotos = true;
    const QString folder = Dialogs().PickFolder(tr("Add Folder"), QString());
    document_.AddingPhotos = false;
    if (!folder.isEmpty()) AddFolder(ToStored(folder));
}

// A chosen or dropped folder, as one run behind one progress window.
void TFrameEditShow::AddFolder(const std::string& path) {
    const CategoryNode* category = document_.Tree().Selected();
    if (document_.CategoryFolder.empty() || document_.AddingPhotos || !category) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PhotoFolder folder = ScanPhotoFolder(path, true);
    QApplication::restoreOverrideCursor();
    if (PhotoCount(folder) == 0) {
        Dialogs().ShowInfo(
            QStringLiteral("The folder \"%1\" holds no photos that can be added.").arg(FromStored(path)));
        return;
    }
    const std::optional<FolderAddMode> mode = AskFolderAddMode(folder, path, category->Text);
    if (!mode) return;
    FolderBatchResult result;
    {
        AddingScope adding(shell_, document_.AddingPhotos);
        result = AddFolderBatch(document_, folder, *mode);
    }
    ReloadTree();
    ShowAddedPhotos(result.CurrentIndex);
    ReportSkippedFiles(result.SkippedFiles);
    if (!result.Error.empty()) Dialogs().ShowWarning(FromStored(result.Error));
}

// Files dropped together make one batch; each dropped folder is added after them, as Add
// Folder adds it.
void TFrameEditShow::AddDropped(const StringList& files, const StringList& folders) {
    AddPhotos(files);
    for (const std::string& folder : folders) AddFolder(folder);
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

void TFrameEditShow::SortPhotosByName() { ApplyPhotoOrder(OrderByName(document_.Photos())); }

void TFrameEditShow::SortPhotosByDateTaken() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PhotoOrder order = OrderByDateTaken(document_.Photos(), document_.CategoryFolder);
    QApplication::restoreOverrideCursor();
    ApplyPhotoOrder(order);
}

// A sort or a drop rewrites the order as Up and Down do, in one step; an order that moves
// nothing writes nothing, not even the panel.
void TFrameEditShow::ApplyPhotoOrder(const PhotoOrder& order) {
    if (document_.AddingPhotos || IsUnchangedOrder(order)) return;
    UnbindPhotoForEditing();
    document_.Photos().Reorder(order);
    ReloadPhotoList();
    const int current = document_.Photos().CurrentIndex();
    if (current >= 0) lbxPhotos->scrollTo(photoModel_->index(current));
}

void TFrameEditShow::btnDeletePhotoClick() {
    PhotoList& photos = document_.Photos();
    if (photos.SelectedCount() == 0) return;
    bool ask = shell_.PhotoDeleteAsk();
    const bool confirmed = ConfirmDeletePhotos(ask);
    shell_.SetPhotoDeleteAsk(ask);
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
        AddingScope adding(shell_, document_.AddingPhotos);
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
        AddingScope adding(shell_, document_.AddingPhotos);
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
// tree or to a new place in the list; image files and folders dragged from a file manager
// drop onto the photo list.
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
            return !document_.CategoryFolder.empty() && (!LocalFilesIn(data).empty() || !LocalFoldersIn(data).empty());
        },
        [this](const QMimeData* data, QPoint) {
            QTimer::singleShot(0, this, [this, files = LocalFilesIn(data), folders = LocalFoldersIn(data)] {
                AddDropped(files, folders);
            });
        });
    auto* list = new DropTarget(
        lbxPhotos->viewport(), [this](const QMimeData* data, QPoint) { return IsPhotoMoveWithinList(data); },
        [this](const QMimeData* data, QPoint position) {
            // As the drop onto a category: nothing that may write files inside the drag.
            QTimer::singleShot(0, this, [this, source = PhotoMoveSourceIn(data), gap = PhotoDropGap(position)] {
                DropPhotosAt(source, gap);
            });
        },
        Qt::MoveAction);
    photoScroller_ =
        new EdgeScroller(lbxPhotos, PhotoCardHeight / 2, [this](QPoint position) { ShowPhotoDropPoint(position); });
    list->SetHoverHandler([this](std::optional<QPoint> position) {
        ShowPhotoDropPoint(position);
        photoScroller_->Hover(position);
    });
}

bool TFrameEditShow::IsPhotoMoveWithinList(const QMimeData* data) const {
    return !document_.CategoryFolder.empty() && !document_.AddingPhotos &&
           PhotoMoveSourceIn(data) == document_.CategoryFolder;
}

// The gap nearest to `position` in the list's viewport: before the card under it when in
// its upper half, after it when in its lower half, after the last card below them all.
int TFrameEditShow::PhotoDropGap(QPoint position) const {
    const QModelIndex index = lbxPhotos->indexAt(position);
    if (!index.isValid()) return document_.Photos().Count();
    const QRect card = lbxPhotos->visualRect(index);
    return index.row() + (position.y() >= card.center().y() ? 1 : 0);
}

void TFrameEditShow::ShowPhotoDropPoint(std::optional<QPoint> position) {
    const int gap = position ? PhotoDropGap(*position) : -1;
    if (gap == photoCards_->DropGap()) return;
    photoCards_->SetDropGap(gap);
    lbxPhotos->viewport()->update();
}

void TFrameEditShow::DropPhotosAt(const std::string& sourceFolder, int gap) {
    if (sourceFolder != document_.CategoryFolder) return;
    ApplyPhotoOrder(OrderWithSelectionAt(document_.Photos(), gap));
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
        AddingScope adding(shell_, document_.AddingPhotos);
        result = MoveSelectedPhotos(document_, targetFolder);
    }
    ShowRemainingPhotos(result.CurrentIndex);
    ReportSkipped(QStringLiteral("These photos could not be moved and stay in this category:"), result.SkippedPhotos);
}

}  // namespace velvora
