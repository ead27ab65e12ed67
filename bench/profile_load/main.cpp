// Loads profile files of blank lines (the worst case for the memory held per line: one byte of
// text a line) and prints, for each, the time taken, the peak memory the load added and that
// peak as a ratio to its limit. Each load runs in a child process of its own, so that its peak
// is measured alone. A file over the size bound must be refused with no memory to speak of.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/ProfileFile.h"

namespace {

using namespace orvek;

// Memory a load may add: what the file's bytes cost held twice (as stored and decoded) plus
// this much for each line.
constexpr double kBytesPerLineLimit = 24.0;

long peakKib() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

const char* statusName(ProfileFileStatus status) {
    switch (status) {
        case ProfileFileStatus::Loaded: return "loaded";
        case ProfileFileStatus::Missing: return "missing";
        case ProfileFileStatus::Unreadable: return "unreadable";
        case ProfileFileStatus::NotAFile: return "not-a-file";
        case ProfileFileStatus::TooLarge: return "refused-as-too-large";
    }
    return "?";
}

// Runs one load in a child; false when the measurement itself failed.
bool measure(const std::filesystem::path& file, std::size_t lines, std::size_t bytes) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return false;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        const long before = peakKib();
        const auto start = std::chrono::steady_clock::now();
        const LoadedProfile loaded = loadProfileFile(file);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        const long added = peakKib() - before;
        char line[256];
        const int n =
            std::snprintf(line, sizeof line, "%s %.1f %ld\n", statusName(loaded.status), ms, added);
        if (::write(pipeFds[1], line, static_cast<std::size_t>(n)) != n) std::_Exit(1);
        std::_Exit(0);
    }
    ::close(pipeFds[1]);
    char result[256] = {};
    const ssize_t n = ::read(pipeFds[0], result, sizeof result - 1);
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (n <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
    char outcome[32];
    double ms = 0;
    long addedKib = 0;
    if (std::sscanf(result, "%31s %lf %ld", outcome, &ms, &addedKib) != 3) return false;
    const double added = static_cast<double>(addedKib) * 1024.0;
    const double limit =
        2.0 * static_cast<double>(bytes) + kBytesPerLineLimit * static_cast<double>(lines);
    const bool loaded = std::string(outcome) == "loaded";
    std::printf(
        "%zu bytes of blank lines: %s in %.1f ms, peak added %.1f MiB (%.1f bytes a line), "
        "limit %.1f MiB, ratio %.3f\n",
        bytes, outcome, ms, added / 1048576.0, loaded ? added / static_cast<double>(lines) : 0.0,
        limit / 1048576.0, added / limit);
    return true;
}

}  // namespace

int main() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("orvek-bench-profile-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    bool ok = true;
    for (const std::size_t mib : {1u, 8u}) {
        // A file just under the bound of 1 MiB loads; 8 MiB is over it.
        const std::size_t bytes = mib * 1024 * 1024 - (mib == 1 ? 2 : 0);
        const std::filesystem::path file = folder / ("blank-" + std::to_string(mib) + ".ini");
        {
            std::ofstream out(file, std::ios::binary);
            out << std::string(bytes, '\n');
        }
        ok = measure(file, bytes, bytes) && ok;
    }
    std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
