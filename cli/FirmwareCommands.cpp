// flash-esc, flash-card and check: the two update workers with a terminal's progress, and the
// image checks that refuse a damaged image before the device is touched. An update that ended,
// and the settings read before one, are recorded in the settings history.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <thread>

#include "Commands.h"
#include "ExitCodes.h"
#include "FileArguments.h"
#include "Json.h"
#include "UploadInterrupts.h"
#include "firmware/ImageCheck.h"
#include "firmware/SettingsBackup.h"
#include "update/FirmwareUpdate.h"
#include "update/HeadlessUpdateHost.h"

namespace fs = std::filesystem;

namespace orvek::cli {
namespace {

class BarObserver : public UpdateObserver {
public:
    explicit BarObserver(Progress& bar) : bar_(bar) {}
    void progress(std::int64_t sent, std::int64_t total) override { bar_.update(sent, total); }

private:
    Progress& bar_;
};

std::string lowerExtension(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

std::string hex32(std::uint64_t v, int digits) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%0*llX", digits, static_cast<unsigned long long>(v));
    return buf;
}

ImageCheckReport checkImage(const std::string& path, bool& known) {
    const std::string ext = lowerExtension(path);
    known = ext == ".kfw" || ext == ".xup";
    if (ext == ".xup") return checkXupImage(fileArgument(path));
    return checkKfwImage(fileArgument(path));
}

void printReport(const Console& console, const std::string& path, const ImageCheckReport& r,
                 bool kfw, Json& j) {
    console.out(path + ":");
    console.out(std::string("  ") + (kfw ? "records:     " : "blocks:      ") +
                std::to_string(r.recordCount));
    console.out("  data bytes:  " + std::to_string(r.dataBytes));
    console.out("  bytes sent:  " + std::to_string(r.frameBytes));
    if (r.lowestAddress && r.highestAddress) {
        console.out("  addresses:   " + hex32(*r.lowestAddress, 8) + " to " +
                    hex32(*r.highestAddress, 8));
    }
    console.out("  CRC-32:      " + hex32(r.crc32, 8));
    j["file"] = path;
    j["type"] = kfw ? "kfw" : "xup";
    j["ok"] = r.ok();
    j["records"] = static_cast<std::int64_t>(r.recordCount);
    j["dataBytes"] = static_cast<std::int64_t>(r.dataBytes);
    j["frameBytes"] = static_cast<std::int64_t>(r.frameBytes);
    if (r.lowestAddress && r.highestAddress) {
        j["lowestAddress"] = static_cast<std::int64_t>(*r.lowestAddress);
        j["highestAddress"] = static_cast<std::int64_t>(*r.highestAddress);
    }
    j["crc32"] = hex32(r.crc32, 8);
    j["problemCount"] = static_cast<std::int64_t>(r.problemCount);
    j["problems"] = Json::array();
    for (const ImageProblem& p : r.problems) {
        Json problem;
        problem["line"] = static_cast<std::int64_t>(p.line);
        problem["what"] = p.what;
        j["problems"].push_back(std::move(problem));
        console.out("  problem: " + imageProblemText(p));
    }
    if (r.problemCount > r.problems.size()) {
        console.out("  ... and " + problemCountText(r.problemCount - r.problems.size(), "more "));
    }
}

// Checks the image before anything is sent; an exit code when it must not go.
int preflight(const Console& console, const FlashOptions& options, bool kfw) {
    const ImageCheckReport r = kfw ? checkKfwImage(fileArgument(options.image))
                                   : checkXupImage(fileArgument(options.image));
    if (r.status == ImageReadStatus::TooLarge) {
        return console.fail(kExitBadInput, "Read File Error! " + options.image +
                                               " decodes to more than 65536 bytes");
    }
    if (r.status != ImageReadStatus::Ok) {
        return console.fail(kExitBadInput, std::string("Read File Error! ") + options.image + ": " +
                                               imageReadStatusText(r.status));
    }
    // Not even --force sends an image without data: it can only leave the device without
    // firmware.
    if (r.dataBytes == 0) {
        return console.fail(kExitBadInput, options.image +
                                               " holds no firmware data; sending it would leave "
                                               "the device without firmware, so it is never sent");
    }
    if (r.problemCount == 0) return kExitOk;
    const std::size_t shown = std::min<std::size_t>(r.problems.size(), 5);
    for (std::size_t i = 0; i < shown; ++i) {
        console.note("image problem: " + imageProblemText(r.problems[i]));
    }
    if (options.force) {
        console.note("warning: sending a damaged image because --force was given");
        return kExitOk;
    }
    return console.fail(kExitBadInput, options.image + " is damaged (" +
                                           problemCountText(r.problemCount) +
                                           "); nothing was sent (--force sends it anyway)");
}

// Saves the ESC's settings before its firmware is replaced. Exit code.
int backupSettings(Session& session, const Console& console, const EscIdentity& id,
                   const FlashOptions& options, std::string& savedTo) {
    ParameterLists lists;
    int attempts = 0;
    if (!session.tryReadSettings(id, lists, attempts)) {
        if (session.link().lineLost()) return session.disconnected();
        return console.fail(kExitNoDevice,
                            "could not read the ESC's settings for a backup (" +
                                std::to_string(attempts) +
                                " attempts); nothing was sent (--no-backup goes on without one)");
    }
    session.history().recordSettings(HistoryKind::Backup, lists, id.words, lists.lastReadBlock,
                                     {ValuesSource::Device, std::string(), false});
    EscInfo info{};
    std::copy(id.info.begin(), id.info.end(), info.begin());
    const fs::path folder =
        options.backupDir.empty() ? settingsBackupFolder() : fileArgument(options.backupDir);
    const SettingsBackup backup = backUpEscSettings(lists, info, folder, std::time(nullptr));
    if (!backup.saved) {
        return console.fail(kExitCannotWrite,
                            "cannot write the settings backup " + fileText(backup.file) +
                                "; nothing was sent (--no-backup goes on without one)");
    }
    savedTo = fileText(backup.file);
    console.note("settings backed up to " + savedTo);
    return kExitOk;
}

// A word for the shell: as it is when it needs no quoting, otherwise in single quotes.
std::string shellWord(const std::string& text) {
    const bool plain = !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return std::isalnum(c) || std::strchr("_-./:=+,@%", c) != nullptr;
    });
    if (plain) return text;
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// What an interrupted upload leaves to do, and how the person at the keyboard does it.
struct Recovery {
    std::string device;   // "ESC" or "program card"
    std::string command;  // the command line that puts the firmware back
    // The steps: a device whose upload stopped still waits in the middle of it and answers no
    // handshake until it starts again, into its bootloader.
    std::string steps() const {
        return "power the " + device + " off and on, then run: " + command;
    }
};

// What the two flash commands differ in.
struct FlashTarget {
    FirmwareTarget target;
    const char* command;  // its name on the command line
    const char* device;   // as the lines name it
    bool kfw;             // the image it takes: .kfw, or .xup
    UpdateResult (*update)(const UpdateJob& job, UpdateObserver* observer);
};
constexpr FlashTarget kEscFlash{FirmwareTarget::Esc, "flash-esc", "ESC", true, EscFirmwareUpdate};
constexpr FlashTarget kCardFlash{FirmwareTarget::ProgramCard, "flash-card", "program card", false,
                                 CardFirmwareUpdate};

Recovery recoveryFor(const GlobalOptions& global, const FlashOptions& options,
                     const FlashTarget& flash) {
    std::string command = "orvek-cli ";
    if (!global.port.empty()) command += "--port " + shellWord(global.port) + " ";
    command += std::string(flash.command) + " --fix-mode ";
    return {flash.device, command + shellWord(options.image)};
}

std::string interruptWarning(const Recovery& recovery) {
    // On a terminal the progress bar holds the line without ending it.
    return std::string(stderrIsTerminal() ? "\n" : "") +
           "warning: stopping the upload now leaves the " + recovery.device +
           " without firmware, so it goes on; interrupt again within 3 s to stop it " +
           "anyway; to recover then, " + recovery.steps();
}

int updateOutcome(const Console& console, const UpdateResult& r, const UsbUart& link,
                  const Recovery& recovery) {
    switch (r.outcome) {
        case UpdateOutcome::Finished: return kExitOk;
        case UpdateOutcome::ReadFileError: return console.fail(kExitBadInput, r.message);
        case UpdateOutcome::Refused:
            return console.fail(
                r.message == "USB Connection Error!" ? kExitNoAdapter : kExitNoDevice, r.message);
        case UpdateOutcome::Aborted:
            return console.fail(kExitTransfer, "upload stopped: the " + recovery.device +
                                                   " is left without firmware; to recover, " +
                                                   recovery.steps());
        case UpdateOutcome::Failed: break;
    }
    if (link.lineLost()) {
        // Once records went, the device's old firmware is gone with the line.
        const std::string left = r.sentBytes > 0
                                     ? "; the " + recovery.device +
                                           " is left without firmware: once the adapter is back, " +
                                           recovery.steps()
                                     : "";
        return console.fail(kExitNoAdapter,
                            "the adapter was disconnected (" + r.message + ")" + left);
    }
    // Whatever failed after the handshake began, the device may wait in its bootloader.
    return console.fail(kExitTransfer, r.message + "; to recover, " + recovery.steps());
}

// Identifies the device the image is for (nothing to identify in fix mode, where it runs only
// its bootloader) and, for an ESC, saves its settings first unless told not to. Exit code.
int identifyForUpdate(Session& session, const Console& console, const FlashOptions& options,
                      const FlashTarget& flash, FirmwareIdentity& words, std::string& backup) {
    if (options.fixMode) return kExitOk;
    if (flash.target == FirmwareTarget::ProgramCard) {
        EscInfo info{};
        if (const int code = session.identifyCard(info, words)) return code;
        console.note("updating " + words.cardModelName() + " running " + words.cardFirmware());
        return kExitOk;
    }
    EscIdentity id;
    if (const int code = session.identifyEsc(id)) return code;
    words = id.words;
    console.note("updating " + id.words.escModelName() + " running " + id.words.escFirmware());
    if (options.noBackup) return kExitOk;
    return backupSettings(session, console, id, options, backup);
}

// The firmware the ESC reports once its new firmware starts, when it answers; empty otherwise.
std::string firmwareNowRunning(UsbUart& link) {
    std::string running;
    for (int attempt = 0; attempt < 5 && running.empty(); ++attempt) {
        if (probeEsc(link) != EscProbeResult::EscPresent) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            continue;
        }
        EscInfo info{};
        if (queryInfo(link, info) == LinkStatus::Ok && escInfoValid(info)) {
            FirmwareIdentity words;
            EscInfo bytes{};
            std::copy(info.begin(), info.end(), bytes.begin());
            words.storeEscInfo(bytes);
            words.showDeviceInfo(FirmwareTarget::Esc);
            running = words.escFirmware().empty() ? "an unknown firmware" : words.escFirmware();
        }
    }
    return running;
}

}  // namespace

int runFlash(const GlobalOptions& global, const Console& console, const FlashOptions& options,
             FirmwareTarget target) {
    const FlashTarget& flash = target == FirmwareTarget::Esc ? kEscFlash : kCardFlash;
    if (const int code = preflight(console, options, flash.kfw)) return code;
    Session session(global, console);
    if (const int code = session.openLink()) return code;
    std::string backup;
    FirmwareIdentity words;  // none in fix mode
    if (const int code = identifyForUpdate(session, console, options, flash, words, backup))
        return code;
    HeadlessUpdateHost host;
    if (target == FirmwareTarget::Esc) {
        host.fix = options.fixMode;
    } else {
        // A card left in its bootloader answers no probe: in fix mode the handshake is the first
        // thing it hears, as it is after a probe.
        host.card = CardState::Identified;
    }
    const Recovery recovery = recoveryFor(global, options, flash);
    Progress bar(flash.command, "bytes", stderrIsTerminal());
    BarObserver observer(bar);
    UpdateResult r;
    {
        const UploadInterrupts interrupts(interruptWarning(recovery));
        r = flash.update(
            {host, session.link(), fileArgument(options.image), &interrupts.abortRequested()},
            &observer);
    }
    bar.finish();
    session.history().recordUpdate(target, words, fileArgument(options.image),
                                   updateOutcomeName(r.outcome));
    if (const int code = updateOutcome(console, r, session.link(), recovery)) return code;

    Json j;
    j["outcome"] = "finished";
    j["bytes"] = static_cast<std::int64_t>(r.sentBytes);
    if (target == FirmwareTarget::ProgramCard) {
        console.out("program card firmware updated: " + std::to_string(r.sentBytes) +
                    " bytes sent");
    } else {
        const std::string running = firmwareNowRunning(session.link());
        console.out("ESC firmware updated: " + std::to_string(r.sentBytes) + " bytes sent" +
                    (running.empty() ? "" : "; the ESC now runs " + running));
        j["backup"] = backup.empty() ? Json() : Json(backup);
        j["running"] = running;
    }
    console.document(j);
    return kExitOk;
}

int runCheck(const Console& console, const std::string& image) {
    bool known = false;
    const ImageCheckReport r = checkImage(image, known);
    if (!known) return console.fail(kExitBadInput, image + ": not a .kfw or .xup image");
    if (r.status != ImageReadStatus::Ok) {
        return console.fail(kExitBadInput, image + ": " + imageReadStatusText(r.status));
    }
    Json j;
    printReport(console, image, r, lowerExtension(image) == ".kfw", j);
    if (!r.ok()) {
        console.document(j);
        std::fflush(stdout);
        std::fprintf(stderr, "orvek-cli: %s is damaged (%s)\n", image.c_str(),
                     problemCountText(r.problemCount).c_str());
        return kExitBadInput;
    }
    console.out("  image is sound");
    console.document(j);
    return kExitOk;
}

}  // namespace orvek::cli
