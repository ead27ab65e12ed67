#pragma once
// What a file reader must refuse at once: a pipe nobody writes, a device that never ends, a
// folder, and a regular file one byte over the reader's size limit (sparse, so it costs no
// disk). And a watchdog, so that a reader that blocks fails its test instead of hanging it.
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace orvek::testing {

enum class RefusedKind { Pipe, Device, Folder, Oversized };

inline const char* refusedKindName(RefusedKind kind) {
    switch (kind) {
        case RefusedKind::Pipe: return "Pipe";
        case RefusedKind::Device: return "Device";
        case RefusedKind::Folder: return "Folder";
        case RefusedKind::Oversized: return "Oversized";
    }
    return "?";
}

inline std::ostream& operator<<(std::ostream& out, RefusedKind kind) {
    return out << refusedKindName(kind);
}

// For INSTANTIATE_TEST_SUITE_P: the kind's name as the test's name.
struct RefusedKindName {
    template <typename Info>
    std::string operator()(const Info& info) const {
        return refusedKindName(info.param);
    }
};

// The kinds a file system here can hold at a file's path: Windows keeps no pipes or devices
// among files.
inline std::vector<RefusedKind> refusedKindsHere() {
#ifdef _WIN32
    return {RefusedKind::Folder, RefusedKind::Oversized};
#else
    return {RefusedKind::Pipe, RefusedKind::Device, RefusedKind::Folder, RefusedKind::Oversized};
#endif
}

// Puts the kind of file at `path`: a FIFO, a symbolic link to /dev/zero, a folder, or a file of
// `limitBytes` + 1 bytes. False when the file system would not make it.
inline bool makeRefusedFile(RefusedKind kind, const std::filesystem::path& path,
                            std::uint64_t limitBytes) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::filesystem::remove_all(path, error);
    switch (kind) {
#ifdef _WIN32
        case RefusedKind::Pipe:
        case RefusedKind::Device: return false;
#else
        case RefusedKind::Pipe: return ::mkfifo(path.c_str(), 0644) == 0;
        case RefusedKind::Device: return ::symlink("/dev/zero", path.c_str()) == 0;
#endif
        case RefusedKind::Folder: return std::filesystem::create_directories(path, error);
        case RefusedKind::Oversized: {
            {
                std::ofstream create(path, std::ios::binary);
            }
            std::filesystem::resize_file(path, limitBytes + 1, error);  // sparse where it can be
            return !error;
        }
    }
    return false;
}

// Runs `work` on a thread of its own and waits at most `limit` for it. False when it did not
// end in time; the thread is then left behind, blocked, and goes with the process.
inline bool endsWithin(std::chrono::milliseconds limit, std::function<void()> work) {
    struct Shared {
        std::mutex mutex;
        std::condition_variable ended;
        bool done = false;
    };
    auto shared = std::make_shared<Shared>();
    auto job = std::make_shared<std::function<void()>>(std::move(work));
    std::thread([shared, job] {
        (*job)();
        std::lock_guard<std::mutex> lock(shared->mutex);
        shared->done = true;
        shared->ended.notify_all();
    }).detach();
    std::unique_lock<std::mutex> lock(shared->mutex);
    return shared->ended.wait_for(lock, limit, [&] { return shared->done; });
}

}  // namespace orvek::testing
