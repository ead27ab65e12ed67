// Lays out every skin picture and the skinned controls in each of their states, and saves the
// sheet as a PNG:  orvek-skin-gallery <output.png>
// Exits non-zero when a picture of the catalogue is missing or has the wrong size.

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

#include "GallerySheet.h"
#include "resources/SkinRegistry.h"

namespace {

int addPictures(orvek::GallerySheet& sheet) {
    int problems = 0;
    sheet.heading(QStringLiteral("Skin pictures by id"));
    for (const orvek::SkinPicture& picture : orvek::SkinRegistry::pictures()) {
        const QImage image = orvek::SkinRegistry::image(picture.id);
        if (image.isNull() || image.width() != picture.width || image.height() != picture.height) {
            std::fprintf(stderr, "skin id %d: expected a %dx%d picture, found %dx%d\n", picture.id, picture.width,
                         picture.height, image.width(), image.height());
            ++problems;
            continue;
        }
        if (picture.id == orvek::SkinId::LinksPage) continue;  // shown full size at the end
        const QString caption = QStringLiteral("%1  %2\u00D7%3\n%4")
                                    .arg(picture.id)
                                    .arg(picture.width)
                                    .arg(picture.height)
                                    .arg(QString::fromUtf8(picture.shows));
        sheet.tile(image, caption);
    }
    const QImage links = orvek::SkinRegistry::image(orvek::SkinId::LinksPage);
    if (!links.isNull()) {
        sheet.block(links, QStringLiteral("%1  %2\u00D7%3  %4")
                               .arg(orvek::SkinId::LinksPage)
                               .arg(links.width())
                               .arg(links.height())
                               .arg(QString::fromUtf8(orvek::SkinCatalog::find(orvek::SkinId::LinksPage)->shows)));
    }
    return problems;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("skin-gallery.png");

    orvek::GallerySheet sheet(1400);
    int problems = addPictures(sheet);

    const QImage result = sheet.finish();
    QDir().mkpath(QFileInfo(output).absolutePath());
    if (!result.save(output, "PNG") || QImage(output).size() != result.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    std::printf("wrote %s (%dx%d), %d problem(s)\n", qPrintable(output), result.width(), result.height(), problems);
    return problems == 0 ? 0 : 1;
}
