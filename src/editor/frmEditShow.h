// The editor frame: the open show's caption bar and publish button, the category tree with
// its toolbar on the left, and the photo toolbar, photo list and properties area on the
// right. The show itself lives in the ShowDocument; the frame binds it to the controls.
#pragma once

#include <optional>

#include <QWidget>

#include "base/Global.h"
#include "base/ShellRequests.h"
#include "editor/PhotoClipboard.h"
#include "editor/PhotoListEditing.h"
#include "editor/ShowDocument.h"
#include "editor/ShowEditorFrame.h"

class QLabel;
class QListView;
class QMenu;
class QMimeData;
class QSplitter;
class QStackedWidget;
class QToolButton;
class QTreeView;

namespace velvora {

class CategoryTreeModel;
class EdgeScroller;
class PhotoCardDelegate;
class PhotoListModel;
class ToolbarPanel;
class TPhotoPropertiesPanel;
class TPhotoViewerPane;

// A toolbar button and the matching item of its More menu, which act as one.
struct ToolCommand {
    QToolButton* Button = nullptr;
    QAction* Item = nullptr;
    void SetEnabled(bool enabled) const;
};

class TFrameEditShow : public ShowEditorFrame {
    Q_OBJECT
public:
    explicit TFrameEditShow(EditorHost& shell, QWidget* parent = nullptr);
    ~TFrameEditShow() override;

    void LoadShow() override;
    bool CloseShow() override;
    void RunCommand(EditorCommand command) override;
    bool IsCommandEnabled(EditorCommand command) const override;
    bool PhotoViewerVisible() const override;
    void ShowPhotoViewer(bool show, bool keepPanel) override;

    ShowDocument& Document() { return document_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateTopBar();
    QWidget* CreateCategoryPane();
    QWidget* CreatePhotoPane();
    void CreateCategoryToolbar();
    void CreatePhotoToolbar();
    ToolCommand AddCommand(ToolbarPanel* toolbar, const char* name, const QString& caption, const QString& hint,
                           const QString& menuCaption, int tag, void (TFrameEditShow::*handler)(),
                           const QIcon& icon = {});
    void ConnectTree();
    void InstallDocumentHooks();

    // Rebuilds the tree view from the document, keeping its expansions and selection.
    void ReloadTree();
    void ShowSelectedCategoryInTree();
    void lbxCategoriesChange(const QModelIndex& current);
    bool RenameNode(CategoryNode& node, const QString& name);
    void UpdateCategoryCommands();
    void UpdateCaption();
    void ReloadPhotoList();
    void PhotoSelectionChangedInView();
    void lbxPhotosClick();
    void SavePhotoProperties();
    void NextPhoto();
    bool StepPhoto(int step);
    void ShowCurrentPhoto();
    void btnPhotoViewClick();
    void pnlViewPhotoDblClick(bool onPicture);
    void UpdateBackgroundPreview();
    void UpdateRotationChoice();
    void CreateRotateMenu();
    void btnRotateClick();
    void mnuRotateWizardClick();
    void UnbindPhotoForEditing();
    void btnAddPhotoClick();
    void btnUpClick();
    void btnDownClick();
    void SortPhotosByName();
    void SortPhotosByDateTaken();
    void ApplyPhotoOrder(const PhotoOrder& order);
    void btnDeletePhotoClick();
    void ShowRemainingPhotos(int keep);
    void AddPhotos(StringList files);
    void btnAddFolderClick();
    void AddFolder(const std::string& folder);
    void AddDropped(const StringList& files, const StringList& folders);
    void ShowAddedPhotos(int current);
    void btnPhotoCutClick();
    void btnPhotoCopyClick();
    void btnPhotoPasteClick();
    void PasteStaged(const std::string& stagingFolder);
    void PasteCutPhotos();
    void DropCutMark();
    void ClipboardChanged();
    void UpdatePasteCommand();
    void CreatePhotoDragAndDrop();
    void StartPhotoDrag();
    bool IsPhotoMoveWithinList(const QMimeData* data) const;
    int PhotoDropGap(QPoint position) const;
    void ShowPhotoDropPoint(std::optional<QPoint> position);
    void DropPhotosAt(const std::string& sourceFolder, int gap);
    void ReloadPhotoRotations();
    std::string DropTargetFolder(const QMimeData* data, QPoint position) const;
    void MovePhotosToCategory(const std::string& sourceFolder, const std::string& targetFolder);

    void btnCategoryPropertiesClick();
    void SlideShowProperties();
    void btnAddCategoryClick();
    void btnDeleteCategoryClick();
    void btnCategoryUpClick();
    void btnCategoryDownClick();
    void btnPlayClick();
    void StartViewer(const std::string& previewFile);
    void btnPublishClick();
    void MoveSelectedCategory(bool up);

    EditorHost& shell_;
    ShowDocument document_;
    CategoryTreeModel* categoryModel_ = nullptr;
    PhotoListModel* photoModel_ = nullptr;
    PhotoCardDelegate* photoCards_ = nullptr;
    EdgeScroller* photoScroller_ = nullptr;
    bool syncingViews_ = false;
    PhotoCutMark cutPhotos_;

    QLabel* pnlShowName = nullptr;
    QToolButton* btnPublish = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* Panel1 = nullptr;
    ToolbarPanel* Panel7 = nullptr;
    ToolbarPanel* Panel8 = nullptr;
    QMenu* mnuCategoryTools = nullptr;
    QMenu* mnuPhotoTools = nullptr;
    QMenu* RotatePopupMenu = nullptr;
    QTreeView* lbxCategories = nullptr;
    QStackedWidget* photoArea_ = nullptr;
    QListView* lbxPhotos = nullptr;
    TPhotoViewerPane* pnlViewPhoto = nullptr;
    TPhotoPropertiesPanel* pnlPhotoProperties = nullptr;

    ToolCommand categoryProperties_, play_, addCategory_, deleteCategory_, categoryUp_, categoryDown_;
    ToolCommand photoView_, addPhoto_, deletePhoto_, photoUp_, photoDown_, photoCut_, photoCopy_, photoPaste_, rotate_;
    ToolCommand addFolder_;
};

// The factory the main window uses for its editor frame.
ShowEditorFrame* MakeEditShowFrame(EditorHost& shell, QWidget* parent);

}  // namespace velvora
