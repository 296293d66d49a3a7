// The drag source of the burn assistant: a list of files dragged out of the tool, copy only,
// as text/uri-list for whatever CD writing program the user drops them on.
#pragma once

#include <memory>

#include "base/Global.h"

class QMimeData;

namespace velvora {

class TDropFileSource {
public:
    StringList Files;  // full paths, in the order the target receives them

    // The data a drag carries: one file URL per path.
    std::unique_ptr<QMimeData> MimeData() const;
    // Runs the drag until the button is released or Escape is pressed.
    // True when a target accepted a copy; a release over a window that takes no files, or
    // over the assistant itself, is no drop.
    bool Execute() const;
};

}  // namespace velvora
