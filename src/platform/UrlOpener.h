// Opening help files and web pages in the desktop's default program, behind a hook so
// that tests can see the address without starting a browser.
#pragma once

#include <functional>

#include <QUrl>

namespace velvora {

// Returns false when the desktop could not open the address.
using UrlOpenerFunction = std::function<bool(const QUrl&)>;

// Opens `url` with the installed opener (QDesktopServices::openUrl unless replaced).
bool OpenUrl(const QUrl& url);
// Installs `opener` and returns the previous one.
UrlOpenerFunction SetUrlOpener(UrlOpenerFunction opener);

}  // namespace velvora
