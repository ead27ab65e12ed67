// Draws every skin picture and writes it, with the resource file that compiles the pictures in,
// into a resources folder:  orvek-skin-generator <resources-folder>
// The output is committed; run this again after changing the artwork code.

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

#include "SkinArtist.h"
#include "resources/SkinCatalog.h"

namespace {

bool writeResourceFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
    QTextStream out(&file);
    out << "<!DOCTYPE RCC>\n<!-- Written by orvek-skin-generator. -->\n<RCC version=\"1.0\">\n"
        << "  <qresource prefix=\"/skin\">\n";
    for (const orvek::SkinPicture& picture : orvek::SkinCatalog::pictures()) {
        out << "    <file alias=\"" << picture.id << ".png\">skin/" << picture.id << ".png</file>\n";
    }
    out << "  </qresource>\n</RCC>\n";
    return out.status() == QTextStream::Ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvek-skin-generator <resources-folder>\n");
        return 2;
    }
    // The pictures must look the same wherever they are made: refuse a stand-in font.
    if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans"))) {
        std::fprintf(stderr, "orvek-skin-generator: the Liberation Sans font is missing (fonts-liberation)\n");
        return 1;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    if (!root.mkpath(QStringLiteral("skin"))) {
        std::fprintf(stderr, "orvek-skin-generator: cannot make %s/skin\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const orvek::SkinPicture& picture : orvek::SkinCatalog::pictures()) {
        const QImage image = orvek::art::drawPicture(picture);
        const QString path = root.filePath(QStringLiteral("skin/%1.png").arg(picture.id));
        if (image.isNull() || image.width() != picture.width || image.height() != picture.height) {
            std::fprintf(stderr, "orvek-skin-generator: no %dx%d picture for id %d\n", picture.width, picture.height,
                         picture.id);
            ++failures;
        } else if (!image.save(path, "PNG")) {
            std::fprintf(stderr, "orvek-skin-generator: cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    if (!writeResourceFile(root.filePath(QStringLiteral("skin.qrc")))) {
        std::fprintf(stderr, "orvek-skin-generator: cannot write skin.qrc\n");
        ++failures;
    }
    std::printf("%zu pictures, %d failed\n", orvek::SkinCatalog::pictures().size(), failures);
    return failures == 0 ? 0 : 1;
}
