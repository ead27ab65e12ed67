// read, write and defaults: the ESC's eighteen settings through the same option lists, codec
// and settings files as the window.
#include <array>
#include <chrono>
#include <cstdio>
#include <thread>

#include "Commands.h"
#include "ExitCodes.h"
#include "FileArguments.h"
#include "Json.h"
#include "platform/ProfileFile.h"
#include "platform/ReadableFile.h"
#include "settings/OptionLists.h"
#include "settings/SettingsBlock.h"
#include "settings/SettingsFile.h"

namespace orvek::cli {
namespace {

using Texts = std::array<std::string, kParameterCount>;

Texts selectedTexts(const ParameterLists& lists) {
    Texts t;
    for (int k = 0; k < kParameterCount; ++k)
        t[static_cast<std::size_t>(k)] = lists.byKey(k).selectedText();
    return t;
}

void settingsJson(Json& j, const Texts& texts) {
    j.key("settings").beginObject();
    for (const EscParameter& p : parameterTable())
        j.key(p.keyName).value(texts[static_cast<std::size_t>(p.keyNumber)]);
    j.endObject();
}

void identityJson(Json& j, const Session& session, const EscIdentity& id) {
    j.key("port").value(session.portPath());
    j.key("model").value(id.words.escModelName());
    j.key("firmware").value(id.words.escFirmware());
    j.key("family").value(familyName(id.family));
    j.key("version").value(id.versionText);
}

std::string describe(const EscIdentity& id) {
    std::string model = id.words.escModelName().empty() ? "unknown model" : id.words.escModelName();
    return model + ", " + familyName(id.family) + " " + id.versionText;
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

// Sends the lists' write image, then reads the settings back and compares them with what was
// sent. Exit code; `verified` tells whether the comparison ran and matched.
int sendAndVerify(Session& session, const Console& console, ParameterLists& lists, bool verify,
                  bool& verified) {
    verified = false;
    const WriteImage image = BuildWriteImage(lists);
    WirePairs pairs{};
    for (std::size_t i = 0; i < pairs.size(); ++i)
        pairs[i] = {image[i].registerCode, image[i].value};

    Progress bar("write", "pairs", stderrIsTerminal());
    WriteProgressBar progress(bar);
    int failedPair = -1;
    const WriteOutcome outcome = writeSettings(session.link(), pairs, &progress, &failedPair);
    bar.finish();
    if (outcome != WriteOutcome::Written && session.link().lineLost())
        return session.disconnected();
    if (outcome == WriteOutcome::PairFailed) {
        char detail[96];
        std::snprintf(detail, sizeof detail,
                      " (pair %d of 22, register 0x%02X, was not acknowledged)", failedPair + 1,
                      pairs[static_cast<std::size_t>(failedPair)][0]);
        return console.fail(kExitTransfer, std::string("Send fail") + detail);
    }
    if (outcome == WriteOutcome::CommitFailed) {
        return console.fail(kExitTransfer, "Send Fail (the commit byte could not be sent)");
    }
    if (!verify) return kExitOk;

    // Read back what the ESC now holds and compare it byte for byte with what was sent.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    SettingsFrame back{};
    if (!readSettings(session.link(), back)) {
        if (session.link().lineLost()) return session.disconnected();
        return console.fail(kExitTransfer,
                            "the settings were sent but could not be read back to verify them");
    }
    std::string differences;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (back[i] != pairs[i][1]) {
            char d[80];
            std::snprintf(d, sizeof d, "%sregister 0x%02X sent 0x%02X, ESC holds 0x%02X",
                          differences.empty() ? "" : "; ", pairs[i][0], pairs[i][1], back[i]);
            differences += d;
        }
    }
    if (!differences.empty())
        return console.fail(kExitTransfer, "verification failed: " + differences);
    verified = true;
    return kExitOk;
}

// Shared by write and defaults once the lists hold what is to be sent.
int finishWrite(Session& session, const Console& console, const WriteOptions& options,
                ParameterLists& lists, const Texts& before, Json& j) {
    const Texts after = selectedTexts(lists);
    std::vector<Change> changes;
    for (const EscParameter& p : parameterTable()) {
        const auto k = static_cast<std::size_t>(p.keyNumber);
        if (before[k] != after[k]) changes.push_back({p.keyName, before[k], after[k]});
    }
    if (changes.empty()) {
        console.out("no setting changes; sending them all the same");
    } else {
        console.out("changes:");
        for (const Change& c : changes) {
            console.out("  " + c.key + ": " + (c.from.empty() ? "(none)" : c.from) + " -> " +
                        (c.to.empty() ? "(none)" : c.to));
        }
    }
    j.key("changes").beginArray();
    for (const Change& c : changes) {
        j.beginObject()
            .key("key")
            .value(c.key)
            .key("from")
            .value(c.from)
            .key("to")
            .value(c.to)
            .endObject();
    }
    j.endArray();
    if (options.dryRun) {
        console.out("dry run: nothing sent");
        j.key("sent").value(false).endObject();
        console.document(j.text());
        return kExitOk;
    }
    bool verified = false;
    const int code = sendAndVerify(session, console, lists, !options.noVerify, verified);
    if (code != kExitOk) return code;
    console.out(verified ? "settings written and verified" : "settings written (not verified)");
    j.key("sent").value(true).key("verified").value(verified).endObject();
    console.document(j.text());
    return kExitOk;
}

}  // namespace

int runRead(const GlobalOptions& global, const Console& console, const ReadOptions& options) {
    Session session(global, console);
    EscIdentity id;
    ParameterLists lists;
    if (const int code = session.openAndReadSettings(id, lists)) return code;
    if (id.family == EscFamily::Unlisted) {
        console.note("warning: unknown ESC type code; its settings have no option texts");
    }
    Json j;
    j.beginObject();
    identityJson(j, session, id);
    const Texts texts = selectedTexts(lists);
    console.out("# " + describe(id));
    for (const EscParameter& p : parameterTable()) {
        console.out(std::string(p.keyName) + " = " + texts[static_cast<std::size_t>(p.keyNumber)]);
    }
    settingsJson(j, texts);
    if (!options.output.empty()) {
        const auto path = settingsExportPath(fileArgument(options.output));
        std::error_code reason;
        if (exportSettingsFile(lists, path, &reason) != SettingsFileStatus::Ok) {
            return console.fail(kExitCannotWrite,
                                "cannot write " + fileText(path) + ": " + reason.message());
        }
        console.note("settings saved to " + fileText(path));
        j.key("saved").value(fileText(path));
    }
    j.endObject();
    console.document(j.text());
    return kExitOk;
}

int runWrite(const GlobalOptions& global, const Console& console, const WriteOptions& options) {
    Session session(global, console);
    EscIdentity id;
    ParameterLists lists;
    if (const int code = session.openAndReadSettings(id, lists)) return code;
    const Texts before = selectedTexts(lists);

    const SettingsImport imported = importSettingsFile(lists, fileArgument(options.file));
    switch (imported.status) {
        case SettingsFileStatus::Ok: break;
        case SettingsFileStatus::Missing:
            return console.fail(kExitBadInput, "no such settings file: " + options.file);
        case SettingsFileStatus::NotAFile:
            return console.fail(kExitBadInput,
                                "cannot read settings file " + options.file +
                                    ": not a regular file (a folder, pipe or device)");
        case SettingsFileStatus::TooLarge:
            return console.fail(kExitBadInput, "cannot read settings file " + options.file +
                                                   ": larger than " +
                                                   byteCountText(kProfileFileBytesLimit) +
                                                   ", more than any settings file or setup sheet");
        case SettingsFileStatus::Unreadable:
        case SettingsFileStatus::WriteFailed:
            return console.fail(kExitBadInput, "cannot read settings file " + options.file);
    }
    Json j;
    j.beginObject();
    identityJson(j, session, id);
    j.key("warnings").beginArray();
    for (const ImportedSetting& s : imported.settings) {
        const std::string name = parameterTable()[static_cast<std::size_t>(s.keyNumber)].keyName;
        const std::string kept = lists.byKey(s.keyNumber).selectedText();
        std::string warning;
        if (s.outcome == ImportOutcome::NoMatch) {
            warning = name + ": \"" + s.value + "\" matches no option on this ESC (" +
                      describe(id) + "); keeps " + (kept.empty() ? "no selection" : kept);
        } else if (s.outcome == ImportOutcome::KeyMissing) {
            warning = name + ": not in the file; keeps " + (kept.empty() ? "no selection" : kept);
        }
        if (!warning.empty()) {
            console.note("warning: " + warning);
            j.value(warning);
        }
    }
    j.endArray();
    return finishWrite(session, console, options, lists, before, j);
}

int runDefaults(const GlobalOptions& global, const Console& console, const WriteOptions& options) {
    Session session(global, console);
    EscIdentity id;
    ParameterLists lists;
    if (const int code = session.openAndReadSettings(id, lists)) return code;
    if (id.family == EscFamily::Unlisted) {
        return console.fail(kExitFailure, "no factory defaults are known for this ESC (type code " +
                                              std::to_string(id.info[kEscInfoTypeCode]) +
                                              "); nothing sent");
    }
    const Texts before = selectedTexts(lists);
    selectFactoryDefaults(lists);
    Json j;
    j.beginObject();
    identityJson(j, session, id);
    return finishWrite(session, console, options, lists, before, j);
}

}  // namespace orvek::cli
