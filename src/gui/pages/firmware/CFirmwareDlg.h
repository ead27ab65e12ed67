#pragma once
// The FIRMWARE page: the identity of the attached ESC or program card, the images on disk, the
// two start pictures and what an update shows while it runs. Its clicks only raise requests;
// the update workers drive its display (it is their UpdateDisplay, reached through the session).
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QRect>
#include <QWidget>

#include "firmware/DeviceIdentity.h"
#include "firmware/SettingsBackup.h"
#include "gui/controls/PageBase.h"
#include "gui/desktop/MessageBoxes.h"
#include "session/SessionView.h"

class QLabel;

namespace orvek {

class CBitComboBox;
class CxSkinButton;
class KeyArea;

class CFirmwareDlg : public PageBase, public FirmwarePageView {
    Q_OBJECT
public:
    // Raises the update request of a target with its image; the session serves it.
    using UpdateRequest = std::function<void(FirmwareTarget, const std::filesystem::path&)>;

    CFirmwareDlg(UpdateRequest raiseRequest, MessageBoxes& messages,
                 const std::filesystem::path& programFolder, QWidget* parent = nullptr);

    // FirmwarePageView: the identity as the session has it now, shown for `target`.
    void deviceInfoShown(FirmwareTarget target, const FirmwareIdentity& identity) override;
    void settingsBackedUp(const SettingsBackup& backup) override;

    // The window's text size (tenths of a point), taken over on a screen not at 96 DPI.
    void setTextSize(int tenthsOfPoint) override;
    // Brought up while no update is asked for or runs: the ready pictures.
    void shownByButton(bool updateQuiet) override;
    // Shows the identity of `target` as the identity object holds it now.
    void ShowDeviceInfo(FirmwareTarget target);
    // The ready picture in both status pictures (the page brought up while no update runs).
    void showReadyPictures();
    // The picture id a status picture (1031 ESC, 1033 program card) shows.
    int statusPicture(FirmwareTarget target) const;
    // The line under the information panel: where the ESC's settings were saved before its
    // firmware update, or that they could not be.
    void showSettingsBackup(const SettingsBackup& backup);

    // UpdateDisplay: what a running update shows on the page, and its boxes.
    void setProgressCaption(FirmwareTarget target, const std::string& caption) override;
    void showProgress(FirmwareTarget target, bool shown) override;
    void setStatusPicture(FirmwareTarget target, int pictureId) override;
    void showStatusPicture(FirmwareTarget target, bool shown) override;
    void setStartPicture(FirmwareTarget target, int pictureId) override;
    void invalidatePage() override;
    void showMessage(const std::string& text, MessageIcon icon) override;

    // A click on a start picture: checks the selection and the image, then raises the request.
    void requestUpdate(FirmwareTarget target);

    // What Tab visits on this page, in reading order: the ESC's image list and start picture,
    // the program card's, then the firmware information.
    std::vector<QWidget*> tabStops() const override;
    // The keyboard's start picture of a target (Space or Enter, as a click).
    KeyArea& startKeys(FirmwareTarget target) const {
        return *startKeys_[target == FirmwareTarget::Esc ? 0 : 1];
    }

private:
    void placeControls();
    void fillImageLists();
    void showInformation();
    // False when the image is damaged and the user chose not to upload it.
    bool imageMayGo(const std::filesystem::path& image, FirmwareTarget target);
    QLabel* picture(int id) const;
    CxSkinButton* progressButton(FirmwareTarget target) const;
    CBitComboBox* imageList(FirmwareTarget target) const;

    UpdateRequest raiseRequest_;
    FirmwareIdentity identity_;
    MessageBoxes& messages_;
    std::filesystem::path programFolder_;
    std::array<int, 2> statusPictures_{};
    std::array<KeyArea*, 2> startKeys_{};
};

}  // namespace orvek
