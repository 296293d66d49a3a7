// The new-show frame: title, description and author of a show about to be created.
#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace velvora {

class ShellRequests;

class TFrameNewSlideShow : public QWidget {
    Q_OBJECT
public:
    explicit TFrameNewSlideShow(ShellRequests& shell, QWidget* parent = nullptr);

    // Puts the keyboard focus into the title field; the frame must be visible.
    void FocusTitle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MakeFieldsBox();
    void EnterPressedIn(QObject* field);
    void btnCreateClick();
    void btnCancelClick();

    ShellRequests& shell_;
    QLineEdit* txtTitle = nullptr;
    QLineEdit* txtDescription = nullptr;
    QLineEdit* txtAuthor = nullptr;
    QPushButton* btnCreate = nullptr;
    QPushButton* btnCancel = nullptr;
    // Set once the show is made and handed to the main window, so that a second Enter or
    // click arriving before this frame is replaced cannot make a second copy.
    bool created_ = false;
};

}  // namespace velvora
