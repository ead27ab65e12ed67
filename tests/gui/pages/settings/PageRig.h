#pragma once
// The ESC SETUP page shown offscreen, its lists driven by the connection monitor against a
// simulated ESC on a pseudo-terminal; a recording window stands for the main window, and a
// temporary folder for the program's folder.
#include <QAbstractItemView>
#include <QApplication>
#include <QTest>
#include <QWindow>

#include <filesystem>
#include <string>
#include <vector>

#include "gui/controls/CBitComboBox.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "monitor/MonitorRig.h"
#include "support/RecordingMessageBoxes.h"
#include "support/TempFolder.h"
#include "support/WidgetTesting.h"

namespace orvek::testing {

// Forwards the ESC texts to the page, as the main window does, and records everything.
class PageWindow : public RecordingWindow {
public:
    CEscSetupDlg* page = nullptr;
    void setEscTexts(const std::string& model, const std::string& firmware) override {
        RecordingWindow::setEscTexts(model, firmware);
        if (page) page->setEscTexts(model, firmware);
    }
};

inline sim::SimOptions escOptions(std::uint8_t typeCode, std::uint8_t versionCode = 3) {
    sim::SimOptions options = deviceOptions(sim::Peer::EscApplication);
    options.identity.typeCode = typeCode;
    options.identity.versionCode = versionCode;
    return options;
}

struct PageRig {
    explicit PageRig(sim::SimOptions options = {}) : sim(std::move(options)) {
        ok = sim.start();
        link.setPortOverride(sim.devicePath());
        window.page = &page;
        page.resize(985, 570);
        parkPointer();
        page.show();
        ok = ok && QTest::qWaitForWindowExposed(&page);
    }

    // Port open, ESC mode chosen, the ESC identified and its settings read; logs cleared.
    void connectEsc() {
        monitor.onPollTimer();
        monitor.onDeviceEsc();
        monitor.onPollTimer();
        ASSERT_EQ(link.escState(), EscState::Identified);
        window.log.clear();
        sim.clearReceived();
    }

    CBitComboBox* box(int id) const { return page.listBox(id); }

    // A left click at page coordinates, delivered through the window as a real click is, so
    // that it reaches whichever control lies there.
    void clickAt(const QPoint& at) {
        QTest::mouseClick(page.windowHandle(), Qt::LeftButton, {}, at);
    }
    void moveTo(const QPoint& at) { QTest::mouseMove(page.windowHandle(), at); }

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

    TempFolder programFolder;
    sim::Simulator sim;
    UsbUart link;
    RequestFlags requests;
    RecordingMessageBoxes messages;
    CEscSetupDlg page{requests, programFolder.path()};
    FirmwareIdentity identity;
    DeviceState state;
    PageWindow window;
    RecordingUpdateWindow updateWindow{state, requests, window};
    ConnectionMonitor monitor{link, page.lists(), identity, requests, state, window, updateWindow};
    bool ok = false;
};

}  // namespace orvek::testing
