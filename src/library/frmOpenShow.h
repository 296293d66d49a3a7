// The open-show frame: the library's shows as cards, to open, delete or start anew.
#pragma once

#include <QWidget>

namespace velvora {

class ShellRequests;

class TFrameOpenShow : public QWidget {
    Q_OBJECT
public:
    explicit TFrameOpenShow(ShellRequests& shell, QWidget* parent = nullptr);

    // Lists the library's shows (ListShows), sorted by title without regard to case.
    void FillList();

private:
    ShellRequests& shell_;
};

}  // namespace velvora
