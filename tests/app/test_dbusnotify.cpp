#include "fakes.h"
#include "filemanager.h"
#include "notifier.h"
#include "testdesktop.h"
#include "testfiles.h"

#include <QDBusConnection>
#include <QDesktopServices>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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

// The notifications against a real notification server on a desktop of the
// test's own, clicked the way a user clicks them.
class TestDBusNotify : public QObject {
    Q_OBJECT

    TestDesktop desktop;

    int displayed() const {
        return desktop
            .run(QStringLiteral("dunstctl"), {QStringLiteral("count"), QStringLiteral("displayed")})
            .trimmed()
            .toInt();
    }
    // What the server keeps of the notifications that went: key -> text.
    QList<QVariantMap> history() const {
        const QJsonObject answer =
            QJsonDocument::fromJson(
                desktop.run(QStringLiteral("dunstctl"), {QStringLiteral("history")}).toUtf8())
                .object();
        QList<QVariantMap> notes;
        for (const QJsonValue& note :
             answer.value(QStringLiteral("data")).toArray().at(0).toArray()) {
            QVariantMap fields;
            const QJsonObject object = note.toObject();
            for (auto it = object.begin(); it != object.end(); ++it)
                fields.insert(it.key(),
                              it.value().toObject().value(QStringLiteral("data")).toVariant());
            notes.append(fields);
        }
        return notes;
    }
    // A left click on the server's window runs the notification's action.
    void clickNotification() const {
        const QString window =
            desktop
                .run(QStringLiteral("xdotool"),
                     {QStringLiteral("search"), QStringLiteral("--class"), QStringLiteral("Dunst")})
                .section(QLatin1Char('\n'), 0, 0);
        desktop.run(QStringLiteral("xdotool"),
                    {QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                     QStringLiteral("20"), QStringLiteral("20"), QStringLiteral("click"),
                     QStringLiteral("1")});
    }

private slots:
    void initTestCase() {
        const QString absent = TestDesktop::missing(
            {QStringLiteral("dbus-daemon"), QStringLiteral("Xvfb"), QStringLiteral("dunst"),
             QStringLiteral("dunstctl"), QStringLiteral("xdotool")});
        if (!absent.isEmpty())
            QSKIP(qPrintable(absent +
                             QStringLiteral(" is not installed; ./tovrin setup installs it")));
        QVERIFY(desktop.startDisplay());
        QVERIFY(desktop.startBus());
    }

    // Nothing claims to be shown while no server is on the bus. Once one
    // is, a refresh ends with the plan-ready notification, a second one
    // replaces it, and a click on it opens the review window. A hung bus and
    // server hold up nothing: what was sent shows when they wake.
    void planReadyAndClick() {
        AppFixture app;
        app.fresh(QDateTime::currentDateTime());
        app.onboard();
        app.home->write(QStringLiteral("Desktop/notes.txt"), "shopping list");
        DBusNotifications notifications(
            QDBusConnection::connectToBus(desktop.busAddress(), QStringLiteral("app")));
        QTRY_VERIFY(!notifications.available());

        const QString config = app.home->write(QStringLiteral("dunstrc"),
                                               "[global]\n"
                                               "    mouse_left_click = do_action, close_current\n"
                                               "    timeout = 0\n");
        QProcess* server =
            desktop.start(QStringLiteral("dunst"), {QStringLiteral("-config"), config});
        QVERIFY(server);
        QTRY_VERIFY(notifications.available());

        const auto state = app.makeState(&notifications);
        state->start(Tidy::Mode::quick);
        QTRY_COMPARE_WITH_TIMEOUT(state->phase(), Phase::review, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(displayed(), 1, 5000);
        // The server's id comes back with its answer; the next one replaces
        // that, and lands before the click.
        QTest::qWait(200);
        state->notifier().planReady(3);
        QTest::qWait(200);
        QCOMPARE(displayed(), 1);

        clickNotification();
        QTRY_COMPARE_WITH_TIMEOUT(app.opened, QStringList{QStringLiteral("review")}, 5000);
        QCOMPARE(displayed(), 0);
        const QList<QVariantMap> gone = history();
        QCOMPARE(gone.size(), 1);
        QCOMPARE(gone[0].value(QStringLiteral("appname")), QStringLiteral("Tovrin"));
        QCOMPARE(gone[0].value(QStringLiteral("summary")),
                 QStringLiteral("Your fresh start is ready"));
        QCOMPARE(gone[0].value(QStringLiteral("body")),
                 QStringLiteral("3 changes are waiting. Nothing moves until you say so."));
        QCOMPARE(gone[0].value(QStringLiteral("default_action_name")), QStringLiteral("default"));

        // The queued event runs while both are still stopped.
        QProcess* bus = desktop.busDaemon();
        TestDesktop::stop(bus);
        TestDesktop::stop(server);
        bool ranOn = false;
        QTimer::singleShot(0, this, [&ranOn] { ranOn = true; });
        QVERIFY(notifications.available());
        state->notifier().setUp(false);
        state->notifier().planReady(5);
        QTRY_VERIFY(ranOn);
        TestDesktop::resume(bus);
        TestDesktop::resume(server);
        QTRY_COMPARE_WITH_TIMEOUT(displayed(), 1, 5000);
        clickNotification();
        QTRY_COMPARE_WITH_TIMEOUT(app.opened.size(), 2, 5000);
        QCOMPARE(history().value(0).value(QStringLiteral("body")),
                 QStringLiteral("5 changes are waiting. Nothing moves until you say so."));
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
        QDBusConnection serverBus = QDBusConnection::connectToBus(desktop.busAddress(), "server");
        FakeFileManager manager;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &manager, "open");
        const QString name = QStringLiteral("org.freedesktop.FileManager1");
        QVERIFY(serverBus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &manager,
                                         QDBusConnection::ExportAllSlots));
        const auto cleanup = qScopeGuard([&] {
            QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
            serverBus.unregisterObject(QStringLiteral("/org/freedesktop/FileManager1"));
            serverBus.unregisterService(name);
        });
        if (running) QVERIFY(serverBus.registerService(name));

        FileManager::show(home.filePath(path),
                          QDBusConnection::connectToBus(desktop.busAddress(), "app"));
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
