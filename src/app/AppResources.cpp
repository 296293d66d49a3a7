#include "app/AppResources.h"

#include <QPainter>
#include <QSvgRenderer>

#include "app/frmAbout.h"

namespace velvora {

QPixmap LoadLogo() {
    QPixmap logo(LogoWidth, LogoHeight);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    QSvgRenderer(QStringLiteral(":/artwork/logo.svg")).render(&painter);
    return logo;
}

void ShowAbout(QWidget* parent) {
    TAbout about(parent);
    about.exec();
}

}  // namespace velvora
