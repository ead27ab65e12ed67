#include "gui/desktop/UrlOpener.h"

namespace orvek {

QUrl urlForLink(const std::string& link) {
    const QString text = QString::fromStdString(link).trimmed();
    if (text.isEmpty()) return QUrl();
    if (!text.contains(QStringLiteral("://")))
        return QUrl(QStringLiteral("http://") + text, QUrl::StrictMode);
    return QUrl(text, QUrl::StrictMode);
}

}  // namespace orvek
