#pragma once
// Tells when the settings model has changed for the window, cheaply enough to ask on every poll
// tick: a quiet poll changes none of the lists' revisions or fields, and then no snapshot of the
// lists is taken at all.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "settings/ParameterLists.h"
#include "settings/PlainOptionList.h"
#include "settings/SettingsModelState.h"

namespace orvek {

class ModelWatch {
public:
    ModelWatch(const std::array<PlainOptionList, kParameterCount>& plainLists,
               const ParameterLists& lists)
        : plainLists_(plainLists), lists_(lists) {}

    // The model as the window must see it now, when it differs from what was last given or the
    // racer's picks served have moved on since; nothing otherwise.
    std::optional<SettingsModelState> changed(std::uint64_t picksServed);

private:
    struct Mark {
        std::uint64_t revisions = 0;
        EscFamily family = EscFamily::Unlisted;
        std::string versionText;
        SettingsValues lastReadBlock{};
        bool escSettingsKnown = false;
        SettingsValues written{};
        bool operator==(const Mark& o) const;
    };
    Mark mark() const;

    const std::array<PlainOptionList, kParameterCount>& plainLists_;
    const ParameterLists& lists_;
    Mark publishedMark_;
    SettingsModelState published_;
    std::uint64_t publishedPicks_ = 0;
};

}  // namespace orvek
