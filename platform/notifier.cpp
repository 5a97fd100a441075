#include "notifier.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");

} // namespace

DBusNotifications::DBusNotifications(const QDBusConnection& bus, QObject* parent)
    : NotificationService(parent), bus_(bus) {
    if (!bus_.isConnected()) return;
    bus_.connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                 SLOT(onActionInvoked(uint, QString)));
    bus_.connect(service, path, interface, QStringLiteral("NotificationClosed"), this,
                 SLOT(onClosed(uint, uint)));
}

bool DBusNotifications::available() {
    if (!bus_.isConnected()) return false;
    QDBusConnectionInterface* names = bus_.interface();
    if (!names) return false;
    if (names->isServiceRegistered(service).value()) return true;
    return names->activatableServiceNames().value().contains(service);
}

void DBusNotifications::show(const Notification& note) {
    if (!bus_.isConnected()) return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    const QStringList actions{QStringLiteral("default"),
                              QCoreApplication::translate("Notifier", "Open")};
    call << QStringLiteral("Tovrin") << current_.value(note.id, 0u) << QString() << note.title
         << note.body << actions << QVariantMap() << -1;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    const QString id = note.id;
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, id](QDBusPendingCallWatcher* done) {
                const QDBusPendingReply<uint> reply = *done;
                done->deleteLater();
                if (reply.isError()) return;
                const uint serverId = reply.value();
                shown_.insert(serverId, id);
                current_.insert(id, serverId);
            });
}

void DBusNotifications::onActionInvoked(uint serverId, const QString& action) {
    // Any action of ours means "open"; other applications' ids are not in the map.
    Q_UNUSED(action);
    const auto it = shown_.constFind(serverId);
    if (it != shown_.constEnd()) emit clicked(it.value());
}

void DBusNotifications::onClosed(uint serverId, uint reason) {
    Q_UNUSED(reason);
    const QString id = shown_.take(serverId);
    if (!id.isEmpty() && current_.value(id) == serverId) current_.remove(id);
}
