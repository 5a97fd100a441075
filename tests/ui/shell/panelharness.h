#pragma once

#include "appstate.h"
#include "fakeclaude.h"
#include "qmltypes.h"
#include "shell.h"
#include "store.h"
#include "testhome.h"
#include "usage.h"

#include <QDir>
#include <QFile>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <memory>

// A fake home, the local stand-in for Claude, one AppState and the engine the
// shell's QML loads into. What the views ask of the shell is recorded.
struct PanelHarness {
    TestHome home;
    FakeClaude::Server claude{FakeClaude::Options{}};
    Usage usage;
    std::unique_ptr<AppState> state;
    std::unique_ptr<QQmlEngine> engine;
    QStringList windows;
    QStringList folders;
    int quits = 0;
    std::function<QDateTime()> now; // empty: the real clock

    PanelHarness() {
        if (!claude.listen()) qFatal("the fake Claude server cannot listen");
        qputenv("ANTHROPIC_BASE_URL", claude.url().toString().toUtf8());
        Store::saveKey(QStringLiteral("sk-test"));
        Shell::setActions({[this](const QString& id) { windows.append(id); },
                           [this](const QString& path) { folders.append(path); },
                           [this] { ++quits; }});
    }
    ~PanelHarness() {
        Shell::setActions({});
        qunsetenv("ANTHROPIC_BASE_URL");
    }

    static void onboard(const QStringList& projects = {}) {
        Profile profile;
        profile.onboarded = true;
        for (const QString& name : projects)
            profile.projects.append(Project{QUuid::createUuid(), name, {}});
        Store::saveProfile(profile);
    }

    QString write(const QString& relative, const QByteArray& bytes) const {
        const QString path = home.path(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
        file.write(bytes);
        return path;
    }

    AppState& makeState() {
        AppServices services;
        services.usage = &usage;
        if (now) services.now = now;
        services.settingsPath = home.path(QStringLiteral(".config/Tovrin/Tovrin.conf"));
        state = std::make_unique<AppState>(services);
        state->setOpenWindow([this](const QString& id) { windows.append(id); });
        engine = std::make_unique<QQmlEngine>();
        UiCore::setUp(*engine);
        return *state;
    }

    bool settle() const {
        return QTest::qWaitFor([this] { return !state->isBusy(); }, 30000);
    }
};

// Finds an item by object name in the visual tree, a visible one first.
inline void collect(QQuickItem* item, const QString& name, QList<QQuickItem*>& found) {
    if (item->objectName() == name) found.append(item);
    for (QQuickItem* child : item->childItems())
        collect(child, name, found);
}

inline QQuickItem* findItem(QQuickWindow& window, const QString& name) {
    QList<QQuickItem*> items;
    collect(window.contentItem(), name, items);
    for (QQuickItem* item : items)
        if (item->isVisible()) return item;
    return items.isEmpty() ? nullptr : items.first();
}

inline bool shows(QQuickWindow& window, const QString& name) {
    QQuickItem* item = findItem(window, name);
    return item && item->isVisible();
}

inline QString textOf(QQuickWindow& window, const QString& name) {
    QQuickItem* item = findItem(window, name);
    return item ? item->property("text").toString() : QString();
}

// A Stat's value and label, "3 new files".
inline QString statOf(QQuickWindow& window, const QString& name) {
    QQuickItem* item = findItem(window, name);
    return item ? item->property("value").toString() + QLatin1Char(' ') +
                      item->property("label").toString()
                : QString();
}

// A real mouse click on the middle of the item.
inline bool click(QQuickWindow& window, const QString& name) {
    window.grabWindow(); // lays out a panel that has just been swapped in
    QQuickItem* item = findItem(window, name);
    if (!item || !item->isVisible()) return false;
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(&window, Qt::LeftButton, {}, centre.toPoint());
    return true;
}

inline bool screenshot(QQuickWindow& window, const QString& name) {
    return window.grabWindow().save(QStringLiteral(TOVRIN_SCREENSHOTS "/") + name +
                                    QStringLiteral(".png"));
}
