#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QQuickWindow>
#include <QString>
#include <QtQml/qqml.h>

class AppState;
class QQmlEngine;

// One of the application's windows: its id and the window type of the shell
// module that wraps its view.
struct WindowSpec {
    QString id;
    QString type;
    bool centred = false;
};

namespace Windows {
// "onboarding", "review", "recap", "zen", "settings".
QList<WindowSpec> all();
} // namespace Windows

// Opens each window by id on first request and brings an open one forward.
// A closed window is destroyed; the next request makes a new one.
class WindowManager : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The shell owns the window manager")
public:
    WindowManager(QQmlEngine& engine, AppState& state, QList<WindowSpec> specs = Windows::all(),
                  QObject* parent = nullptr);
    ~WindowManager() override;

    // Null when the id is unknown or its window cannot be loaded.
    Q_INVOKABLE QQuickWindow* open(const QString& id);
    QQuickWindow* window(const QString& id) const;

signals:
    void opened(const QString& id);

private:
    QQuickWindow* create(const WindowSpec& spec);

    QQmlEngine& engine_;
    AppState& state_;
    QList<WindowSpec> specs_;
    QHash<QString, QPointer<QQuickWindow>> windows_;
};
