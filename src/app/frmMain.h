// The main window: owns the content panel that holds exactly one frame at a time.
#pragma once

#include <QMainWindow>

namespace velvora {

class TMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TMain(QWidget* parent = nullptr);

    QWidget* FrameContainer() const { return pnlFrameContain; }

private:
    void FormCreate();

    QWidget* pnlFrameContain = nullptr;
};

}  // namespace velvora
