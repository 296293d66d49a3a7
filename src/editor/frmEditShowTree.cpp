// The editor frame's category tree pane: the tree kept in step with the show, naming,
// adding, deleting and moving categories, their properties, and playing and publishing.
#include "editor/frmEditShow.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QTreeView>

#include "editor/CategoryProperties.h"
#include "editor/CategoryTree.h"
#include "editor/CategoryTreeModel.h"
#include "editor/EditorServices.h"
#include "editor/frmCatProperties.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

namespace velvora {

void TFrameEditShow::ReloadTree() {
    const bool wasSyncing = std::exchange(syncingViews_, true);
    categoryModel_->Reload();
    for (CategoryNode* node : document_.Tree().Nodes())
        if (node->Expanded || !node->Parent()) lbxCategories->expand(categoryModel_->IndexOf(node));
    ShowSelectedCategoryInTree();
    syncingViews_ = wasSyncing;
    UpdateCategoryCommands();
}

void TFrameEditShow::ShowSelectedCategoryInTree() {
    const QModelIndex selected = categoryModel_->IndexOf(document_.Tree().Selected());
    lbxCategories->selectionModel()->setCurrentIndex(selected, QItemSelectionModel::ClearAndSelect);
    lbxCategories->scrollTo(selected);
}

void TFrameEditShow::lbxCategoriesChange(const QModelIndex& current) {
    if (syncingViews_) return;
    document_.SelectCategory(CategoryTreeModel::NodeOf(current));
    UpdateCategoryCommands();
}

bool TFrameEditShow::RenameNode(CategoryNode& node, const QString& name) {
    const std::string stored = ToStored(name);
    const CategoryNameProblem problem = CheckCategoryName(node, stored);
    if (problem != CategoryNameProblem::None) {
        Dialogs().ShowInfo(FromStored(CategoryNameProblemText(problem, !node.Parent(), stored)));
        return false;
    }
    if (node.Parent()) {
        node.Text = stored;
    } else {
        document_.SetShowTitle(stored);
        UpdateCaption();
    }
    return true;
}

void TFrameEditShow::UpdateCategoryCommands() {
    const CategoryNode* node = document_.Tree().Selected();
    const CategoryNode* parent = node ? node->Parent() : nullptr;
    deleteCategory_.SetEnabled(parent != nullptr);
    categoryUp_.SetEnabled(parent && parent->Child(0) != node);
    categoryDown_.SetEnabled(parent && parent->Child(parent->ChildCount() - 1) != node);
}

void TFrameEditShow::UpdateCaption() {
    pnlShowName->setText(QLatin1Char(' ') + FromStored(ShowSettings.Value("Title")));
}

// The dialog changes the node and the show settings in memory; the title, the one-intro,
// one-about, one-auto-run rule and the preview follow whether it was confirmed or not.
void TFrameEditShow::btnCategoryPropertiesClick() {
    if (CategoryNode* node = document_.Tree().Selected()) {
        const bool confirmed = ShowCategoryProperties(*node, this);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (!node->Parent()) {
            document_.SetShowTitle(node->Text);
            UpdateCaption();
        }
        ApplyExclusiveFlags(document_.Tree(), node);
        QApplication::restoreOverrideCursor();
        ReloadTree();
        if (confirmed) document_.SaveShow();
    }
    UpdateBackgroundPreview();
}

void TFrameEditShow::SlideShowProperties() {
    CategoryNode* root = document_.Tree().Root();
    if (!root) return;
    if (document_.Tree().Selected() != root) lbxCategories->setCurrentIndex(categoryModel_->IndexOf(root));
    btnCategoryPropertiesClick();
}

void TFrameEditShow::btnAddCategoryClick() {
    CategoryNode* parent = document_.Tree().Selected() ? document_.Tree().Selected() : document_.Tree().Root();
    parent->Expanded = true;
    CategoryNode* added = document_.AddCategory(parent, UniqueChildName(*parent, "New Category"));
    const QModelIndex index = categoryModel_->IndexOf(added);
    lbxCategories->setCurrentIndex(index);
    lbxCategories->setFocus();
    lbxCategories->edit(index);
}

void TFrameEditShow::btnDeleteCategoryClick() {
    CategoryNode* node = document_.Tree().Selected();
    if (!node || !node->Parent()) return;
    if (!Dialogs().Confirm(QStringLiteral("Are you sure you want to delete the category \"%1\"?\r\n\r\nIts photos and "
                                          "sub-categories are removed from this slide show. Your original photo files "
                                          "are never deleted by Velvora.")
                               .arg(FromStored(node->Text))))
        return;
    document_.DeleteCategory(node);
}

void TFrameEditShow::btnCategoryUpClick() { MoveSelectedCategory(true); }

void TFrameEditShow::btnCategoryDownClick() { MoveSelectedCategory(false); }

void TFrameEditShow::MoveSelectedCategory(bool up) {
    CategoryTree& tree = document_.Tree();
    CategoryNode* node = tree.Selected();
    if (!node || !(up ? tree.MoveCategoryUp(node) : tree.MoveCategoryDown(node))) return;
    ReloadTree();
}

// The category plays from a published file of its own in the slide-show viewer, which
// runs beside the editor; the file goes when the viewer ends.
void TFrameEditShow::btnPlayClick() {
    CategoryNode* category = document_.Tree().Selected();
    if (!category) return;
    SavePhotoProperties();
    document_.SaveShow();
    static int previews = 0;
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("velvora-preview-" + std::to_string(QCoreApplication::applicationPid()) + "-" +
                               std::to_string(++previews) + ".show"))
                                 .string();
    if (!WriteCategoryPreview(*category, document_.Tree().Root()->Text, path)) return;
    StartViewer(path);
}

void TFrameEditShow::StartViewer(const std::string& previewFile) {
    const auto removePreview = [previewFile] {
        std::error_code ignored;
        std::filesystem::remove(previewFile, ignored);
    };
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/velvora-viewer");
    if (!QFileInfo(program).isExecutable()) {
        removePreview();
        Dialogs().ShowWarning(QStringLiteral("The slide show viewer \"%1\" could not be started.").arg(program));
        return;
    }
    auto* viewer = new QProcess(QCoreApplication::instance());
    connect(viewer, &QProcess::finished, viewer, [viewer, removePreview] {
        removePreview();
        viewer->deleteLater();
    });
    viewer->start(program, {FromStored(previewFile), QStringLiteral("--window")});
}

void TFrameEditShow::btnPublishClick() {
    SavePhotoProperties();
    document_.SaveShow();
    OpenPublishDialog(document_.Tree(), this);
}

}  // namespace velvora
