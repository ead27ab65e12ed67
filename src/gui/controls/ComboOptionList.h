#pragma once
// A skinned combo box seen as an option list, so that the settings code (filling, decoding,
// write image, files, setup sheets) drives the page's lists exactly as it drives plain ones.
#include <QPointer>

#include "gui/controls/CBitComboBox.h"
#include "settings/OptionList.h"

namespace orvek {

class ComboOptionList : public OptionList {
public:
    // The combo box stays the page's; a list whose box is gone is empty and refuses changes.
    explicit ComboOptionList(CBitComboBox* box) : box_(box) {}

    bool insertAt(int position, const std::string& text) override;
    void clear() override;
    int count() const override;
    std::string textAt(int index) const override;
    int selection() const override;
    void setSelection(int index) override;
    bool isEnabled() const override;
    void setEnabled(bool enabled) override;
    void redraw() override;

    CBitComboBox* box() const { return box_; }

private:
    QPointer<CBitComboBox> box_;
};

}  // namespace orvek
