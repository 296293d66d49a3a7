// What the viewer lets a user do with one photo of the show, each only when the show allows
// it: copy the picture to the clipboard, save the published image file, or make the picture
// the desktop's wallpaper.
#pragma once

#include <windows.h>

#include <string_view>

#include "viewer/core/SlideShow.h"
#include "viewer/core/ViewerFeatures.h"

namespace velvora {

enum class PhotoCommand : UINT { Open = 201, Copy, Save, Wallpaper };

// A menu of the commands `features` allows, with Open first when `withOpen`; a popup menu
// for TrackPopupMenu, or a window's menu bar holding them under "Photo". Null when there
// would be nothing in it.
HMENU CreatePhotoMenu(const ViewerFeatures& features, bool withOpen, bool menuBar);

// Runs command `id` (Copy, Save or Wallpaper) on `photo`, with `owner` owning any window it
// opens; a failure is shown in a message box. Returns false for any other id.
bool RunPhotoCommand(UINT id, HWND owner, const SlideShow& show, const SlidePhoto& photo);

// The viewer's message box for a command that failed; `message` is UTF-8.
void ShowCommandError(HWND owner, std::string_view message);

}  // namespace velvora
