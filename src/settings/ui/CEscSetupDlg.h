#pragma once
// The ESC SETUP page: the eighteen settings of the identified ESC in drop-down lists, the ESC
// information, setup sheets, and the SEND SETTING and DEFAULT SETTING pictures. Its clicks only
// raise request flags; the connection monitor drives its lists through lists().
#include <filesystem>
#include <string>

#include <QWidget>

#include "monitor/MonitorState.h"
#include "platform/qt/MessageBoxes.h"
#include "settings/ParameterLists.h"

namespace orvek {

class CEscSetupDlg : public QWidget {
    Q_OBJECT
public:
    CEscSetupDlg(RequestFlags& requests, MessageBoxes& messages, const std::filesystem::path& programFolder,
                 QWidget* parent = nullptr);

    // The eighteen lists as the settings code drives them.
    ParameterLists& lists() { return lists_; }
    // Controls 1000 (model name, never shown) and 1001 (firmware text).
    void setEscTexts(const std::string& modelName, const std::string& firmware);
    // The window's text size (tenths of a point), taken over on a screen not at 96 DPI.
    void setTextSize(int tenthsOfPoint);
    // Some list would write another value than the ESC was last known to hold.
    bool hasUnsentChanges() const;

private:
    RequestFlags& requests_;
    MessageBoxes& messages_;
    std::filesystem::path programFolder_;
    ParameterLists lists_;
};

}  // namespace orvek
