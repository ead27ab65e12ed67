#include "gui/controls/SkinFont.h"

#include <QStringList>

#include "gui/controls/SkinPalette.h"

namespace orvek {

QString resolvedFontFace(const QString& face) {
    // The skin's faces and the older names Windows keeps for its dialog face.
    static const QStringList windowsSans = {
        QString::fromLatin1(skin::kCaptionFace), QString::fromLatin1(skin::kListFace),
        QString::fromLatin1(skin::kDialogFace), QStringLiteral("MS Shell Dlg 2"),
        QStringLiteral("MS Sans Serif")};
    for (const QString& name : windowsSans) {
        if (face.compare(name, Qt::CaseInsensitive) == 0) return QString::fromLatin1(kSansFace);
    }
    return face;
}

QFont skinFont(const QString& face, int tenthsOfPoint) {
    QFont font(resolvedFontFace(face));
    // A size of 0 or less would make Qt complain and fall back; keep the smallest legible size.
    font.setPointSizeF(tenthsOfPoint > 0 ? tenthsOfPoint / 10.0 : 1.0);
    return font;
}

}  // namespace orvek
