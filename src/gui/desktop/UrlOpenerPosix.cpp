// Opening a web address on Linux and other POSIX desktops: Qt asks the desktop (xdg-open, the
// portal) for the racer's browser.
#include <QDesktopServices>

#include "gui/desktop/UrlOpener.h"

namespace orvek {

void DesktopUrlOpener::open(const std::string& link) {
    const QUrl url = urlForLink(link);
    if (url.isValid() && !url.isEmpty()) QDesktopServices::openUrl(url);
}

}  // namespace orvek
