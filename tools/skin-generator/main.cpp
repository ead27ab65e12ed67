// Draws every skin picture at 1x and at 2x (for high-density screens) and writes them, with the
// resource file that compiles the pictures in, into a resources folder:
//   orvek-skin-generator <resources-folder>
// The output is committed; run this again after changing the artwork code.
//   orvek-skin-generator --check <resources-folder>
// draws every picture and compares it with the one in the folder, without writing anything.
// A picture is skin/<id>.png at 1x and skin/<id>@2x.png at 2x; Qt reads the "@2x" as the image's
// device pixel ratio.

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

#include "ArtKit.h"
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
        for (const char* suffix : {"", "@2x"}) {
            out << "    <file alias=\"" << picture.id << suffix << ".png\">skin/" << picture.id
                << suffix << ".png</file>\n";
        }
    }
    out << "  </qresource>\n</RCC>\n";
    return out.status() == QTextStream::Ok;
}

// True when the two pictures are the same size and no channel of any pixel differs by more than
// a rounding step.
bool samePicture(const QImage& drawn, const QImage& stored) {
    if (drawn.size() != stored.size()) return false;
    const QImage a = drawn.convertToFormat(QImage::Format_ARGB32);
    const QImage b = stored.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (std::abs(qRed(rowA[x]) - qRed(rowB[x])) > 2 ||
                std::abs(qGreen(rowA[x]) - qGreen(rowB[x])) > 2 ||
                std::abs(qBlue(rowA[x]) - qBlue(rowB[x])) > 2 ||
                std::abs(qAlpha(rowA[x]) - qAlpha(rowB[x])) > 2) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const bool check = argc == 3 && QByteArray(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: orvek-skin-generator [--check] <resources-folder>\n");
        return 2;
    }
    const char* folder = argv[argc - 1];
    // The pictures must look the same wherever they are made: refuse a stand-in font.
    if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans"))) {
        std::fprintf(
            stderr,
            "orvek-skin-generator: the Liberation Sans font is missing (fonts-liberation)\n");
        return 1;
    }
    const QDir root(QString::fromLocal8Bit(folder));
    if (!check && !root.mkpath(QStringLiteral("skin"))) {
        std::fprintf(stderr, "orvek-skin-generator: cannot make %s/skin\n", folder);
        return 1;
    }
    int failures = 0;
    int pictures = 0;
    for (int scale : {1, 2}) {
        orvek::art::setPictureScale(scale);
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
        for (const orvek::SkinPicture& picture : orvek::SkinCatalog::pictures()) {
            ++pictures;
            const QImage image = orvek::art::drawPicture(picture);
            const QString path =
                root.filePath(QStringLiteral("skin/%1%2.png").arg(picture.id).arg(suffix));
            if (image.isNull() || image.width() != picture.width * scale ||
                image.height() != picture.height * scale) {
                std::fprintf(stderr, "orvek-skin-generator: no %dx%d picture for id %d at %dx\n",
                             picture.width, picture.height, picture.id, scale);
                ++failures;
            } else if (check) {
                if (!samePicture(image, QImage(path))) {
                    std::fprintf(stderr,
                                 "orvek-skin-generator: %s is not what the artwork code draws; "
                                 "regenerate it\n",
                                 qPrintable(path));
                    ++failures;
                }
            } else if (!image.save(path, "PNG")) {
                std::fprintf(stderr, "orvek-skin-generator: cannot write %s\n", qPrintable(path));
                ++failures;
            }
        }
    }
    if (!check && !writeResourceFile(root.filePath(QStringLiteral("skin.qrc")))) {
        std::fprintf(stderr, "orvek-skin-generator: cannot write skin.qrc\n");
        ++failures;
    }
    std::printf("%d pictures %s (1x and 2x), %d failed\n", pictures, check ? "checked" : "drawn",
                failures);
    return failures == 0 ? 0 : 1;
}
