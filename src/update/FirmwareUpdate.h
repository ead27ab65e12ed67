#pragma once
// The two firmware updates: an ESC from a .kfw image through its bootloader, record by record,
// and the program card from a .xup image, block by block. Each runs to its end on the calling
// thread (the window runs it on a worker thread) and reports only through the UpdateHost.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

#include "link/UsbUart.h"
#include "update/UpdateHost.h"

namespace orvek {

struct UpdateJob {
    UpdateHost& host;
    UsbUart& link;
    // The image chosen for this target; the window passes the Firmware folder entry of the
    // chosen list text, the command-line tool any path.
    std::filesystem::path image;
    // When set (from any thread, or a signal handler: the flag is lock-free), the upload stops
    // before its next frame and leaves the device without complete firmware. The window never
    // sets one; the command-line tool does for a second interrupt.
    const std::atomic<bool>* abortRequested = nullptr;
};

static_assert(std::atomic<bool>::is_always_lock_free,
              "an abort request may be set by a signal handler");

// How the update ended, for callers that want more than the pictures and messages.
enum class UpdateOutcome { Refused, ReadFileError, Failed, Aborted, Finished };

struct UpdateResult {
    UpdateOutcome outcome = UpdateOutcome::Refused;
    std::string message;          // the text shown, empty on success
    std::int64_t totalBytes = 0;  // bytes the image puts on the line
    std::int64_t sentBytes = 0;   // of them acknowledged
};

// Observes progress beyond the caption (bytes and rates for a terminal); optional.
class UpdateObserver {
public:
    virtual ~UpdateObserver() = default;
    virtual void progress(std::int64_t sentBytes, std::int64_t totalBytes) = 0;
};

// "finished", "failed", "stopped", "refused", "image unreadable": how a history names the end.
const char* updateOutcomeName(UpdateOutcome outcome);

UpdateResult EscFirmwareUpdate(const UpdateJob& job, UpdateObserver* observer = nullptr);
UpdateResult CardFirmwareUpdate(const UpdateJob& job, UpdateObserver* observer = nullptr);

// The card's handshake retries: limits of the tries after the first answer was wrong.
constexpr std::uint32_t kCardRetryLimitsMs[6] = {1500, 2000, 500, 2000, 500, 500};

}  // namespace orvek
