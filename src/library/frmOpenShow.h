// The open-show frame: the library's shows as cards, to open, delete or start anew.
#pragma once

#include <QWidget>

class QListWidget;
class QPushButton;

namespace velvora {

class ShellRequests;
struct ShowRecord;

class TFrameOpenShow : public QWidget {
    Q_OBJECT
public:
    explicit TFrameOpenShow(ShellRequests& shell, QWidget* parent = nullptr);

    // Lists the library's shows (ListShows), sorted by title without regard to case.
    void FillList();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Row of the selected show, or -1.
    int SelectedRow() const;
    ShowRecord RecordAt(int row) const;
    void btnOpenClick();
    void btnDeleteClick();
    void btnCreateClick();
    void btnCancelClick();

    ShellRequests& shell_;
    QListWidget* lbxShows = nullptr;
    QPushButton* btnOpen = nullptr;
    QPushButton* btnCreate = nullptr;
    QPushButton* btnDelete = nullptr;
    QPushButton* btnCancel = nullptr;
};

}  // namespace velvora
