// orvek-link: the window. Reads the command line, starts the simulated device when asked,
// then runs the main window modally until it closes.
#include <cctype>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <QLocale>

#include "config/Language.h"
#include "firmware/ProgramFolder.h"
#include "gui/app/CTarnwick11App.h"
#include "gui/app/LaunchOptions.h"
#include "gui/window/CTarnwick11Dlg.h"
#include "platform/UserFolders.h"
#ifdef ORVEK_WITH_SIMULATOR
#include "sim/Simulator.h"
#endif

namespace {

#ifdef ORVEK_WITH_SIMULATOR
using SimulatedDevice = std::unique_ptr<orvek::sim::Simulator>;

// Starts the simulated device of `kind` and names its port; false after saying why not.
bool startSimulatedDevice(const std::string& kind, SimulatedDevice& device, std::string& port) {
    orvek::sim::SimOptions simOptions;
    orvek::sim::optionsForDeviceKind(kind, simOptions);
    device = std::make_unique<orvek::sim::Simulator>(simOptions);
    if (!device->start()) {
        std::fprintf(stderr, "orvek-link: cannot start the simulated device\n");
        return false;
    }
    port = device->devicePath();
    return true;
}

void stopSimulatedDevice(SimulatedDevice& device) {
    if (device) device->stop();
}
#else
// A build without the simulator (it needs a pseudo-terminal, which Windows lacks).
struct SimulatedDevice {};

bool startSimulatedDevice(const std::string&, SimulatedDevice&, std::string&) {
    std::fprintf(stderr,
                 "orvek-link: this build has no simulated device (it needs a pseudo-terminal)\n");
    return false;
}

void stopSimulatedDevice(SimulatedDevice&) {}
#endif

bool asksForTextOnly(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h" || a == "--version") return true;
    }
    return false;
}

// The language before the window is built. Where no locale variable is set (Windows), the
// system's own language stands for LANG.
// Returns the line that says a language asked for is not spoken, for the window to show too.
std::string chooseWindowLanguage(const orvek::LaunchOptions& options,
                                 const std::filesystem::path& programFolder) {
    auto environment = [](const char* name) -> std::optional<std::string> {
        std::optional<std::string> value = orvek::processEnvironment(name);
        if (!value && std::string(name) == "LANG") return QLocale::system().name().toStdString();
        return value;
    };
    const std::string note = orvek::installLaunchLanguage(options, programFolder,
                                                          orvek::userConfigFolder(), environment);
    if (!note.empty()) std::fprintf(stderr, "orvek-link: %s\n", note.c_str());
    return note;
}

int runWindow(const orvek::LaunchOptions& options) {
    // The simulated device outlives the window, whose link is its peer.
    SimulatedDevice simulator;
    orvek::WindowOptions window;
    window.port = options.port;
    if (options.simulate) {
        if (!startSimulatedDevice(options.simulateKind, simulator, window.port)) return 1;
        std::fprintf(stderr, "orvek-link: simulated %s on %s\n", options.simulateKind.c_str(),
                     window.port.c_str());
    }
    window.programFolder = orvek::programFolder(
        options.dataDir.empty() ? std::nullopt
                                : std::optional<std::filesystem::path>(options.dataDir));
    window.startNote = chooseWindowLanguage(options, window.programFolder);
    // Under the page buttons as a sentence of its own.
    if (!window.startNote.empty())
        window.startNote[0] =
            static_cast<char>(std::toupper(static_cast<unsigned char>(window.startNote[0])));
    {
        orvek::CTarnwick11Dlg dialog(window);
        if (options.deviceCommand) dialog.menuAction(*options.deviceCommand)->trigger();
        dialog.exec();
    }
    stopSimulatedDevice(simulator);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (asksForTextOnly(argc, argv)) {
        // Answered without a display.
        std::vector<std::string> args(argv + 1, argv + argc);
        const orvek::LaunchParse parse = orvek::parseLaunchOptions(args);
        if (parse.options.showHelp) {
            std::fputs(orvek::LaunchUsage(), stdout);
        } else {
            std::printf("orvek-link %s\n", ORVEK_VERSION);
        }
        return 0;
    }
    orvek::CTarnwick11App app(argc, argv);  // takes the window system's own options first
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    const orvek::LaunchParse parse = orvek::parseLaunchOptions(args);
    if (!parse.error.empty()) {
        std::fprintf(stderr, "orvek-link: %s\n%s", parse.error.c_str(), orvek::LaunchUsage());
        return 2;
    }
    return runWindow(parse.options);
}
