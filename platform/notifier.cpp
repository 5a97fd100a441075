#include "notifier.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QStringList>
#include <QVariantMap>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");

// Sends without waiting; `use` gets the first value of a good answer, on the
// context's thread while it lives. A hung peer only delays the answer.
template <typename Use>
void send(QDBusConnection bus, const QDBusMessage& message, QObject* context, Use use) {
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [use = std::move(use)](QDBusPendingCallWatcher* done) {
                         done->deleteLater();
                         const QDBusMessage reply = done->reply();
                         if (reply.type() == QDBusMessage::ReplyMessage &&
                             !reply.arguments().isEmpty())
                             use(reply.arguments().constFirst());
                     });
}

QDBusMessage askBus(const QString& method, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), method);
    message.setArguments(arguments);
    return message;
}

} // namespace

DBusNotifications::DBusNotifications(const QDBusConnection& bus, QObject* parent)
    : NotificationService(parent), bus_(bus) {
    if (!bus_.isConnected()) {
        running_ = activatable_ = false;
        return;
    }
    // Naming the service here would make Qt ask the bus for its owner and
    // wait; only ids we were given count, so any sender will do.
    bus_.connect(QString(), path, interface, QStringLiteral("ActionInvoked"), this,
                 SLOT(onActionInvoked(uint, QString)));
    bus_.connect(QString(), path, interface, QStringLiteral("NotificationClosed"), this,
                 SLOT(onClosed(uint, uint)));

    // The watcher is set up before the question, so no change is missed.
    auto* watcher =
        new QDBusServiceWatcher(service, bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) {
                running_ = !owner.isEmpty();
            });
    send(bus_, askBus(QStringLiteral("NameHasOwner"), {service}), this,
         [this](const QVariant& answer) { running_ = answer.toBool(); });
    send(
        bus_, askBus(QStringLiteral("ListActivatableNames"), {}), this,
        [this](const QVariant& answer) { activatable_ = answer.toStringList().contains(service); });
}

bool DBusNotifications::available() {
    return running_.value_or(true) || activatable_.value_or(true);
}

void DBusNotifications::show(const Notification& note) {
    if (!bus_.isConnected()) return;
    QDBusMessage notify =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    const QStringList actions{QStringLiteral("default"),
                              QCoreApplication::translate("Notifier", "Open")};
    notify << QStringLiteral("Tovrin") << current_.value(note.id, 0u) << QString() << note.title
           << note.body << actions << QVariantMap() << -1;
    const QString id = note.id;
    send(bus_, notify, this, [this, id](const QVariant& answer) {
        const uint serverId = answer.toUInt();
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
