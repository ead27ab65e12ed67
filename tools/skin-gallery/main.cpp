// Lays out every skin picture and the skinned controls in each of their states, and saves the
// sheet as a PNG:  orvek-skin-gallery <output.png>
// Exits non-zero when a picture of the catalogue is missing or has the wrong size.

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <vector>

#include "ControlStates.h"
#include "GallerySheet.h"
#include "PageMockups.h"
#include "resources/SkinRegistry.h"

namespace {

QString captionFor(const orvek::SkinPicture& picture) {
    return QStringLiteral("%1  %2\u00D7%3\n%4")
        .arg(picture.id)
        .arg(picture.width)
        .arg(picture.height)
        .arg(QString::fromUtf8(picture.shows));
}

// Every picture of the catalogue, small ones first so that the sheet stays compact; returns the
// number of pictures that are missing or of the wrong size.
int addPictures(orvek::GallerySheet& sheet) {
    int problems = 0;
    std::vector<orvek::SkinPicture> small, large;
    for (const orvek::SkinPicture& picture : orvek::SkinRegistry::pictures()) {
        const QImage image = orvek::SkinRegistry::image(picture.id);
        if (image.isNull() || image.width() != picture.width || image.height() != picture.height) {
            std::fprintf(stderr, "skin id %d: expected a %dx%d picture, found %dx%d\n", picture.id,
                         picture.width, picture.height, image.width(), image.height());
            ++problems;
            continue;
        }
        (picture.height <= 100 ? small : large).push_back(picture);
    }
    sheet.heading(QStringLiteral("Skin pictures by id"));
    for (const orvek::SkinPicture& picture : small)
        sheet.tile(orvek::SkinRegistry::image(picture.id), captionFor(picture));
    sheet.heading(QStringLiteral("Panels, label columns and the links page"));
    for (const orvek::SkinPicture& picture : large) {
        if (picture.width > 700) {
            sheet.block(orvek::SkinRegistry::image(picture.id), captionFor(picture));
        } else {
            sheet.tile(orvek::SkinRegistry::image(picture.id), captionFor(picture));
        }
    }
    return problems;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString output =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("skin-gallery.png");

    orvek::GallerySheet sheet(1400);
    int problems = addPictures(sheet);
    orvek::addControlStates(sheet);
    orvek::addPageMockups(sheet);

    const QImage result = sheet.finish();
    QDir().mkpath(QFileInfo(output).absolutePath());
    if (!result.save(output, "PNG") || QImage(output).size() != result.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    std::printf("wrote %s (%dx%d), %d problem(s)\n", qPrintable(output), result.width(),
                result.height(), problems);
    return problems == 0 ? 0 : 1;
}
