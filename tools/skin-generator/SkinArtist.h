#pragma once
// Draws the skin pictures: one function per area of the program, each answering for its own ids.

#include <QImage>

#include "resources/SkinCatalog.h"

namespace orvek::art {

// The picture for a catalogue entry at the entry's size; a null image for an id nobody draws.
QImage drawPicture(const SkinPicture& picture);

// Each returns a null image for ids that are not its own.
QImage drawMainWindowPicture(const SkinPicture& picture);
QImage drawSettingsPagePicture(const SkinPicture& picture);
QImage drawFirmwarePagePicture(const SkinPicture& picture);
QImage drawLinksPagePicture(const SkinPicture& picture);

}  // namespace orvek::art
