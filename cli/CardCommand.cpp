// card: the setup card of the ESC's settings, or a file's, as a PDF or PNG. It draws with Qt's
// painter, so a build without Qt says that it has no cards.
#include <cstdlib>

#include "Commands.h"
#include "ExitCodes.h"
#include "Json.h"
#include "settings/SetupSheetWriter.h"

#ifdef ORVEK_WITH_CARD
#include <QGuiApplication>

#include "card/SetupCard.h"
#endif

namespace orvek::cli {

#ifdef ORVEK_WITH_CARD
int runCard(const GlobalOptions& global, const Console& console, const CardOptions& options) {
    std::filesystem::path file = options.file;
    if (file.empty() || file.filename().empty()) {
        return console.fail(kExitUsage, "card needs a file name ending in .pdf or .png");
    }
    if (!file.has_extension()) file += ".pdf";
    SetupCardContent card;
    card.date = todayIso();
    if (!options.from.empty()) {
        SetupSheetContent content;
        switch (readSetupSheetContent(options.from, content)) {
            case SheetFileRead::Ok: break;
            case SheetFileRead::Unreadable:
                return console.fail(kExitBadInput,
                                    options.from + " cannot be read as a settings file");
            case SheetFileRead::NoSettings:
                return console.fail(kExitBadInput,
                                    options.from + " holds no settings (no [option] keys matched)");
        }
        card.values = content.options;
        card.info = content.info;
        card.memo = content.memo;
        card.firmware = card.info[kInfoFirmware];
    } else {
        Session session(global, console);
        EscIdentity identity;
        ParameterLists lists;
        if (const int code = session.openAndReadSettings(identity, lists); code != kExitOk)
            return code;
        card.model = identity.words.escModelName();
        card.firmware = identity.words.escFirmware();
        card.family = escFamilyName(identity.family);
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
    j["file"] = file.string();
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
