#pragma once
// Gallery section: the pictures and controls placed as the window and its pages place them, so
// that labels can be checked against the lists they label.

#include "GallerySheet.h"

namespace orvek {

void addPageMockups(GallerySheet& sheet);

}  // namespace orvek
