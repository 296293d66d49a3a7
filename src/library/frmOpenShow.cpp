#include "library/frmOpenShow.h"

#include "app/ShellRequests.h"

namespace velvora {

TFrameOpenShow::TFrameOpenShow(ShellRequests& shell, QWidget* parent) : QWidget(parent), shell_(shell) {}

void TFrameOpenShow::FillList() {}

}  // namespace velvora
