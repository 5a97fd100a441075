#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QString>

#include <optional>

// One desktop notification; `id` is ours ("plan-ready", "sunday-reminder"),
// not the notification server's.
struct Notification {
    QString id;
    QString title;
    QString body;
};

// What the application needs of the desktop's notification service: show a
// notification now, and hear which one the user clicked.
class NotificationService : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // False when notifications cannot be shown at all; callers then skip them.
    // Answers at once, from what is already known.
    virtual bool available() = 0;
    // Never blocks; failures are ignored.
    virtual void show(const Notification& note) = 0;

signals:
    void clicked(const QString& id);
};

// org.freedesktop.Notifications over the session bus. Each shown
// notification carries a "default" action, so a click on its body comes back
// as ActionInvoked with the server's id, which we map back to ours.
// No call waits for an answer: a hung bus or server must never freeze the
// menu. Whether a server is there is learnt in the background and kept.
class DBusNotifications : public NotificationService {
    Q_OBJECT
public:
    explicit DBusNotifications(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                               QObject* parent = nullptr);

    bool available() override;
    void show(const Notification& note) override;

private slots:
    void onActionInvoked(uint serverId, const QString& action);
    void onClosed(uint serverId, uint reason);

private:
    QDBusConnection bus_;
    // Unknown until the bus answers; unknown counts as there.
    std::optional<bool> running_;
    std::optional<bool> activatable_;
    QHash<uint, QString> shown_;   // server id -> our id
    QHash<QString, uint> current_; // our id -> server id, so a repeat replaces
};
