#include "update/FirmwareUpdate.h"

#include <mutex>
#include <vector>

#include "firmware/KfwImage.h"
#include "firmware/Progress.h"
#include "firmware/XupImage.h"
#include "link/CommandSet.h"
#include "platform/Clock.h"
#include "update/UpdateMessages.h"

namespace orvek {

const char* updateOutcomeName(UpdateOutcome outcome) {
    switch (outcome) {
        case UpdateOutcome::Finished: return "finished";
        case UpdateOutcome::Failed: return "failed";
        case UpdateOutcome::Aborted: return "stopped";
        case UpdateOutcome::ReadFileError: return "image unreadable";
        case UpdateOutcome::Refused: break;
    }
    return "refused";
}
namespace {

constexpr FirmwareTarget kEsc = FirmwareTarget::Esc;
constexpr FirmwareTarget kCard = FirmwareTarget::ProgramCard;

UpdateResult refuse(const UpdateJob& job, FirmwareTarget target, const char* text) {
    // The request is cleared before the box, so a poll during the box starts nothing.
    job.host.clearUpdateRequest(target);
    job.host.showMessage(text, MessageIcon::Stop);
    return {UpdateOutcome::Refused, text, 0, 0};
}

// Sends `command` again and reads one byte with each limit of the schedule until rxBuffer[0]
// holds `expected`; no try at all when it already does.
bool retrySchedule(UsbUart& link, std::uint8_t command, std::uint8_t expected) {
    if (link.rxBuffer()[0] == expected) return true;
    for (std::uint32_t limitMs : kCardRetryLimitsMs) {
        link.sendCommand(command);
        link.readReply(1, limitMs);
        if (link.rxBuffer()[0] == expected) return true;
    }
    return false;
}

void reportProgress(UpdateObserver* observer, std::int64_t sent, std::int64_t total) {
    if (observer != nullptr) observer->progress(sent, total);
}

bool abortRequested(const UpdateJob& job) {
    return job.abortRequested != nullptr && job.abortRequested->load();
}

// Every end of a started update, for both targets. Three orders inside are kept on purpose:
// - a failure closes the port before its box, so nothing more goes to a device that just
//   failed while the racer reads the message;
// - the status picture is set before it is shown, so the old picture never flashes;
// - the device state is reset and the link released before timer 1 starts again, so the first
//   poll finds the link free and identifies the device afresh.
// The other calls follow no order the device or the page could show.
UpdateResult endUpdate(const UpdateJob& job, std::unique_lock<std::mutex>& owner,
                       FirmwareTarget target, UpdateOutcome outcome, const char* text,
                       UpdateResult result) {
    UpdateHost& host = job.host;
    UsbUart& link = job.link;
    // A stop on request leaves the device as a failed transfer does.
    const bool failed = outcome == UpdateOutcome::Failed || outcome == UpdateOutcome::Aborted;
    if (failed) link.closePort();
    if (failed) host.showMessage(text, MessageIcon::None);
    if (outcome == UpdateOutcome::ReadFileError) host.showMessage(text, MessageIcon::Stop);
    host.clearUpdateRequest(target);
    if (failed) host.setStatusPicture(target, SkinId::StatusFailed);
    if (outcome == UpdateOutcome::Finished) host.setStatusPicture(target, SkinId::StatusFinished);
    host.showProgress(target, false);
    host.showStatusPicture(target, true);
    host.invalidatePage();
    host.setUpdateIdle(true);
    if (outcome == UpdateOutcome::Finished) {
        // The updated device restarts into its new firmware; the monitor identifies it afresh.
        if (target == kEsc) link.setEscState(EscState::NotAnswering);
        if (target == kCard) host.setCardState(CardState::NotAnswering);
        link.purge(kPurgeAll);
    }
    owner.unlock();
    host.startPollTimer();
    result.outcome = outcome;
    result.message = text != nullptr ? text : "";
    return result;
}

}  // namespace

UpdateResult EscFirmwareUpdate(const UpdateJob& job, UpdateObserver* observer) {
    UpdateHost& host = job.host;
    UsbUart& link = job.link;
    const std::filesystem::path image = job.image;
    if (link.usbState() != UsbState::PortOpen) return refuse(job, kEsc, updateText::UsbConnection);
    if (!host.fixMode() && link.escState() != EscState::Identified)
        return refuse(job, kEsc, updateText::EscConnection);

    host.stopPollTimer();
    std::unique_lock<std::mutex> owner(link.exclusiveUse());
    host.showProgress(kEsc, true);
    host.setUpdateIdle(false);
    host.showStatusPicture(kEsc, false);
    host.invalidatePage();

    UpdateResult result;
    const auto idleExit = [&] {
        return endUpdate(job, owner, kEsc, UpdateOutcome::ReadFileError, updateText::ReadFile,
                         result);
    };
    const auto fail = [&](const char* text, UpdateOutcome outcome = UpdateOutcome::Failed) {
        return endUpdate(job, owner, kEsc, outcome, text, result);
    };

    // First pass: the bytes the whole image puts on the line.
    const KfwImageSize size = measureKfwImage(image);
    if (size.status != ImageReadStatus::Ok) return idleExit();
    link.purge(kPurgeAll);
    result.totalBytes = size.totalBytes;

    // Four hellos back to back: the first wakes an application into its bootloader; only the
    // last one's outcome counts.
    LinkStatus helloStatus = LinkStatus::Ok;
    for (int i = 0; i < 4; ++i) helloStatus = link.sendCommand(cmd::BootHello);
    if (helloStatus == LinkStatus::TxFailed) return fail(updateText::HelloTimeout);
    link.readReply(1, limit::Handshake);
    if (link.rxBuffer()[0] != answer::BootListening) return fail(updateText::HelloTimeout);
    bool sendFailed = false;
    if (!bootSync(link, sendFailed)) return fail(updateText::SyncTimeout);
    if (!bootStart(link, sendFailed)) return fail(updateText::StartTimeout);

    KfwImageReader reader;
    if (!reader.open(image)) return idleExit();
    std::vector<std::uint8_t> frame;
    std::int64_t sent = 0;
    while (reader.nextFrame(frame) == KfwImageReader::Result::Line) {
        if (abortRequested(job)) return fail(updateText::Stopped, UpdateOutcome::Aborted);
        host.setProgressCaption(kEsc, progressCaption(progressPercent(sent, size.totalBytes)));
        const LinkStatus status =
            sendRecordFrame(link, frame.data(), static_cast<std::uint32_t>(frame.size()));
        if (status == LinkStatus::TxFailed) return fail(updateText::DataTransfer);
        if (status != LinkStatus::Ok) return fail(updateText::NoAck);
        sent += static_cast<std::int64_t>(frame.size());
        result.sentBytes = sent;
        reportProgress(observer, sent, size.totalBytes);
    }
    reader.close();
    // A file that changed between the passes, or a read that failed part-way, shows here.
    if (sent != size.totalBytes) return fail(updateText::ByteCount);

    busyWaitMs(1000);
    return endUpdate(job, owner, kEsc, UpdateOutcome::Finished, nullptr, result);
}

UpdateResult CardFirmwareUpdate(const UpdateJob& job, UpdateObserver* observer) {
    UpdateHost& host = job.host;
    UsbUart& link = job.link;
    const std::filesystem::path imagePath = job.image;
    if (link.usbState() != UsbState::PortOpen) return refuse(job, kCard, updateText::UsbConnection);
    if (host.cardState() != CardState::Identified)
        return refuse(job, kCard, updateText::CardConnection);

    host.stopPollTimer();
    std::unique_lock<std::mutex> owner(link.exclusiveUse());
    host.setUpdateIdle(false);
    host.setStartPicture(kCard, SkinId::CardFirmwareStart);
    host.showStatusPicture(kCard, false);
    host.showProgress(kCard, true);
    host.invalidatePage();

    UpdateResult result;
    // The whole image is decoded before the card is touched; one that would not fit the card's
    // buffer is refused like an unreadable file.
    XupImageData image = readXupImage(imagePath);
    if (image.status != ImageReadStatus::Ok) {
        return endUpdate(job, owner, kCard, UpdateOutcome::ReadFileError, updateText::ReadFile,
                         result);
    }
    const std::int64_t total = static_cast<std::int64_t>(image.bytes.size());
    result.totalBytes = total;
    link.purge(kPurgeAll);

    const auto fail = [&](const char* text, UpdateOutcome outcome = UpdateOutcome::Failed) {
        return endUpdate(job, owner, kCard, outcome, text, result);
    };

    // Three hellos wake the bootloader; their answers are not looked at.
    for (int i = 0; i < 3; ++i) {
        if (link.sendCommand(cmd::BootHello) == LinkStatus::TxFailed)
            return fail(updateText::HelloTimeout);
        link.readReply(1, limit::Handshake);
    }
    if (link.sendCommand(cmd::BootReady) == LinkStatus::TxFailed)
        return fail(updateText::ReadyTimeout);
    link.readReply(1, limit::Handshake);
    if (!retrySchedule(link, cmd::BootReady, answer::BootReady)) return fail(updateText::NoReady);
    if (link.sendCommand(cmd::BootHello) == LinkStatus::TxFailed)
        return fail(updateText::HelloTimeout);
    link.readReply(1, 1500);
    if (!retrySchedule(link, cmd::BootHello, answer::BootListening)) {
        return fail(updateText::NoHelloAnswer);
    }

    std::size_t offset = 0;
    std::int64_t sent = 0;
    int resend = 0;
    while (static_cast<std::int64_t>(offset) < total) {
        const XupBlockAt at = xupBlockAt(image.bytes, offset);
        // A block that reaches past the end of the image is never sent: nothing past the
        // image goes on the line.
        if (at.status != XupBlockStatus::Ok) return fail(updateText::ByteCount);
        if (abortRequested(job)) return fail(updateText::Stopped, UpdateOutcome::Aborted);
        const std::size_t frameLength = at.block.frameLength();
        host.setProgressCaption(kCard, progressCaption(progressPercent(sent, total)));
        sleepMs(5);
        const BlockAnswer reply = sendBlockFrame(link, image.bytes.data() + offset,
                                                 static_cast<std::uint32_t>(frameLength));
        switch (reply) {
            case BlockAnswer::NotSent: return fail(updateText::DataTransfer);
            case BlockAnswer::NoAnswer: return fail(updateText::NoAck);
            case BlockAnswer::ChecksumRefused: return fail(updateText::Crc);
            case BlockAnswer::Accepted:
                sent += static_cast<std::int64_t>(frameLength);
                resend = 0;
                offset += frameLength;
                result.sentBytes = sent;
                reportProgress(observer, sent, total);
                break;
            case BlockAnswer::Again:
                if (++resend >= 4) return fail(updateText::RepeatOverFour);
                break;
        }
    }
    if (sent != total) return fail(updateText::ByteCount);

    busyWaitMs(1000);
    return endUpdate(job, owner, kCard, UpdateOutcome::Finished, nullptr, result);
}

}  // namespace orvek
