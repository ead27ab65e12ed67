#include "diag/WireNames.h"

#include "link/CommandSet.h"

namespace orvek {

const char* WireNamer::sent(const std::uint8_t* data, std::size_t count) {
    const char* name = nullptr;
    if (count == 1) {
        switch (data[0]) {
            case cmd::CardProbe: name = wireName::CardProbe; break;
            case cmd::EscProbe: name = wireName::EscProbe; break;
            case cmd::BootHello: name = wireName::BootHello; break;
            case cmd::InfoQuery:
                name = current_ == wireName::BootHello || current_ == wireName::BootReady
                           ? wireName::BootReady
                           : wireName::InfoQuery;
                break;
            case cmd::SettingsRead: name = wireName::SettingsRead; break;
            case cmd::SettingsCommit: name = wireName::SettingsCommit; break;
            case cmd::BootSync: name = wireName::BootSync; break;
            case cmd::BootStart: name = wireName::BootStart; break;
            default: break;
        }
    } else if (count == 2) {
        name = wireName::PairWrite;
    } else if (count > 2) {
        name = data[0] == cmd::RecordStart ? wireName::RecordFrame : wireName::BlockFrame;
    }
    current_ = name;
    return name;
}

}  // namespace orvek
