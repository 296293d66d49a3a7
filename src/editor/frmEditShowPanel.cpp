// The editor frame's photo pane around the list: the properties panel and the viewer pane
// bound to the current photo, and stepping from photo to photo.
#include "editor/frmEditShow.h"

#include <string>
#include <utility>

#include <QApplication>
#include <QListView>
#include <QStackedWidget>
#include <QToolButton>

#include "editor/CategoryTree.h"
#include "editor/PhotoListModel.h"
#include "editor/PhotoProperties.h"
#include "editor/PhotoPropertiesPanel.h"
#include "editor/PhotoViewerPane.h"
#include "editor/PhotoViewing.h"
#include "editor/StoredColor.h"
#include "imaging/BitmapQt.h"

namespace velvora {

bool TFrameEditShow::PhotoViewerVisible() const { return photoArea_->currentWidget() == pnlViewPhoto; }

void TFrameEditShow::ShowPhotoViewer(bool show, bool keepPanel) {
    photoArea_->setCurrentWidget(show ? static_cast<QWidget*>(pnlViewPhoto) : lbxPhotos);
    photoView_.Button->setChecked(show);
    photoView_.Button->setToolTip(show ? tr("View photo thumbnails.") : tr("View selected photo."));
    if (!show) return;
    pnlViewPhoto->HidePicture();
    PhotoList& photos = document_.Photos();
    const int current = photos.CurrentIndex();
    if (current < 0 || !photos.IsSelected(current)) return;
    photos.DeselectAll();
    photos.Select(current);
    ReloadPhotoList();
    if (!keepPanel) lbxPhotosClick();
    ShowCurrentPhoto();
}

void TFrameEditShow::ShowCurrentPhoto() {
    const PhotoList& photos = document_.Photos();
    if (photos.CurrentIndex() < 0) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Bitmap picture =
        LoadPhotoForViewing(document_.CategoryFolder, PhotoEntry::FromText(photos.Item(photos.CurrentIndex())));
    pnlViewPhoto->ShowPicture(ToQImage(picture));
    QApplication::restoreOverrideCursor();
}

// The photo menu's item toggles the button first; the button has toggled itself.
void TFrameEditShow::btnPhotoViewClick() {
    QToolButton* button = photoView_.Button;
    if (sender() == photoView_.Item) button->setChecked(!button->isChecked());
    ShowPhotoViewer(button->isChecked(), false);
}

void TFrameEditShow::pnlViewPhotoDblClick(bool onPicture) {
    ShowPhotoViewer(false, true);
    if (onPicture) lbxPhotos->setFocus();
}

// The background the current photo is shown on: its own, else the nearest category's.
void TFrameEditShow::UpdateBackgroundPreview() {
    const PhotoPanel panel = pnlPhotoProperties->Contents();
    if (const auto color = ResolveBackgroundColor(panel.Background, panel.BackgroundColor, document_.Tree().Selected()))
        pnlViewPhoto->SetBackground(ColorFromStored(std::to_string(*color)));
}

void TFrameEditShow::ReloadPhotoList() {
    const bool wasSyncing = std::exchange(syncingViews_, true);
    photoModel_->Reload();
    const PhotoList& photos = document_.Photos();
    QItemSelectionModel* selection = lbxPhotos->selectionModel();
    for (int row = 0; row < photos.Count(); ++row)
        if (photos.IsSelected(row)) selection->select(photoModel_->index(row), QItemSelectionModel::Select);
    selection->setCurrentIndex(photoModel_->index(photos.CurrentIndex()), QItemSelectionModel::NoUpdate);
    syncingViews_ = wasSyncing;
}

void TFrameEditShow::PhotoSelectionChangedInView() {
    if (syncingViews_) return;
    PhotoList& photos = document_.Photos();
    const QItemSelectionModel* selection = lbxPhotos->selectionModel();
    for (int row = 0; row < photos.Count(); ++row) photos.Select(row, selection->isRowSelected(row));
    photos.SetCurrentIndex(selection->currentIndex().row());
    lbxPhotosClick();
}

// Binds the properties panel to the current photo, after writing the photo it leaves.
// The panel is there only while exactly one photo is selected.
void TFrameEditShow::lbxPhotosClick() {
    const PhotoList& photos = document_.Photos();
    if (photos.Count() == 0) {
        UpdateBackgroundPreview();
        pnlViewPhoto->HidePicture();
    }
    pnlPhotoProperties->setVisible(photos.SelectedCount() == 1);
    if (photos.CurrentIndex() == document_.CurrentPhotoIndex) return;
    SavePhotoProperties();
    document_.CurrentPhotoIndex = photos.SelectedCount() > 0 ? photos.CurrentIndex() : -1;
    PhotoPanel panel = pnlPhotoProperties->Contents();
    if (!LoadCurrentPhoto(document_, panel)) {
        pnlViewPhoto->HidePicture();
        return;
    }
    pnlPhotoProperties->ShowPhoto(panel);
    UpdateRotationChoice();
    UpdateBackgroundPreview();
    if (PhotoViewerVisible()) {
        pnlViewPhoto->HidePicture();
        ShowCurrentPhoto();
    }
}

void TFrameEditShow::SavePhotoProperties() {
    if (velvora::SavePhotoProperties(document_, pnlPhotoProperties->Contents())) lbxPhotos->viewport()->update();
}

// Enter in the caption box: on to the next photo, which writes this one, or only write
// this one when it is the last.
void TFrameEditShow::NextPhoto() {
    if (!StepPhoto(1)) {
        SavePhotoProperties();
        return;
    }
    pnlPhotoProperties->FocusName();
}

// Previous (-1) and Next (+1): the neighbour takes the current photo's place in the
// selection; false, changing nothing, at either end of the list.
bool TFrameEditShow::StepPhoto(int step) {
    PhotoList& photos = document_.Photos();
    const int current = photos.CurrentIndex();
    const int target = current + step;
    if (current < 0 || target < 0 || target >= photos.Count()) return false;
    photos.Select(current, false);
    photos.Select(target);
    photos.SetCurrentIndex(target);
    ReloadPhotoList();
    lbxPhotos->scrollTo(photoModel_->index(target));
    lbxPhotosClick();
    return true;
}

}  // namespace velvora
