#pragma once
// Runs the real executables: a command with its output and exit code, and orvek-sim as a
// background process serving a pseudo-terminal until it is stopped.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace orvek::testing {

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
    bool killed = false;  // still running at its time limit, so killed
};

inline std::vector<char*> argvOf(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return argv;
}

// This process's environment with the "NAME=value" entries of `changes` set in it. Made before
// the fork: a child of a process with threads may only exec.
inline std::vector<std::string> environmentWith(const std::vector<std::string>& changes) {
    std::vector<std::string> all;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const std::string& change : changes) {
            const std::string name = change.substr(0, change.find('=') + 1);
            replaced = replaced || entry.compare(0, name.size(), name) == 0;
        }
        if (!replaced) all.push_back(entry);
    }
    all.insert(all.end(), changes.begin(), changes.end());
    return all;
}

// Runs `args` to completion with `environment` changed as environmentWith says, collecting
// standard output and standard error; `onError`, when given, is called with the process id and
// all of standard error so far each time it grows. A process still running after `limitMs`
// (when not negative) is killed.
inline RunResult runWithEnvironment(
    const std::vector<std::string>& environment, std::vector<std::string> args,
    const std::function<void(pid_t, const std::string&)>& onError = {}, int limitMs = -1) {
    int outPipe[2], errPipe[2];
    RunResult r;
    std::vector<std::string> entries = environmentWith(environment);
    std::vector<char*> envp = argvOf(entries);
    auto argv = argvOf(args);
    if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) return r;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(outPipe[1], 1);
        ::dup2(errPipe[1], 2);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    int open = 2;
    char buf[4096];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (open > 0) {
        int waitMs = -1;
        if (limitMs >= 0) {
            waitMs = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          deadline - std::chrono::steady_clock::now())
                                          .count());
            if (waitMs <= 0 && !r.killed) {
                ::kill(pid, SIGKILL);
                r.killed = true;
            }
            if (r.killed) waitMs = -1;
        }
        if (::poll(fds, 2, waitMs) < 0) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                (i == 0 ? r.out : r.err).append(buf, static_cast<std::size_t>(n));
                if (i == 1 && onError) onError(pid, r.err);
            } else {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return r;
}

// The same in this process's own environment.
inline RunResult run(std::vector<std::string> args,
                     const std::function<void(pid_t, const std::string&)>& onError = {},
                     int limitMs = -1) {
    return runWithEnvironment({}, std::move(args), onError, limitMs);
}

// Two interrupts 200 ms apart (or one) once standard error shows `trigger`.
inline std::function<void(pid_t, const std::string&)> interruptAt(const std::string& trigger,
                                                                  int count) {
    return [trigger, count, sent = false](pid_t pid, const std::string& err) mutable {
        if (sent || err.find(trigger) == std::string::npos) return;
        sent = true;
        for (int i = 0; i < count; ++i) {
            if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(200));
            ::kill(pid, SIGINT);
        }
    };
}

// orvek-sim in the background; the destructor stops it (SIGTERM) and waits for it.
class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> args) {
        int outPipe[2];
        if (::pipe2(outPipe, O_CLOEXEC) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(outPipe[1], 1);
            auto argv = argvOf(args);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(outPipe[1]);
        // The first line it prints is the device path.
        char c;
        pollfd p{outPipe[0], POLLIN, 0};
        while (::poll(&p, 1, 5000) > 0 && ::read(outPipe[0], &c, 1) == 1 && c != '\n') path_ += c;
        ::close(outPipe[0]);
    }
    ~SimProcess() { stop(); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& path() const { return path_; }
    // Stops it and returns its exit code (it writes its record file on the way out).
    int stop() {
        if (pid_ <= 0) return exit_;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        exit_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return exit_;
    }

private:
    pid_t pid_ = -1;
    int exit_ = -1;
    std::string path_;
};

}  // namespace orvek::testing
