#pragma once
// The FIRMWARE page: the identity of the attached ESC or program card, the images on disk, the
// two start pictures and what an update shows while it runs. Its clicks only raise request
// flags; the update workers drive its display through the window's update host.
#include <array>
#include <filesystem>
#include <string>

#include <QWidget>

#include "firmware/DeviceIdentity.h"
#include "monitor/MonitorState.h"
#include "platform/qt/MessageBoxes.h"

namespace orvek {

class CFirmwareDlg : public QWidget {
    Q_OBJECT
public:
    CFirmwareDlg(RequestFlags& requests, const FirmwareIdentity& identity, MessageBoxes& messages,
                 const std::filesystem::path& programFolder, QWidget* parent = nullptr);

    // The window's text size (tenths of a point), taken over on a screen not at 96 DPI.
    void setTextSize(int tenthsOfPoint);
    // Shows the identity of `target` as the identity object holds it now.
    void ShowDeviceInfo(FirmwareTarget target);
    // The ready picture in both status pictures (the page brought up while no update runs).
    void showReadyPictures();
    // The picture id a status picture (1031 ESC, 1033 program card) shows.
    int statusPicture(FirmwareTarget target) const;

    // The window's side of the update host: what a running update shows on the page.
    void setProgressCaption(FirmwareTarget target, const std::string& caption);
    void showProgress(FirmwareTarget target, bool shown);
    void setStatusPicture(FirmwareTarget target, int pictureId);
    void showStatusPicture(FirmwareTarget target, bool shown);
    void setStartPicture(FirmwareTarget target, int pictureId);
    void invalidatePage();

private:
    RequestFlags& requests_;
    const FirmwareIdentity& identity_;
    MessageBoxes& messages_;
    std::filesystem::path programFolder_;
    std::array<int, 2> statusPictures_{};
};

}  // namespace orvek
