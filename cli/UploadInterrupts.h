#pragma once
// Ctrl-C (SIGINT) and SIGTERM (on Windows Ctrl-C and Ctrl-Break) while a firmware upload runs.
// Stopping part-way leaves the device without firmware, so the first signal only warns, with how to
// recover, and the upload goes on; a second one within 3 s asks the update to stop before its next
// frame. Outside an upload both keep their default: the program ends at once and the system closes
// the port.
#include <atomic>
#include <string>

namespace orvek::cli {

class UploadInterrupts {
public:
    // Handles both signals until destroyed; `warning` is the line the first signal prints on
    // standard error. One at a time.
    explicit UploadInterrupts(const std::string& warning);
    ~UploadInterrupts();
    UploadInterrupts(const UploadInterrupts&) = delete;
    UploadInterrupts& operator=(const UploadInterrupts&) = delete;

    // For UpdateJob::abortRequested: set by a second signal within the window.
    const std::atomic<bool>& abortRequested() const;

    static constexpr int kSecondSignalWindowMs = 3000;
};

}  // namespace orvek::cli
