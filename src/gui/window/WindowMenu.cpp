#include "gui/window/WindowMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>

#include "gui/controls/SkinPalette.h"
#include "gui/window/WindowResources.h"

namespace orvek {

namespace {

struct MenuItem {
    int commandId;
    const char* text;
    bool checkable;
};
const MenuItem kFileItems[] = {{menuCommand::ImportSettings, menuText::ImportSettings, false},
                               {menuCommand::ExportSettings, menuText::ExportSettings, false},
                               {menuCommand::SaveAsSetupSheet, menuText::SaveAsSetupSheet, false},
                               {menuCommand::ExportSetupCard, menuText::ExportSetupCard, false},
                               {menuCommand::SettingsHistory, menuText::SettingsHistory, false},
                               {menuCommand::WriteSeries, menuText::WriteSeries, false},
                               {menuCommand::Exit, menuText::Exit, false}};
const MenuItem kDeviceItems[] = {{deviceCommand::Esc, menuText::Esc, true},
                                 {deviceCommand::ProgramCard, menuText::ProgramCard, true},
                                 {deviceCommand::FixMode, menuText::FixMode, true}};
// The mode each Device item chooses, in kDeviceItems' order.
const std::array<DeviceMode, 3> kDeviceModes{DeviceMode::Esc, DeviceMode::ProgramCard,
                                             DeviceMode::Fix};
const MenuItem kHelpItems[] = {{menuCommand::SaveDiagnosticLog, menuText::SaveDiagnosticLog, false},
                               {menuCommand::About, menuText::About, false}};

}  // namespace

QMenuBar& WindowMenu::make(QWidget& window, int width, std::function<void(int)> command) {
    auto* bar = new QMenuBar(&window);
    auto addMenu = [&](const char* title, const auto& items) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(title));
        for (const MenuItem& item : items) {
            QAction* action = menu->addAction(QString::fromUtf8(item.text));
            action->setData(item.commandId);
            action->setCheckable(item.checkable);
            const int id = item.commandId;
            QObject::connect(action, &QAction::triggered, &window, [command, id] { command(id); });
            actions_.push_back(action);
        }
    };
    addMenu(menuText::File, kFileItems);
    addMenu(menuText::Device, kDeviceItems);
    addMenu(menuText::Help, kHelpItems);
    // The bar on the black window: dark ground, light text, the skin's red under the pointer.
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, skin::kMenuGround);
    palette.setColor(QPalette::Button, skin::kMenuGround);
    for (QPalette::ColorRole text : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(text, skin::kLabelText);
    }
    palette.setColor(QPalette::Highlight, skin::kRed);
    palette.setColor(QPalette::HighlightedText, skin::kFieldText);
    bar->setPalette(palette);
    bar->setAutoFillBackground(true);
    bar->setGeometry(0, 0, width, bar->sizeHint().height());
    return *bar;
}

QAction* WindowMenu::action(int commandId) const {
    for (QAction* action : actions_) {
        if (action && action->data().toInt() == commandId) return action;
    }
    return nullptr;
}

std::optional<DeviceMode> WindowMenu::modeOf(int commandId) {
    for (std::size_t i = 0; i < kDeviceModes.size(); ++i) {
        if (kDeviceItems[i].commandId == commandId) return kDeviceModes[i];
    }
    return std::nullopt;
}

void WindowMenu::setDeviceChecks(DeviceMode mode) {
    for (std::size_t i = 0; i < kDeviceModes.size(); ++i)
        action(kDeviceItems[i].commandId)->setChecked(kDeviceModes[i] == mode);
}

}  // namespace orvek
