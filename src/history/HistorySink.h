#pragma once
// Where an exchange with the device leaves its history record.
#include "history/HistoryRecord.h"

namespace orvek {

class HistorySink {
public:
    virtual ~HistorySink() = default;
    // Callable from any thread; never waits for the disk.
    virtual void record(HistoryRecord record) = 0;
};

}  // namespace orvek
