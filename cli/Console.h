#pragma once
// What orvek-cli prints: results on standard output (plain or JSON), one clear line per
// failure on standard error, and progress that is a bar on a terminal and plain lines otherwise.
#include <chrono>
#include <cstdint>
#include <string>

#include "Json.h"

namespace orvek {
class LinkLog;
}

namespace orvek::cli {

class Console {
public:
    // `trace`, when given, also gets each failure line (orvek-cli --trace).
    explicit Console(bool json, LinkLog* trace = nullptr) : json_(json), trace_(trace) {}
    bool json() const { return json_; }

    // A line of the plain result (suppressed in JSON mode).
    void out(const std::string& line) const;
    // A note for the user on standard error (warnings, what is being done).
    void note(const std::string& line) const;
    // The one line a failure prints; returns `exitCode` so that commands can `return fail(...)`.
    int fail(int exitCode, const std::string& message) const;
    // The JSON document of a command, printed once at its end.
    void document(const Json& document) const;

private:
    bool json_;
    LinkLog* trace_;
};

// Progress of a transfer. On a terminal: a bar redrawn in place with percentage, bytes, rate
// and time left. Elsewhere: a plain line at each tenth of the way.
class Progress {
public:
    Progress(std::string label, std::string unit, bool toTerminal);
    void update(std::int64_t done, std::int64_t total);
    void finish();

private:
    std::string label_;
    std::string unit_;
    bool terminal_;
    std::chrono::steady_clock::time_point start_;
    int lastTenth_ = -1;
    int lastPercent_ = -1;
    bool drawn_ = false;
};

bool stderrIsTerminal();

// A text that came from a file (a history record, say), fit for a terminal: control characters
// (C0, DEL and C1) are written as JSON writes them ("\u001b"), so that no escape sequence in
// the file reaches the terminal.
std::string terminalText(const std::string& text);

// Readies the console for the program's UTF-8 text (a Windows console shows UTF-8 only in its
// UTF-8 code page); nothing elsewhere.
void prepareConsole();

}  // namespace orvek::cli
