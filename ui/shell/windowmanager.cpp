#include "windowmanager.h"

#include "appstate.h"
#include "shell.h"

#include <QMetaMethod>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScreen>

namespace Windows {

QList<WindowSpec> all() {
    return {
        {QStringLiteral("onboarding"),
         QStringLiteral("Welcome to Tovrin"),
         QStringLiteral("Tovrin.Setup"),
         QStringLiteral("OnboardingView"),
         true,
         {},
         false},
        {QStringLiteral("review"), QStringLiteral("Your fresh start"),
         QStringLiteral("Tovrin.Review"), QStringLiteral("ReviewView"), true, QSize(1240, 780),
         false},
        {QStringLiteral("recap"),
         QStringLiteral("Your recap"),
         QStringLiteral("Tovrin.Recap"),
         QStringLiteral("RecapView"),
         true,
         {},
         true},
        {QStringLiteral("zen"),
         QStringLiteral("Refresh animation"),
         QStringLiteral("Tovrin.Zen"),
         QStringLiteral("ZenPreview"),
         false,
         {},
         false},
        {QStringLiteral("settings"),
         QStringLiteral("Tovrin Settings"),
         QStringLiteral("Tovrin.Setup"),
         QStringLiteral("SettingsView"),
         true,
         {},
         false},
    };
}

QByteArray source(const WindowSpec& spec) {
    // A default size leaves the window resizable; otherwise it follows its
    // view, no taller than the room its screen leaves (set by the manager).
    const QString size = spec.size
                             ? QStringLiteral("width: %1; height: %2\n"
                                              "    minimumWidth: view.minimumSize.width\n"
                                              "    minimumHeight: view.minimumSize.height")
                                   .arg(spec.size->width())
                                   .arg(spec.size->height())
                             : QStringLiteral("property int room: view.implicitHeight\n"
                                              "    width: view.implicitWidth\n"
                                              "    height: Math.min(view.implicitHeight, room)\n"
                                              "    minimumWidth: width; maximumWidth: width\n"
                                              "    minimumHeight: height; maximumHeight: height");
    const QString state = spec.usesState ? QStringLiteral("appState: window.appState") : QString();
    return QStringLiteral("import QtQuick\n"
                          "import Tovrin.Core\n"
                          "import %1\n"
                          "Window {\n"
                          "    id: window\n"
                          "    required property AppState appState\n"
                          "    title: \"%2\"\n"
                          "    color: Theme.ivory\n"
                          "    %3\n"
                          "    %4 { id: view; objectName: \"view\"; anchors.fill: parent; %5 }\n"
                          "}\n")
        .arg(spec.module, spec.title, size, spec.view, state)
        .toUtf8();
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
    QQmlComponent component(&engine_);
    component.setData(Windows::source(spec), QUrl(QStringLiteral("qrc:/tovrin/windows/") + spec.id +
                                                  QStringLiteral(".qml")));
    QObject* object = component.createWithInitialProperties(
        {{QStringLiteral("appState"), QVariant::fromValue(&state_)}});
    auto* window = qobject_cast<QQuickWindow*>(object);
    if (!window) {
        qWarning("Cannot open the %s window: %s", qPrintable(spec.id),
                 qPrintable(component.errorString()));
        delete object;
        return nullptr;
    }
    if (!spec.size) {
        // The screen's height less its panels and the window's title bar.
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
    if (QObject* view = window->findChild<QObject*>(QStringLiteral("view")))
        connectRequests(view, window);
    return window;
}

// Views in other modules ask for windows, folders and their own closing
// through signals; whichever a view has is connected.
void WindowManager::connectRequests(QObject* view, QQuickWindow* window) {
    const QMetaObject* meta = view->metaObject();
    const auto wire = [&](const char* signal, QObject* receiver, const char* method) {
        const int index = meta->indexOfSignal(signal);
        if (index < 0) return;
        const QMetaObject* target = receiver->metaObject();
        QObject::connect(view, meta->method(index), receiver,
                         target->method(target->indexOfMethod(method)));
    };
    wire("requestWindow(QString)", this, "openRequested(QString)");
    wire("openFolderRequested(QString)", this, "folderRequested(QString)");
    wire("finished()", window, "close()");
    wire("closeRequested()", window, "close()");
}

void WindowManager::openRequested(const QString& id) {
    open(id);
}

void WindowManager::folderRequested(const QString& path) {
    Shell::showFolder(path);
}
