// orvek-link: the window. Reads the command line, starts the simulated device when asked,
// then runs the main window modally until it closes.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "firmware/ProgramFolder.h"
#include "gui/app/CTarnwick11App.h"
#include "gui/app/LaunchOptions.h"
#include "gui/window/CTarnwick11Dlg.h"
#include "sim/Simulator.h"

namespace {

bool asksForTextOnly(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h" || a == "--version") return true;
    }
    return false;
}

int runWindow(const orvek::LaunchOptions& options) {
    // The simulated device outlives the window, whose link is its peer.
    std::unique_ptr<orvek::sim::Simulator> simulator;
    orvek::WindowOptions window;
    window.port = options.port;
    if (options.simulate) {
        orvek::sim::SimOptions simOptions;
        orvek::sim::optionsForDeviceKind(options.simulateKind, simOptions);
        simulator = std::make_unique<orvek::sim::Simulator>(simOptions);
        if (!simulator->start()) {
            std::fprintf(stderr, "orvek-link: cannot start the simulated device\n");
            return 1;
        }
        window.port = simulator->devicePath();
        std::fprintf(stderr, "orvek-link: simulated %s on %s\n", options.simulateKind.c_str(),
                     window.port.c_str());
    }
    window.programFolder = orvek::programFolder(
        options.dataDir.empty() ? std::nullopt
                                : std::optional<std::filesystem::path>(options.dataDir));
    {
        orvek::CTarnwick11Dlg dialog(window);
        if (options.deviceCommand) dialog.menuAction(*options.deviceCommand)->trigger();
        dialog.exec();
    }
    if (simulator) simulator->stop();
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
