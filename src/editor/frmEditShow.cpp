// The editor frame: its layout, toolbars and menus, the show it opens and closes, and the
// commands of the main window routed to it.
#include "editor/frmEditShow.h"

#include <algorithm>

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "base/ShellRequests.h"
#include "editor/CategoryProperties.h"
#include "editor/CategoryTreeModel.h"
#include "editor/PhotoCard.h"
#include "editor/PhotoListModel.h"
#include "editor/PhotoPropertiesPanel.h"
#include "editor/PhotoViewerPane.h"
#include "editor/RotationWizard.h"
#include "editor/ToolbarPanel.h"
#include "editor/frmRotateWizard.h"
#include "library/LibraryFrameParts.h"

namespace velvora {

namespace {

constexpr int TopBarHeight = 25;
constexpr int PublishButtonWidth = 160;
constexpr int SplitterWidth = 5;
constexpr int TreeIndent = 19;

QIcon StandardIcon(QStyle::StandardPixmap pixmap) { return QApplication::style()->standardIcon(pixmap); }

// A selection that stays visible while the tree or list does not have the focus.
void KeepSelectionVisibleWithoutFocus(QWidget* view) {
    QPalette palette = view->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    view->setPalette(palette);
}

}  // namespace

void ToolCommand::SetEnabled(bool enabled) const {
    Button->setEnabled(enabled);
    Item->setEnabled(enabled);
}

TFrameEditShow::TFrameEditShow(EditorHost& shell, QWidget* parent) : ShowEditorFrame(parent), shell_(shell) {
    setObjectName(QStringLiteral("frmEditShow"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateTopBar();
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setHandleWidth(SplitterWidth);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(CreateCategoryPane());
    splitter_->addWidget(CreatePhotoPane());
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({shell_.CategoryPaneWidth(), std::max(1, width() - shell_.CategoryPaneWidth())});
    connect(splitter_, &QSplitter::splitterMoved, this, [this] { shell_.SetCategoryPaneWidth(Panel1->width()); });
    layout->addWidget(splitter_);
    InstallDocumentHooks();
    CreatePhotoDragAndDrop();
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TFrameEditShow::ClipboardChanged);
    UpdatePasteCommand();
}

TFrameEditShow::~TFrameEditShow() = default;

void TFrameEditShow::CreateTopBar() {
    auto* bar = new QWidget(this);
    bar->setFixedHeight(TopBarHeight);
    bar->setAutoFillBackground(true);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Dark));
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Base));
    palette.setColor(QPalette::ButtonText, palette.color(QPalette::Base));
    bar->setPalette(palette);
    pnlShowName = new QLabel(bar);
    pnlShowName->setObjectName(QStringLiteral("pnlShowName"));
    pnlShowName->setTextFormat(Qt::PlainText);
    pnlShowName->setFont(ArialFont(19, true));
    btnPublish = new QToolButton(bar);
    btnPublish->setObjectName(QStringLiteral("btnPublish"));
    btnPublish->setAutoRaise(true);
    btnPublish->setText(tr("Publish Slide Show"));
    btnPublish->setIcon(StandardIcon(QStyle::SP_DialogSaveButton));
    btnPublish->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnPublish->setFont(ArialFont(13));
    btnPublish->setFixedSize(PublishButtonWidth, TopBarHeight);
    connect(btnPublish, &QToolButton::clicked, this, &TFrameEditShow::btnPublishClick);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(pnlShowName, 1);
    row->addWidget(btnPublish);
    static_cast<QVBoxLayout*>(layout())->addWidget(bar);
}

QWidget* TFrameEditShow::CreateCategoryPane() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* column = new QVBoxLayout(Panel1);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    mnuCategoryTools = new QMenu(this);
    mnuCategoryTools->setObjectName(QStringLiteral("mnuCategoryTools"));
    Panel7 = new ToolbarPanel(QStringLiteral("Panel7"), mnuCategoryTools, Panel1);
    Panel7->MoreButton()->setObjectName(QStringLiteral("btnCategoryMore"));
    CreateCategoryToolbar();
    lbxCategories = new QTreeView(Panel1);
    lbxCategories->setObjectName(QStringLiteral("lbxCategories"));
    lbxCategories->setHeaderHidden(true);
    lbxCategories->setFrameShape(QFrame::NoFrame);
    lbxCategories->setIndentation(TreeIndent);
    lbxCategories->setRootIsDecorated(false);
    lbxCategories->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    KeepSelectionVisibleWithoutFocus(lbxCategories);
    categoryModel_ = new CategoryTreeModel(
        document_.Tree(), [this](CategoryNode& node, const QString& name) { return RenameNode(node, name); }, this);
    lbxCategories->setModel(categoryModel_);
    lbxCategories->installEventFilter(this);
    ConnectTree();
    column->addWidget(Panel7);
    column->addWidget(lbxCategories, 1);
    return Panel1;
}

QWidget* TFrameEditShow::CreatePhotoPane() {
    auto* pane = new QWidget(this);
    auto* column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    mnuPhotoTools = new QMenu(this);
    mnuPhotoTools->setObjectName(QStringLiteral("mnuPhotoTools"));
    Panel8 = new ToolbarPanel(QStringLiteral("Panel8"), mnuPhotoTools, pane);
    Panel8->MoreButton()->setObjectName(QStringLiteral("btnPhotoMore"));
    CreatePhotoToolbar();
    lbxPhotos = new QListView(pane);
    lbxPhotos->setObjectName(QStringLiteral("lbxPhotos"));
    lbxPhotos->setFrameShape(QFrame::NoFrame);
    lbxPhotos->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lbxPhotos->setUniformItemSizes(true);
    lbxPhotos->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    KeepSelectionVisibleWithoutFocus(lbxPhotos);
    photoModel_ = new PhotoListModel(document_.Photos(), this);
    lbxPhotos->setModel(photoModel_);
    lbxPhotos->installEventFilter(this);
    photoCards_ = new PhotoCardDelegate(
        [this] { return document_.CategoryFolder; },
        [this](const std::string& id) { return cutPhotos_.Holds(document_.CategoryFolder, id); }, lbxPhotos);
    lbxPhotos->setItemDelegate(photoCards_);
    connect(lbxPhotos->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFrameEditShow::PhotoSelectionChangedInView);
    connect(lbxPhotos->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TFrameEditShow::PhotoSelectionChangedInView);
    pnlPhotoProperties = new TPhotoPropertiesPanel(pane);
    connect(pnlPhotoProperties, &TPhotoPropertiesPanel::EditFinished, this, &TFrameEditShow::SavePhotoProperties);
    connect(pnlPhotoProperties, &TPhotoPropertiesPanel::CaptionEntered, this, &TFrameEditShow::NextPhoto);
    connect(pnlPhotoProperties, &TPhotoPropertiesPanel::BackgroundChanged, this,
            &TFrameEditShow::UpdateBackgroundPreview);
    column->addWidget(Panel8);
    pnlViewPhoto = new TPhotoViewerPane(pane);
    connect(pnlViewPhoto, &TPhotoViewerPane::PreviousClicked, this, [this] { StepPhoto(-1); });
    connect(pnlViewPhoto, &TPhotoViewerPane::NextClicked, this, [this] { StepPhoto(1); });
    connect(pnlViewPhoto, &TPhotoViewerPane::DoubleClicked, this, &TFrameEditShow::pnlViewPhotoDblClick);
    connect(lbxPhotos, &QListView::doubleClicked, this, [this] {
        photoView_.Button->setChecked(true);
        btnPhotoViewClick();
    });
    photoArea_ = new QStackedWidget(pane);
    photoArea_->addWidget(lbxPhotos);
    photoArea_->addWidget(pnlViewPhoto);
    column->addWidget(photoArea_, 1);
    column->addWidget(pnlPhotoProperties);
    return pane;
}

ToolCommand TFrameEditShow::AddCommand(ToolbarPanel* toolbar, const char* name, const QString& caption,
                                       const QString& hint, const QString& menuCaption, int tag,
                                       void (TFrameEditShow::*handler)(), const QIcon& icon) {
    ToolCommand command{toolbar->AddButton(name, caption, hint, tag, icon), toolbar->Menu()->addAction(menuCaption)};
    if (handler) {
        connect(command.Button, &QToolButton::clicked, this, handler);
        connect(command.Item, &QAction::triggered, this, handler);
    } else {
        // Its feature has not arrived yet.
        command.SetEnabled(false);
    }
    return command;
}

void TFrameEditShow::CreateCategoryToolbar() {
    ToolbarPanel* bar = Panel7;
    QMenu* menu = mnuCategoryTools;
    categoryProperties_ =
        AddCommand(bar, "btnCategoryProperties", tr("Properties "),
                   tr("Edit category properties and default settings."), tr("Properties..."), 0,
                   &TFrameEditShow::btnCategoryPropertiesClick, StandardIcon(QStyle::SP_FileDialogDetailedView));
    bar->AddBevel();
    menu->addSeparator();
    play_ = AddCommand(bar, "btnPlay", tr("Play"), tr("Play a preview of this category."), tr("Play"), 2,
                       &TFrameEditShow::btnPlayClick, StandardIcon(QStyle::SP_MediaPlay));
    bar->AddBevel();
    menu->addSeparator();
    addCategory_ = AddCommand(bar, "btnAddCategory", tr("Add "), tr("Add new category."), tr("Add"), 4,
                              &TFrameEditShow::btnAddCategoryClick, StandardIcon(QStyle::SP_FileDialogNewFolder));
    deleteCategory_ = AddCommand(bar, "btnDeleteCategory", tr("Delete "), tr("Delete selected category"), tr("Delete"),
                                 5, &TFrameEditShow::btnDeleteCategoryClick, StandardIcon(QStyle::SP_TrashIcon));
    bar->AddBevel();
    menu->addSeparator();
    categoryUp_ = AddCommand(bar, "btnCategoryUp", tr("Up "), tr("Move selected category up."), tr("Up"), 7,
                             &TFrameEditShow::btnCategoryUpClick, StandardIcon(QStyle::SP_ArrowUp));
    categoryDown_ = AddCommand(bar, "btnCategoryDown", tr("Down "), tr("Move selected category down."), tr("Down"), 8,
                               &TFrameEditShow::btnCategoryDownClick, StandardIcon(QStyle::SP_ArrowDown));
}

void TFrameEditShow::CreatePhotoToolbar() {
    ToolbarPanel* bar = Panel8;
    QMenu* menu = mnuPhotoTools;
    auto* imgDragPhotos = new QLabel;
    imgDragPhotos->setObjectName(QStringLiteral("imgDragPhotos"));
    imgDragPhotos->setPixmap(StandardIcon(QStyle::SP_FileIcon).pixmap(16, 16));
    imgDragPhotos->setToolTip(tr("Drag this icon to move selected \r\nphotos to a different catagory."));
    imgDragPhotos->setFixedSize(ToolbarHeight, ToolbarHeight);
    imgDragPhotos->setAlignment(Qt::AlignCenter);
    bar->AddControl(imgDragPhotos);
    bar->AddBevel();
    photoView_ = AddCommand(bar, "btnPhotoView", tr("View "), tr("View selected photo."), tr("View"), 0,
                            &TFrameEditShow::btnPhotoViewClick, StandardIcon(QStyle::SP_FileDialogContentsView));
    photoView_.Button->setCheckable(true);
    bar->AddBevel();
    menu->addSeparator();
    addPhoto_ = AddCommand(bar, "btnAddPhoto", tr("Add "), tr("Add photos to this category."), tr("Add"), 2,
                           &TFrameEditShow::btnAddPhotoClick, StandardIcon(QStyle::SP_FileDialogNewFolder));
    deletePhoto_ =
        AddCommand(bar, "btnDeletePhoto", tr("Delete "), tr("Delete selected photos\r\nfrom this category."),
                   tr("Delete"), 3, &TFrameEditShow::btnDeletePhotoClick, StandardIcon(QStyle::SP_TrashIcon));
    bar->AddBevel();
    menu->addSeparator();
    photoUp_ = AddCommand(bar, "btnUp", tr("Up "), tr("Move selected photos up\r\nin the slide show order."), tr("Up"),
                          5, &TFrameEditShow::btnUpClick, StandardIcon(QStyle::SP_ArrowUp));
    photoDown_ = AddCommand(bar, "btnDown", tr("Down "), tr("Move selected photos down\r\nin the slide show order."),
                            tr("Down"), 6, &TFrameEditShow::btnDownClick, StandardIcon(QStyle::SP_ArrowDown));
    bar->AddBevel();
    menu->addSeparator();
    photoCut_ =
        AddCommand(bar, "btnPhotoCut", tr("Cut "), tr("Cut the selected photos\r\nto the clipboard."), tr("Cut"), 8,
                   &TFrameEditShow::btnPhotoCutClick, StandardIcon(QStyle::SP_DialogDiscardButton));
    photoCopy_ = AddCommand(bar, "btnPhotoCopy", tr("Copy "), tr("Copy the selected photos\r\nto the clipboard."),
                            tr("Copy"), 9, &TFrameEditShow::btnPhotoCopyClick, StandardIcon(QStyle::SP_FileLinkIcon));
    photoPaste_ =
        AddCommand(bar, "btnPhotoPaste", tr("Paste "), tr("Paste photos from the clipboard\r\ninto this category."),
                   tr("Paste"), 10, &TFrameEditShow::btnPhotoPasteClick, StandardIcon(QStyle::SP_DialogApplyButton));
    for (const ToolCommand* command : {&photoCut_, &photoCopy_, &photoPaste_})
        command->Item->setShortcutVisibleInContextMenu(true);
    photoCut_.Item->setShortcut(QKeySequence::Cut);
    photoCopy_.Item->setShortcut(QKeySequence::Copy);
    photoPaste_.Item->setShortcut(QKeySequence::Paste);
    bar->AddBevel();
    menu->addSeparator();
    rotate_ = AddCommand(bar, "btnRotate", tr("Rotate "), tr("Rotate the selected photo."), tr("Rotate"), 12,
                         &TFrameEditShow::btnRotateClick, StandardIcon(QStyle::SP_BrowserReload));
    CreateRotateMenu();
    rotate_.Item->setMenu(RotatePopupMenu);
    bar->AddBevel();
    menu->addSeparator();
    addFolder_ =
        AddCommand(bar, "btnAddFolder", tr("Add Folder "), tr("Add the photos of a folder\r\nand its subfolders."),
                   tr("Add Folder..."), 14, &TFrameEditShow::btnAddFolderClick, StandardIcon(QStyle::SP_DirOpenIcon));
}

// The rotation the photo is shown and published with; stored as quarter turns clockwise.
void TFrameEditShow::CreateRotateMenu() {
    RotatePopupMenu = new QMenu(this);
    RotatePopupMenu->setObjectName(QStringLiteral("RotatePopupMenu"));
    QAction* wizard = RotatePopupMenu->addAction(tr("&Rotate Wizard..."));
    wizard->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    wizard->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(wizard);
    connect(wizard, &QAction::triggered, this, &TFrameEditShow::mnuRotateWizardClick);
    RotatePopupMenu->addSeparator();
    auto* choices = new QActionGroup(this);
    const struct {
        const char* caption;
        Qt::Key key;
        int rotation;
    } rotations[] = {{"No Rotation", Qt::Key_1, 0},
                     {"90\u00BA Clockwise", Qt::Key_2, 1},
                     {"90\u00BA Counter-Clockwise", Qt::Key_3, 3},
                     {"180\u00BA", Qt::Key_4, 2}};
    for (const auto& [caption, key, rotation] : rotations) {
        QAction* choice = RotatePopupMenu->addAction(QString::fromUtf8(caption));
        choice->setShortcut(QKeySequence(Qt::CTRL | key));
        choice->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        choice->setCheckable(true);
        choice->setData(rotation);
        choices->addAction(choice);
        addAction(choice);
        connect(choice, &QAction::triggered, this, [this, rotation] {
            pnlPhotoProperties->SetRotation(rotation);
            SavePhotoProperties();
            if (PhotoViewerVisible()) ShowCurrentPhoto();
        });
    }
}

void TFrameEditShow::UpdateRotationChoice() {
    for (QAction* choice : RotatePopupMenu->actions())
        if (choice->isCheckable()) choice->setChecked(choice->data().toInt() == pnlPhotoProperties->Rotation());
}

void TFrameEditShow::btnRotateClick() {
    RotatePopupMenu->popup(rotate_.Button->mapToGlobal(QPoint(0, rotate_.Button->height())));
}

// The wizard reads the photos' files, so the panel's photo is written first; afterwards the
// panel and the viewer pane are bound afresh to show what was stored.
void TFrameEditShow::mnuRotateWizardClick() {
    SavePhotoProperties();
    RotationWizard wizard(document_.Photos(), document_.CategoryFolder);
    if (wizard.StepCount() == 0) return;
    TRotateWizard dialog(wizard, this);
    if (dialog.exec() != QDialog::Accepted) return;
    ReloadPhotoRotations();
    document_.CurrentPhotoIndex = -1;
    lbxPhotosClick();
}

// The wizard writes the rotations of many photos straight to their files.
void TFrameEditShow::ReloadPhotoRotations() {
    PhotoList& photos = document_.Photos();
    for (int i = 0; i < photos.Count(); ++i)
        photos.SetRotation(i, StoredRotation(document_.CategoryFolder, PhotoEntry::FromText(photos.Item(i))));
    lbxPhotos->viewport()->update();
}

void TFrameEditShow::ConnectTree() {
    connect(lbxCategories->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TFrameEditShow::lbxCategoriesChange);
    // A category with sub-categories keeps the tree's own expanding and collapsing.
    connect(lbxCategories, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        const CategoryNode* node = CategoryTreeModel::NodeOf(index);
        if (node && !node->HasChildren()) btnCategoryPropertiesClick();
    });
    connect(lbxCategories, &QTreeView::expanded, this, [](const QModelIndex& index) {
        if (CategoryNode* node = CategoryTreeModel::NodeOf(index)) node->Expanded = true;
    });
    // The root stands for the show and always shows its categories.
    connect(lbxCategories, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        CategoryNode* node = CategoryTreeModel::NodeOf(index);
        if (!node) return;
        if (node->Parent())
            node->Expanded = false;
        else
            lbxCategories->expand(index);
    });
}

void TFrameEditShow::InstallDocumentHooks() {
    ShowDocumentHooks& hooks = document_.Hooks;
    hooks.PhotoSelectionChanged = [this] {
        ReloadPhotoList();
        lbxPhotosClick();
    };
    hooks.SetBusy = [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    hooks.SavePhotoProperties = [this] { SavePhotoProperties(); };
    hooks.FinishEditing = [this] {
        ShowPhotoViewer(false, false);
        lbxPhotos->setFocus();
    };
    hooks.TreeChanged = [this] { ReloadTree(); };
}

void TFrameEditShow::LoadShow() {
    document_.LoadShow();
    ReloadTree();
    UpdateCaption();
    UpdatePasteCommand();
}

// What was cut stays where it is.
bool TFrameEditShow::CloseShow() {
    DropCutMark();
    return document_.CloseShow();
}

void TFrameEditShow::RunCommand(EditorCommand command) {
    switch (command) {
        case EditorCommand::SlideShowProperties:
            SlideShowProperties();
            break;
        case EditorCommand::CategoryProperties:
            btnCategoryPropertiesClick();
            break;
        case EditorCommand::Publish:
            btnPublishClick();
            break;
        case EditorCommand::AddCategory:
            btnAddCategoryClick();
            break;
        case EditorCommand::DeleteCategory:
            btnDeleteCategoryClick();
            break;
        case EditorCommand::MoveCategoryUp:
            btnCategoryUpClick();
            break;
        case EditorCommand::MoveCategoryDown:
            btnCategoryDownClick();
            break;
        case EditorCommand::AddPhotos:
            btnAddPhotoClick();
            break;
        case EditorCommand::AddFolder:
            btnAddFolderClick();
            break;
        case EditorCommand::DeletePhotos:
            btnDeletePhotoClick();
            break;
        case EditorCommand::MovePhotoUp:
            btnUpClick();
            break;
        case EditorCommand::MovePhotoDown:
            btnDownClick();
            break;
        case EditorCommand::SortPhotosByName:
            SortPhotosByName();
            break;
        case EditorCommand::SortPhotosByDateTaken:
            SortPhotosByDateTaken();
            break;
        case EditorCommand::CutPhotos:
            btnPhotoCutClick();
            break;
        case EditorCommand::CopyPhotos:
            btnPhotoCopyClick();
            break;
        case EditorCommand::PastePhotos:
            btnPhotoPasteClick();
            break;
        case EditorCommand::BasicPhotoProperties:
            pnlPhotoProperties->ShowPage(PhotoPage::Basic);
            break;
        case EditorCommand::TransitionProperties:
            pnlPhotoProperties->ShowPage(PhotoPage::Transition);
            break;
        case EditorCommand::DisplayProperties:
            pnlPhotoProperties->ShowPage(PhotoPage::Display);
            break;
        default:
            break;
    }
}

// A sort needs two photos to put in order.
bool TFrameEditShow::IsCommandEnabled(EditorCommand command) const {
    switch (command) {
        case EditorCommand::SortPhotosByName:
        case EditorCommand::SortPhotosByDateTaken:
            return !document_.CategoryFolder.empty() && document_.Photos().Count() >= 2;
        default:
            return true;
    }
}

// The Delete key deletes in the tree and in the photo list, claimed before any menu
// shortcut can take it. A name being typed gets its keys in its own editor.
bool TFrameEditShow::eventFilter(QObject* watched, QEvent* event) {
    const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if ((watched == lbxCategories || watched == lbxPhotos) && isKey &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            watched == lbxCategories ? btnDeleteCategoryClick() : btnDeletePhotoClick();
        return true;
    }
    return ShowEditorFrame::eventFilter(watched, event);
}

ShowEditorFrame* MakeEditShowFrame(EditorHost& shell, QWidget* parent) { return new TFrameEditShow(shell, parent); }

}  // namespace velvora
