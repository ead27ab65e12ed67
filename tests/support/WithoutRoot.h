#pragma once
// Runs a test executable as a user whom a device file can refuse. Root opens every file, so
// when the tests run as root (as they do in CI) the process forks and the child gives up root
// for "nobody" before any test runs; a terminal owned by root with mode 0600 then refuses it
// with EACCES, exactly as /dev/ttyUSB0 refuses a user outside the dialout group. Run as an
// ordinary user, the terminal is our own with no permission bits at all.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

namespace orvek::testing {

struct DeniedPortFolders {
    std::filesystem::path devices;  // holds "ttyUSB0", which this process may not open
    std::filesystem::path scratch;  // writable by the tests
    std::filesystem::path
        programs;  // copies of the programs the tests run, where anyone may run them
    std::filesystem::path port() const { return devices / "ttyUSB0"; }
};

inline DeniedPortFolders& deniedPortFolders() {
    static DeniedPortFolders folders;
    return folders;
}

// True when opening the denied port fails for lack of permission in this process.
inline bool portIsDenied() {
    const int fd = ::open(deniedPortFolders().port().c_str(), O_RDWR | O_NOCTTY);
    if (fd >= 0) {
        ::close(fd);
        return false;
    }
    return errno == EACCES;
}

// Call from main after InitGoogleTest; returns the exit code of the test run. `outputFolder`,
// when given, is made (and handed to the user the tests run as) for what they leave behind.
// `programs` are copied into deniedPortFolders().programs, since the build folder need not be
// open to that user.
inline int RunTestsWithoutRoot(const std::filesystem::path& outputFolder = {},
                               std::initializer_list<std::filesystem::path> programs = {}) {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvek-access-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 1;
    const std::filesystem::path root = pattern;
    DeniedPortFolders& folders = deniedPortFolders();
    folders.devices = root / "dev";
    folders.scratch = root / "scratch";
    folders.programs = root / "bin";
    std::filesystem::create_directories(folders.devices);
    std::filesystem::create_directories(folders.scratch);
    std::filesystem::create_directories(folders.programs);
    ::chmod(folders.programs.c_str(), 0755);
    for (const std::filesystem::path& program : programs) {
        std::error_code error;
        std::filesystem::copy_file(program, folders.programs / program.filename(), error);
        if (error) return 1;
    }
    // The port is a real terminal (a pseudo-terminal's device end) behind the adapter's name,
    // so that only its permissions refuse it: a file in its place is no serial port at all.
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (terminal < 0 || ::grantpt(terminal) != 0 || ::unlockpt(terminal) != 0) return 1;
    const char* terminalPath = ::ptsname(terminal);
    if (terminalPath == nullptr) return 1;
    std::filesystem::create_symlink(terminalPath, folders.port());
    ::chmod(root.c_str(), 0755);
    if (!outputFolder.empty()) std::filesystem::create_directories(outputFolder);
    ::chmod(folders.devices.c_str(), 0755);

    int result = 1;
    if (::geteuid() != 0) {
        ::chmod(folders.port().c_str(), 0);
        result = RUN_ALL_TESTS();
        ::chmod(folders.port().c_str(), 0600);
    } else {
        const passwd* nobody = ::getpwnam("nobody");
        const uid_t uid = nobody ? nobody->pw_uid : 65534;
        const gid_t gid = nobody ? nobody->pw_gid : 65534;
        ::chmod(folders.port().c_str(), 0600);
        if (::chown(folders.scratch.c_str(), uid, gid) != 0) return 1;
        if (!outputFolder.empty() && ::chown(outputFolder.c_str(), uid, gid) != 0) return 1;
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0 ||
                ::geteuid() == 0) {
                std::fprintf(stderr, "cannot give up root for uid %d\n", static_cast<int>(uid));
                std::_Exit(1);
            }
            ::setenv("HOME", folders.scratch.c_str(), 1);
            const std::filesystem::path runtime = folders.scratch / "runtime";
            ::mkdir(runtime.c_str(), 0700);
            ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
            std::fflush(nullptr);
            const int code = RUN_ALL_TESTS();
            std::fflush(nullptr);
            std::_Exit(code);
        }
        int status = 0;
        if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
            result = WEXITSTATUS(status);
    }
    ::chmod(folders.port().c_str(), 0620);
    ::close(terminal);
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return result;
}

}  // namespace orvek::testing
