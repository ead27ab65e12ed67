#include "gui/desktop/Translation.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "resources/SkinRegistry.h"

// The .qm files live in a static library: its initialiser must be referenced to be linked, and
// the macro must be used outside a namespace.
static void initTranslationResources() { Q_INIT_RESOURCE(translations); }

namespace orvek {
namespace {

std::unique_ptr<QTranslator>& installed() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

// Qt's own texts (the file dialog's), where the build found them; ours are asked first.
std::unique_ptr<QTranslator>& installedQt() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

std::string& installedCode() {
    static std::string code = "en";
    return code;
}

}  // namespace

bool installWindowLanguage(const std::string& code) {
    initTranslationResources();
    // The locale the process started with, for English again after another language.
    static const QLocale original;
    for (std::unique_ptr<QTranslator>* translator : {&installed(), &installedQt()}) {
        if (*translator) QCoreApplication::removeTranslator(translator->get());
        translator->reset();
    }
    installedCode() = "en";
    SkinRegistry::setLanguage(QStringLiteral("en"));
    QLocale::setDefault(original);
    if (code == "en") return true;
    const QString language = QString::fromStdString(code);
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/orvek-link_%1.qm").arg(language))) return false;
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral(":/i18n/qtbase_%1.qm").arg(language))) {
        QCoreApplication::installTranslator(qt.get());
        installedQt() = std::move(qt);
    }
    // Installed last, so asked first: our texts over Qt's where both have one.
    QCoreApplication::installTranslator(translator.get());
    installed() = std::move(translator);
    installedCode() = code;
    // The pictures with words come in the language too.
    SkinRegistry::setLanguage(language);
    QLocale::setDefault(QLocale(language));
    return true;
}

std::string windowLanguage() { return installedCode(); }

namespace {

// A core text with parts that vary ("Writing ESC %1…"), as an expression that finds the parts
// in a text the core made.
struct CorePattern {
    const char* source;
    QRegularExpression expression;
    std::vector<int> marks;  // the %N of each captured part, in the order they stand
};

const std::vector<CorePattern>& corePatterns() {
    static const std::vector<CorePattern> patterns = [] {
        std::vector<CorePattern> list;
        static const QRegularExpression marker(QStringLiteral("%(\\d)"));
        for (const char* text : coreTexts()) {
            const QString source = QString::fromUtf8(text);
            QString expression = QStringLiteral("^");
            std::vector<int> marks;
            qsizetype at = 0;
            QRegularExpressionMatchIterator markers = marker.globalMatch(source);
            while (markers.hasNext()) {
                const QRegularExpressionMatch found = markers.next();
                expression +=
                    QRegularExpression::escape(source.mid(at, found.capturedStart() - at)) +
                    QStringLiteral("(.+?)");
                marks.push_back(found.captured(1).toInt());
                at = found.capturedEnd();
            }
            if (marks.empty()) continue;
            expression += QRegularExpression::escape(source.mid(at)) + QLatin1Char('$');
            list.push_back({text, QRegularExpression(expression), marks});
        }
        return list;
    }();
    return patterns;
}

// A part of a pattern's text: a fixed text or a setting's name when it is one ("an Expert ESC",
// "Drag Brake"), else as it came (a number, a file name).
QString translatedPart(const QString& part) {
    const QByteArray bytes = part.toUtf8();
    const QString message = QCoreApplication::translate(kMessageContext, bytes.constData());
    return message != part ? message
                           : QCoreApplication::translate("SettingName", bytes.constData());
}

// One line by exact match, else by the pattern it follows.
QString translatedLine(const QByteArray& line) {
    const QString same = QString::fromUtf8(line);
    const QString exact = QCoreApplication::translate(kMessageContext, line.constData());
    if (exact != same || line.isEmpty()) return exact;
    for (const CorePattern& pattern : corePatterns()) {
        const QRegularExpressionMatch match = pattern.expression.match(same);
        if (!match.hasMatch()) continue;
        QString shown = QCoreApplication::translate(kMessageContext, pattern.source);
        if (shown == QString::fromUtf8(pattern.source)) return same;  // English
        // QString::arg fills the lowest %N first: the parts go in by their numbers.
        std::vector<std::pair<int, QString>> parts;
        for (std::size_t i = 0; i < pattern.marks.size(); ++i)
            parts.emplace_back(pattern.marks[i],
                               translatedPart(match.captured(static_cast<int>(i) + 1)));
        std::sort(parts.begin(), parts.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& part : parts) shown = shown.arg(part.second);
        return shown;
    }
    return same;
}

}  // namespace

QString coreText(const std::string& text) {
    const QByteArray whole = QByteArray::fromStdString(text);
    const QString translated = translatedLine(whole);
    if (translated != QString::fromUtf8(whole) || !whole.contains('\n')) return translated;
    QStringList shown;
    for (const QByteArray& line : whole.split('\n')) shown.append(translatedLine(line));
    return shown.join(QLatin1Char('\n'));
}

QString settingName(const char* keyName) {
    return QCoreApplication::translate("SettingName", keyName);
}

}  // namespace orvek
