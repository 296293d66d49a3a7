// The properties dialog of one category, or of the whole slide show when the root is
// edited: presentation defaults, the intro, about and auto-run roles, viewer options.
#pragma once

#include <QDialog>
#include <QList>

#include "editor/CategoryProperties.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace velvora {

class TCatProperties : public QDialog {
    Q_OBJECT

public:
    // Loads the controls from `node`; the root stands for the show and its ShowSettings.
    explicit TCatProperties(CategoryNode& node, QWidget* parent = nullptr);

    // True until OK has stored the settings.
    bool Cancelled() const { return cancelled_; }

    // OK: stores the controls into the node (and ShowSettings) and closes, unless the name
    // is refused; then it says why and the dialog stays open.
    void Button1Click();
    void btnCancelClick();
    void chkIntroCatClick();
    void chkAboutCatClick();
    void chkAutoRunClick();
    void lbxDurationChange();
    void lbxBackgroundClick();
    // The "Edit..." colour button of either mode.
    void btnBackgroundEditClick();

private:
    QWidget* CreateCategoryBasicPage();
    QWidget* CreateShowBasicPage();
    QWidget* CreateTransitionsPage();
    QWidget* CreateDisplayPage();
    QWidget* CreateViewerPage();
    QWidget* CreateIntroPage();
    QWidget* CreateAboutPage();
    QWidget* CreateAutoRunPage();
    QWidget* CreateBackgroundRow(const QString& chooserName, const QString& buttonName);
    void CreateButtons();
    void ConnectHandlers();
    void LoadControls();
    void ReadControls();
    void ShowBackgroundColor();

    CategoryNode& node_;
    CategoryProperties state_;
    bool cancelled_ = true;

    QTabWidget* pages_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* txtShowAuthor = nullptr;
    QLineEdit* txtShowDescription = nullptr;
    QComboBox* loop_ = nullptr;
    QComboBox* background_ = nullptr;
    QPushButton* backgroundEdit_ = nullptr;
    QLabel* pnlBackgroundColor = nullptr;
    QLabel* lblBackgroundOption1 = nullptr;
    QComboBox* lbxTransition = nullptr;
    QComboBox* lbxHorizontal = nullptr;
    QComboBox* lbxVertical = nullptr;
    QComboBox* lbxDuration = nullptr;
    QLabel* lblDuration = nullptr;
    QLineEdit* txtDuration = nullptr;
    QComboBox* lbxSize = nullptr;
    QList<QCheckBox*> viewerOptions_;
    QCheckBox* chkIntroCat = nullptr;
    QWidget* pnlIntro = nullptr;
    QLineEdit* txtIntroWidth = nullptr;
    QLineEdit* txtIntroHeight = nullptr;
    QCheckBox* chkAboutCat = nullptr;
    QWidget* pnlAbout = nullptr;
    QLineEdit* txtAboutWidth = nullptr;
    QLineEdit* txtAboutHeight = nullptr;
    QCheckBox* chkAutoRun = nullptr;
    QCheckBox* chkAutoRunExit = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* btnCancel = nullptr;
};

// Runs the dialog modally for `node` and returns whether OK stored its settings. The
// node's text receives the name; copying the root's text into "Title" and keeping the
// intro, about and auto-run roles exclusive are the caller's.
bool ShowCategoryProperties(CategoryNode& node, QWidget* parent);

}  // namespace velvora
