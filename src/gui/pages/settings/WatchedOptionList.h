#pragma once
// A page list that tells its page when the settings code empties it or selects in it, so that the
// page can redraw what depends on the selections. The combo box itself stays quiet: only the page's
// own callback hears.
#include <functional>
#include <utility>

#include "gui/controls/ComboOptionList.h"

namespace orvek {

class WatchedOptionList : public ComboOptionList {
public:
    WatchedOptionList(CBitComboBox* box, std::function<void()> changed)
        : ComboOptionList(box), changed_(std::move(changed)) {}

    void clear() override {
        ComboOptionList::clear();
        changed_();
    }
    void setSelection(int index) override {
        ComboOptionList::setSelection(index);
        changed_();
    }

private:
    std::function<void()> changed_;
};

}  // namespace orvek
