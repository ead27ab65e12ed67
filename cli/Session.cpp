#include "Session.h"

#include <cstdio>

#include "ExitCodes.h"
#include "settings/OptionLists.h"
#include "settings/SettingsBlock.h"

namespace orvek::cli {

namespace {

#ifdef _WIN32
// A COM port's driver refuses a second opener; access denied is also what a port held by
// another program gives on many drivers, so the fix names both.
std::string noPermissionText(const std::string& port) {
    return "access to " + port +
           " is refused: close any other program that uses the port, or unplug the adapter and "
           "plug it in again (its driver is the Silicon Labs CP210x one)";
}
std::string inUseText(const std::string& port) { return port + " is in use by another program"; }
constexpr const char* kNoSuchPort = "no such port";
#else
std::string noPermissionText(const std::string& port) {
    return "no permission to open " + port +
           ": install the udev rule 60-orvek-link.rules (the package puts it in "
           "/usr/lib/udev/rules.d) and plug the adapter in again, or join the dialout group (sudo "
           "adduser $USER dialout) and log in again";
}
std::string inUseText(const std::string& port) {
    return port +
           " is in use by another program (ModemManager takes such ports unless the udev rule "
           "60-orvek-link.rules is installed)";
}
constexpr const char* kNoSuchPort = "no such device";
#endif

// Where the adapter is looked for. Windows shows the device list's failures as messages; a
// terminal program shows them as a line on standard error.
AdapterDiscovery adapterDiscovery() {
#ifdef _WIN32
    return AdapterDiscovery(
        nullptr, [](const char* text) { std::fprintf(stderr, "orvek-cli: %s\n", text); });
#else
    return AdapterDiscovery();
#endif
}

}  // namespace

std::string openFailureText(const std::string& port, SerialPort::OpenFailure failure,
                            SerialPort::PathKind kind) {
    switch (failure) {
        case SerialPort::OpenFailure::NotATerminal: return notASerialPortText(port, kind);
        case SerialPort::OpenFailure::NoPermission: return noPermissionText(port);
        case SerialPort::OpenFailure::InUse: return inUseText(port);
        case SerialPort::OpenFailure::Missing: return "cannot open " + port + ": " + kNoSuchPort;
        default: return "cannot open " + port;
    }
}

Session::Session(const GlobalOptions& options, const Console& console)
    : options_(options), console_(console), history_(console) {}

Session::~Session() {
    link_.closePort();  // before the simulator's line goes away
#ifdef ORVEK_WITH_SIMULATOR
    if (sim_) sim_->stop();
#endif
}

int Session::startSimulator(std::string& port) {
#ifdef ORVEK_WITH_SIMULATOR
    sim::SimOptions o;
    if (!sim::optionsForDeviceKind(options_.simulateKind, o)) {
        return console_.fail(kExitUsage, "unknown simulated device '" + options_.simulateKind +
                                             "' (expert, stock, blinky, card or bootloader)");
    }
    o.stateFile = options_.simulateState;
    sim_ = std::make_unique<sim::Simulator>(o);
    if (!sim_->stateProblem().empty()) {
        return console_.fail(kExitCannotWrite, "cannot keep the simulated ESC's settings in " +
                                                   options_.simulateState + ": " +
                                                   sim_->stateProblem());
    }
    if (!sim_->start()) return console_.fail(kExitNoAdapter, "cannot start the simulator");
    port = sim_->devicePath();
    return kExitOk;
#else
    (void)port;
    return console_.fail(kExitNoAdapter,
                         "this build has no simulated device (it needs a pseudo-terminal); run "
                         "orvek-sim on Linux and name its port with --port");
#endif
}

int Session::openLink() {
    std::string port = options_.port;
    if (options_.simulate) {
        if (const int code = startSimulator(port)) return code;
    }
    link_.setPortOverride(port);
    installTrace();
    portPath_ = resolvePortPath(port, adapterDiscovery());
    if (portPath_.empty()) {
        return console_.fail(
            kExitNoAdapter,
            "no adapter found (USB 10c4:ea60); plug it in, or name a port with --port");
    }
    if (link_.openPort() != 0)
        return console_.fail(kExitNoAdapter, openFailureText(portPath_, link_.openFailure(),
                                                             link_.refusedPathKind()));
    link_.setUsbState(UsbState::PortOpen);
    return kExitOk;
}

void Session::installTrace() {
    // --trace keeps every exchange for its file; -v prints it as it happens; both may be asked.
    UsbUart::TraceSink kept = options_.trace ? options_.trace->traceSink() : UsbUart::TraceSink();
    if (!options_.verbose) {
        link_.setTrace(std::move(kept));
        return;
    }
    link_.setTrace([kept](UsbUart::TraceDirection dir, const std::uint8_t* data, std::size_t n) {
        if (kept) kept(dir, data, n);
        const char* tag = "";
        switch (dir) {
            case UsbUart::TraceDirection::Sent: tag = "tx  "; break;
            case UsbUart::TraceDirection::Echo: tag = "echo"; break;
            case UsbUart::TraceDirection::Received: tag = "rx  "; break;
            case UsbUart::TraceDirection::NoAnswer: tag = "rx  "; break;
            case UsbUart::TraceDirection::NotWritten: tag = "lost"; break;
            case UsbUart::TraceDirection::Note:
            case UsbUart::TraceDirection::Opened: tag = "--  "; break;
            case UsbUart::TraceDirection::Closed:
                std::fprintf(stderr, "--   closed %.*s\n", static_cast<int>(n),
                             reinterpret_cast<const char*>(data));
                return;
        }
        if (dir == UsbUart::TraceDirection::Opened) {
            std::fprintf(stderr, "%s %.*s\n", tag, static_cast<int>(n),
                         reinterpret_cast<const char*>(data));
            return;
        }
        if (dir == UsbUart::TraceDirection::NoAnswer && n == 0) {
            std::fprintf(stderr, "%s (no answer)\n", tag);
            return;
        }
        std::string hex;
        char byte[4];
        const std::size_t shown = n > 64 ? 64 : n;
        for (std::size_t i = 0; i < shown; ++i) {
            std::snprintf(byte, sizeof byte, "%02X ", data[i]);
            hex += byte;
        }
        if (shown < n) hex += "... (" + std::to_string(n) + " bytes)";
        std::fprintf(stderr, "%s %s\n", tag, hex.c_str());
    });
}

int Session::checkSimulatedStateKept() {
#ifdef ORVEK_WITH_SIMULATOR
    if (!sim_ || sim_->stateKept()) return kExitOk;
    return console_.fail(kExitCannotWrite, "the simulated ESC's settings could not be saved in " +
                                               options_.simulateState);
#else
    return kExitOk;  // no simulated device here
#endif
}

int Session::disconnected() {
    link_.closePort();
    return console_.fail(kExitNoAdapter, "the adapter was disconnected");
}

int Session::identifyEsc(EscIdentity& identity, bool cardHint) {
    const EscProbeResult probe = probeEsc(link_);
    if (probe == EscProbeResult::LinkLost || link_.lineLost()) return disconnected();
    if (probe != EscProbeResult::EscPresent) {
        link_.setEscState(EscState::NotAnswering);
        return console_.fail(kExitNoDevice,
                             "no ESC answers on " + portPath_ +
                                 " (is it powered? an ESC that only runs its "
                                 "bootloader needs flash-esc --fix-mode" +
                                 (cardHint ? "; a program card answers info --card" : "") + ")");
    }
    if (queryInfo(link_, identity.info) != LinkStatus::Ok || !escInfoValid(identity.info)) {
        if (link_.lineLost()) return disconnected();
        return console_.fail(kExitNoDevice, "the ESC answered but did not identify itself");
    }
    link_.setEscState(EscState::Identified);
    identity.family = escFamilyFromTypeCode(identity.info[kEscInfoTypeCode]);
    identity.versionText = escVersionText(identity.info[kEscInfoEscVersion]);
    EscInfo bytes{};
    std::copy(identity.info.begin(), identity.info.end(), bytes.begin());
    identity.words.storeEscInfo(bytes);
    identity.words.showDeviceInfo(FirmwareTarget::Esc);
    return kExitOk;
}

int Session::identifyCard(EscInfo& info, FirmwareIdentity& words) {
    const CardProbeResult probe = probeCard(link_);
    if (probe == CardProbeResult::LinkLost || link_.lineLost()) return disconnected();
    if (probe != CardProbeResult::CardPresent) {
        return console_.fail(kExitNoDevice,
                             "no program card answers on " + portPath_ +
                                 " (is it plugged in? a card left in its bootloader needs "
                                 "flash-card --fix-mode)");
    }
    // The card counts as identified from its probe answer; its identity reply fills the words.
    queryInfo(link_, info);
    if (link_.lineLost()) return disconnected();
    EscInfo bytes{};
    std::copy(info.begin(), info.end(), bytes.begin());
    words.storeEscInfo(bytes);
    words.showDeviceInfo(FirmwareTarget::ProgramCard);
    return kExitOk;
}

bool Session::tryReadSettings(const EscIdentity& identity, ParameterLists& lists, int& attempts) {
    FillOptionLists(lists, identity.family, identity.versionText);
    SettingsFrame frame{};
    attempts = 0;
    return orvek::readSettings(link_, frame, &attempts) &&
           acceptSettingsBlock(lists, frame.data(), frame.size());
}

int Session::readSettings(const EscIdentity& identity, ParameterLists& lists) {
    int attempts = 0;
    if (tryReadSettings(identity, lists, attempts)) return kExitOk;
    if (link_.lineLost()) return disconnected();
    return console_.fail(kExitNoDevice, "the ESC did not send its settings (" +
                                            std::to_string(attempts) + " attempts)");
}

int Session::openAndReadSettings(EscIdentity& identity, ParameterLists& lists) {
    if (const int code = openLink()) return code;
    if (const int code = identifyEsc(identity)) return code;
    return readSettings(identity, lists);
}

}  // namespace orvek::cli
