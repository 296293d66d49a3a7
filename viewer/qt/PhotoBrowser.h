// The list of every photo of the show, each with its thumbnail and label, and the window
// showing one of them fitted. Opening an item shows its photo; the photo commands the show
// allows are on a right click, and in the photo window's menu.
#pragma once

#include <memory>
#include <vector>

#include <QMainWindow>
#include <QWidget>

#include "viewer/core/PixelBuffer.h"
#include "viewer/core/SlideShow.h"
#include "viewer/core/ViewerFeatures.h"

class QCloseEvent;
class QKeyEvent;
class QListWidget;

namespace velvora {

class PhotoWindow : public QMainWindow {
    Q_OBJECT

public:
    // Decodes the photo; throws EPictureError or EPackageError when it cannot be shown.
    PhotoWindow(const SlideShow& show, const SlidePhoto& photo, const ViewerFeatures& features, QWidget* parent);

    // The picture as drawn last, in the window's picture area.
    const PixelBuffer& Fitted() const;
    // Copy and Save... as the show allows them.
    const QList<QAction*>& Commands() const { return commands_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class FittedPicture;
    FittedPicture* picture_ = nullptr;
    QList<QAction*> commands_;
};

class PhotoListWindow : public QWidget {
    Q_OBJECT

public:
    PhotoListWindow(const SlideShow& show, const ViewerFeatures& features, QWidget* parent);
    ~PhotoListWindow() override;

    QListWidget* List() const { return list_; }
    // Shows the photo of list row `row` in the photo window, or says why it cannot.
    void OpenPhoto(int row);
    // The photo window, while one is open.
    PhotoWindow* OpenPhotoWindow() const { return photoWindow_.get(); }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void AddItems();
    const SlidePhoto* CurrentPhoto() const;

    const SlideShow& show_;
    ViewerFeatures features_;
    std::vector<PhotoAddress> photos_;
    QListWidget* list_ = nullptr;
    std::unique_ptr<PhotoWindow> photoWindow_;
    int openRow_ = -1;
};

}  // namespace velvora
