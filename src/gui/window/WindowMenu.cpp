#include "gui/window/WindowMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>

#include "config/Language.h"
#include "gui/controls/SkinPalette.h"
#include "gui/desktop/Translation.h"
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
        QMenu* menu = bar->addMenu(uiText("menuText", title));
        for (const MenuItem& item : items) {
            QAction* action = menu->addAction(uiText("menuText", item.text));
            action->setData(item.commandId);
            action->setCheckable(item.checkable);
            const int id = item.commandId;
            QObject::connect(action, &QAction::triggered, &window, [command, id] { command(id); });
            actions_.push_back(action);
        }
        return menu;
    };
    addMenu(menuText::File, kFileItems);
    addMenu(menuText::Device, kDeviceItems);
    QMenu* help = addMenu(menuText::Help, kHelpItems);
    // Each language by its own name, so that a racer finds theirs in a window they cannot read.
    QMenu* languages = help->addMenu(uiText("menuText", menuText::Language));
    auto* group = new QActionGroup(languages);
    for (std::size_t i = 0; i < kWindowLanguageCount; ++i) {
        const WindowLanguage& language = windowLanguages()[i];
        QAction* action = languages->addAction(QString::fromUtf8(language.nativeName));
        const int id = menuCommand::FirstLanguage + static_cast<int>(i);
        action->setData(id);
        action->setCheckable(true);
        action->setChecked(windowLanguage() == language.code);
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, &window, [command, id] { command(id); });
        actions_.push_back(action);
    }
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

std::optional<std::string> WindowMenu::languageOf(int commandId) {
    const int index = commandId - menuCommand::FirstLanguage;
    if (index < 0 || index >= static_cast<int>(kWindowLanguageCount)) return std::nullopt;
    return std::string(windowLanguages()[static_cast<std::size_t>(index)].code);
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
