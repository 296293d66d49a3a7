// The photo browser's list view.
#include "viewer/win32/PhotoBrowser.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "viewer/win32/PhotoCommands.h"
#include "viewer/win32/Win32Text.h"

namespace velvora {
namespace {

constexpr wchar_t PhotoBrowserClass[] = L"VelvoraPhotoBrowser";
constexpr int ListId = 1;

// A list thumbnail as a bitmap the image list can copy.
HBITMAP ThumbnailBitmap(const PixelBuffer& square) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = ListThumbnailSide;
    info.bmiHeader.biHeight = -ListThumbnailSide;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) std::copy(square.Pixels.begin(), square.Pixels.end(), static_cast<Pixel*>(bits));
    return bitmap;
}

WindowFrame BrowserFrame(HWND owner) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = (work.right - work.left) * 3 / 4, height = (work.bottom - work.top) * 3 / 4;
    return {WS_OVERLAPPEDWINDOW, work.left + width / 6, work.top + height / 6, width, height, owner};
}

}  // namespace

PhotoBrowser::PhotoBrowser(const SlideShow& show, const ViewerFeatures& features, std::function<void()> closed)
    : show_(show), features_(features), closed_(std::move(closed)), photos_(AllPhotos(show)) {}

PhotoBrowser::~PhotoBrowser() {
    photoWindow_.reset();
    if (thumbnails_) ImageList_Destroy(thumbnails_);
}

void PhotoBrowser::Open(HWND owner) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (!Create(PhotoBrowserClass, L"Photos - " + WideFromStored(show_.Title()), BrowserFrame(owner)))
        throw std::runtime_error("The list of photos could not be opened.");
    CreateList();
    AddThumbnails();
    AddItems();
    // Enter opens the first photo straight away.
    ListView_SetItemState(list_, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Show(SW_SHOWNORMAL);
    SetFocus(list_);
}

void PhotoBrowser::CreateList() {
    RECT client{};
    GetClientRect(Handle(), &client);
    list_ = CreateWindowExW(0, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SINGLESEL | LVS_AUTOARRANGE | LVS_SHAREIMAGELISTS, 0,
                            0, client.right, client.bottom, Handle(),
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ListId)), GetModuleHandleW(nullptr), nullptr);
    if (!list_) throw std::runtime_error("The list of photos could not be opened.");
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void PhotoBrowser::AddThumbnails() {
    thumbnails_ = ImageList_Create(ListThumbnailSide, ListThumbnailSide, ILC_COLOR32, int(photos_.size()), 0);
    if (!thumbnails_) throw std::runtime_error("There is not enough memory for the thumbnails.");
    for (const PhotoAddress& address : photos_) {
        const HBITMAP bitmap = ThumbnailBitmap(ListThumbnail(show_, PhotoAt(show_, address)));
        ImageList_Add(thumbnails_, bitmap, nullptr);
        if (bitmap) DeleteObject(bitmap);
    }
    // The list only shares the image list (LVS_SHAREIMAGELISTS); this object destroys it.
    ListView_SetImageList(list_, thumbnails_, LVSIL_NORMAL);
}

void PhotoBrowser::AddItems() {
    for (std::size_t index = 0; index < photos_.size(); ++index) {
        std::wstring label = WideFromStored(PhotoLabel(PhotoAt(show_, photos_[index]), features_));
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = int(index);
        item.iImage = int(index);
        item.pszText = label.data();
        ListView_InsertItem(list_, &item);
    }
}

int PhotoBrowser::SelectedItem() const { return ListView_GetNextItem(list_, -1, LVNI_SELECTED); }

// Some list views report Enter both as a return and as an activation; the second finds
// the photo already open.
void PhotoBrowser::OpenPhoto(int item) {
    if (item < 0 || item >= int(photos_.size())) return;
    if (photoWindow_ && photoWindow_->Handle() && item == openItem_) {
        SetForegroundWindow(photoWindow_->Handle());
        return;
    }
    openItem_ = item;
    try {
        photoWindow_.reset();
        photoWindow_ = std::make_unique<PhotoWindow>(show_, PhotoAt(show_, photos_[std::size_t(item)]), features_);
        photoWindow_->Open(Handle());
    } catch (const std::exception& error) {
        photoWindow_.reset();
        ShowCommandError(Handle(), error.what());
    }
}

void PhotoBrowser::ShowContextMenu(LPARAM where) {
    const int item = SelectedItem();
    if (item < 0) return;
    POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (point.x == -1 && point.y == -1) {  // from the keyboard: at the item
        RECT bounds{};
        ListView_GetItemRect(list_, item, &bounds, LVIR_ICON);
        point = {bounds.left, bounds.bottom};
        ClientToScreen(list_, &point);
    }
    const HMENU menu = CreatePhotoMenu(features_, true, false);
    const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, Handle(), nullptr);
    DestroyMenu(menu);
    if (chosen == static_cast<UINT>(PhotoCommand::Open))
        OpenPhoto(item);
    else if (chosen)
        RunPhotoCommand(chosen, Handle(), show_, PhotoAt(show_, photos_[std::size_t(item)]));
}

LRESULT PhotoBrowser::HandleNotify(const NMHDR& notice) {
    if (notice.idFrom != ListId) return 0;
    if (notice.code == LVN_ITEMACTIVATE) OpenPhoto(reinterpret_cast<const NMITEMACTIVATE&>(notice).iItem);
    if (notice.code == NM_RETURN) OpenPhoto(SelectedItem());
    if (notice.code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN&>(notice).wVKey == VK_ESCAPE)
        DestroyWindow(Handle());
    return 0;
}

LRESULT PhotoBrowser::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (list_) MoveWindow(list_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_SETFOCUS:
            if (list_) SetFocus(list_);
            return 0;
        case WM_NOTIFY:
            return HandleNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CONTEXTMENU:
            ShowContextMenu(lParam);
            return 0;
        case WM_DESTROY:
            photoWindow_.reset();
            if (closed_) closed_();
            return 0;
        default:
            break;
    }
    return Win32Window::HandleMessage(message, wParam, lParam);
}

}  // namespace velvora
