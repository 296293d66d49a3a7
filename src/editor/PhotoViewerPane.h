// The viewer pane that takes the photo list's place: the current photo fitted to the pane
// on its background colour, with Previous and Next below.
#pragma once

#include <QImage>
#include <QWidget>

class QLabel;
class QToolButton;

namespace velvora {

inline constexpr int ViewerBarHeight = 24;

class TPhotoViewerPane : public QWidget {
    Q_OBJECT
public:
    explicit TPhotoViewerPane(QWidget* parent = nullptr);

    // Shows `picture` fitted to the pane; a null image leaves the pane empty.
    void ShowPicture(const QImage& picture);
    void HidePicture();
    void SetBackground(const QColor& color);
    // Where the picture is drawn, in pane coordinates; empty while none is shown.
    QRect PictureRect() const;

signals:
    void PreviousClicked();
    void NextClicked();
    // A double-click on the picture (true) or on the pane around it (false).
    void DoubleClicked(bool onPicture);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fit();

    QImage picture_;
    QLabel* imgViewPhoto = nullptr;
    QToolButton* btnPhotoPrevious = nullptr;
    QToolButton* btnPhotoNext = nullptr;
};

}  // namespace velvora
