#include "windowmanager.h"

#include "appstate.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QScreen>
#include <QtQml/qqmlextensionplugin.h>

// The modules of the views the windows wrap.
Q_IMPORT_QML_PLUGIN(Tovrin_ZenPlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_RecapPlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ReviewPlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_SetupPlugin)

namespace Windows {

QList<WindowSpec> all() {
    return {
        {QStringLiteral("onboarding"), QStringLiteral("OnboardingWindow")},
        {QStringLiteral("review"), QStringLiteral("ReviewWindow")},
        {QStringLiteral("recap"), QStringLiteral("RecapWindow"), true},
        {QStringLiteral("zen"), QStringLiteral("ZenWindow")},
        {QStringLiteral("settings"), QStringLiteral("SettingsWindow")},
        {QStringLiteral("history"), QStringLiteral("HistoryWindow")},
    };
}

} // namespace Windows

WindowManager::WindowManager(QQmlEngine& engine, AppState& state, QList<WindowSpec> specs,
                             QObject* parent)
    : QObject(parent), engine_(engine), state_(state), specs_(std::move(specs)) {}

WindowManager::~WindowManager() {
    for (const QPointer<QQuickWindow>& window : std::as_const(windows_))
        delete window.data();
}

QQuickWindow* WindowManager::window(const QString& id) const {
    return windows_.value(id);
}

QQuickWindow* WindowManager::open(const QString& id) {
    QQuickWindow* window = windows_.value(id);
    if (!window) {
        const auto spec = std::find_if(specs_.cbegin(), specs_.cend(),
                                       [&id](const WindowSpec& s) { return s.id == id; });
        if (spec == specs_.cend()) return nullptr;
        window = create(*spec);
        if (!window) return nullptr;
        windows_.insert(id, window);
        emit opened(id);
    }
    window->show();
    window->raise();
    window->requestActivate();
    return window;
}

QQuickWindow* WindowManager::create(const WindowSpec& spec) {
    QQmlComponent component(&engine_, QUrl(QStringLiteral("qrc:/qt/qml/Tovrin/Shell/") + spec.type +
                                           QStringLiteral(".qml")));
    QObject* object = component.createWithInitialProperties(
        {{QStringLiteral("appState"), QVariant::fromValue(&state_)},
         {QStringLiteral("windows"), QVariant::fromValue(this)}});
    auto* window = qobject_cast<QQuickWindow*>(object);
    if (!window) {
        qWarning("Cannot open the %s window: %s", qPrintable(spec.id),
                 qPrintable(component.errorString()));
        delete object;
        return nullptr;
    }
    // A window that follows its view's height gets the room its screen leaves:
    // the screen's height less its panels and the window's title bar.
    if (window->metaObject()->indexOfProperty("room") >= 0) {
        constexpr int titleBar = 48;
        const auto fit = [window](QScreen* screen) {
            if (screen)
                window->setProperty("room", screen->availableGeometry().height() - titleBar);
        };
        fit(window->screen());
        connect(window, &QWindow::screenChanged, window, fit);
    }
    if (spec.centred && window->screen()) {
        const QRect area = window->screen()->availableGeometry();
        window->setPosition(area.center() - QPoint(window->width() / 2, window->height() / 2));
    }
    // Windows exist only while open.
    connect(window, &QWindow::visibleChanged, window, [window](bool visible) {
        if (!visible) window->deleteLater();
    });
    return window;
}
