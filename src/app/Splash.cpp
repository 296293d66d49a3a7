#include "app/Splash.h"

#include <algorithm>

#include <QEventLoop>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>

namespace velvora {

static constexpr QSize SplashSize(360, 150);

TStartupSplash::TStartupSplash()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      start_(std::chrono::steady_clock::now()) {
    setFixedSize(SplashSize);
    if (QScreen* screen = this->screen()) move(screen->geometry().center() - rect().center());
}

void TStartupSplash::ShowAndHold(std::chrono::milliseconds total) {
    show();
    repaint();
    using namespace std::chrono;
    auto remaining = std::min(total, total - duration_cast<milliseconds>(steady_clock::now() - start_));
    if (remaining.count() <= 0) return;
    // An event loop rather than a sleep, so that the window is redrawn if it is exposed.
    QEventLoop hold;
    QTimer::singleShot(remaining, &hold, &QEventLoop::quit);
    hold.exec(QEventLoop::ExcludeUserInputEvents);
}

void TStartupSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(0x1f, 0x3f, 0x8f));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    QSvgRenderer logo(QStringLiteral(":/artwork/logo.svg"));
    logo.render(&painter, QRectF(29, 30, 302, 56));
    painter.setPen(QColor(0x55, 0x55, 0x77));
    painter.drawText(QRect(0, 100, width(), 24), Qt::AlignCenter, tr("Starting..."));
}

}  // namespace velvora
