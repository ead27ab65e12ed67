#pragma once
// The table of every skin picture by numeric id: what it shows, its size in pixels and the
// control that shows it. Window code places controls at these sizes; the artwork is drawn to them.

#include <vector>

#include "platform/PictureIds.h"

namespace orvek {

// Height of a closed skinned list box; the label columns are drawn so that their rows sit on
// the middle of lists of this height.
constexpr int kClosedListHeight = 24;

struct SkinPicture {
    int id;
    int width;
    int height;
    const char* shows;
    const char* shownBy;
};

// One line of text in a label picture, with the y of its middle in picture pixels.
struct SkinLabelRow {
    const char* text;
    int centreY;
};

class SkinCatalog {
public:
    // Every picture, in id order.
    static const std::vector<SkinPicture>& pictures();
    // nullptr for an id the skin does not have.
    static const SkinPicture* find(int id);
    // The lines of a label picture (lamp labels, label columns, single labels), top to bottom;
    // empty for every other picture.
    static const std::vector<SkinLabelRow>& labelRows(int id);
};

}  // namespace orvek
