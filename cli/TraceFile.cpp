#include "TraceFile.h"

#ifdef ORVEK_WITH_CARD
#include <QtGlobal>
#endif

#include "ExitCodes.h"
#include "diag/DiagnosticHeader.h"
#include "firmware/ProgramFolder.h"
#ifdef ORVEK_WITH_HISTORY
#include "history/HistoryStore.h"
#endif

namespace orvek::cli {

int writeTrace(const std::string& file, LinkLog& log, const std::vector<std::string>& arguments,
               const Console& console, int exitCode) {
    log.add(LogKind::State, "exit " + std::to_string(exitCode));
    const LogSnapshot snapshot = log.snapshot();
    DiagnosticFacts facts;
    facts.program = "orvek-cli";
    for (const std::string& argument : arguments)
        facts.command += (facts.command.empty() ? "" : " ") + argument;
#ifdef ORVEK_WITH_CARD
    facts.qtVersion = qVersion();  // only the setup card draws with it
#endif
    facts.programFolder = programFolder();
    facts.port = snapshot.port;
#ifdef ORVEK_WITH_HISTORY
    facts.historyFile = defaultHistoryFile();
    facts.historyState = "records are kept (a warning line on standard error says when not)";
#else
    facts.historyState = "this build keeps no settings history";
#endif
    const std::error_code error =
        saveDiagnosticLog(file, diagnosticHeader(facts, wallClockMs()), snapshot);
    if (!error) return exitCode;
    const std::string line = "cannot write the trace " + file + ": " + error.message();
    if (exitCode == kExitOk) return console.fail(kExitCannotWrite, line);
    console.note("orvek-cli: warning: " + line);
    return exitCode;
}

}  // namespace orvek::cli
