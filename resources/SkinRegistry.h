#pragma once
// Hands out the skin pictures by numeric id, from the artwork compiled into the program. Every
// picture exists at 1x and at 2x; on a screen scaled above 1 the 2x picture is handed out with a
// device pixel ratio of 2, so that it is drawn at its logical size from the sharper source.
// A picture with words exists in each language too; the window's language picks it, English
// serving where a language has none of its own.

#include <QImage>
#include <QPixmap>
#include <QString>

#include <vector>

#include "resources/SkinCatalog.h"

namespace orvek {

class SkinRegistry {
public:
    // The picture for an id at the application's device pixel ratio; a null pixmap for an id
    // the skin does not have. GUI thread only.
    static QPixmap pixmap(int id);
    // The picture drawn for screens of `devicePixelRatio`: the 1x source at 1, the 2x source
    // (device pixel ratio 2) above it.
    static QPixmap pixmap(int id, qreal devicePixelRatio);
    // The 1x picture as an image; safe on any thread (workers hand it to the GUI thread).
    static QImage image(int id);
    // The picture as an image from the source for `devicePixelRatio`, as pixmap() chooses it.
    static QImage image(int id, qreal devicePixelRatio);
    // Every id the skin knows, with its intended size, in id order.
    static const std::vector<SkinPicture>& pictures();
    // Where the artwork of an id lives in the compiled-in resources, 1x or 2x: the English one.
    static QString resourcePath(int id, int scale = 1);
    // The one drawn in the current language, English where the language has none of its own.
    static QString languagePath(int id, int scale = 1);
    // The language of the pictures handed out ("de", "ja", "fr"; "en" at first). GUI thread, before
    // the widgets that show them are made.
    static void setLanguage(const QString& code);
    static QString language();
    // The source scale for a device pixel ratio: 1 at 1 and below, 2 above.
    static int sourceScale(qreal devicePixelRatio) { return devicePixelRatio > 1.0 ? 2 : 1; }
};

}  // namespace orvek
