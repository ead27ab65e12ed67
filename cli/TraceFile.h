#pragma once
// orvek-cli --trace FILE: the diagnostic log of one command, in the window's format (header,
// then every byte on the line with its time and name, and the command's failure line).
#include <string>
#include <vector>

#include "Console.h"
#include "diag/LinkLog.h"

namespace orvek::cli {

// Writes `log` to `file` after the command ended with `exitCode`; `arguments` is the command
// line after the program's name. `exitCode`, or kExitCannotWrite with its line when the file
// could not be written after a command that succeeded (after one that failed, a warning).
int writeTrace(const std::string& file, LinkLog& log, const std::vector<std::string>& arguments,
               const Console& console, int exitCode);

}  // namespace orvek::cli
