// What a frame in the main window may ask of it. Frame changes are posted, so a frame
// can ask to be replaced from inside its own click handler.
#pragma once

#include <string>

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

}  // namespace velvora
