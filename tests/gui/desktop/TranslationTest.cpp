// The window's languages: every fixed text the core hands the window and every setting's name is
// listed for lupdate and translated in each language; the .ts files keep each text's
// placeholders, line breaks and shortcut; coreText translates by exact match, by pattern where a
// text carries parts that vary (numbers, families, setting names), line by line where it carries
// a path, and leaves any other text alone.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "gui/desktop/Translation.h"
#include "history/HistoryRecord.h"
#include "monitor/ConnectionMonitor.h"
#include "monitor/PortNote.h"
#include "resources/SkinRegistry.h"
#include "series/WriteSeries.h"
#include "session/SeriesState.h"
#include "settings/ParamTable.h"
#include "settings/SettingsImportReport.h"
#include "settings/SetupSheetWriter.h"
#include "settings/SetupSheets.h"
#include "settings/ValuesOrigin.h"
#include "update/UpdateMessages.h"
#include "write/SettingsWrite.h"

namespace orvek {
namespace {

const char* const kLanguages[] = {"de", "ja", "fr"};

bool listed(const std::vector<const char*>& list, const char* text) {
    return std::any_of(list.begin(), list.end(),
                       [&](const char* entry) { return std::strcmp(entry, text) == 0; });
}

// English again after each test, as the other suites of the program expect it.
struct SpeaksEnglishAfter {
    ~SpeaksEnglishAfter() { installWindowLanguage("en"); }
};

TEST(CoreTexts, EveryFixedTextOfTheCoreAndEverySettingNameIsListedForTranslation) {
    for (const char* text :
         {monitorText::UsbConnection,   monitorText::EscConnection, updateText::UsbConnection,
          updateText::EscConnection,    updateText::CardConnection, updateText::ReadFile,
          updateText::HelloTimeout,     updateText::SyncTimeout,    updateText::StartTimeout,
          updateText::ReadyTimeout,     updateText::NoReady,        updateText::NoHelloAnswer,
          updateText::DataTransfer,     updateText::NoAck,          updateText::Crc,
          updateText::RepeatOverFour,   updateText::ByteCount,      updateText::Stopped,
          writeText::PairFailed,        writeText::CommitFailed,    settingsFileText::ReadError,
          settingsFileText::WriteError, seriesText::Running,        seriesText::NoValues,
          portNoteText::AccessDenied}) {
        EXPECT_TRUE(listed(coreTexts(), text)) << text;
    }
    for (SeriesResult result : {SeriesResult::Verified, SeriesResult::AlreadyEqual,
                                SeriesResult::Refused, SeriesResult::Failed})
        EXPECT_TRUE(listed(coreTexts(), seriesResultName(result))) << seriesResultName(result);
    for (HistoryKind kind : {HistoryKind::Read, HistoryKind::Write, HistoryKind::Defaults,
                             HistoryKind::Backup, HistoryKind::Update})
        EXPECT_TRUE(listed(coreTexts(), historyKindName(kind))) << historyKindName(kind);
    for (SheetNameProblem problem :
         {SheetNameProblem::Empty, SheetNameProblem::NotUtf8, SheetNameProblem::ControlCharacter,
          SheetNameProblem::ForbiddenCharacter, SheetNameProblem::OnlySpaces,
          SheetNameProblem::StartsWithDot, SheetNameProblem::EndsWithDotOrSpace,
          SheetNameProblem::ReservedName, SheetNameProblem::TooLong}) {
        const std::string text = sheetNameProblemText(problem);
        EXPECT_TRUE(listed(coreTexts(), text.c_str())) << text;
    }
    for (ValuesSource source :
         {ValuesSource::Device, ValuesSource::Page, ValuesSource::Sheet, ValuesSource::File,
          ValuesSource::Defaults, ValuesSource::History, ValuesSource::Series})
        EXPECT_TRUE(listed(coreTexts(), valuesSourceName(source))) << valuesSourceName(source);
    for (const EscParameter& parameter : parameterTable())
        EXPECT_TRUE(listed(settingNames(), parameter.keyName)) << parameter.keyName;
    for (const char* info : InfoKeyNames()) EXPECT_TRUE(listed(settingNames(), info)) << info;
}

TEST(CoreTexts, EveryLanguageTranslatesEveryListedTextNameAndButton) {
    SpeaksEnglishAfter english;
    ASSERT_TRUE(installWindowLanguage("de"));  // makes the compiled-in files reachable
    for (const char* code : kLanguages) {
        QTranslator translator;
        ASSERT_TRUE(translator.load(QStringLiteral(":/i18n/orvek-link_%1.qm").arg(code))) << code;
        for (const char* text : coreTexts())
            EXPECT_FALSE(translator.translate(kMessageContext, text).isEmpty()) << code << text;
        for (const char* name : settingNames())
            EXPECT_FALSE(translator.translate("SettingName", name).isEmpty()) << code << name;
        for (const char* button : standardButtonTexts())
            EXPECT_FALSE(translator.translate("QPlatformTheme", button).isEmpty())
                << code << button;
    }
}

TEST(LanguagePictures, TheSkinHandsOutTheLanguagesPictureWhereItHasWordsAndEnglishElsewhere) {
    SpeaksEnglishAfter english;
    const QImage englishButton = SkinRegistry::image(SkinId::EscSetupNormal);
    const QImage englishLamp = SkinRegistry::image(SkinId::LampOn);
    ASSERT_FALSE(englishButton.isNull());
    for (const char* code : kLanguages) {
        ASSERT_TRUE(installWindowLanguage(code));
        const QImage button = SkinRegistry::image(SkinId::EscSetupNormal);
        EXPECT_EQ(button,
                  QImage(QStringLiteral(":/skin/%1/%2.png").arg(code).arg(SkinId::EscSetupNormal)))
            << code;
        EXPECT_NE(button, englishButton) << code;
        EXPECT_EQ(SkinRegistry::pixmap(SkinId::EscSetupNormal, 1.0)
                      .toImage()
                      .convertToFormat(button.format()),
                  button)
            << code;
        // At 2x from the language's 2x picture.
        EXPECT_EQ(SkinRegistry::pixmap(SkinId::EscSetupNormal, 2.0).toImage().size(),
                  englishButton.size() * 2)
            << code;
        EXPECT_EQ(SkinRegistry::image(SkinId::LampOn), englishLamp) << code;  // no words
    }
    ASSERT_TRUE(installWindowLanguage("en"));
    EXPECT_EQ(SkinRegistry::image(SkinId::EscSetupNormal), englishButton);
    // The window's pixmaps too (the cache keeps each language's apart).
    EXPECT_EQ(SkinRegistry::pixmap(SkinId::EscSetupNormal, 1.0)
                  .toImage()
                  .convertToFormat(englishButton.format()),
              englishButton);
}

struct TsMessage {
    QString context;
    QString source;
    QString translation;
    QString type;
};

std::vector<TsMessage> readTs(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&file);
    std::vector<TsMessage> messages;
    QString context;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            messages.push_back({context, {}, {}, {}});
        } else if (xml.name() == QLatin1String("source")) {
            messages.back().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            messages.back().type = xml.attributes().value(QLatin1String("type")).toString();
            messages.back().translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return messages;
}

std::multiset<QString> placeholders(const QString& text) {
    std::multiset<QString> found;
    static const QRegularExpression marker(QStringLiteral("%\\d"));
    QRegularExpressionMatchIterator matches = marker.globalMatch(text);
    while (matches.hasNext()) found.insert(matches.next().captured());
    return found;
}

// A shortcut marker: '&' before a letter or digit ("&&" would be a plain ampersand).
int shortcuts(const QString& text) {
    int count = 0;
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
        } else if (text[i + 1].isLetterOrNumber()) {
            ++count;
        }
    }
    return count;
}

TEST(TsFiles, EveryEntryIsFinishedAndKeepsItsPlaceholdersLinesAndShortcut) {
    for (const char* code : kLanguages) {
        const QString path = QStringLiteral(ORVEK_TRANSLATIONS_DIR "/orvek-link_%1.ts").arg(code);
        const std::vector<TsMessage> messages = readTs(path);
        EXPECT_GT(messages.size(), 150U) << code;
        for (const TsMessage& m : messages) {
            const std::string where =
                std::string(code) + " " + m.context.toStdString() + ": " + m.source.toStdString();
            EXPECT_TRUE(m.type.isEmpty()) << where << " is " << m.type.toStdString();
            EXPECT_FALSE(m.translation.trimmed().isEmpty()) << where;
            EXPECT_EQ(placeholders(m.translation), placeholders(m.source)) << where;
            EXPECT_EQ(m.translation.count(QLatin1Char('\n')), m.source.count(QLatin1Char('\n')))
                << where;
            EXPECT_EQ(shortcuts(m.translation), shortcuts(m.source)) << where;
        }
    }
}

TEST(CoreTexts, AreShownByExactMatchByPatternAndLineByLine) {
    SpeaksEnglishAfter english;
    // English: every text as it came.
    ASSERT_TRUE(installWindowLanguage("en"));
    EXPECT_EQ(coreText("Send fail"), QStringLiteral("Send fail"));
    EXPECT_EQ(coreText("Writing ESC 4\u2026"), QStringLiteral("Writing ESC 4\u2026"));

    ASSERT_TRUE(installWindowLanguage("de"));
    EXPECT_EQ(windowLanguage(), "de");
    EXPECT_EQ(coreText(writeText::PairFailed), QStringLiteral("Senden fehlgeschlagen"));
    EXPECT_EQ(coreText(updateText::HelloTimeout),
              QStringLiteral("Update-Fehler: TX=0xd6, Zeit überschritten!"));
    // The numbers of a text come back in their places.
    EXPECT_EQ(coreText("Writing ESC 12\u2026"), QStringLiteral("Schreibe Regler 12\u2026"));
    EXPECT_EQ(coreText("Unplug ESC 3 (or power it off)"),
              QStringLiteral("Regler 3 abstecken (oder ausschalten)"));
    // Parts that vary are found by the text's pattern and translated where they are words.
    EXPECT_EQ(coreText("the values are for an Expert ESC; this is a Stock ESC"),
              QStringLiteral("die Werte sind für Expert-Regler; dies ist ein Stock-Regler"));
    EXPECT_EQ(
        coreText("Drag Brake: \"Level 99\" matches no option on this ESC"),
        QStringLiteral("Drag Brake: \u201eLevel 99\u201c passt zu keiner Option dieses Reglers"));
    EXPECT_EQ(coreText(sheetValueProblemText({"Driver", false, 300})),
              QStringLiteral("der Wert Fahrer ist 300 Bytes lang; ein Sheet speichert höchstens "
                             "259 (ein einfacher Buchstabe braucht 1 Byte, ein Umlaut 2, ein "
                             "japanisches Zeichen 3)"));
    EXPECT_EQ(coreText("setup sheet Modify Touring/Heat 2"),
              QStringLiteral("Setup-Sheet Modify Touring/Heat 2"));
    // A box naming a file: its fixed lines translated, the path and the reason as they are.
    EXPECT_EQ(coreText("Write File Error!\n\n/tmp/a 1.cfg\nNo space left on device"),
              QStringLiteral(
                  "Datei kann nicht geschrieben werden!\n\n/tmp/a 1.cfg\nNo space left on device"));
    // Texts without a translation (a sheet's memo, a path) are left alone, numbers included.
    EXPECT_EQ(coreText("Heat 2: 3 laps"), QStringLiteral("Heat 2: 3 laps"));
    EXPECT_EQ(coreText(""), QString());
    EXPECT_EQ(settingName("Rotation Mode"), QStringLiteral("Drehrichtung"));
    EXPECT_EQ(settingName("Drag Brake"), QStringLiteral("Drag Brake"));  // racers keep it
    // Qt's own file dialog speaks the language too; our button texts come first.
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Suchen in:"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&No"), QStringLiteral("&Nein"));

    ASSERT_TRUE(installWindowLanguage("ja"));
    EXPECT_EQ(coreText(monitorText::EscConnection), QStringLiteral("ESC接続エラー！"));

    // A language without texts: English, and the translator before it is gone.
    EXPECT_FALSE(installWindowLanguage("xx"));
    EXPECT_EQ(windowLanguage(), "en");
    EXPECT_EQ(coreText(monitorText::EscConnection), QString::fromUtf8(monitorText::EscConnection));
}

}  // namespace
}  // namespace orvek
