#include "Console.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif
#include <cstdio>

#include "diag/LinkLog.h"

namespace orvek::cli {

#ifdef _WIN32
// Only a console window redraws a line in place; a redirected or piped stderr has no mode.
bool stderrIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

void prepareConsole() { ::SetConsoleOutputCP(CP_UTF8); }
#else
bool stderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

void prepareConsole() {}
#endif

std::string terminalText(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    char escaped[8];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        unsigned code = 0x100;  // none
        if (c < 0x20 || c == 0x7F) {
            code = c;
        } else if (c == 0xC2 && i + 1 < text.size()) {
            // U+0080..U+009F in UTF-8: the C1 controls, CSI (U+009B) among them.
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0x80 && next <= 0x9F) {
                code = next;
                ++i;
            }
        }
        if (code == 0x100) {
            shown += static_cast<char>(c);
        } else {
            std::snprintf(escaped, sizeof escaped, "\\u%04x", code);
            shown += escaped;
        }
    }
    return shown;
}

void Console::out(const std::string& line) const {
    if (!json_) std::printf("%s\n", line.c_str());
}

void Console::note(const std::string& line) const { std::fprintf(stderr, "%s\n", line.c_str()); }

int Console::fail(int exitCode, const std::string& message) const {
    std::fflush(stdout);
    std::fprintf(stderr, "orvek-cli: %s\n", message.c_str());
    if (trace_ != nullptr) trace_->add(LogKind::Box, "orvek-cli: " + message);
    if (json_) {
        Json j;
        j["error"] = message;
        j["exit"] = exitCode;
        std::printf("%s\n", jsonText(j).c_str());
    }
    return exitCode;
}

void Console::document(const Json& document) const {
    if (json_) std::printf("%s\n", jsonText(document).c_str());
}

Progress::Progress(std::string label, std::string unit, bool toTerminal)
    : label_(std::move(label)),
      unit_(std::move(unit)),
      terminal_(toTerminal),
      start_(std::chrono::steady_clock::now()) {}

void Progress::update(std::int64_t done, std::int64_t total) {
    const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
    if (!terminal_) {
        const int tenth = percent / 10;
        if (tenth != lastTenth_) {
            lastTenth_ = tenth;
            std::fprintf(stderr, "%s: %d%% (%lld of %lld %s)\n", label_.c_str(), percent,
                         static_cast<long long>(done), static_cast<long long>(total),
                         unit_.c_str());
        }
        return;
    }
    if (percent == lastPercent_ && done != total) return;
    lastPercent_ = percent;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
    const double left = rate > 0 ? static_cast<double>(total - done) / rate : 0.0;
    constexpr int kWidth = 30;
    const int filled = percent * kWidth / 100;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kWidth - filled), '.');
    std::fprintf(stderr, "\r%s [%s] %3d%% %lld/%lld %s, %.0f %s/s, %02d:%02d left ", label_.c_str(),
                 bar.c_str(), percent, static_cast<long long>(done), static_cast<long long>(total),
                 unit_.c_str(), rate, unit_.c_str(), static_cast<int>(left) / 60,
                 static_cast<int>(left) % 60);
    std::fflush(stderr);
    drawn_ = true;
}

void Progress::finish() {
    if (terminal_ && drawn_) std::fprintf(stderr, "\n");
    drawn_ = false;
}

}  // namespace orvek::cli
