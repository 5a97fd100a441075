#pragma once

#include "appstate.h"
#include "fakeclaude.h"
#include "qmltypes.h"
#include "quick.h"
#include "shell.h"
#include "store.h"
#include "testhome.h"
#include "usage.h"

#include <QQmlComponent>
#include <QQmlEngine>
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

// A Stat's value and label, "3 new files".
inline QString statOf(QQuickWindow& window, const QString& name) {
    QQuickItem* item = Quick::find(window, name);
    return item ? item->property("value").toString() + QLatin1Char(' ') +
                      item->property("label").toString()
                : QString();
}
