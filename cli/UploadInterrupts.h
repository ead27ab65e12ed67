#pragma once
// Ctrl-C (SIGINT) and SIGTERM (on Windows Ctrl-C and Ctrl-Break) while a firmware upload or a
// settings write runs. Stopping part-way leaves the device without firmware, or holding a write it
// never committed, so the first signal only warns, with how to recover, and the work goes on; a
// second one within 3 s asks it to stop before its next frame or pair. Outside these both keep
// their default: the program ends at once and the system closes the port.
#include <atomic>
#include <string>

namespace orvek::cli {

class UploadInterrupts {
public:
    // Handles both signals until destroyed; `warning` is the line the first signal prints on
    // standard error, `stopping` the one the second prints. One at a time.
    explicit UploadInterrupts(
        const std::string& warning,
        const std::string& stopping = "stopping the upload after the frame on the line");
    ~UploadInterrupts();
    UploadInterrupts(const UploadInterrupts&) = delete;
    UploadInterrupts& operator=(const UploadInterrupts&) = delete;

    // For UpdateJob::abortRequested: set by a second signal within the window.
    const std::atomic<bool>& abortRequested() const;
    // A first signal has come since these were installed (a wait may end on it).
    bool interrupted() const;

    static constexpr int kSecondSignalWindowMs = 3000;
};

}  // namespace orvek::cli
