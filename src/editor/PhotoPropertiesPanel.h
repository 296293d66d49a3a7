// The properties panel below the photo list: three pages (basic, transition, display)
// chosen by page buttons, showing and editing one photo's PhotoPanel.
#pragma once

#include <QWidget>

#include "editor/PhotoProperties.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace velvora {

inline constexpr int PhotoPropertiesPanelHeight = 122;

enum class PhotoPage { Basic = 0, Transition = 1, Display = 2 };

class TPhotoPropertiesPanel : public QWidget {
    Q_OBJECT
public:
    explicit TPhotoPropertiesPanel(QWidget* parent = nullptr);

    // Shows `panel` in the controls without reporting any of it as an edit.
    void ShowPhoto(const PhotoPanel& panel);
    // What the controls hold now.
    PhotoPanel Contents() const;
    void SetRotation(int rotation) { rotation_ = rotation; }
    int Rotation() const { return rotation_; }

    // Presses the page's button and shows the page.
    void ShowPage(PhotoPage page);
    void FocusName();

signals:
    // The user finished an edit that is written at once: left the name or caption box,
    // or chose in a chooser other than the background.
    void EditFinished();
    // Enter in the caption box: the photo is done, on to the next one.
    void CaptionEntered();
    // The background chooser or its colour changed; written with the next save.
    void BackgroundChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* CreateBasicPage();
    QWidget* CreateTransitionPage();
    QWidget* CreateDisplayPage();
    QComboBox* AddChooser(const char* name, const StringList& texts, bool savesOnChoice);
    void lbxBackgroundClick();
    void lbxDurationChange();
    void lbxSizeChange();
    void btnBackgroundEditClick();

    QButtonGroup* pageButtons_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QLineEdit* txtPhotoName = nullptr;
    QLineEdit* txtPhotoCaption = nullptr;
    QComboBox* lbxBackground = nullptr;
    QPushButton* btnBackgroundEdit = nullptr;
    QComboBox* lbxTransition = nullptr;
    QComboBox* lbxHorizontal = nullptr;
    QComboBox* lbxVertical = nullptr;
    QComboBox* lbxDuration = nullptr;
    QLabel* lblDuration = nullptr;
    QLineEdit* txtDuration = nullptr;
    QComboBox* lbxSize = nullptr;
    QLabel* lblSize = nullptr;
    QLineEdit* txtSize = nullptr;
    // The chosen specific background colour, kept while another background is chosen.
    std::string backgroundOption1_ = "0";
    int rotation_ = 0;
};

}  // namespace velvora
