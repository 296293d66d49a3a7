// What a frame in the main window, or a dialog above it, may ask of it. Frame changes are
// posted, so a frame can ask to be replaced from inside its own click handler. The frames
// and the publishing dialogs know the main window only through these.
#pragma once

#include <functional>
#include <string>

#include "base/Global.h"

namespace velvora {

class ShellRequests {
public:
    virtual ~ShellRequests() = default;
    virtual void RequestNewShow() = 0;
    virtual void RequestOpenShow() = 0;
    virtual void RequestStartPage() = 0;
    // Makes `showFolder` (absolute, trailing separator) the open show and requests the editor.
    virtual void OpenShow(const std::string& showFolder) = 0;
};

// What the editor frame needs of the main window besides frame changes.
class EditorHost : public ShellRequests {
public:
    // The editor's pane width and "ask before deleting photos", kept between shows.
    virtual int CategoryPaneWidth() const = 0;
    virtual void SetCategoryPaneWidth(int width) = 0;
    virtual bool PhotoDeleteAsk() const = 0;
    virtual void SetPhotoDeleteAsk(bool ask) = 0;
    // The pictures the user picks in the Add Photos file picker, in stored spelling.
    virtual StringList PickPictures(const std::string& title) = 0;
    // Keeps the main window from taking input while work it started runs elsewhere.
    virtual void SetShellEnabled(bool enabled) = 0;
};

// Hands `files` to the burn assistant through the installed handler, the main window's;
// nothing happens while none is installed.
void OfferForBurning(const StringList& files);
// Installs `handler` (an empty one removes it) and returns the previous one.
std::function<void(const StringList&)> SetBurnOfferHandler(std::function<void(const StringList&)> handler);

}  // namespace velvora
