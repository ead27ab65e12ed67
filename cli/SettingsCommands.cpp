// read, write and defaults: the ESC's eighteen settings through the same option lists, codec
// and settings files as the window, each recorded in the settings history.
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "Commands.h"
#include "ExitCodes.h"
#include "FileArguments.h"
#include "Json.h"
#include "SettingsHistory.h"
#include "SettingsInput.h"
#include "SettingsWrite.h"
#include "UploadInterrupts.h"
#include "platform/AsciiCase.h"
#include "platform/FileReplace.h"
#include "platform/NativeFile.h"
#include "platform/ProfileFile.h"
#include "platform/ReadableFile.h"
#include "settings/OptionLists.h"
#include "settings/SettingsBlock.h"
#include "settings/SettingsFile.h"
#include "settings/SetupSheets.h"
#include "write/SettingsWrite.h"

namespace orvek::cli {

Texts selectedTexts(const ParameterLists& lists) {
    Texts t;
    for (int k = 0; k < kParameterCount; ++k)
        t[static_cast<std::size_t>(k)] = lists.byKey(k).selectedText();
    return t;
}

void identityJson(Json& j, const Session& session, const EscIdentity& id) {
    j["port"] = session.portPath();
    j["model"] = id.words.escModelName();
    j["firmware"] = id.words.escFirmware();
    j["family"] = escFamilyName(id.family);
    j["version"] = id.versionText;
}

std::string describe(const EscIdentity& id) {
    std::string model = id.words.escModelName().empty() ? "unknown model" : id.words.escModelName();
    return model + ", " + escFamilyName(id.family) + " " + id.versionText;
}

std::vector<std::string> importWarnings(const SettingsImport& imported, const ParameterLists& lists,
                                        const std::string& listsOf, const std::string& where,
                                        const std::string& leftAs) {
    std::vector<std::string> warnings;
    for (const ImportedSetting& s : imported.settings) {
        const std::string name = parameterTable()[static_cast<std::size_t>(s.keyNumber)].keyName;
        const OptionList& list = lists.byKey(s.keyNumber);
        const std::string kept = list.selectedText();
        const std::string left =
            "; " + (leftAs.empty() ? "keeps " + (kept.empty() ? "no selection" : kept) : leftAs);
        if (s.outcome == ImportOutcome::NoMatch) {
            warnings.push_back(name + ": \"" + s.value + "\" matches no option on " + listsOf +
                               left);
        } else if (s.outcome == ImportOutcome::KeyMissing) {
            warnings.push_back(name + ": not in the " + where + left);
        } else if (s.outcome == ImportOutcome::EmptyValue && list.count() > 0) {
            // A setting this family's lists do not offer is saved empty: that says nothing.
            warnings.push_back(name + ": empty in the " + where + left);
        }
    }
    return warnings;
}

std::vector<std::string> importWarnings(const SettingsImport& imported, const ParameterLists& lists,
                                        const EscIdentity& id, const std::string& where) {
    return importWarnings(imported, lists, "this ESC (" + describe(id) + ")", where, "");
}

namespace {

Json settingsJson(const Texts& texts) {
    Json settings = Json::object();
    for (const EscParameter& p : parameterTable())
        settings[p.keyName] = texts[static_cast<std::size_t>(p.keyNumber)];
    return settings;
}

// The number of the record a command left, or null when the history kept none.
Json historyJson(const std::optional<std::int64_t>& id) { return id ? Json(*id) : Json(); }

// A setup sheet is named by its category and name when it lies in a category folder of a
// Profile folder, as the window names the sheets it lists; any other file by its path.
ValuesOrigin fileOrigin(const std::string& file) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(fileArgument(file), error);
    if (error) path = fileArgument(file);
    const std::optional<SheetPlace> sheet = sheetPlaceOf(path);
    if (!sheet) return {ValuesSource::File, fileText(path), false};
    if (!sheet->category.empty())
        return {ValuesSource::Sheet, sheet->category + "/" + sheet->title, false};
    return {ValuesSource::Sheet, fileText(path), false};
}

class WriteProgressBar : public WriteProgress {
public:
    explicit WriteProgressBar(Progress& bar) : bar_(bar) {}
    void pairWritten(int index, int) override {
        bar_.update(index + 1, static_cast<std::int64_t>(kSettingsPairs));
    }

private:
    Progress& bar_;
};

struct Change {
    std::string key, from, to;
};

// Sends the lists' selections through the settings write, verifying them where asked. Exit
// code; `verified` tells whether the read-back ran and matched.
int sendAndVerify(Session& session, const Console& console, const EscIdentity& id,
                  ParameterLists& lists, const ValuesOrigin& origin, bool verify, bool& verified) {
    verified = false;
    Progress bar("write", "pairs", stderrIsTerminal());
    WriteProgressBar progress(bar);
    SettingsWriteOptions options;
    options.progress = &progress;
    options.verify = verify;
    options.history = &session.history();
    options.identity = &id.words;
    lists.origin = origin;
    SettingsWriteReport report;
    {
        const UploadInterrupts interrupts(
            std::string(stderrIsTerminal() ? "\n" : "") +
                "warning: stopping the write now leaves the ESC holding settings it has not "
                "committed, so it goes on (about 2 s); interrupt again within 3 s to stop it "
                "anyway",
            "stopping the write before its next pair");
        options.stop = &interrupts.abortRequested();
        report = writeSettingsOf(session.link(), lists, options);
    }
    bar.finish();
    if (!report.succeeded() && session.link().lineLost()) return session.disconnected();
    if (!report.succeeded()) return console.fail(kExitTransfer, settingsWriteMessage(report));
    verified = report.outcome == SettingsWriteOutcome::Verified;
    return kExitOk;
}

}  // namespace

void showWarnings(const Console& console, const std::vector<std::string>& warnings, Json& j) {
    j["warnings"] = Json::array();
    for (const std::string& warning : warnings) {
        console.note("warning: " + warning);
        j["warnings"].push_back(warning);
    }
}

int writeSelections(Session& session, const Console& console, const WriteOptions& options,
                    const EscIdentity& id, ParameterLists& lists, const Texts& before,
                    const ValuesOrigin& origin, Json& j) {
    const Texts after = selectedTexts(lists);
    std::vector<Change> changes;
    for (const EscParameter& p : parameterTable()) {
        const auto k = static_cast<std::size_t>(p.keyNumber);
        if (before[k] != after[k]) changes.push_back({p.keyName, before[k], after[k]});
    }
    const std::vector<UnlistedRegister> unlisted = UnlistedRegisterChanges(lists);
    if (changes.empty() && unlisted.empty()) {
        console.out("no setting changes; sending them all the same");
    } else if (changes.empty()) {
        console.out("no setting changes in the lists");
    } else {
        console.out("changes:");
        for (const Change& c : changes) {
            console.out("  " + c.key + ": " + (c.from.empty() ? "(none)" : c.from) + " -> " +
                        (c.to.empty() ? "(none)" : c.to));
        }
    }
    j["changes"] = Json::array();
    for (const Change& c : changes) {
        Json change;
        change["key"] = c.key;
        change["from"] = c.from;
        change["to"] = c.to;
        j["changes"].push_back(std::move(change));
    }
    if (!unlisted.empty()) {
        console.out(
            "registers set to 0xFF (this ESC's lists offer no options for them, and a list "
            "without a selection is written as 0xFF):");
    }
    j["unlistedRegisters"] = Json::array();
    for (const UnlistedRegister& r : unlisted) {
        char line[120];
        std::snprintf(line, sizeof line, "  register 0x%02X (%s): 0x%02X -> 0x%02X", r.registerCode,
                      parameterTable()[static_cast<std::size_t>(r.keyNumber)].keyName, r.held,
                      r.written);
        console.out(line);
        Json unlistedRegister;
        unlistedRegister["register"] = static_cast<int>(r.registerCode);
        unlistedRegister["key"] = parameterTable()[static_cast<std::size_t>(r.keyNumber)].keyName;
        unlistedRegister["from"] = static_cast<int>(r.held);
        unlistedRegister["to"] = static_cast<int>(r.written);
        j["unlistedRegisters"].push_back(std::move(unlistedRegister));
    }
    if (options.dryRun) {
        console.out("dry run: nothing sent");
        j["sent"] = false;
        console.document(j);
        return kExitOk;
    }
    bool verified = false;
    const int code =
        sendAndVerify(session, console, id, lists, origin, !options.noVerify, verified);
    if (code != kExitOk) return code;
    if (const int kept = session.checkSimulatedStateKept()) return kept;
    console.out(verified ? "settings written and verified" : "settings written (not verified)");
    j["sent"] = true;
    j["verified"] = verified;
    j["history"] = historyJson(session.history().finish());
    console.document(j);
    return kExitOk;
}

namespace {

// Where `read -o` saves, checked before the port is opened; an exit code when it cannot.
int checkOutput(const Console& console, const ReadOptions& options, std::filesystem::path& path) {
    if (!options.save) return kExitOk;
    if (options.output.empty()) {
        return console.fail(kExitUsage, "-o needs a file name (or - for standard output)");
    }
    if (options.output == "-") {
        if (console.json()) {
            return console.fail(kExitUsage, "-o - and --json both use standard output; choose one");
        }
        return kExitOk;
    }
    if (options.output.back() == '/') {
        return console.fail(
            kExitUsage, "-o " + options.output + " names a folder; give the settings file's name");
    }
    path = settingsExportPath(fileArgument(options.output));
    // What the save would refuse, refused before the ESC is asked.
    std::error_code error;
    const std::filesystem::path target = followLinks(path);
    const auto status = std::filesystem::status(target, error);
    if (std::filesystem::is_directory(status)) {
        return console.fail(kExitCannotWrite, "cannot write " + fileText(path) + ": a folder");
    }
    const std::filesystem::path folder = target.parent_path();
    if (!std::filesystem::exists(status) && !folder.empty() &&
        !std::filesystem::is_directory(folder, error)) {
        return console.fail(kExitCannotWrite,
                            "cannot write " + fileText(path) + ": no folder " + fileText(folder));
    }
    if (std::filesystem::exists(status) && !nativeFile::writable(target)) {
        return console.fail(kExitCannotWrite,
                            "cannot write " + fileText(path) + ": " + std::strerror(errno));
    }
    return kExitOk;
}

}  // namespace

int runRead(const GlobalOptions& global, const Console& console, const ReadOptions& options) {
    std::filesystem::path path;
    if (const int code = checkOutput(console, options, path)) return code;
    const bool toStdout = options.save && options.output == "-";
    return withEscSettings(
        global, console, [&](Session& session, EscIdentity& id, ParameterLists& lists) {
            if (id.family == EscFamily::Unlisted) {
                console.note("warning: unknown ESC type code; its settings have no option texts");
            }
            session.history().recordSettings(HistoryKind::Read, lists, id.words,
                                             lists.lastReadBlock,
                                             {ValuesSource::Device, std::string(), false});
            if (toStdout) {
                // Standard output carries the settings file alone, for a pipe or a redirection.
                const std::string text = settingsFileBytes(lists);
                std::fwrite(text.data(), 1, text.size(), stdout);
                if (std::fflush(stdout) != 0) {
                    return console.fail(kExitCannotWrite,
                                        "cannot write the settings to standard output");
                }
                return kExitOk;
            }
            Json j;
            identityJson(j, session, id);
            const Texts texts = selectedTexts(lists);
            console.out("# " + describe(id));
            for (const EscParameter& p : parameterTable()) {
                console.out(std::string(p.keyName) + " = " +
                            texts[static_cast<std::size_t>(p.keyNumber)]);
            }
            j["settings"] = settingsJson(texts);
            if (options.save) {
                std::error_code reason;
                if (exportSettingsFile(lists, path, &reason) != SettingsFileStatus::Ok) {
                    return console.fail(kExitCannotWrite,
                                        "cannot write " + fileText(path) + ": " + reason.message());
                }
                console.note("settings saved to " + fileText(path));
                j["saved"] = fileText(path);
            }
            j["history"] = historyJson(session.history().finish());
            console.document(j);
            return kExitOk;
        });
}

int runWrite(const GlobalOptions& global, const Console& console, const WriteOptions& options) {
    // The file is judged before the port is opened: a file that cannot say anything must not
    // lead to the ESC's own values being written back as if they were asked for.
    std::vector<std::string> warnings;
    if (const int code = checkSettingsInput(console, "write", options.file, warnings)) return code;

    return withEscSettings(
        global, console, [&](Session& session, EscIdentity& id, ParameterLists& lists) {
            const Texts before = selectedTexts(lists);

            const SettingsImport imported = importSettingsFile(lists, fileArgument(options.file));
            if (const std::string why = unreadableSettingsFile(options.file, imported.status);
                !why.empty())
                return console.fail(kExitBadInput, why);
            for (std::string& warning : importWarnings(imported, lists, id, "file"))
                warnings.push_back(std::move(warning));
            Json j;
            identityJson(j, session, id);
            showWarnings(console, warnings, j);
            return writeSelections(session, console, options, id, lists, before,
                                   fileOrigin(options.file), j);
        });
}

int runDefaults(const GlobalOptions& global, const Console& console, const WriteOptions& options) {
    return withEscSettings(
        global, console, [&](Session& session, EscIdentity& id, ParameterLists& lists) {
            if (id.family == EscFamily::Unlisted) {
                return console.fail(kExitFailure,
                                    "no factory defaults are known for this ESC (type code " +
                                        std::to_string(id.info[kEscInfoTypeCode]) +
                                        "); nothing sent");
            }
            const Texts before = selectedTexts(lists);
            selectFactoryDefaults(lists);
            Json j;
            identityJson(j, session, id);
            return writeSelections(session, console, options, id, lists, before,
                                   {ValuesSource::Defaults, std::string(), false}, j);
        });
}

}  // namespace orvek::cli
