#include "gui/desktop/Translation.h"

#include <QLocale>
#include <QTranslator>

#include <memory>

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

std::string& installedCode() {
    static std::string code = "en";
    return code;
}

}  // namespace

bool installWindowLanguage(const std::string& code) {
    initTranslationResources();
    if (installed()) {
        QCoreApplication::removeTranslator(installed().get());
        installed().reset();
    }
    installedCode() = "en";
    SkinRegistry::setLanguage(QStringLiteral("en"));
    if (code == "en") return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(
            QStringLiteral(":/i18n/orvek-link_%1.qm").arg(QString::fromStdString(code))))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed() = std::move(translator);
    installedCode() = code;
    // The pictures with words come in the language too.
    SkinRegistry::setLanguage(QString::fromStdString(code));
    QLocale::setDefault(QLocale(QString::fromStdString(code)));
    return true;
}

std::string windowLanguage() { return installedCode(); }

namespace {

// One line by exact match, else with its numbers standing as %1, %2 ... ("Writing ESC 4…").
QString translatedLine(const QByteArray& line) {
    const QString same = QString::fromUtf8(line);
    const QString exact = QCoreApplication::translate(kMessageContext, line.constData());
    if (exact != same) return exact;
    QStringList numbers;
    QByteArray pattern;
    for (int i = 0; i < line.size();) {
        if (line[i] >= '0' && line[i] <= '9') {
            int end = i;
            while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
            numbers.append(QString::fromLatin1(line.mid(i, end - i)));
            pattern += '%' + QByteArray::number(numbers.size());
            i = end;
        } else {
            pattern += line[i++];
        }
    }
    if (numbers.isEmpty()) return same;
    QString shown = QCoreApplication::translate(kMessageContext, pattern.constData());
    if (shown == QString::fromUtf8(pattern)) return same;
    for (const QString& number : numbers) shown = shown.arg(number);
    return shown;
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
