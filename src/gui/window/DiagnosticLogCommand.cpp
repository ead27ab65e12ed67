#include "gui/window/DiagnosticLogCommand.h"

#include <QtGlobal>

#include "diag/DiagnosticHeader.h"
#include "history/HistoryStore.h"
#include "session/DeviceSession.h"

namespace orvek {

DiagnosticLogCommand::DiagnosticLogCommand(QWidget* owner, FileDialogs* dialogs)
    : ownDialogs_(owner, uiText("fileFilter", kDiagnosticLogFilter),
                  QString::fromUtf8(kDiagnosticLogSuffix)),
      dialogs_(dialogs ? *dialogs : static_cast<FileDialogs&>(ownDialogs_)) {}

std::optional<std::filesystem::path> DiagnosticLogCommand::save(const DeviceSession& session,
                                                                const WindowFacts& facts,
                                                                MessageBoxes& messages) {
    const std::optional<std::filesystem::path> file = dialogs_.chooseFileToSave();
    if (!file) return std::nullopt;
    // The log as it is when the racer chose the file, not as the dialog found it.
    const LogSnapshot snapshot = session.linkLogSnapshot();
    DiagnosticFacts header;
    header.program = "orvek-link";
    header.qtVersion = qVersion();
    header.programFolder = facts.programFolder;
    header.port = snapshot.port;
    header.historyFile = facts.historyFile.empty() ? defaultHistoryFile() : facts.historyFile;
    header.historyState = facts.historyNote.empty() ? "records are kept" : facts.historyNote;
    const std::error_code error =
        saveDiagnosticLog(*file, diagnosticHeader(header, wallClockMs()), snapshot);
    if (error) {
        messages.show(std::string(kDiagnosticLogWriteError) + "\n\n" + file->string() + "\n" +
                          error.message(),
                      MessageIcon::Stop);
        return std::nullopt;
    }
    return file;
}

}  // namespace orvek
