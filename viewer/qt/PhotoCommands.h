// What the viewer lets a user do with one photo of the show, each only when the show allows
// it: copy the picture to the clipboard, or save the published image file. A failure is
// shown through the dialog service. Setting a photo as the wallpaper is not offered: Linux
// desktops each keep their own.
#pragma once

#include <functional>

#include <QList>
#include <QString>

#include "viewer/core/SlideShow.h"
#include "viewer/core/ViewerFeatures.h"

class QAction;
class QWidget;

namespace velvora {

// Adds Copy and Save... to `owner` as `features` allow, each acting on the photo `current`
// returns at the time (nothing when it returns null), and returns them.
QList<QAction*> AddPhotoActions(QWidget* owner, const SlideShow& show, const ViewerFeatures& features,
                                std::function<const SlidePhoto*()> current);

// Runs `command`, showing any error it throws as a warning.
void RunShowingErrors(const std::function<void()>& command);

}  // namespace velvora
