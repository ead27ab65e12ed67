#include "gui/desktop/UrlOpener.h"

#include <QDesktopServices>

namespace orvek {

QUrl urlForLink(const std::string& link) {
    const QString text = QString::fromStdString(link).trimmed();
    if (text.isEmpty()) return QUrl();
    if (!text.contains(QStringLiteral("://")))
        return QUrl(QStringLiteral("http://") + text, QUrl::StrictMode);
    return QUrl(text, QUrl::StrictMode);
}

void DesktopUrlOpener::open(const std::string& link) {
    const QUrl url = urlForLink(link);
    if (url.isValid() && !url.isEmpty()) QDesktopServices::openUrl(url);
}

}  // namespace orvek
