// The Rotate Wizard window: one photo at a time, shown turned four ways; the user picks the one
// that stands upright, by click or with the keys 1 to 4, and is taken on to the next photo.
#pragma once

#include <QDialog>

class QButtonGroup;
class QLabel;
class QPushButton;

namespace velvora {

class RotationWizard;

class TRotateWizard : public QDialog {
    Q_OBJECT

public:
    // Steps through `wizard`, which must hold at least one photo and outlive the window.
    // Finish writes the changed rotations and closes with Accepted; Cancel writes nothing.
    explicit TRotateWizard(RotationWizard& wizard, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreatePreviews();
    void CreateButtons();
    void ShowStep();
    void PreviewClick(int rotation);
    void btnBackClick();
    void btnNextClick();
    void btnFinishClick();

    RotationWizard& wizard_;
    QLabel* lblStep = nullptr;
    QLabel* lblPhotoName = nullptr;
    QLabel* lblHint = nullptr;
    QButtonGroup* previews_ = nullptr;
    QPushButton* btnBack = nullptr;
    QPushButton* btnNext = nullptr;
    QPushButton* btnFinish = nullptr;
    QPushButton* btnCancel = nullptr;
};

}  // namespace velvora
