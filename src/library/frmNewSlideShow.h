// The new-show frame: title, description and author of a show about to be created.
#pragma once

#include <QWidget>

namespace velvora {

class ShellRequests;

class TFrameNewSlideShow : public QWidget {
    Q_OBJECT
public:
    explicit TFrameNewSlideShow(ShellRequests& shell, QWidget* parent = nullptr);

    // Puts the keyboard focus into the title field; the frame must be visible.
    void FocusTitle();

private:
    ShellRequests& shell_;
};

}  // namespace velvora
