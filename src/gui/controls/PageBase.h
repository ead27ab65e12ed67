#pragma once
// What every page of the window is built on: its controls by id, its click areas with the one
// forwarding of the pointer to them, its tab stops and its text size. A page adds its layout and
// what its areas do; the window shows and hides it through its entry in the page table.
#include <vector>

#include <QWidget>

#include "gui/controls/PageKit.h"

namespace orvek {

class PageBase : public QWidget {
    Q_OBJECT
public:
    // Which presses act on an area: any press of the left button, or only a plain one (no other
    // button, no Shift, Ctrl or Alt held), as the links page takes them.
    enum class PressRule { LeftButton, PlainLeftButton };

    explicit PageBase(QWidget* parent, PressRule rule = PressRule::LeftButton);

    // A control of the page's layout by id; null for an id the page does not have.
    QWidget* control(int id) const { return controls_.widget(id); }
    // What Tab visits on this page, in reading order.
    virtual std::vector<QWidget*> tabStops() const = 0;
    // The window's text size (tenths of a point), taken over on a screen not at 96 DPI by the
    // pages whose texts follow it.
    virtual void setTextSize(int tenthsOfPoint) { (void)tenthsOfPoint; }
    // The page's button brought it up; `updateQuiet` when no firmware update is asked for or runs.
    virtual void shownByButton(bool updateQuiet) { (void)updateQuiet; }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

    ControlRegistry controls_;
    ClickAreas clickAreas_;

private:
    PressRule pressRule_;
};

}  // namespace orvek
