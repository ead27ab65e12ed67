#pragma once
// Hands out the skin pictures by numeric id, from the artwork compiled into the program.

#include <QImage>
#include <QPixmap>
#include <QString>

#include <vector>

#include "resources/SkinCatalog.h"

namespace orvek {

class SkinRegistry {
public:
    // The picture for an id; a null pixmap for an id the skin does not have. GUI thread only.
    static QPixmap pixmap(int id);
    // The same picture as an image; safe on any thread (workers hand it to the GUI thread).
    static QImage image(int id);
    // Every id the skin knows, with its intended size, in id order.
    static const std::vector<SkinPicture>& pictures();
    // Where the artwork of an id lives in the compiled-in resources.
    static QString resourcePath(int id);
};

}  // namespace orvek
