#pragma once
// Small helpers shared by the settings suites.
#include <string>
#include <vector>

#include "settings/OptionList.h"
#include "settings/OptionLists.h"
#include "settings/ParameterLists.h"

namespace orvek::testing {

inline ParameterLists filledLists(EscFamily family, const std::string& versionText) {
    ParameterLists lists;
    FillOptionLists(lists, family, versionText);
    return lists;
}

inline std::vector<std::string> textsOf(const OptionList& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.count(); ++i) {
        texts.push_back(list.textAt(i));
    }
    return texts;
}

// The selected text of every list, in key order.
inline std::vector<std::string> selectedTexts(const ParameterLists& lists) {
    std::vector<std::string> texts;
    for (int k = 0; k < kParameterCount; ++k) {
        texts.push_back(lists.byKey(k).selectedText());
    }
    return texts;
}

}  // namespace orvek::testing
