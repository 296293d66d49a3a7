// The optional row of native push buttons along the top of the viewer's window: Previous,
// Pause (Play while paused) and Next unless the show hides them, About and Photos when the
// show offers them, Exit, and to their right the position in the play list. Each button sends its command to the owner
// as WM_COMMAND.
#pragma once

#include <windows.h>

#include <string>

#include "viewer/core/ViewerFeatures.h"

namespace velvora {

enum class PlaybackCommand : WORD { Previous = 101, Pause, Next, About, Photos, Exit };

class PlaybackToolbar {
public:
    // Adds the buttons `features` asks for to `owner`'s client area; throws
    // std::runtime_error when Windows refuses.
    void Create(HWND owner, const ViewerFeatures& features);
    // The height of the strip the buttons take at the top of the owner's client area.
    static int Height();
    // Labels the pause button by what a click does next.
    void ShowPaused(bool paused) const;
    // Writes `text` into the position label, when it differs from what it shows.
    void ShowPosition(const std::wstring& text);

private:
    HWND pauseButton_ = nullptr;
    HWND position_ = nullptr;
    std::wstring positionText_;
};

}  // namespace velvora
