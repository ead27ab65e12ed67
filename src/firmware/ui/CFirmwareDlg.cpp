#include "firmware/ui/CFirmwareDlg.h"

#include "update/UpdateHost.h"

namespace orvek {

namespace {
std::size_t slot(FirmwareTarget target) { return target == FirmwareTarget::Esc ? 0 : 1; }
}  // namespace

// A black stand-in page until the controls are laid out.
CFirmwareDlg::CFirmwareDlg(RequestFlags& requests, const FirmwareIdentity& identity, MessageBoxes& messages,
                           const std::filesystem::path& programFolder, QWidget* parent)
    : QWidget(parent), requests_(requests), identity_(identity), messages_(messages), programFolder_(programFolder) {
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    statusPictures_.fill(updatePicture::Ready);
}

void CFirmwareDlg::setTextSize(int) {}
void CFirmwareDlg::ShowDeviceInfo(FirmwareTarget) {}

void CFirmwareDlg::showReadyPictures() {
    setStatusPicture(FirmwareTarget::Esc, updatePicture::Ready);
    setStatusPicture(FirmwareTarget::ProgramCard, updatePicture::Ready);
}

int CFirmwareDlg::statusPicture(FirmwareTarget target) const { return statusPictures_[slot(target)]; }

void CFirmwareDlg::setProgressCaption(FirmwareTarget, const std::string&) {}
void CFirmwareDlg::showProgress(FirmwareTarget, bool) {}
void CFirmwareDlg::setStatusPicture(FirmwareTarget target, int pictureId) { statusPictures_[slot(target)] = pictureId; }
void CFirmwareDlg::showStatusPicture(FirmwareTarget, bool) {}
void CFirmwareDlg::setStartPicture(FirmwareTarget, int) {}
void CFirmwareDlg::invalidatePage() { update(); }

}  // namespace orvek
