#include "resources/SkinRegistry.h"

#include <QFile>
#include <QGuiApplication>
#include <QPixmapCache>

#include <mutex>

// The resource file lives in a static library: nothing would pull its object file into the
// program unless its initialiser is referenced, and the macro must be used outside a namespace.
static void initSkinResources() { Q_INIT_RESOURCE(skin); }

namespace orvek {
namespace {

void ensureResources() {
    static std::once_flag once;
    std::call_once(once, initSkinResources);
}

QString& currentLanguage() {
    static QString language = QStringLiteral("en");
    return language;
}

}  // namespace

void SkinRegistry::setLanguage(const QString& code) { currentLanguage() = code; }

QString SkinRegistry::language() { return currentLanguage(); }

QString SkinRegistry::languagePath(int id, int scale) {
    ensureResources();
    const QString& language = currentLanguage();
    if (language != QLatin1String("en")) {
        const QString own = scale == 1 ? QStringLiteral(":/skin/%1/%2.png").arg(language).arg(id)
                                       : QStringLiteral(":/skin/%1/%2@%3x.png")
                                             .arg(language)
                                             .arg(id)
                                             .arg(scale);
        if (QFile::exists(own)) return own;
    }
    return resourcePath(id, scale);
}

QString SkinRegistry::resourcePath(int id, int scale) {
    return scale == 1 ? QStringLiteral(":/skin/%1.png").arg(id)
                      : QStringLiteral(":/skin/%1@%2x.png").arg(id).arg(scale);
}

QImage SkinRegistry::image(int id) { return image(id, 1.0); }

QImage SkinRegistry::image(int id, qreal devicePixelRatio) {
    if (!SkinCatalog::find(id)) return {};
    ensureResources();
    // The reader takes the device pixel ratio from the "@2x" in the name.
    return QImage(languagePath(id, sourceScale(devicePixelRatio)));
}

QPixmap SkinRegistry::pixmap(int id) { return pixmap(id, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0); }

QPixmap SkinRegistry::pixmap(int id, qreal devicePixelRatio) {
    if (!SkinCatalog::find(id)) return {};
    ensureResources();
    const int scale = sourceScale(devicePixelRatio);
    const QString key =
        QStringLiteral("orvek-skin-%1-%2@%3").arg(currentLanguage()).arg(id).arg(scale);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) return cached;
    QPixmap loaded(languagePath(id, scale));
    loaded.setDevicePixelRatio(scale);
    if (!loaded.isNull()) QPixmapCache::insert(key, loaded);
    return loaded;
}

const std::vector<SkinPicture>& SkinRegistry::pictures() { return SkinCatalog::pictures(); }

}  // namespace orvek
