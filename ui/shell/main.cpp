// The application: one state, a status icon with its menu panel, and the
// windows the views ask for. It keeps running when every window is closed.
#include "appstate.h"
#include "contactsheet.h"
#include "language.h"
#include "menupanel.h"
#include "notifier.h"
#include "qmltypes.h"
#include "shell.h"
#include "singleinstance.h"
#include "tray.h"
#include "trayicons.h"
#include "windowmanager.h"

#include <QApplication>
#include <QPalette>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QSystemTrayIcon>
#include <QtQml/qqmlextensionplugin.h>

#include <memory>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ShellPlugin)

namespace {

// The views are light whatever the desktop's colour scheme.
QPalette lightPalette() {
    QPalette palette;
    const QColor ivory(255, 255, 255), surface(245, 245, 247), stone(212, 212, 216);
    const QColor charcoal(10, 10, 10), muted(107, 107, 112);
    palette.setColor(QPalette::Window, ivory);
    palette.setColor(QPalette::Base, ivory);
    palette.setColor(QPalette::AlternateBase, surface);
    palette.setColor(QPalette::Button, surface);
    palette.setColor(QPalette::Mid, stone);
    palette.setColor(QPalette::WindowText, charcoal);
    palette.setColor(QPalette::Text, charcoal);
    palette.setColor(QPalette::ButtonText, charcoal);
    palette.setColor(QPalette::PlaceholderText, muted);
    palette.setColor(QPalette::Highlight, charcoal);
    palette.setColor(QPalette::HighlightedText, ivory);
    palette.setColor(QPalette::ToolTipBase, charcoal);
    palette.setColor(QPalette::ToolTipText, ivory);
    return palette;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tovrin"));
    QApplication::setDesktopFileName(QStringLiteral("tovrin"));
    QApplication::setQuitOnLastWindowClosed(false);
    Language::install();

    SingleInstance instance;
    if (instance.tellRunning()) return 0;
    instance.listen();

    // The status area is drawn in the desktop's own colours, not ours.
    const QColor trayInk = QApplication::palette().color(QPalette::WindowText);
    QApplication::setPalette(lightPalette());
    QApplication::setWindowIcon(QIcon(TrayIcons::path(QStringLiteral("Mark"))));
    QQuickStyle::setStyle(QStringLiteral("Basic"));

    DBusNotifications notifications;
    AppServices services;
    services.notifications = &notifications;
    services.sheet = ContactSheet::make;
    AppState state(services);

    QQmlEngine engine;
    UiCore::setUp(engine);
    WindowManager windows(engine, state);
    Shell::setActions({[&windows](const QString& id) { windows.open(id); },
                       Shell::defaultOpenFolder, Shell::defaultQuit});

    const bool hasTray = QSystemTrayIcon::isSystemTrayAvailable();
    MenuPanel panel(engine, state, hasTray ? MenuPanel::Style::popover : MenuPanel::Style::window);
    std::unique_ptr<Tray> tray;
    if (hasTray) {
        tray = std::make_unique<Tray>(state, panel, trayInk);
    } else {
        panel.show();
    }
    const auto showPanel = [&panel, &tray] { panel.show(tray ? tray->geometry() : QRect()); };
    QObject::connect(&instance, &SingleInstance::showRequested, &panel, showPanel);
    // "menu" is the panel itself, where a paused refresh asks to go on or stop.
    state.setOpenWindow([&windows, showPanel](const QString& id) {
        if (id == QLatin1String("menu"))
            showPanel();
        else
            windows.open(id);
    });

    return app.exec();
}
