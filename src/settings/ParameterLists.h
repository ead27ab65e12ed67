#pragma once
// The eighteen option lists of the ESC settings, addressable by key number and by list id,
// together with what the settings codec remembers between calls: the ESC family and version
// text the lists were filled for, the last settings block read and the last write image.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "settings/EscFamily.h"
#include "settings/OptionList.h"
#include "settings/ParamTable.h"
#include "settings/SettingsBlockLayout.h"
#include "settings/ValuesOrigin.h"

namespace orvek {

class ParameterLists {
public:
    // Eighteen plain lists of its own.
    ParameterLists();
    // Lists owned elsewhere (the settings page's combo boxes), in key order; they must
    // outlive this object.
    explicit ParameterLists(const std::array<OptionList*, kParameterCount>& listsByKey);

    ParameterLists(const ParameterLists&) = delete;
    ParameterLists& operator=(const ParameterLists&) = delete;
    ParameterLists(ParameterLists&&) = default;
    ParameterLists& operator=(ParameterLists&&) = default;

    // `keyNumber` must be 0..17 (see key::).
    OptionList& byKey(int keyNumber);
    const OptionList& byKey(int keyNumber) const;
    // Nothing outside 1009..1026.
    OptionList* byListId(int listId);

    void redrawAll();
    // Tells onEscSettingsChanged, if set.
    void escSettingsChanged();

    EscFamily family = EscFamily::Unlisted;
    std::string versionText;
    // Zero until the first settings block is accepted.
    SettingsValues lastReadBlock{};
    // lastReadBlock is what the ESC the lists are filled for holds: set when its settings
    // block is accepted or a write to it completes, cleared when the lists are filled anew.
    bool escSettingsKnown = false;
    // Called after lastReadBlock or escSettingsKnown changed, so that a page can redraw
    // what it shows of them.
    std::function<void()> onEscSettingsChanged;
    // The image of the last write; its Low Volt Cut value is kept while that list has no
    // selection. All zero before the first.
    WriteImage writeImage{};
    // Where the selections came from; a block accepted, defaults, a sheet or a file set it.
    ValuesOrigin origin;

private:
    std::array<std::unique_ptr<OptionList>, kParameterCount> owned_;
    std::array<OptionList*, kParameterCount> lists_{};
};

}  // namespace orvek
