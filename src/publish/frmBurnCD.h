// The Burn CD assistant: a small window that stays above every other while the user drags
// its picture, carrying the files of a CD publication, into a CD writing program.
#pragma once

#include <QDialog>

#include "base/Global.h"
#include "publish/DropSource.h"

class QLabel;
class QTimer;

namespace velvora {


class TBurnCD final : public QDialog {
    Q_OBJECT

public:
    // `files` are what the drag carries, in order.
    explicit TBurnCD(StringList files, QWidget* parent = nullptr);

    const TDropFileSource& DropFileSource() const { return DropFileSource1; }

    // Starts the drag; a drop on a target that accepts a copy closes the window.
    void Image1MouseDown();
    void Button1Click();
    // Keeps the window above the CD program while the user works there.
    void Timer1Timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();

    TDropFileSource DropFileSource1;
    QLabel* Image1 = nullptr;
    QTimer* Timer1 = nullptr;
};

// The main window's burn request: hides `mainWindow`, shows the assistant modally with
// `files`, then shows the main window again.
void ShowBurnCDWindow(QWidget& mainWindow, const StringList& files);

}  // namespace velvora
