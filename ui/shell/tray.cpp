#include "tray.h"

#include "appstate.h"
#include "menupanel.h"
#include "shell.h"
#include "trayicons.h"

Tray::Tray(AppState& state, MenuPanel& panel, QColor ink, QObject* parent)
    : QObject(parent), state_(state), panel_(panel), ink_(ink),
      menuIconLoads_(TrayIcons::loads(TrayIcons::menuIcon)) {
    icon_.setToolTip(QStringLiteral("Tovrin"));
    connect(&state_, &AppState::phaseChanged, this, &Tray::update);
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger) panel_.toggle(icon_.geometry());
            });
    // Some status areas only ever open the icon's menu.
    menu_.addAction(tr("Open Tovrin"), this, [this] { panel_.show(icon_.geometry()); });
    menu_.addSeparator();
    menu_.addAction(tr("Quit"), this, [] { Shell::defaultQuit(); });
    icon_.setContextMenu(&menu_);
    update();
    icon_.show();
}

void Tray::update() {
    const QString name = TrayIcons::choose(state_.phase(), menuIconLoads_);
    if (name == iconName_) return;
    iconName_ = name;
    icon_.setIcon(TrayIcons::icon(name, ink_));
}
