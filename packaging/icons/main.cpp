// orvek-icon-writer: the program icon (skin picture 128) drawn at the sizes of the desktop's
// icon theme, written as OUTDIR/<size>/orvek-link.png. Drawn afresh at each size by the skin's
// own artwork code rather than scaled from the 32-pixel picture, so that large icons stay sharp.
#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

#include "resources/SkinCatalog.h"
#include "tools/skin-generator/SkinArtist.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvek-icon-writer OUTDIR\n");
        return 2;
    }
    const orvek::SkinPicture* icon = orvek::SkinCatalog::find(orvek::SkinId::AppIcon);
    if (icon == nullptr) return 1;
    for (int size : {32, 48, 64, 128}) {
        orvek::SkinPicture sized = *icon;
        sized.width = size;
        sized.height = size;
        const QImage image = orvek::art::drawPicture(sized);
        const QString folder =
            QStringLiteral("%1/%2").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (image.isNull() || !QDir().mkpath(folder) ||
            !image.save(folder + QStringLiteral("/orvek-link.png"), "PNG")) {
            std::fprintf(stderr, "orvek-icon-writer: cannot write the %d-pixel icon\n", size);
            return 1;
        }
    }
    return 0;
}
