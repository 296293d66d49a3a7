#include "library/frmNewSlideShow.h"

#include "app/ShellRequests.h"

namespace velvora {

TFrameNewSlideShow::TFrameNewSlideShow(ShellRequests& shell, QWidget* parent) : QWidget(parent), shell_(shell) {}

void TFrameNewSlideShow::FocusTitle() {}

}  // namespace velvora
