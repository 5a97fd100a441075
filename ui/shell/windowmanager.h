#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>

#include <optional>

class AppState;
class QQmlEngine;
class QQuickWindow;

// How one of the application's windows is made.
struct WindowSpec {
    QString id;
    QString title;
    QString module; // the QML module of its view, e.g. "Tovrin.Review"
    QString view;   // the view type
    bool usesState = true;
    // A default size, resizable down to the view's minimumSize; without one
    // the window takes its view's size, as far as its screen has room.
    std::optional<QSize> size;
    bool centred = false;
};

namespace Windows {
// "onboarding", "review", "recap", "zen", "settings".
QList<WindowSpec> all();
// The QML of the window that wraps the view.
QByteArray source(const WindowSpec& spec);
} // namespace Windows

// Opens each window by id on first request and brings an open one forward.
// A closed window is destroyed; the next request makes a new one.
class WindowManager : public QObject {
    Q_OBJECT
public:
    WindowManager(QQmlEngine& engine, AppState& state, QList<WindowSpec> specs = Windows::all(),
                  QObject* parent = nullptr);
    ~WindowManager() override;

    // Null when the id is unknown or its view cannot be loaded.
    QQuickWindow* open(const QString& id);
    QQuickWindow* window(const QString& id) const;

signals:
    void opened(const QString& id);

private slots:
    void openRequested(const QString& id);
    void folderRequested(const QString& path);

private:
    QQuickWindow* create(const WindowSpec& spec);
    void connectRequests(QObject* view, QQuickWindow* window);

    QQmlEngine& engine_;
    AppState& state_;
    QList<WindowSpec> specs_;
    QHash<QString, QPointer<QQuickWindow>> windows_;
};
