// The sans face of the skin on Windows: every Windows has Arial, and the dialog faces (MS Shell
// Dlg, the bitmap MS Sans Serif) are drawn with it too, as they are with its twin on Linux.
#include "gui/controls/SkinFont.h"

namespace orvek {

const char* const kSansFace = "Arial";

}  // namespace orvek
