// Clipboard, saving and wallpaper for one photo.
#include "viewer/win32/PhotoCommands.h"

// commdlg.h and shlobj.h need the types of windows.h.
#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <vector>

#include "viewer/core/FileReplacing.h"
#include "viewer/core/PictureEncoding.h"
#include "viewer/win32/Win32FileStream.h"
#include "viewer/win32/Win32Text.h"

namespace velvora {
namespace {

void AppendItem(HMENU menu, PhotoCommand command, const wchar_t* text) {
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command), text);
}

void CopyToClipboard(HWND owner, const SlideShow& show, const SlidePhoto& photo) {
    const std::vector<std::uint8_t> bmp = EncodeBmpFile(show.LoadPicture(photo));
    // The clipboard's CF_DIB is a BMP file without its file header.
    const std::size_t size = bmp.size() - BmpFileHeaderBytes;
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    void* bytes = memory ? GlobalLock(memory) : nullptr;
    if (!bytes) {
        if (memory) GlobalFree(memory);
        throw std::runtime_error("There is not enough memory to copy this photo.");
    }
    std::memcpy(bytes, bmp.data() + BmpFileHeaderBytes, size);
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        throw std::runtime_error("The clipboard is in use by another program.");
    }
    EmptyClipboard();
    const bool taken = SetClipboardData(CF_DIB, memory) != nullptr;
    CloseClipboard();
    if (!taken) {
        GlobalFree(memory);
        throw std::runtime_error("The photo could not be placed on the clipboard.");
    }
}

// The file calls of the replacing write, on UTF-16 paths.
class Win32FileSystem : public FileSystem {
public:
    bool WriteNew(const std::string& path, std::span<const std::uint8_t> bytes) override {
        try {
            Win32FileStream file(WideFromStored(path), Win32FileStream::Mode::Create);
            file.Write(bytes);
            file.Close();
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }
    bool Replace(const std::string& from, const std::string& to) override {
        return MoveFileExW(WideFromStored(from).c_str(), WideFromStored(to).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    void Remove(const std::string& path) override { DeleteFileW(WideFromStored(path).c_str()); }
};

void WriteFileReplacing(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    Win32FileSystem files;
    WriteFileReplacing(files, Utf8FromWide(path), bytes);
}

void SaveImageFile(HWND owner, const SlideShow& show, const SlidePhoto& photo) {
    const std::vector<std::uint8_t> bytes = show.ImageBytes(photo);
    std::wstring path = WideFromStored(SuggestedSaveName(photo, bytes));
    path.resize(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = L"Pictures (*.jpg;*.jpeg;*.bmp)\0*.jpg;*.jpeg;*.bmp\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrTitle = L"Save Photo";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) return;  // cancelled
    path.resize(std::wcslen(path.c_str()));
    WriteFileReplacing(path, bytes);
}

std::wstring WallpaperPath() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder)))
        throw std::runtime_error("The folder for the wallpaper could not be found.");
    const std::wstring ownFolder = std::wstring(folder) + L"\\Velvora";
    if (!CreateDirectoryW(ownFolder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw std::runtime_error("The folder \"" + Utf8FromWide(ownFolder) + "\" could not be created.");
    return ownFolder + L"\\Wallpaper.bmp";
}

void SetAsWallpaper(const SlideShow& show, const SlidePhoto& photo) {
    const std::vector<std::uint8_t> bmp = EncodeBmpFile(show.LoadPicture(photo));
    std::wstring path = WallpaperPath();
    WriteFileReplacing(path, bmp);
    if (!SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE))
        throw std::runtime_error("Windows did not accept the photo as the wallpaper.");
}

}  // namespace

HMENU CreatePhotoMenu(const ViewerFeatures& features, bool withOpen, bool menuBar) {
    if (!withOpen && !features.CopyPhoto && !features.SavePhoto && !features.WallpaperPhoto) return nullptr;
    const HMENU items = CreatePopupMenu();
    if (withOpen) AppendItem(items, PhotoCommand::Open, L"&Open");
    if (features.CopyPhoto) AppendItem(items, PhotoCommand::Copy, L"&Copy");
    if (features.SavePhoto) AppendItem(items, PhotoCommand::Save, L"&Save...");
    if (features.WallpaperPhoto) AppendItem(items, PhotoCommand::Wallpaper, L"Set as &Wallpaper");
    if (!menuBar) return items;
    const HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(items), L"&Photo");
    return bar;
}

bool RunPhotoCommand(UINT id, HWND owner, const SlideShow& show, const SlidePhoto& photo) {
    try {
        switch (static_cast<PhotoCommand>(id)) {
            case PhotoCommand::Copy:
                CopyToClipboard(owner, show, photo);
                return true;
            case PhotoCommand::Save:
                SaveImageFile(owner, show, photo);
                return true;
            case PhotoCommand::Wallpaper:
                SetAsWallpaper(show, photo);
                return true;
            default:
                return false;
        }
    } catch (const std::exception& error) {
        ShowCommandError(owner, error.what());
    }
    return true;
}

void ShowCommandError(HWND owner, std::string_view message) {
    MessageBoxW(owner, WideFromStored(message).c_str(), L"Slide show", MB_OK | MB_ICONERROR);
}

}  // namespace velvora
