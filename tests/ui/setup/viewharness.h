#pragma once

#include "appstate.h"
#include "qmltypes.h"
#include "quick.h"

#include <QQuickStyle>
#include <QQuickView>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

// Shows nothing; the notifier only needs a service that is there.
class SilentNotifications : public NotificationService {
public:
    bool available() override { return true; }
    void show(const Notification&) override {}
};

// One view of Tovrin.Setup in a window of its own, with the state it binds
// to, and the few ways a test reaches into it.
class ViewHarness {
public:
    ViewHarness(const QString& view, AppState* state) {
        QQuickStyle::setStyle(QStringLiteral("Basic"));
        UiCore::setUp(*window.engine());
        window.setInitialProperties({{QStringLiteral("appState"), QVariant::fromValue(state)}});
        window.setResizeMode(QQuickView::SizeViewToRootObject);
        window.setSource(
            QUrl(QStringLiteral("qrc:/qt/qml/Tovrin/Setup/") + view + QStringLiteral(".qml")));
    }

    bool show() {
        if (!window.rootObject()) return false;
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }

    QQuickItem* root() const { return window.rootObject(); }

    QQuickItem* find(const QString& name) const { return Quick::find(root(), name); }
    bool click(const QString& name) const { return Quick::click(find(name)); }

    // The switch of a ToggleRow or folder row.
    QQuickItem* toggle(const QString& row) const {
        return Quick::find(find(row), QStringLiteral("toggle"));
    }

    QQuickView window;
};
