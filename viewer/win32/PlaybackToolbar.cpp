// The playback buttons of the viewer's window.
#include "viewer/win32/PlaybackToolbar.h"

#include <stdexcept>

namespace velvora {
namespace {

constexpr int ButtonWidth = 72;
constexpr int ButtonHeight = 24;
constexpr int Margin = 3;
constexpr int PositionWidth = 96;

int SlotLeft(int slot) { return Margin + slot * (ButtonWidth + Margin); }

HWND AddControl(HWND owner, const wchar_t* className, const wchar_t* text, DWORD style, int left, int width,
                UINT_PTR id) {
    const HWND control =
        CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, left, Margin, width, ButtonHeight, owner,
                        reinterpret_cast<HMENU>(id), GetModuleHandleW(nullptr), nullptr);
    if (!control) throw std::runtime_error("The viewer's buttons could not be created.");
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

// No tab stop: the keys belong to the show, and the owner takes the focus back after a click.
HWND AddButton(HWND owner, int slot, const wchar_t* text, PlaybackCommand command) {
    return AddControl(owner, L"BUTTON", text, BS_PUSHBUTTON, SlotLeft(slot), ButtonWidth,
                      static_cast<UINT_PTR>(command));
}

}  // namespace

void PlaybackToolbar::Create(HWND owner, const ViewerFeatures& features) {
    int slot = 0;
    if (features.PlaybackButtons) {
        AddButton(owner, slot++, L"Previous", PlaybackCommand::Previous);
        pauseButton_ = AddButton(owner, slot++, L"Pause", PlaybackCommand::Pause);
        AddButton(owner, slot++, L"Next", PlaybackCommand::Next);
    }
    if (features.About) AddButton(owner, slot++, L"About", PlaybackCommand::About);
    if (features.PhotoBrowser) AddButton(owner, slot++, L"Photos", PlaybackCommand::Photos);
    AddButton(owner, slot++, L"Exit", PlaybackCommand::Exit);
    position_ = AddControl(owner, L"STATIC", L"", SS_CENTERIMAGE | SS_LEFT, SlotLeft(slot) + Margin, PositionWidth, 0);
}

int PlaybackToolbar::Height() { return ButtonHeight + 2 * Margin; }

void PlaybackToolbar::ShowPaused(bool paused) const {
    if (pauseButton_) SetWindowTextW(pauseButton_, paused ? L"Play" : L"Pause");
}

void PlaybackToolbar::ShowPosition(const std::wstring& text) {
    if (!position_ || text == positionText_) return;
    positionText_ = text;
    SetWindowTextW(position_, text.c_str());
}

}  // namespace velvora
