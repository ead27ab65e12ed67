#pragma once
// When the skinned controls draw their focus outline: while the racer works with the keyboard.
// A key press shows the outline of the control with the focus, a mouse press hides it again, as
// desktops show focus cues only to keyboard users; a control the mouse just clicked keeps its
// clicked look. The window starts as for the mouse: nothing is outlined until a key is pressed.
#include <QWidget>

namespace orvek::focusCue {

// Starts following the presses (once per application); each control that draws the outline
// calls it when it is made, so that no key pressed before its first paint is missed.
void follow();
// True when `widget` has the keyboard focus and the last press was a key's.
bool shown(const QWidget& widget);

}  // namespace orvek::focusCue
