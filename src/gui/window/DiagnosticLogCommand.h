#pragma once
// Help > Save Diagnostic Log...: the session's diagnostic log (the last minutes on the wire, the
// lamps, modes, identifications and boxes) with a header of what ran where, saved as one text
// file the racer can send to support. A failed write is said in a box.
#include <filesystem>
#include <optional>
#include <string>

#include "gui/desktop/FileDialogs.h"
#include "gui/desktop/MessageBoxes.h"
#include "gui/desktop/Translation.h"

class QWidget;

namespace orvek {

class DeviceSession;

constexpr const char* kDiagnosticLogFilter =
    QT_TRANSLATE_NOOP("fileFilter", "Diagnostic log (*.txt)");
constexpr const char* kDiagnosticLogSuffix = "txt";
// The box's first line; the path and the reason follow as they are.
constexpr const char* kDiagnosticLogWriteError =
    QT_TRANSLATE_NOOP("Messages", "The diagnostic log could not be written.");

// What the window knows for the header beside the session's log.
struct WindowFacts {
    std::filesystem::path programFolder;
    std::filesystem::path historyFile;  // empty for the racer's own
    std::string historyNote;            // the note shown under the page buttons, empty for none
};

class DiagnosticLogCommand {
public:
    // `dialogs` chooses the file (tests hand in theirs); the command's own dialog, owned by
    // `owner`, when null.
    DiagnosticLogCommand(QWidget* owner, FileDialogs* dialogs);

    // Asks for a file and writes the log as the session holds it now. The file written;
    // nothing when the racer cancelled or the write failed.
    std::optional<std::filesystem::path> save(const DeviceSession& session,
                                              const WindowFacts& facts, MessageBoxes& messages);

private:
    QtFileDialogs ownDialogs_;
    FileDialogs& dialogs_;
};

}  // namespace orvek
