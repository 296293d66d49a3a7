#include "library/frmNewCreate.h"

#include "app/ShellRequests.h"

namespace velvora {

TFrameNewCreate::TFrameNewCreate(ShellRequests& shell, QWidget* parent) : QWidget(parent), shell_(shell) {}

}  // namespace velvora
