// card: the setup card of the ESC's settings, or a file's, as a PDF or PNG. It draws with Qt's
// painter, so a build without Qt says that it has no cards.
#include <cstdlib>
#include <ctime>

#include "Commands.h"
#include "ExitCodes.h"
#include "Json.h"
#include "platform/ProfileFile.h"

#ifdef ORVEK_WITH_CARD
#include <QGuiApplication>

#include "card/SetupCard.h"
#endif

namespace orvek::cli {

#ifdef ORVEK_WITH_CARD
namespace {

constexpr std::size_t kOptionBuffer = 20;
constexpr std::size_t kNoteBuffer = 260;

std::string todayIso() {
    char today[16];
    const std::time_t now = std::time(nullptr);
    std::strftime(today, sizeof today, "%Y-%m-%d", std::localtime(&now));
    return today;
}

}  // namespace

int runCard(const GlobalOptions& global, const Console& console, const CardOptions& options) {
    std::filesystem::path file = options.file;
    if (file.empty() || file.filename().empty()) {
        return console.fail(kExitUsage, "card needs a file name ending in .pdf or .png");
    }
    if (!file.has_extension()) file += ".pdf";
    SetupCardContent card;
    card.date = todayIso();
    if (!options.from.empty()) {
        const LoadedProfile loaded = loadProfileFile(options.from);
        if (loaded.status != ProfileFileStatus::Loaded) {
            return console.fail(kExitBadInput, options.from + " cannot be read as a settings file");
        }
        int matched = 0;
        for (const EscParameter& parameter : parameterTable()) {
            std::string& value = card.values[static_cast<std::size_t>(parameter.keyNumber)];
            value =
                readProfileString(loaded.document, "option", parameter.keyName, "", kOptionBuffer);
            if (!value.empty()) ++matched;
        }
        if (matched == 0) {
            return console.fail(kExitBadInput,
                                options.from + " holds no settings (no [option] keys matched)");
        }
        for (std::size_t k = 0; k < kInfoKeyCount; ++k) {
            card.info[k] =
                readProfileString(loaded.document, "info", InfoKeyNames()[k], "", kNoteBuffer);
        }
        card.memo = readProfileString(loaded.document, "memo", "memo", "", kNoteBuffer);
        card.firmware = card.info[3];
    } else {
        Session session(global, console);
        EscIdentity identity;
        ParameterLists lists;
        if (const int code = session.openAndReadSettings(identity, lists); code != kExitOk)
            return code;
        card.model = identity.words.escModelName();
        card.firmware = identity.words.escFirmware();
        card.family = familyName(identity.family);
        for (int k = 0; k < kParameterCount; ++k)
            card.values[static_cast<std::size_t>(k)] = lists.byKey(k).selectedText();
    }
    // The painter needs a GUI application; without a display it draws offscreen.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "orvek-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    if (const std::error_code error = writeSetupCard(card, file)) {
        return console.fail(kExitCannotWrite,
                            "cannot write " + file.string() + ": " + error.message());
    }
    console.out("setup card written: " + file.string());
    Json j;
    j.beginObject().key("file").value(file.string()).endObject();
    console.document(j.text());
    return kExitOk;
}
#else
int runCard(const GlobalOptions&, const Console& console, const CardOptions&) {
    return console.fail(kExitFailure,
                        "this build of orvek-cli has no setup cards (built without Qt)");
}
#endif

}  // namespace orvek::cli
