#include "resources/SkinRegistry.h"

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

}  // namespace

QString SkinRegistry::resourcePath(int id) { return QStringLiteral(":/skin/%1.png").arg(id); }

QImage SkinRegistry::image(int id) {
    if (!SkinCatalog::find(id)) return {};
    ensureResources();
    return QImage(resourcePath(id));
}

QPixmap SkinRegistry::pixmap(int id) {
    if (!SkinCatalog::find(id)) return {};
    ensureResources();
    const QString key = QStringLiteral("orvek-skin-%1").arg(id);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) return cached;
    QPixmap loaded(resourcePath(id));
    if (!loaded.isNull()) QPixmapCache::insert(key, loaded);
    return loaded;
}

const std::vector<SkinPicture>& SkinRegistry::pictures() { return SkinCatalog::pictures(); }

}  // namespace orvek
