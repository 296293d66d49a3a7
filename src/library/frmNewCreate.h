// The start page: three large choices (new show, open show, exit) on a panel kept centred.
#pragma once

#include <QWidget>

class QAbstractButton;

namespace velvora {

class ShellRequests;

class TFrameNewCreate : public QWidget {
    Q_OBJECT
public:
    explicit TFrameNewCreate(ShellRequests& shell, QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void btnNewClick();
    void btnOpenClick();
    void btnExitClick();

    ShellRequests& shell_;
    QWidget* pnlOptions = nullptr;
    QAbstractButton* btnNew = nullptr;
    QAbstractButton* btnOpen = nullptr;
    QAbstractButton* btnExit = nullptr;
};

}  // namespace velvora
