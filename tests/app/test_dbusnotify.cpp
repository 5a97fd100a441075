#include "fakes.h"
#include "filemanager.h"
#include "notifier.h"
#include "testfiles.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");

// A bus of our own: no activation directories, so no real notification
// server can be started behind the test's back.
const char* busConfig =
    "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
    " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
    "<busconfig>\n"
    "  <type>session</type>\n"
    "  <listen>unix:tmpdir=/tmp</listen>\n"
    "  <policy context=\"default\">\n"
    "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
    "    <allow eavesdrop=\"true\"/>\n"
    "    <allow own=\"*\"/>\n"
    "  </policy>\n"
    "</busconfig>\n";

} // namespace

// Plays the desktop's notification server and records every Notify call.
class FakeNotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call {
        QString app;
        uint replaces = 0;
        QString summary;
        QString body;
        QStringList actions;
    };
    QList<Call> calls;
    uint lastId = 40;

public slots:
    uint Notify(const QString& app, uint replaces, const QString&, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap&, int) {
        calls.append({app, replaces, summary, body, actions});
        return replaces ? replaces : ++lastId;
    }

signals:
    void ActionInvoked(uint id, const QString& action);
    void NotificationClosed(uint id, uint reason);
};

// Plays the desktop's file manager and records what it was asked to show;
// also stands in for the default handler of folders.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QStringList shown; // the method, then its URIs
    QList<QUrl> opened;

public slots:
    void ShowFolders(const QStringList& uris, const QString&) { shown << "ShowFolders" << uris; }
    void ShowItems(const QStringList& uris, const QString&) { shown << "ShowItems" << uris; }
    void open(const QUrl& url) { opened.append(url); }
};

class TestDBusNotify : public QObject {
    Q_OBJECT

    QTemporaryDir busDir;
    QProcess daemon;
    QString address;
    std::unique_ptr<FakeNotificationServer> server;

    QDBusConnection serverBus() const { return QDBusConnection(QStringLiteral("server")); }

private slots:
    void initTestCase() {
        const QString binary = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (binary.isEmpty())
            QSKIP("dbus-daemon is not installed (Debian package dbus); D-Bus tests skipped");
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QString config = busDir.filePath(QStringLiteral("bus.conf"));
        TestFiles::write(config, busConfig);
        daemon.start(binary, {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                              QStringLiteral("--print-address=1")});
        QVERIFY2(daemon.waitForStarted(5000), "dbus-daemon did not start");
        while (!daemon.canReadLine())
            QVERIFY2(daemon.waitForReadyRead(5000), "dbus-daemon printed no address");
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        QVERIFY(!address.isEmpty());

        QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("server"));
        QVERIFY(bus.isConnected());
        server = std::make_unique<FakeNotificationServer>();
        QVERIFY(bus.registerObject(objectPath, server.get(),
                                   QDBusConnection::ExportAllSlots |
                                       QDBusConnection::ExportAllSignals));
    }

    void cleanupTestCase() {
        server.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("server"));
        if (daemon.state() != QProcess::NotRunning) {
            daemon.terminate();
            daemon.waitForFinished(5000);
        }
    }

    // Nothing is sent while no server is on the bus. Once one is, a refresh
    // ends with the plan-ready notification, and a click on it opens the
    // review window.
    void planReadyAndClick() {
        AppFixture app;
        app.fresh(QDateTime::currentDateTime());
        app.onboard();
        app.home->write(QStringLiteral("Desktop/notes.txt"), "shopping list");
        DBusNotifications notifications(QDBusConnection::connectToBus(address, "app"));
        QVERIFY(!notifications.available());
        notifications.show({NotificationIds::planReady, QStringLiteral("t"), QStringLiteral("b")});
        QTest::qWait(100);
        QVERIFY(server->calls.isEmpty());
        QVERIFY(serverBus().registerService(serviceName));
        QVERIFY(notifications.available());

        const auto state = app.makeState(&notifications);
        state->start(Tidy::Mode::quick);
        QTRY_COMPARE_WITH_TIMEOUT(state->phase(), Phase::review, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(server->calls.size(), 1, 5000);
        const FakeNotificationServer::Call call = server->calls.first();
        QCOMPARE(call.app, QStringLiteral("Tovrin"));
        QCOMPARE(call.summary, QStringLiteral("Your fresh start is ready"));
        QCOMPARE(call.body, QStringLiteral("1 change is waiting. Nothing moves until you say so."));
        QVERIFY(call.actions.contains(QStringLiteral("default")));
        QCOMPARE(call.replaces, 0u);
        const uint shownId = server->lastId;

        // Another application's notification id means nothing to us.
        emit server->ActionInvoked(shownId + 100, QStringLiteral("default"));
        QTest::qWait(200);
        QVERIFY(app.opened.isEmpty());

        emit server->ActionInvoked(shownId, QStringLiteral("default"));
        QTRY_COMPARE_WITH_TIMEOUT(app.opened, QStringList{QStringLiteral("review")}, 5000);

        // A second plan-ready replaces the first instead of stacking up.
        state->notifier().planReady(3);
        QTRY_COMPARE_WITH_TIMEOUT(server->calls.size(), 2, 5000);
        QCOMPARE(server->calls.at(1).replaces, shownId);
        QCOMPARE(server->calls.at(1).body,
                 QStringLiteral("3 changes are waiting. Nothing moves until you say so."));

        QVERIFY(serverBus().unregisterService(serviceName));
    }

    void fileManager_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("opened");

        const QString folder = QStringLiteral("Tovrin Review/Café Notes");
        const QString file = folder + QStringLiteral("/plan ü.pdf");
        const QString encoded = QStringLiteral("/Tovrin%20Review/Caf%C3%A9%20Notes");
        QTest::newRow("folder") << folder << true
                                << QStringList{"ShowFolders", "file://%1" + encoded} << QString();
        QTest::newRow("file selected")
            << file << true
            << QStringList{"ShowItems", "file://%1" + encoded + "/plan%20%C3%BC.pdf"} << QString();
        QTest::newRow("no file manager, its folder opens")
            << file << false << QStringList() << QString(folder + u'/');
        QTest::newRow("missing path")
            << QStringLiteral("Gone") << true << QStringList() << QString();
    }

    // The desktop's file manager gets percent-encoded URIs without the panel
    // waiting for it; without one, the default handler opens the folder.
    void fileManager() {
        QFETCH(QString, path);
        QFETCH(bool, running);
        QFETCH(QStringList, shown);
        QFETCH(QString, opened);
        QTemporaryDir home;
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Tovrin Review/Café Notes")));
        TestFiles::write(home.filePath(QStringLiteral("Tovrin Review/Café Notes/plan ü.pdf")),
                         "%PDF");
        FakeFileManager manager;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &manager, "open");
        const QString name = QStringLiteral("org.freedesktop.FileManager1");
        QVERIFY(serverBus().registerObject(QStringLiteral("/org/freedesktop/FileManager1"),
                                           &manager, QDBusConnection::ExportAllSlots));
        const auto cleanup = qScopeGuard([&] {
            QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
            serverBus().unregisterObject(QStringLiteral("/org/freedesktop/FileManager1"));
            serverBus().unregisterService(name);
        });
        if (running) QVERIFY(serverBus().registerService(name));

        FileManager::show(home.filePath(path), QDBusConnection::connectToBus(address, "app"));
        QVERIFY(manager.shown.isEmpty());
        if (!shown.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(manager.shown, shown.replaceInStrings("%1", home.path()),
                                      5000);
        } else if (!opened.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(manager.opened.size(), 1, 5000);
            QCOMPARE(manager.opened.first().toLocalFile(), home.filePath(opened));
        }
        QTest::qWait(200);
        QCOMPARE(manager.shown.size(), shown.size());
        QCOMPARE(manager.opened.size(), opened.isEmpty() ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(TestDBusNotify)
#include "test_dbusnotify.moc"
