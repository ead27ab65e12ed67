#pragma once
// The ESC SETUP page shown offscreen in the real main window, its lists showing the device
// session's model of a simulated ESC on a pseudo-terminal; a temporary folder stands for the
// program's folder.
#include <QAbstractItemView>
#include <QApplication>
#include <QTest>
#include <QWindow>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "gui/controls/CBitComboBox.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "monitor/MonitorRig.h"
#include "support/RecordingMessageBoxes.h"
#include "support/TempFolder.h"
#include "support/WidgetTesting.h"
#include "support/WindowRig.h"

namespace orvek::testing {

inline sim::SimOptions escOptions(std::uint8_t typeCode, std::uint8_t versionCode = 3) {
    sim::SimOptions options = deviceOptions(sim::Peer::EscApplication);
    options.identity.typeCode = typeCode;
    options.identity.versionCode = versionCode;
    return options;
}

struct PageRig {
    // `setUp` may change the window's options before the window is made.
    explicit PageRig(sim::SimOptions options = {},
                     const std::function<void(WindowOptions&)>& setUp = {})
        : window(std::move(options)), setUp_(setUp) {
        ok = window.ok;
        CTarnwick11Dlg& w = window.win();
        w.show();
        w.ShowPage(CTarnwick11Dlg::Page::EscSetup);
        ok = ok && QTest::qWaitForWindowExposed(&w);
    }

    // Port open, ESC mode chosen, the ESC identified and its settings read; records cleared.
    void connectEsc() {
        window.connectEsc();
        window.win().ShowPage(CTarnwick11Dlg::Page::EscSetup);  // the menu showed USER SUPPORT
    }
    // The window, made on first use with the options `setUp` gave.
    CTarnwick11Dlg& madeWindow() {
        if (setUp_) {
            setUp_(window.options);
            setUp_ = nullptr;
        }
        return window.win();
    }
    void tick() { window.tick(); }
    void settle() { window.settle(); }
    const SessionStatus& status() { return window.status(); }

    CBitComboBox* box(int id) const { return page.listBox(id); }

    // A left click at page coordinates, delivered through the window as a real click is, so
    // that it reaches whichever control lies there.
    void clickAt(const QPoint& at) {
        QTest::mouseClick(window.win().windowHandle(), Qt::LeftButton, {},
                          page.mapTo(&window.win(), at));
    }
    void moveTo(const QPoint& at) {
        QTest::mouseMove(window.win().windowHandle(), page.mapTo(&window.win(), at));
    }

    // Opens the list with the mouse and clicks the entry, as a person picks it.
    void pick(int listId, int index) {
        CBitComboBox* list = box(listId);
        QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(20, list->height() / 2));
        ASSERT_TRUE(list->isListOpen());
        QAbstractItemView* view = list->view();
        const QModelIndex entry = list->model()->index(index, 0);
        view->scrollTo(entry);
        const QPoint point = view->visualRect(entry).center();
        // The open list ignores a release that comes within a double-click time of its opening.
        QTest::qWait(QApplication::doubleClickInterval() + 20);
        QTest::mouseMove(view->viewport(), point);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, point);
        ASSERT_FALSE(list->isListOpen())
            << "point " << point.x() << "," << point.y() << " viewport "
            << view->viewport()->width() << "x" << view->viewport()->height() << " current "
            << list->currentIndex() << " index " << index;
        ASSERT_EQ(list->currentIndex(), index);
        settle();  // the session has the pick, and whatever it loaded with it is shown
    }
    void pick(int listId, const QString& text) {
        const int index = box(listId)->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        pick(listId, index);
    }

    std::vector<std::string> selectedTexts() const {
        std::vector<std::string> texts;
        for (const auto& parameter : parameterTable())
            texts.push_back(box(parameter.listId)->currentText().toStdString());
        return texts;
    }

    WindowRig window;
    std::function<void(WindowOptions&)> setUp_;
    CEscSetupDlg& page = madeWindow().settingsPage();
    sim::Simulator& sim = window.sim;
    RecordingMessageBoxes& messages = window.messages;
    TempFolder& programFolder = window.program;
    bool ok = false;
};

}  // namespace orvek::testing
