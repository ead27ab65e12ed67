#pragma once
// What write, defaults and history restore share once the lists are filled for the attached
// ESC: the warnings for settings that matched nothing, the list of changes, the write through
// the same pairs, its verification and its record in the settings history.
#include <array>
#include <string>
#include <vector>

#include "Commands.h"
#include "Json.h"
#include "history/HistoryRecord.h"
#include "settings/SettingsFile.h"

namespace orvek::cli {

using Texts = std::array<std::string, kParameterCount>;

Texts selectedTexts(const ParameterLists& lists);
void identityJson(Json& j, const Session& session, const EscIdentity& id);
// "ORVEK ARC, Expert 1.30".
std::string describe(const EscIdentity& id);

// A line for each setting an import left as it was: its text matched nothing on this ESC, or
// `where` (the file, the record) had none for it. An empty value is said nothing of where the
// ESC's lists offer no options for that setting (a Blinky's boost and turbo settings).
std::vector<std::string> importWarnings(const SettingsImport& imported, const ParameterLists& lists,
                                        const EscIdentity& id, const std::string& where);
// The same for lists that are not an attached ESC's: `listsOf` names them ("an Expert 1.30
// ESC"), `leftAs` says what becomes of such a setting ("left blank on the card").
std::vector<std::string> importWarnings(const SettingsImport& imported, const ParameterLists& lists,
                                        const std::string& listsOf, const std::string& where,
                                        const std::string& leftAs);

// Prints each warning and lists them in `j`.
void showWarnings(const Console& console, const std::vector<std::string>& warnings, Json& j);

// Prints the changes the lists make to `before` and sends them (unless a dry run), verifies them,
// and records the committed write with `origin`. Adds to `j` and prints it. Exit code.
int writeSelections(Session& session, const Console& console, const WriteOptions& options,
                    const EscIdentity& id, ParameterLists& lists, const Texts& before,
                    const ValuesOrigin& origin, Json& j);

}  // namespace orvek::cli
