#pragma once
// Filling the eighteen option lists for an ESC, selecting its factory defaults, and
// matching stored option texts against what the lists hold.
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

// FindOption on the list of one parameter.
std::optional<int> FindOption(const ParameterLists& lists, int keyNumber,
                              std::string_view storedText);

// Selects the option whose text matches `storedText`; false (selection untouched) when none does.
bool selectStoredOption(ParameterLists& lists, int keyNumber, std::string_view storedText);

}  // namespace orvek
