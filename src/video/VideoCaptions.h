// Captions written into video frames with Qt's text drawing, laid out as the viewers lay
// them out. Needs QtGui only, so the command line can draw them without a window.
#pragma once

#include "video/VideoRenderer.h"

namespace velvora {

// Darkens the caption's band over the bottom of the slide and writes the text on it in white,
// wrapped and centred. When the process has no Qt application yet, the first caption starts
// the QGuiApplication that font drawing needs, on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise.
CaptionPainter QtCaptionPainter();

}  // namespace velvora
