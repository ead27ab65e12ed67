// Draws every skin picture at 1x and at 2x (for high-density screens) and writes them, with the
// resource file that compiles the pictures in, into a resources folder:
//   orvek-skin-generator <resources-folder>
// The output is committed; run this again after changing the artwork code.
//   orvek-skin-generator --check <resources-folder>
// draws every picture and compares it with the one in the folder, without writing anything.
// A picture is skin/<id>.png at 1x and skin/<id>@2x.png at 2x; Qt reads the "@2x" as the image's
// device pixel ratio. Every picture is drawn again in German, Japanese and French (the words from
// translations/*.ts); one whose words make it differ from the English picture is written as
// skin/<language>/<id>.png (and @2x), the others are the English one in every language.

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <tuple>

#include "ArtKit.h"
#include "SkinArtist.h"
#include "resources/SkinCatalog.h"

namespace {

const char* const kLanguages[] = {"en", "de", "ja", "fr"};

// A picture's place under the resources folder and in the resource file ("de/130@2x.png").
QString pictureName(const QString& language, int id, const QString& suffix) {
    const QString name = QStringLiteral("%1%2.png").arg(id).arg(suffix);
    return language == QLatin1String("en") ? name : language + QLatin1Char('/') + name;
}

QString resourceFileText(const QStringList& names) {
    QString text;
    QTextStream out(&text);
    out << "<!DOCTYPE RCC>\n<!-- Written by orvek-skin-generator. -->\n<RCC version=\"1.0\">\n"
        << "  <qresource prefix=\"/skin\">\n";
    for (const QString& name : names)
        out << "    <file alias=\"" << name << "\">skin/" << name << "</file>\n";
    out << "  </qresource>\n</RCC>\n";
    return text;
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
    // Japanese words need a CJK face beside Liberation Sans.
    if (!QFontDatabase::families().contains(QStringLiteral("Noto Sans CJK JP"))) {
        std::fprintf(
            stderr,
            "orvek-skin-generator: the Noto Sans CJK JP font is missing (fonts-noto-cjk)\n");
        return 1;
    }
    int failures = 0;
    int pictures = 0;
    QStringList names;
    for (const char* language : kLanguages) {
        const QString code = QString::fromLatin1(language);
        if (!orvek::art::setPictureLanguage(code)) {
            std::fprintf(stderr, "orvek-skin-generator: no texts for the language %s\n", language);
            return 1;
        }
        if (!check && code != QLatin1String("en") && !root.mkpath(QStringLiteral("skin/") + code)) {
            std::fprintf(stderr, "orvek-skin-generator: cannot make %s/skin/%s\n", folder,
                         language);
            return 1;
        }
        for (int scale : {1, 2}) {
            const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
            for (const orvek::SkinPicture& picture : orvek::SkinCatalog::pictures()) {
                orvek::art::setPictureScale(scale);
                const QImage image = orvek::art::drawPicture(picture);
                for (const QString& overflow : orvek::art::takeOverflows()) {
                    std::fprintf(stderr, "orvek-skin-generator: picture %d at %dx: %s\n",
                                 picture.id, scale, qPrintable(overflow));
                    ++failures;
                }
                const QString name = pictureName(code, picture.id, suffix);
                const QString path = root.filePath(QStringLiteral("skin/") + name);
                if (code != QLatin1String("en")) {
                    // Only where the words make a difference; elsewhere English serves.
                    orvek::art::setPictureLanguage(QStringLiteral("en"));
                    const QImage english = orvek::art::drawPicture(picture);
                    orvek::art::takeOverflows();  // counted when English was drawn
                    orvek::art::setPictureLanguage(code);
                    if (samePicture(image, english)) {
                        if (QFile::exists(path)) {
                            if (check) {
                                std::fprintf(stderr,
                                             "orvek-skin-generator: %s is the English picture; "
                                             "remove it and regenerate\n",
                                             qPrintable(path));
                                ++failures;
                            } else {
                                QFile::remove(path);
                            }
                        }
                        continue;
                    }
                }
                ++pictures;
                names.append(name);
                if (image.isNull() || image.width() != picture.width * scale ||
                    image.height() != picture.height * scale) {
                    std::fprintf(stderr,
                                 "orvek-skin-generator: no %dx%d picture for id %d at %dx (%s)\n",
                                 picture.width, picture.height, picture.id, scale, language);
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
                    std::fprintf(stderr, "orvek-skin-generator: cannot write %s\n",
                                 qPrintable(path));
                    ++failures;
                }
            }
        }
    }
    orvek::art::setPictureLanguage(QStringLiteral("en"));
    // The resource file lists 1x and 2x of each picture together, by id, English first.
    auto order = [](const QString& name) {
        const QString language = name.contains(QLatin1Char('/'))
                                     ? name.section(QLatin1Char('/'), 0, 0)
                                     : QStringLiteral("en");
        const QString file = name.section(QLatin1Char('/'), -1);
        const int rank = static_cast<int>(
            std::find_if(std::begin(kLanguages), std::end(kLanguages),
                         [&](const char* l) { return language == QLatin1String(l); }) -
            std::begin(kLanguages));
        return std::make_tuple(
            rank, file.section(QLatin1Char('@'), 0, 0).section(QLatin1Char('.'), 0, 0).toInt(),
            file.contains(QLatin1Char('@')));
    };
    std::sort(names.begin(), names.end(),
              [&](const QString& a, const QString& b) { return order(a) < order(b); });
    const QString resources = resourceFileText(names);
    QFile qrc(root.filePath(QStringLiteral("skin.qrc")));
    if (check) {
        if (!qrc.open(QIODevice::ReadOnly | QIODevice::Text) ||
            QString::fromUtf8(qrc.readAll()) != resources) {
            std::fprintf(stderr,
                         "orvek-skin-generator: skin.qrc does not list the pictures drawn\n");
            ++failures;
        }
    } else if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text) ||
               qrc.write(resources.toUtf8()) < 0) {
        std::fprintf(stderr, "orvek-skin-generator: cannot write skin.qrc\n");
        ++failures;
    }
    std::printf("%d pictures %s (1x and 2x), %d failed\n", pictures, check ? "checked" : "drawn",
                failures);
    return failures == 0 ? 0 : 1;
}
