#pragma once
// An option list without a screen: the lists of the command-line tool and of tests.
#include <cstdint>
#include <string>
#include <vector>

#include "settings/OptionList.h"

namespace orvek {

class PlainOptionList : public OptionList {
public:
    bool insertAt(int position, const std::string& text) override;
    void clear() override;
    int count() const override;
    std::string textAt(int index) const override;
    int selection() const override { return selection_; }
    void setSelection(int index) override;
    bool isEnabled() const override { return enabled_; }
    void setEnabled(bool enabled) override {
        enabled_ = enabled;
        ++revision_;
    }
    // Counts every change made to the list, so that a watcher can tell "unchanged" cheaply.
    std::uint64_t revision() const { return revision_; }

private:
    std::vector<std::string> texts_;
    int selection_ = kNoSelection;
    bool enabled_ = true;
    std::uint64_t revision_ = 0;
};

}  // namespace orvek
