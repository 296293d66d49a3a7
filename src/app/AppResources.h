// The tool's own pictures and the About box.
#pragma once

#include <QPixmap>

class QWidget;

namespace velvora {

inline constexpr int LogoWidth = 302;
inline constexpr int LogoHeight = 56;

// The product logo drawn at its design size.
QPixmap LoadLogo();
// Shows the About box modally over `parent`.
void ShowAbout(QWidget* parent = nullptr);

}  // namespace velvora
