// The viewer's main window. For now it shows the title of the published show; the slides
// are drawn into it later.
#pragma once

#include <string>

#include "viewer/win32/Win32Window.h"

namespace velvora {

class ViewerWindow : public Win32Window {
public:
    explicit ViewerWindow(std::wstring title) : title_(std::move(title)) {}

    // Creates and shows the window, captioned with the show's title.
    bool Open(int showCommand);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    std::wstring title_;
};

}  // namespace velvora
