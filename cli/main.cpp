// orvek-cli: the ORVEK Link core from a terminal.
#include <CLI/CLI.hpp>

#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "CommandTable.h"
#include "ExitCodes.h"
#include "TraceFile.h"

namespace {

// The first word of the command line that is neither an option nor an option's value: the
// command asked for, if any.
std::string commandWord(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--port") == 0 || std::strcmp(a, "--sim-state") == 0 ||
            std::strcmp(a, "--trace") == 0) {
            ++i;
            continue;
        }
        if (a[0] != '-') return a;
    }
    return {};
}

// The parser's sentence as one of our lines: they start in lower case ("The following argument"
// becomes "the following argument"); a word in capitals ("ID") stays as it is.
std::string asOurLine(std::string message) {
    if (message.size() > 1 && std::isupper(static_cast<unsigned char>(message[0])) &&
        !std::isupper(static_cast<unsigned char>(message[1]))) {
        message[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(message[0])));
    }
    return message;
}

bool asksForJson(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    orvek::cli::prepareConsole();
    using namespace orvek::cli;
    CLI::App app{
        "orvek-cli: configure ORVEK ESCs and the QLX program card from a terminal.\n"
        "Finds the CP210x adapter by itself; --port names another port, --simulate\n"
        "runs against a built-in simulated device."};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("orvek-cli ") + ORVEK_VERSION,
                         "Print the version and exit");
    app.fallthrough();

    Arguments arguments;
    GlobalOptions& global = arguments.global;
    app.add_option("--port", global.port,
                   "Serial port to use instead of the adapter found (also ORVEK_PORT)");
    app.add_flag("--simulate{expert}", global.simulateKind,
                 "Use a simulated device: expert (default), stock, blinky, card or bootloader");
    app.add_option("--sim-state", global.simulateState,
                   "Keep the simulated ESC's settings in this file");
    app.add_flag("--json", global.json, "Print results as JSON on standard output");
    app.add_flag("-v,--verbose", global.verbose, "Trace every byte on the line on standard error");
    app.add_option("--trace", global.traceFile,
                   "Write a diagnostic log of the command (every byte on the line) to FILE");
    addCommands(app, arguments);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        // One line, as every failure; the command's own help says the rest.
        const Console console(asksForJson(argc, argv));
        const std::string word = commandWord(argc, argv);
        bool known = word.empty();
        for (const CLI::App* sub : app.get_subcommands({}))
            known = known || sub->get_name() == word;
        if (!known) {
            return console.fail(
                kExitUsage, "unknown command '" + word + "' (" + commandList() + "; see --help)");
        }
        return console.fail(kExitUsage, asOurLine(e.what()) + " (see --help)");
    }
    global.simulate = app.count("--simulate") > 0;
    std::unique_ptr<orvek::LinkLog> trace;
    if (app.count("--trace") > 0) {
        trace = std::make_unique<orvek::LinkLog>();
        global.trace = trace.get();
    }
    const Console console(global.json, global.trace);
    if (global.simulate && !global.port.empty()) {
        return console.fail(kExitUsage, "--simulate and --port exclude each other");
    }
    const int code = runCommand(app, arguments, console);
    if (!trace) return code;
    return writeTrace(global.traceFile, *trace, std::vector<std::string>(argv + 1, argv + argc),
                      console, code);
}
