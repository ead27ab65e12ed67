#pragma once
// Fonts of the skinned controls, asked for by the face names the pages use. The Windows sans
// faces (Arial, Microsoft Sans Serif, MS Shell Dlg) become Arial on Windows and its
// metric-compatible twin Liberation Sans elsewhere (SkinFontWindows.cpp, SkinFontPosix.cpp), so
// that text lines up the same on every machine.

#include <QFont>
#include <QString>

namespace orvek {

// The face the Windows sans faces are drawn with on this system.
extern const char* const kSansFace;
// The face that is really used for a requested face name.
QString resolvedFontFace(const QString& face);
// A font of the requested face at a size given in tenths of a point.
QFont skinFont(const QString& face, int tenthsOfPoint);

}  // namespace orvek
