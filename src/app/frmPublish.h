// The entry to publishing: a choice between publishing for CD, for e-mail and as a video, or
// backing out. The chosen settings dialog runs nested inside it.
#pragma once

#include <QDialog>

#include "editor/CategoryTree.h"

class QPushButton;

namespace velvora {

class TPublish final : public QDialog {
    Q_OBJECT

public:
    // `tree` is the editor's, with the show saved; it must outlive the dialog.
    TPublish(const CategoryTree& tree, QWidget* parent);

    // Each closes this dialog once the settings dialog it opened has closed.
    void btnPublishCDClick();
    void btnPublishEmailClick();
    void btnPublishVideoClick();
    void btnCancelClick();

private:
    QPushButton* AddChoice(const char* name, const QString& picture, const QString& title, const QString& description);

    const CategoryTree& tree_;
};

// Shows the choice dialog modally and returns when publishing is over or was declined.
void ShowPublishDialog(const CategoryTree& tree, QWidget* parent);

}  // namespace velvora
