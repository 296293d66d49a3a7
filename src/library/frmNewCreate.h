// The start page: three large choices (new show, open show, exit) on a centred panel.
#pragma once

#include <QWidget>

namespace velvora {

class ShellRequests;

class TFrameNewCreate : public QWidget {
    Q_OBJECT
public:
    explicit TFrameNewCreate(ShellRequests& shell, QWidget* parent = nullptr);

private:
    ShellRequests& shell_;
};

}  // namespace velvora
