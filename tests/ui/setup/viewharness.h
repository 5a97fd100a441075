#pragma once

#include "appstate.h"
#include "qmltypes.h"

#include <QQuickItem>
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

    static QQuickItem* find(QQuickItem* from, const QString& name) {
        if (!from) return nullptr;
        for (QQuickItem* child : from->childItems()) {
            if (child->objectName() == name) return child;
            if (QQuickItem* found = find(child, name)) return found;
        }
        return nullptr;
    }
    QQuickItem* find(const QString& name) const { return find(root(), name); }

    // The switch of a ToggleRow or folder row.
    QQuickItem* toggle(const QString& row) const {
        return find(find(row), QStringLiteral("toggle"));
    }

    // A real click at the item's centre; the long delay keeps two clicks in
    // a row from reading as a double click.
    bool click(QQuickItem* item) {
        if (!item || !item->isVisible()) return false;
        const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
        QTest::mouseClick(&window, Qt::LeftButton, {}, centre.toPoint(), 1000);
        return true;
    }
    bool click(const QString& name) { return click(find(name)); }

    // Every text shown: labels, button titles, field placeholders.
    QStringList visibleTexts() const {
        QStringList texts;
        collect(root(), texts);
        return texts;
    }

    bool screenshot(const QString& name) {
        return window.grabWindow().save(QStringLiteral(TOVRIN_SCREENSHOTS "/") + name +
                                        QStringLiteral(".png"));
    }

    QQuickView window;

private:
    static void collect(QQuickItem* item, QStringList& texts) {
        if (!item || !item->isVisible()) return;
        if (item->inherits("QQuickText")) texts.append(item->property("text").toString());
        if (item->inherits("QQuickTextField")) {
            const QString placeholder = item->property("placeholderText").toString();
            if (!placeholder.isEmpty()) texts.append(placeholder);
        }
        for (QQuickItem* child : item->childItems())
            collect(child, texts);
    }
};
