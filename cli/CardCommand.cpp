// card: the setup card of the ESC's settings, or a file's, as a PDF or PNG. It draws with Qt's
// painter, so a build without Qt says that it has no cards.
#include <cstdlib>
#include <string_view>

#include "Commands.h"
#include "ExitCodes.h"
#include "FileArguments.h"
#include "Json.h"
#include "SettingsInput.h"
#include "SettingsWrite.h"
#include "settings/OptionLists.h"
#include "settings/SetupSheetWriter.h"

#ifdef ORVEK_WITH_CARD
#include <QGuiApplication>

#include <cstdio>

#include "card/SetupCard.h"
#endif

namespace orvek::cli {

#ifdef ORVEK_WITH_CARD
namespace {

// Qt's own words (a missing XDG_RUNTIME_DIR, font notes) are not the tool's: they reach standard
// error only with -v. Our lines never pass through Qt, so nothing of ours is hidden.
bool gQtVerbose = false;

void qtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (!gQtVerbose && type != QtCriticalMsg && type != QtFatalMsg) return;
    std::fprintf(stderr, "qt: %s\n", message.toLocal8Bit().constData());
}

class QtMessagesKept {
public:
    explicit QtMessagesKept(bool verbose) : previous_(qInstallMessageHandler(qtMessage)) {
        gQtVerbose = verbose;
    }
    ~QtMessagesKept() { qInstallMessageHandler(previous_); }
    QtMessagesKept(const QtMessagesKept&) = delete;
    QtMessagesKept& operator=(const QtMessagesKept&) = delete;

private:
    QtMessageHandler previous_;
};

// The card's values from a settings file or sheet, judged as write judges a file: the lists of
// the family its firmware names (or whose lists hold most of its texts), a warning for each
// setting it cannot set, and its sheet's category and name. An exit code when it is refused.
int cardFromFile(const Console& console, const std::string& from, SetupCardContent& card,
                 std::vector<std::string>& warnings) {
    if (const int code = checkSettingsInput(console, "--from", from, warnings)) return code;
    const std::filesystem::path file = fileArgument(from);
    SetupSheetContent content;
    if (readSetupSheetContent(file, content) == SheetFileRead::Unreadable) {
        return console.fail(kExitBadInput,
                            unreadableSettingsFile(from, SettingsFileStatus::Unreadable));
    }
    ParameterLists lists;
    const FamilyVersion judged =
        FillOptionListsForTexts(lists, content.options, content.info[kInfoFirmware]);
    const SettingsImport imported = importSettingsFile(lists, file);
    if (const std::string why = unreadableSettingsFile(from, imported.status); !why.empty())
        return console.fail(kExitBadInput, why);
    const std::string family = escFamilyName(judged.family);
    const bool vowel =
        !family.empty() && std::string_view("AEIOU").find(family[0]) != std::string_view::npos;
    const std::string listsOf = (vowel ? "an " : "a ") + family + " " + judged.versionText + " ESC";
    for (std::string& warning :
         importWarnings(imported, lists, listsOf, "file", "left blank on the card"))
        warnings.push_back(std::move(warning));
    card.values = selectedTexts(lists);
    card.info = content.info;
    card.memo = content.memo;
    card.firmware = card.info[kInfoFirmware];
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(file, error);
    if (error) path = file;
    if (const auto sheet = sheetPlaceOf(path)) {
        card.category = sheet->category;
        card.sheetName = sheet->title;
    }
    return kExitOk;
}

}  // namespace

int runCard(const GlobalOptions& global, const Console& console, const CardOptions& options) {
    if (options.file == "-") {
        return console.fail(kExitUsage,
                            "a setup card is a PDF or PNG picture, not text for standard output: "
                            "give the card a file name instead of -");
    }
    std::filesystem::path file = fileArgument(options.file);
    if (file.empty() || file.filename().empty()) {
        return console.fail(kExitUsage, "card needs a file name ending in .pdf or .png");
    }
    if (!file.has_extension()) file += ".pdf";
    if (!setupCardNameFits(file)) {
        return console.fail(kExitUsage, "cannot write a setup card as " + fileText(file) +
                                            ": a card is a .pdf or a .png file");
    }
    SetupCardContent card;
    std::vector<std::string> warnings;
    if (options.fromGiven) {
        if (const int code = cardFromFile(console, options.from, card, warnings)) return code;
    } else {
        const int code = withEscSettings(
            global, console, [&](Session&, EscIdentity& identity, ParameterLists& lists) {
                card.model = identity.words.escModelName();
                card.firmware = identity.words.escFirmware();
                card.family = escFamilyName(identity.family);
                card.values = selectedTexts(lists);
                return kExitOk;
            });
        if (code != kExitOk) return code;
    }
    card.date = todayIso();
    Json j;
    showWarnings(console, warnings, j);
    // The painter needs a GUI application; without a display it draws offscreen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const QtMessagesKept quiet(global.verbose);
    int argc = 1;
    char name[] = "orvek-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    if (const std::error_code error = writeSetupCard(card, file)) {
        return console.fail(kExitCannotWrite,
                            "cannot write " + fileText(file) + ": " + error.message());
    }
    console.out("setup card written: " + fileText(file));
    j["file"] = fileText(file);
    console.document(j);
    return kExitOk;
}
#else
int runCard(const GlobalOptions&, const Console& console, const CardOptions&) {
    return console.fail(kExitFailure,
                        "this build of orvek-cli has no setup cards (built without Qt)");
}
#endif

}  // namespace orvek::cli
