#include "autostart.h"
#include "quick.h"
#include "store.h"
#include "testapp.h"
#include "testfiles.h"

#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_SetupPlugin)

// The settings window over an onboarded user's state in a fake HOME; every
// change is saved at once.
class TestSettings : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    std::unique_ptr<TestView> view;

    // The whole page in the window, so every control can be clicked.
    AppState& open(Profile profile = {}) {
        profile.onboarded = true;
        Store::saveProfile(profile);
        AppState& state = app->start();
        view = std::make_unique<TestView>(QStringLiteral("Setup/SettingsView"), &state);
        // Wrapped texts know their height only once laid out at the window's width.
        view->window.grabWindow();
        resize(view->root()->property("contentHeight").toReal());
        return state;
    }
    void resize(qreal height) {
        view->root()->setHeight(height);
        QTRY_COMPARE(view->window.height(), qRound(height));
    }
    QQuickItem* toggle(const QString& row) const { return view->find(row, "toggle"); }
    static Profile saved() { return Store::loadProfile().value_or(Profile{}); }
    // What the desktop's own checker finds wrong with the autostart entry;
    // nothing when the checker is not installed.
    static QString entryFaults() {
        const QString checker =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (checker.isEmpty()) return {};
        QProcess check;
        check.setProcessChannelMode(QProcess::MergedChannels);
        check.start(checker, {Autostart::entryPath()});
        check.waitForFinished();
        const QString output = QString::fromUtf8(check.readAll());
        return check.exitCode() == 0 && output.isEmpty() ? QString() : output + u'!';
    }

private slots:
    void init() { app = std::make_unique<TestApp>(); }
    void cleanup() {
        view.reset();
        app.reset();
    }

    // Every switch and the mode are saved at once. The reminder is due
    // while on, unless Sunday Reset notifies already. Start at login is off
    // until switched on, writes a valid entry where the desktop looks for it,
    // and reads as off once the session's settings mark the entry so.
    void switchesSaveAtOnce() {
        AppState& state = open();
        const auto reminder = [] {
            return QSettings(Notifier::defaultSettingsPath(), QSettings::IniFormat)
                .value(QStringLiteral("sundayReminderOn"));
        };
        QVERIFY(Quick::click(toggle("reminderRow")));
        QCOMPARE(reminder(), QVariant(false));
        QCOMPARE(state.notifier().reminderDue(), std::nullopt);
        QVERIFY(Quick::click(toggle("reminderRow")));
        QCOMPARE(reminder(), QVariant(true));
        QVERIFY(state.notifier().reminderDue());
        for (const auto& [row, field] : {std::pair{"sundayResetRow", &Profile::autoTidy},
                                         {"renameRow", &Profile::renameFiles},
                                         {"installersRow", &Profile::keepInstallers}}) {
            const bool before = saved().*field;
            QVERIFY(Quick::click(toggle(row)));
            QCOMPARE(saved().*field, !before);
        }
        QCOMPARE(state.notifier().reminderDue(), std::nullopt);
        QVERIFY(view->click("mode-claude-sonnet-5-5"));
        QCOMPARE(saved().model, QStringLiteral("claude-sonnet-5-5"));
        // The cost limit is off until switched on, and off again forgets it.
        QCOMPARE(saved().costLimit, std::nullopt);
        QVERIFY(Quick::click(toggle("limitRow")));
        QCOMPARE(saved().costLimit, std::optional(1.0));
        QQuickItem* limit = view->find("limitField");
        limit->setProperty("text", "0.25");
        QMetaObject::invokeMethod(limit, "editingFinished");
        QCOMPARE(saved().costLimit, std::optional(0.25));
        QCOMPARE(state.profile(), saved());
        QVERIFY(Quick::click(toggle("limitRow")));
        QCOMPARE(saved().costLimit, std::nullopt);

        QVERIFY(!Autostart::isEnabled());
        QVERIFY(Quick::click(toggle("loginRow")));
        const QByteArray entry =
            TestFiles::read(app->home.path(QStringLiteral(".config/autostart/tovrin.desktop")));
        QVERIFY(entry.startsWith("[Desktop Entry]\n"));
        QVERIFY(entry.contains("\nExec=\""));
        QCOMPARE(entryFaults(), QString());
        for (const QByteArray& off : {entry + "Hidden=true\n",
                                      QByteArray(entry).replace("enabled=true", "enabled=false")}) {
            TestFiles::write(Autostart::entryPath(), off);
            QVERIFY(!Autostart::isEnabled());
        }
        TestFiles::write(Autostart::entryPath(), entry);
        QVERIFY(Autostart::isEnabled());
        QVERIFY(Quick::click(toggle("loginRow")));
        QVERIFY(!Autostart::isEnabled());
        // A moved program replaces the entry.
        QVERIFY(Autostart::enable(QStringLiteral("/old/tovrin")));
        QVERIFY(Autostart::enable(QStringLiteral("/opt/My Apps/tovrin")));
        QVERIFY(
            TestFiles::read(Autostart::entryPath()).contains("\nExec=\"/opt/My Apps/tovrin\"\n"));
        qputenv("XDG_CONFIG_HOME", app->home.path(QStringLiteral("cfg")).toUtf8());
        QCOMPARE(Autostart::entryPath(),
                 app->home.path(QStringLiteral("cfg/autostart/tovrin.desktop")));
        qunsetenv("XDG_CONFIG_HOME");
    }

    // A model on this computer: its address checked lists the server's
    // models to choose from, each choice saved at once; an address off this
    // computer asks for trust, which a new address takes back. Switched off,
    // Claude's choice shows again, and switched on, the choices come back.
    void localModel() {
        FakeClaude::Options options;
        options.local = true;
        FakeClaude::Server server(options);
        QVERIFY(server.listen());
        open();
        QVERIFY(!view->shows("addressField"));
        QVERIFY(Quick::click(toggle("localRow")));
        QCOMPARE(saved().local, std::optional(LocalModel{}));
        QVERIFY(!view->shows("modePicker"));
        view->find("addressField")->setProperty("text", server.url().toString());
        QVERIFY(view->click("checkButton"));
        QTRY_VERIFY(view->shows("checkFound"));
        QCOMPARE(view->text("checkFound"), "3 models found.");
        QVERIFY(!view->shows("trustRow"));
        const auto choose = [this](const char* choice, int index) {
            QMetaObject::invokeMethod(view->find(choice), "activated", Q_ARG(int, index));
        };
        choose("filesChoice", 0);
        choose("picturesChoice", 1);
        choose("secondLookChoice", 3);
        LocalModel chosen;
        chosen.address = server.url().toString();
        chosen.filesModel = "small-text:3b";
        chosen.picturesModel = "small-vision:7b";
        chosen.secondLookModel = "larger-text:14b";
        QCOMPARE(saved().local, std::optional(chosen));
        resize(view->root()->property("contentHeight").toReal());
        QVERIFY(view->screenshot("settings-local-model"));
        choose("secondLookChoice", 0);
        QCOMPARE(saved().local->secondLookModel, std::nullopt);

        QQuickItem* address = view->find("addressField");
        address->setProperty("text", "http://192.0.2.7:11434");
        QMetaObject::invokeMethod(address, "editingFinished");
        QVERIFY(view->shows("trustRow"));
        QVERIFY(view->screenshot("settings-local-model-trust"));
        QVERIFY(Quick::click(toggle("trustRow")));
        QVERIFY(saved().local->trusted);
        address->setProperty("text", "http://192.0.2.8:11434");
        QMetaObject::invokeMethod(address, "editingFinished");
        QVERIFY(!saved().local->trusted);

        QVERIFY(Quick::click(toggle("localRow")));
        QCOMPARE(saved().local, std::nullopt);
        QVERIFY(view->shows("modePicker"));
        QVERIFY(Quick::click(toggle("localRow")));
        QCOMPARE(saved().local->filesModel, "small-text:3b");
    }

    // A project listed twice goes with one click; a new name is trimmed, one
    // of only spaces adds nothing.
    void projects() {
        Profile profile;
        const Project vantle{QUuid::createUuid(), QStringLiteral("Vantle"), QStringLiteral("vt")};
        const Project kova{QUuid::createUuid(), QStringLiteral("KOVA"), {}};
        profile.projects = {vantle, kova, vantle};
        open(profile);
        QVERIFY(Quick::click(view->find("project-Vantle", "remove")));
        QCOMPARE(saved().projects, QList<Project>{kova});
        view->find("projectName")->setProperty("text", "   ");
        view->find("projectAliases")->setProperty("text", "pm, pell mark");
        QVERIFY(view->click("addProject"));
        QCOMPARE(saved().projects, QList<Project>{kova});
        view->find("projectName")->setProperty("text", "  Pellmark \n");
        QVERIFY(view->click("addProject"));
        const QList<Project> projects = saved().projects;
        QCOMPARE(projects.size(), 2);
        QCOMPARE(projects[1].name, QStringLiteral("Pellmark"));
        QCOMPARE(projects[1].aliases, QStringLiteral("pm, pell mark"));
        QVERIFY(view->find("project-Pellmark"));
        QVERIFY(!Quick::find(view->root(), QStringLiteral("project-Vantle")));
    }

    // The sample recap opens its window through the state; the animation
    // asks for its window.
    void buttons() {
        AppState& state = open();
        QSignalSpy requested(view->root(), SIGNAL(requestWindow(QString)));
        QVERIFY(view->click("recapButton"));
        QVERIFY(state.recap());
        QVERIFY(view->click("animationButton"));
        QCOMPARE(requested.value(0).value(0).toString(), QStringLiteral("zen"));
    }

    // The program in the autostart entry is quoted for any path.
    void execQuoting_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("quote and dollar") << "/opt/a\"b$c/tovrin"
                                          << "\"/opt/a\\\\\"b\\\\$c/tovrin\"";
        QTest::newRow("backslash") << "/opt/a\\b/tovrin"
                                   << "\"/opt/a\\\\\\\\b/tovrin\"";
        QTest::newRow("percent") << "/opt/100%/tovrin"
                                 << "\"/opt/100%%/tovrin\"";
    }
    void execQuoting() {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QCOMPARE(Autostart::execArgument(program), exec);
        QVERIFY(Autostart::enable(program));
        QCOMPARE(entryFaults(), QString());
    }

    // The usage summary from the ledger, on a page with projects: the
    // whole page, and the window's share of it.
    void usageAndScreenshot() {
        const QDateTime now = QDateTime::currentDateTimeUtc();
        UsageLog log;
        log.totalUSD = 2.5;
        log =
            UsageLedger::addRun(log, {now, 1.245, 1200, 30, {}, false}, UsageLedger::monthKey(now));
        log = UsageLedger::addRun(log, {now, 0.004, 4, 1, {}, false}, UsageLedger::monthKey(now));
        UsageLedger::save(log);
        Profile profile;
        profile.projects = {{QUuid::createUuid(), QStringLiteral("Vantle"),
                             QStringLiteral("Vantle Studio, vantle cards")},
                            {QUuid::createUuid(), QStringLiteral("KOVA"), QStringLiteral("Kova")}};
        open(profile);
        const QStringList values{"<$0.01", "$1.25", "$3.75", "1,204"};
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(view->find("stat-" + QString::number(i), "value")->property("text").toString(),
                     values[i]);
        QVERIFY(view->screenshot("settings"));
        resize(view->root()->implicitHeight());
        QVERIFY(view->screenshot("settings-window"));
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
