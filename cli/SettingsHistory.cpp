#include "SettingsHistory.h"

#include <cctype>

#ifdef ORVEK_WITH_HISTORY
#include "history/HistoryRecorder.h"
#include "history/HistoryStore.h"
#include "history/SettingsRecords.h"
#endif

namespace orvek::cli {

std::string cliLine(std::string sentence) {
    if (!sentence.empty() && sentence.back() == '.') sentence.pop_back();
    if (!sentence.empty())
        sentence[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(sentence[0])));
    return sentence;
}

SettingsHistory::SettingsHistory(const Console& console) : console_(console) {}

SettingsHistory::~SettingsHistory() { finish(); }

#ifdef ORVEK_WITH_HISTORY

bool SettingsHistory::available() { return true; }

void SettingsHistory::keepNotice(const std::string& notice) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (notice_.empty()) notice_ = notice;
}

HistoryRecorder& SettingsHistory::recorder() {
    // Started at the first record: most commands record nothing and need no thread.
    if (!recorder_) {
        recorder_ = std::make_unique<HistoryRecorder>(
            defaultHistoryFile(), "cli", [this](const std::string& notice) { keepNotice(notice); });
    }
    return *recorder_;
}

void SettingsHistory::recordSettings(HistoryKind kind, const ParameterLists& lists,
                                     const FirmwareIdentity& identity, const SettingsValues& bytes,
                                     const ValuesOrigin& origin) {
    recorder().record(settingsRecord(kind, lists, identity, bytes, origin));
}

void SettingsHistory::record(HistoryRecord record) { recorder().record(std::move(record)); }

void SettingsHistory::recordUpdate(FirmwareTarget target, const FirmwareIdentity& identity,
                                   const std::filesystem::path& image, const std::string& result) {
    recorder().record(updateRecord(target, identity, image, result));
}

std::optional<std::int64_t> SettingsHistory::finish() {
    if (!recorder_) return std::nullopt;
    recorder_->flush();
    std::string notice;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!told_) notice = notice_;
        told_ = told_ || !notice_.empty();
    }
    if (!notice.empty()) console_.note("orvek-cli: warning: " + cliLine(notice));
    if (recorder_->kept() == 0) return std::nullopt;
    return recorder_->lastId();
}

#else

bool SettingsHistory::available() { return false; }

void SettingsHistory::keepNotice(const std::string&) {}

void SettingsHistory::recordSettings(HistoryKind, const ParameterLists&, const FirmwareIdentity&,
                                     const SettingsValues&, const ValuesOrigin&) {}

void SettingsHistory::record(HistoryRecord) {}

void SettingsHistory::recordUpdate(FirmwareTarget, const FirmwareIdentity&,
                                   const std::filesystem::path&, const std::string&) {}

std::optional<std::int64_t> SettingsHistory::finish() { return std::nullopt; }

#endif

}  // namespace orvek::cli
