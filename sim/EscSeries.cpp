#include "sim/EscSeries.h"

#include <cstdlib>
#include <sstream>

namespace orvek::sim {

namespace {

bool wholeNumber(const std::string& text, int most, int& value) {
    if (text.empty() || text.size() > 3) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    value = std::atoi(text.c_str());
    return value <= most;
}

}  // namespace

bool parseEscSeries(const std::string& list, std::vector<SeriesEsc>& escs, std::string& error) {
    escs.clear();
    std::stringstream items(list);
    std::string item;
    while (std::getline(items, item, ',')) {
        std::vector<std::string> fields;
        std::stringstream parts(item);
        for (std::string field; std::getline(parts, field, ':');) fields.push_back(field);
        SeriesEsc esc;
        esc.text = item;
        if (fields.size() < 2 || fields.size() > 4) {
            error = "\"" + item + "\" is not family:version[:state file][:nak=K]";
            return false;
        }
        if (fields[0] == "expert") {
            esc.identity.typeCode = 0x0B;
        } else if (fields[0] == "stock") {
            esc.identity.typeCode = 0x0C;
        } else if (fields[0] == "blinky") {
            esc.identity.typeCode = 0x0D;
        } else {
            error = "\"" + fields[0] + "\" is no ESC family (expert, stock, blinky)";
            return false;
        }
        int version = 0;
        if (!wholeNumber(fields[1], 255, version)) {
            error = "\"" + fields[1] + "\" is no version code (0 to 255)";
            return false;
        }
        esc.identity.versionCode = static_cast<std::uint8_t>(version);
        if (fields.size() > 2) esc.stateFile = fields[2];
        if (fields.size() > 3) {
            if (fields[3].rfind("nak=", 0) != 0 ||
                !wholeNumber(fields[3].substr(4), 21, esc.nakPair)) {
                error = "\"" + fields[3] + "\" is not nak=K with K a pair from 0 to 21";
                return false;
            }
        }
        escs.push_back(esc);
    }
    if (escs.empty()) error = "the list names no ESC";
    return !escs.empty();
}

EscSeries::EscSeries(Simulator& sim, std::vector<SeriesEsc> escs, Faults faults, int unpluggedMs)
    : sim_(sim), escs_(std::move(escs)), faults_(faults), unpluggedMs_(unpluggedMs) {}

bool EscSeries::plugInFirst() { return plugIn(0); }

bool EscSeries::plugIn(std::size_t index) {
    current_ = index;
    const SeriesEsc& esc = escs_[index];
    Faults faults = faults_;
    if (esc.nakPair >= 0) faults.nakPairIndex = esc.nakPair;
    sim_.setFaults(faults);
    return sim_.plugInEsc(esc.identity, esc.stateFile);
}

void EscSeries::unplug(double nowMs) {
    Faults gone = faults_;
    gone.silent = true;
    sim_.setFaults(gone);
    plugAtMs_ = current_ + 1 < escs_.size() ? nowMs + unpluggedMs_ : -1;
}

void EscSeries::poll(double nowMs, std::string& said) {
    if (plugAtMs_ < 0 || nowMs < plugAtMs_) return;
    plugAtMs_ = -1;
    const std::size_t next = current_ + 1;
    const bool kept = plugIn(next);
    said = "ESC " + std::to_string(next + 1) + " of " + std::to_string(escs_.size()) + " (" +
           escs_[next].text + ") plugged in";
    if (!kept) said += "; its settings are not kept: " + sim_.stateProblem();
}

}  // namespace orvek::sim
