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

// Asks where to save a photo, starting from the file name `suggested`; empty when cancelled.
using SavePathPicker = std::function<QString(QWidget* parent, const QString& suggested)>;
// Installs the picker Save... asks (the file dialog unless a test installed another) and
// returns the previous one.
SavePathPicker SetSavePathPicker(SavePathPicker picker);

// Adds Copy and Save... to `owner` as `features` allow, each acting on the photo `current`
// returns at the time (nothing when it returns null), and returns them.
QList<QAction*> AddPhotoActions(QWidget* owner, const SlideShow& show, const ViewerFeatures& features,
                                std::function<const SlidePhoto*()> current);

// Runs `command`, showing any error it throws as a warning.
void RunShowingErrors(const std::function<void()>& command);

}  // namespace velvora
