// The playback buttons of the viewer's window.
#include "viewer/win32/PlaybackToolbar.h"

#include <stdexcept>

namespace velvora {
namespace {

constexpr int ButtonWidth = 72;
constexpr int ButtonHeight = 24;
constexpr int Margin = 3;

HWND AddButton(HWND owner, int slot, const wchar_t* text, PlaybackCommand command) {
    // No tab stop: the keys belong to the show, and the owner takes the focus back after a click.
    const HWND button =
        CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                        Margin + slot * (ButtonWidth + Margin), Margin, ButtonWidth, ButtonHeight, owner,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(command)), GetModuleHandleW(nullptr), nullptr);
    if (!button) throw std::runtime_error("The viewer's buttons could not be created.");
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return button;
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
    AddButton(owner, slot, L"Exit", PlaybackCommand::Exit);
}

int PlaybackToolbar::Height() { return ButtonHeight + 2 * Margin; }

void PlaybackToolbar::ShowPaused(bool paused) const {
    if (pauseButton_) SetWindowTextW(pauseButton_, paused ? L"Play" : L"Pause");
}

}  // namespace velvora
