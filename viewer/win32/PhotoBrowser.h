// The list of every photo of the show, each with its thumbnail and label. Opening an item
// shows the photo in a window of its own; a right click offers the photo commands the show
// allows.
#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h.
#include <commctrl.h>

#include <functional>
#include <memory>
#include <vector>

#include "viewer/core/SlideShow.h"
#include "viewer/core/ViewerFeatures.h"
#include "viewer/win32/PhotoWindow.h"
#include "viewer/win32/Win32Window.h"

namespace velvora {

class PhotoBrowser : public Win32Window {
public:
    // `closed` runs when the user closes the list.
    PhotoBrowser(const SlideShow& show, const ViewerFeatures& features, std::function<void()> closed);
    ~PhotoBrowser() override;

    // Opens the list above `owner`. Throws std::runtime_error when Windows refuses.
    void Open(HWND owner);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateList();
    void AddThumbnails();
    void AddItems();
    int SelectedItem() const;
    void OpenPhoto(int item);
    void ShowContextMenu(LPARAM where);
    LRESULT HandleNotify(const NMHDR& notice);

    const SlideShow& show_;
    ViewerFeatures features_;
    std::function<void()> closed_;
    std::vector<PhotoAddress> photos_;
    HWND list_ = nullptr;
    HIMAGELIST thumbnails_ = nullptr;
    std::unique_ptr<PhotoWindow> photoWindow_;
    int openItem_ = -1;
};

}  // namespace velvora
