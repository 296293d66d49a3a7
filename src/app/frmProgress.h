// The "Please Wait" window that draws the shared progress state of long operations.
#pragma once

#include <functional>

#include <QDialog>

#include "base/Progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace velvora {

class TProgress final : public QDialog, public ProgressView {
    Q_OBJECT
public:
    // `cancel` runs once the user has confirmed Cancel.
    explicit TProgress(std::function<void()> cancel);

    void SetLine(ProgressLine line, const std::string& text) override;
    void SetBar(bool visible, int maximum, int position) override;
    void ShowCancel(bool visible) override;
    void Repaint() override;
    void RepaintStatus() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void btnCancelClick();
    QLabel* LabelOf(ProgressLine line) const;

    std::function<void()> cancel_;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    QPushButton* btnCancel = nullptr;
};

// Makes ProgressOpen show a TProgress window from now on.
void InstallProgressWindow();

}  // namespace velvora
