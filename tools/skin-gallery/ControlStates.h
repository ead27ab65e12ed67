#pragma once
// Gallery section: both skinned controls in each of their states, driven by real events.

#include "GallerySheet.h"

namespace orvek {

void addControlStates(GallerySheet& sheet);

}  // namespace orvek
