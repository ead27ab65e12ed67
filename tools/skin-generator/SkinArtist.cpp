#include "SkinArtist.h"

namespace orvek::art {

QImage drawPicture(const SkinPicture& picture) {
    for (auto draw : {drawMainWindowPicture, drawSettingsPagePicture, drawFirmwarePagePicture,
                      drawLinksPagePicture}) {
        QImage image = draw(picture);
        if (!image.isNull()) return image;
    }
    return {};
}

}  // namespace orvek::art
