// Open-show frame.
#include "library/frmOpenShow.h"

#include <algorithm>
#include <stdexcept>

#include <QKeyEvent>
#include <QListWidget>
#include <QLoggingCategory>
#include <QPushButton>

#include "base/Progress.h"
#include "base/ShellRequests.h"
#include "library/LibraryFrameParts.h"
#include "library/ShowCard.h"
#include "library/ShowIndex.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

Q_LOGGING_CATEGORY(lcLibrary, "velvora.library")

namespace velvora {

TFrameOpenShow::TFrameOpenShow(ShellRequests& shell, QWidget* parent) : QWidget(parent), shell_(shell) {
    btnOpen = MakeFrameButton(QStringLiteral("btnOpen"), QStringLiteral("Open Slide Show Now"), true, this);
    btnCreate = MakeFrameButton(QStringLiteral("btnCreate"), QStringLiteral("Create New Slide Show"), false, this);
    btnDelete = MakeFrameButton(QStringLiteral("btnDelete"), QStringLiteral("Delete Selected Slide Show"), false, this);
    btnCancel = MakeFrameButton(QStringLiteral("btnCancel"), QStringLiteral("Cancel"), false, this);
    lbxShows = new QListWidget(this);
    lbxShows->setObjectName(QStringLiteral("lbxShows"));
    lbxShows->setItemDelegate(new ShowCardDelegate(lbxShows));
    lbxShows->setUniformItemSizes(true);
    lbxShows->setSelectionMode(QAbstractItemView::SingleSelection);
    lbxShows->installEventFilter(this);
    LayOutLibraryFrame(this, QStringLiteral(" Open Existing Slide Show"), QStringLiteral("openshow.svg"),
                       QStringLiteral("Select the slide show you want to open from the list to the right then click "
                                      "the Open button.\r\n\r\nClick the Cancel button to not open a slide show "
                                      "right now."),
                       {btnOpen, btnCreate, btnDelete, btnCancel}, lbxShows);
    connect(btnOpen, &QPushButton::clicked, this, &TFrameOpenShow::btnOpenClick);
    connect(lbxShows, &QListWidget::itemDoubleClicked, this, &TFrameOpenShow::btnOpenClick);
    connect(btnCreate, &QPushButton::clicked, this, &TFrameOpenShow::btnCreateClick);
    connect(btnDelete, &QPushButton::clicked, this, &TFrameOpenShow::btnDeleteClick);
    connect(btnCancel, &QPushButton::clicked, this, &TFrameOpenShow::btnCancelClick);
    ClickOnEscape(this, btnCancel);
}

// Titles compare as the user reads them: decoded, letters folded beyond ASCII.
static bool DisplayedTitleLess(const std::string& a, const std::string& b) {
    return QString::compare(FromStored(a), FromStored(b), Qt::CaseInsensitive) < 0;
}

// Each item carries its record, so neither opening nor deleting ever splits the item text,
// which a title holding the separator would cut in the wrong place.
void TFrameOpenShow::FillList() {
    std::vector<ShowRecord> records = ListShows();
    SortShowsByTitle(records, DisplayedTitleLess);
    lbxShows->clear();
    for (const ShowRecord& record : records) {
        auto* item = new QListWidgetItem(ShowItemText(record), lbxShows);
        item->setData(ShowRecordRole, QVariant::fromValue(record));
    }
}

bool TFrameOpenShow::eventFilter(QObject* watched, QEvent* event) {
    const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (watched == lbxShows && isKey && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        // Claiming the shortcut override keeps a menu's Delete shortcut from taking the key.
        event->accept();
        if (event->type() == QEvent::KeyPress) btnDeleteClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

int TFrameOpenShow::SelectedRow() const {
    const QList<QListWidgetItem*> selected = lbxShows->selectedItems();
    return selected.isEmpty() ? -1 : lbxShows->row(selected.first());
}

ShowRecord TFrameOpenShow::RecordAt(int row) const {
    return lbxShows->item(row)->data(ShowRecordRole).value<ShowRecord>();
}

void TFrameOpenShow::btnOpenClick() {
    const int row = SelectedRow();
    if (row < 0) {
        Dialogs().ShowInfo(QStringLiteral("Please select a slide show from the list and then try again."));
        return;
    }
    shell_.OpenShow(RecordAt(row).Folder);
}

// Deletes the show behind the progress window; false, with the user told why, when the
// folder is refused or cannot be removed completely.
static bool DeleteShowTellingWhy(const std::string& folder) {
    try {
        ProgressWindowScope progress;
        ProgressSetTitle("Deleting slide show...");
        ProgressSetMax(0);
        ProgressRefresh();
        DeleteShow(folder);
        return true;
    } catch (const std::exception& error) {
        qCWarning(lcLibrary) << "deleting" << FromStored(folder) << "failed:" << error.what();
        Dialogs().ShowWarning(FromStored(error.what()));
        return false;
    }
}

void TFrameOpenShow::btnDeleteClick() {
    const int row = SelectedRow();
    if (row < 0) return;
    if (!Dialogs().Confirm(QStringLiteral(
            "Are you sure you want to delete the selected slide show?\r\n\r\nIf you answer yes, all the photos it "
            "contains will be permanently deleted. You can not undo this action.\r\n\r\nNote: Velvora creates an "
            "internal copy of your photos when you add them to a slide show. Therefore, only the internal copies of "
            "this slide show's photos will be deleted. Your original photo files are never deleted by Velvora.")))
        return;
    if (!DeleteShowTellingWhy(RecordAt(row).Folder)) return;
    delete lbxShows->takeItem(row);
    if (lbxShows->count() > 0) lbxShows->setCurrentRow(std::min(row, lbxShows->count() - 1));
}

void TFrameOpenShow::btnCreateClick() { shell_.RequestNewShow(); }

void TFrameOpenShow::btnCancelClick() { shell_.RequestStartPage(); }

}  // namespace velvora
