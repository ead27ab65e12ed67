#pragma once
// One run of orvek-cli against a device: the link (to an adapter, a given port, or a simulator
// started in-process), identification of an ESC or a program card, and the ESC's settings read
// into eighteen plain option lists, exactly as the window does it.
#include <memory>
#include <optional>
#include <string>

#include "Console.h"
#include "SettingsHistory.h"
#include "diag/LinkLog.h"
#include "firmware/DeviceIdentity.h"
#include "link/CommandSet.h"
#include "link/UsbUart.h"
#include "settings/ParameterLists.h"
#ifdef ORVEK_WITH_SIMULATOR
#include "sim/Simulator.h"
#endif

namespace orvek::cli {

struct GlobalOptions {
    std::string port;
    bool simulate = false;
    std::string simulateKind = "expert";  // expert, stock, blinky, card, bootloader
    std::string simulateState;            // keep the simulated ESC's settings in this file
    bool json = false;
    bool verbose = false;
    std::string traceFile;     // --trace: the diagnostic log of the command goes there
    LinkLog* trace = nullptr;  // where its entries are kept meanwhile (set with traceFile)
};

struct EscIdentity {
    EscInfo info{};
    EscFamily family = EscFamily::Unlisted;
    std::string versionText;
    FirmwareIdentity words;
};

// The one line orvek-cli prints when `port` would not open, with the fix where there is one.
std::string openFailureText(const std::string& port, SerialPort::OpenFailure failure,
                            SerialPort::PathKind kind = SerialPort::PathKind::Terminal);

class Session {
public:
    Session(const GlobalOptions& options, const Console& console);
    ~Session();

    // Opens the port (starting the simulator first when asked). 0, or kExitNoAdapter after
    // printing why.
    int openLink();
    UsbUart& link() { return link_; }
    const std::string& portPath() const { return portPath_; }

    // Probe and identification of an ESC application. 0, kExitNoDevice, or kExitNoAdapter when
    // the line went. `cardHint` adds to the no-ESC line how a program card is asked for (the
    // kind of device is never guessed on the line).
    int identifyEsc(EscIdentity& identity, bool cardHint = false);
    // Probe and identification of a program card. 0, kExitNoDevice or kExitNoAdapter.
    int identifyCard(EscInfo& info, FirmwareIdentity& words);

    // Fills the lists for the identified ESC and reads its settings into them (up to six
    // attempts). 0, kExitNoDevice when no complete settings block came, or kExitNoAdapter.
    int readSettings(const EscIdentity& identity, ParameterLists& lists);
    // The same without a word: true when the settings came; `attempts` gets the tries made.
    bool tryReadSettings(const EscIdentity& identity, ParameterLists& lists, int& attempts);

    // After a write: kExitCannotWrite, with its line, when the simulated ESC's state file
    // could not be saved; 0 otherwise (also without a simulator).
    int checkSimulatedStateKept();

    // The line a pulled cable gives, as opposed to a device that does not answer:
    // kExitNoAdapter after "the adapter was disconnected".
    int disconnected();

    // openLink, identifyEsc and readSettings in turn; the first failure's exit code.
    int openAndReadSettings(EscIdentity& identity, ParameterLists& lists);

    // Where the command records what it did with the device.
    SettingsHistory& history() { return history_; }

private:
    void installTrace();
    // Starts the in-process simulator and names its port. 0, or an exit code after saying why.
    int startSimulator(std::string& port);

    const GlobalOptions& options_;
    const Console& console_;
    SettingsHistory history_;  // written out after the link and the simulator are gone
#ifdef ORVEK_WITH_SIMULATOR
    std::unique_ptr<sim::Simulator> sim_;
#endif
    UsbUart link_;
    std::string portPath_;
};

// How every command that works on the ESC's settings begins: opens the link, identifies the ESC
// and reads its settings, then hands the session, the identity and the filled lists to `use`,
// an int(Session&, EscIdentity&, ParameterLists&). The first failure's exit code, or use's.
template <typename Use>
int withEscSettings(const GlobalOptions& options, const Console& console, Use&& use) {
    Session session(options, console);
    EscIdentity identity;
    ParameterLists lists;
    if (const int code = session.openAndReadSettings(identity, lists)) return code;
    return use(session, identity, lists);
}

}  // namespace orvek::cli
