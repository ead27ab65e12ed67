#pragma once
// Fonts of the skinned controls, asked for by the face names the pages use. Faces that Debian
// does not ship (Arial, Microsoft Sans Serif, MS Shell Dlg) become the metric-compatible
// Liberation Sans, so that text lines up the same on every machine.

#include <QFont>
#include <QString>

namespace orvek {

// The face that is really used for a requested face name.
QString resolvedFontFace(const QString& face);
// A font of the requested face at a size given in tenths of a point.
QFont skinFont(const QString& face, int tenthsOfPoint);

}  // namespace orvek
