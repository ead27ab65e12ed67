#include "settings/ui/CEscSetupDlg.h"

namespace orvek {

// A black stand-in page until the lists are laid out.
CEscSetupDlg::CEscSetupDlg(RequestFlags& requests, MessageBoxes& messages,
                           const std::filesystem::path& programFolder, QWidget* parent)
    : QWidget(parent), requests_(requests), messages_(messages), programFolder_(programFolder) {
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
}

void CEscSetupDlg::setEscTexts(const std::string&, const std::string&) {}

void CEscSetupDlg::setTextSize(int) {}

bool CEscSetupDlg::hasUnsentChanges() const { return false; }

}  // namespace orvek
