#include "gui/window/PageTable.h"

#include "gui/pages/firmware/CFirmwareDlg.h"
#include "gui/pages/links/CUserDlg.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "gui/window/WindowResources.h"
#include "resources/SkinRegistry.h"

namespace orvek {

std::vector<PageEntry> standardPages() {
    return {
        {windowControl::UserSupportButton, SkinId::UserSupportNormal, SkinId::UserSupportPressed,
         SkinId::UserSupportHover, QRect(30, 78, 200, 25), windowText::UserSupportButtonName,
         [](DeviceMode) { return true; },
         [](const PageServices& services, QWidget* frame) -> PageBase* {
             return new CUserDlg(services.urlOpener, services.programFolder, frame);
         }},
        {windowControl::EscSetupButton, SkinId::EscSetupNormal, SkinId::EscSetupPressed,
         SkinId::EscSetupHover, QRect(30, 113, 200, 25), windowText::EscSetupButtonName,
         [](DeviceMode mode) { return mode == DeviceMode::Esc; },
         [](const PageServices& services, QWidget* frame) -> PageBase* {
             return new CEscSetupDlg(services.programFolder, frame);
         }},
        {windowControl::FirmwareButton, SkinId::FirmwareNormal, SkinId::FirmwarePressed,
         SkinId::FirmwareHover, QRect(30, 148, 200, 25), windowText::FirmwareButtonName,
         [](DeviceMode mode) { return mode != DeviceMode::None; },
         [](const PageServices& services, QWidget* frame) -> PageBase* {
             return new CFirmwareDlg(services.raiseUpdate, services.messages,
                                     services.programFolder, frame);
         }},
    };
}

}  // namespace orvek
