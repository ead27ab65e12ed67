#pragma once
// Filling the eighteen option lists for an ESC, selecting its factory defaults, and
// matching stored option texts against what the lists hold.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "settings/ParameterLists.h"

namespace orvek {

// Empties all eighteen lists and fills them for the family and version text, setting the
// enabled state of the six boost and turbo lists; records family and version in `lists`.
// What the ESC holds counts as unknown again until its settings block is accepted.
void FillOptionLists(ParameterLists& lists, EscFamily family, const std::string& versionText);

// Selects the factory default of `lists.family` in each list (list-id order), leaves the
// lists the family has no default for, and redraws all eighteen. Nothing for Unlisted.
void selectFactoryDefaults(ParameterLists& lists);

// The family and version text a firmware text names ("Expert V1.30", as the ESC's identity reads),
// if it names one.
struct FamilyVersion {
    EscFamily family = EscFamily::Unlisted;
    std::string versionText;
};
std::optional<FamilyVersion> familyOfFirmwareText(std::string_view firmware);

// The lists a file's option texts are judged against when no ESC is attached: those of the
// family and version `firmware` names, else those of the known family and version whose lists
// hold the most of the texts (the first in Expert, Stock, Blinky and newest-version order when
// several do as well). Fills `lists` for it, which keep no selection.
FamilyVersion FillOptionListsForTexts(ParameterLists& lists,
                                      const std::array<std::string, kParameterCount>& texts,
                                      std::string_view firmware);

// FindOption on the list of one parameter.
std::optional<int> FindOption(const ParameterLists& lists, int keyNumber,
                              std::string_view storedText);

// Selects the option whose text matches `storedText`; false (selection untouched) when none does.
bool selectStoredOption(ParameterLists& lists, int keyNumber, std::string_view storedText);

}  // namespace orvek
