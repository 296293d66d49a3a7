#include "platform/UrlOpener.h"

#include <utility>

#include <QDesktopServices>

namespace velvora {

static UrlOpenerFunction& CurrentOpener() {
    static UrlOpenerFunction opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return opener;
}

bool OpenUrl(const QUrl& url) { return CurrentOpener()(url); }

UrlOpenerFunction SetUrlOpener(UrlOpenerFunction opener) { return std::exchange(CurrentOpener(), std::move(opener)); }

}  // namespace velvora
