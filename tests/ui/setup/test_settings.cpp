#include "appstate.h"
#include "autostart.h"
#include "store.h"
#include "testhome.h"
#include "usage.h"
#include "viewharness.h"

#include <QDesktopServices>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_SetupPlugin)

// Catches what the window hands to the desktop to open.
class OpenedUrls : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

// The settings window over an onboarded user's state in a fake HOME.
class TestSettings : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    SilentNotifications notifications;

    std::unique_ptr<AppState> makeState(Profile profile = {}) {
        profile.onboarded = true;
        Store::saveProfile(profile);
        AppServices services;
        services.notifications = &notifications;
        return std::make_unique<AppState>(services);
    }

    static Profile saved() { return Store::loadProfile().value_or(Profile{}); }

    static QVariant reminderSetting() {
        return QSettings(Notifier::defaultSettingsPath(), QSettings::IniFormat)
            .value(QStringLiteral("sundayReminderOn"));
    }

    // The whole page in the window, so every control can be clicked.
    static bool showAll(ViewHarness& view) {
        if (!view.root() || !view.show()) return false;
        // Wrapped texts know their height only once laid out at the window's width.
        view.window.grabWindow();
        return resize(view, view.root()->property("contentHeight").toReal());
    }

    static bool resize(ViewHarness& view, qreal height) {
        view.root()->setHeight(height);
        return QTest::qWaitFor([&] { return view.window.height() == qRound(height); });
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init() { home = std::make_unique<TestHome>(); }
    void cleanup() { home.reset(); }

    void texts() {
        const auto state = makeState();
        ViewHarness view(QStringLiteral("SettingsView"), state.get());
        QVERIFY(showAll(view));
        const QStringList shown = Quick::texts(view.root());
        for (const QString& text : {
                 QStringLiteral("Settings"),
                 QStringLiteral("Rename unclear files by what's in them"),
                 QStringLiteral("IMG_4821.png → “Vantle - holographic dragon card art.png”, named "
                                "by what's actually in the file."),
                 QStringLiteral("Keep app installers"),
                 QStringLiteral(
                     "Otherwise old .dmg and .pkg files go to Clear out for you to review."),
                 QStringLiteral("Sunday Reset"),
                 QStringLiteral("Every Sunday at 9 AM, Tovrin sorts the files you saved that week "
                                "(in Downloads and on your Desktop) and sends you a notification "
                                "when it's ready. You review and approve. Nothing moves before "
                                "that."),
                 QStringLiteral("Sunday 9 AM reminder"),
                 QStringLiteral("A gentle nudge: “Don't forget to start the week fresh.” Not "
                                "needed when Sunday Reset is on, since that already notifies "
                                "you."),
                 QStringLiteral("Start at login"),
                 QStringLiteral("Quick"),
                 QStringLiteral("Thorough"),
                 QStringLiteral("PROJECTS TOVRIN KNOWS"),
                 QStringLiteral("None yet. They're learned automatically on your first refresh."),
                 QStringLiteral("Add a project, e.g. Pellmark"),
                 QStringLiteral("Other names, comma separated"),
                 QStringLiteral("CLAUDE USAGE"),
                 QStringLiteral("last refresh"),
                 QStringLiteral("this month"),
                 QStringLiteral("all time"),
                 QStringLiteral("files this month"),
                 QStringLiteral("Open move history"),
                 QStringLiteral("Preview recap"),
                 QStringLiteral("Preview animation"),
                 QStringLiteral("Tovrin 0.1 · development build"),
             })
            QVERIFY2(shown.contains(text), qPrintable(text));
    }

    void profileSwitchesSaveAtOnce_data() {
        QTest::addColumn<QString>("row");
        QTest::addColumn<std::function<bool(const Profile&)>>("field");
        QTest::newRow("rename") << "renameRow"
                                << std::function([](const Profile& p) { return p.renameFiles; });
        QTest::newRow("installers")
            << "installersRow" << std::function([](const Profile& p) { return p.keepInstallers; });
        QTest::newRow("sunday reset")
            << "sundayResetRow" << std::function([](const Profile& p) { return p.autoTidy; });
    }

    void profileSwitchesSaveAtOnce() {
        QFETCH(QString, row);
        QFETCH(std::function<bool(const Profile&)>, field);
        const auto state = makeState();
        ViewHarness view(QStringLiteral("SettingsView"), state.get());
        QVERIFY(showAll(view));
        const bool before = field(saved());
        QCOMPARE(view.toggle(row)->property("checked").toBool(), before);
        QVERIFY(Quick::click(view.toggle(row)));
        QCOMPARE(field(saved()), !before);
        QCOMPARE(field(state->profile()), !before);
        QCOMPARE(view.toggle(row)->property("checked").toBool(), !before);
        QVERIFY(Quick::click(view.toggle(row)));
        QCOMPARE(field(saved()), before);
    }

    void modeSavedAtOnce() {
        const auto state = makeState();
        ViewHarness view(QStringLiteral("SettingsView"), state.get());
        QVERIFY(showAll(view));
        QVERIFY(view.find(QStringLiteral("mode-claude-haiku-5-5"))->property("selected").toBool());
        QVERIFY(view.click(QStringLiteral("mode-claude-sonnet-5-5")));
        QCOMPARE(saved().model, QStringLiteral("claude-sonnet-5-5"));
        QVERIFY(view.find(QStringLiteral("mode-claude-sonnet-5-5"))->property("selected").toBool());
    }

    void reminderSwitch_data() {
        QTest::addColumn<bool>("sundayReset");
        QTest::addColumn<bool>("scheduledWhenOn");
        QTest::newRow("sunday reset off") << false << true;
        QTest::newRow("sunday reset on") << true << false;
    }

    void reminderSwitch() {
        QFETCH(bool, sundayReset);
        QFETCH(bool, scheduledWhenOn);
        Profile profile;
        profile.autoTidy = sundayReset;
        const auto state = makeState(profile);
        ViewHarness view(QStringLiteral("SettingsView"), state.get());
        QVERIFY(showAll(view));
        // Absent means on.
        QVERIFY(view.toggle(QStringLiteral("reminderRow"))->property("checked").toBool());

        QVERIFY(Quick::click(view.toggle(QStringLiteral("reminderRow"))));
        QCOMPARE(reminderSetting(), QVariant(false));
        QVERIFY(!state->notifier().reminderOn());
        QCOMPARE(state->notifier().reminderDue(), std::nullopt);
        QVERIFY(!view.toggle(QStringLiteral("reminderRow"))->property("checked").toBool());

        QVERIFY(Quick::click(view.toggle(QStringLiteral("reminderRow"))));
        QCOMPARE(reminderSetting(), QVariant(true));
        QCOMPARE(state->notifier().reminderDue().has_value(), scheduledWhenOn);
    }

    void sundayResetReplacesReminder() {
        const auto state = makeState();
        state->notifier().setUp(false);
        QVERIFY(state->notifier().reminderDue());
        ViewHarness view(QStringLiteral("SettingsView"), state.get());
        QVERIFY(showAll(view));
        QVERIFY(Quick::click(view.toggle(QStringLiteral("sundayResetRow"))));
        QCOMPARE(state->notifier().reminderDue(), std::nullopt);
        QVERIFY(Quick::click(view.toggle(QStringLiteral("sundayResetRow"))));
        QVERIFY(state->notifier().reminderDue());
    }

    void startAtLogin() {
        const auto state = makeState();
        ViewHarness view(QStringLiteral("SettingsView"), state.get());
        QVERIFY(showAll(view));
        QVERIFY(!view.toggle(QStringLiteral("loginRow"))->property("checked").toBool());
        QVERIFY(Quick::click(view.toggle(QStringLiteral("loginRow"))));
        QVERIFY(QFile::exists(home->path(QStringLiteral(".config/autostart/tovrin.desktop"))));
        QVERIFY(Autostart::entry(QCoreApplication::applicationFilePath()).contains("Exec="));
        QVERIFY(view.toggle(QStringLiteral("loginRow"))->property("checked").toBool());
        QVERIFY(Quick::click(view.toggle(QStringLiteral("loginRow"))));
        QVERIFY(!Autostart::isEnabled());
    }

    void addProject_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("aliases");
        QTest::addColumn<QString>("stored");
        QTest::newRow("trimmed") << "  Pellmark \n"
                                 << "pm, pell mark"
                                 << "Pellmark";
        QTest::newRow("no aliases") << "Brel"
                                    << ""
                                    << "Brel";
        QTest::newRow("only spaces") << "   "
                                     << "kept"
                                     << "";
    }

    void addProject() {
        QFETCH(QString, name);
        QFETCH(QString, aliases);
        QFETCH(QString, stored);
        const auto state = makeState();
        ViewHarness view(QStringLiteral("SettingsView"), state.get());
        QVERIFY(showAll(view));
        QVERIFY(view.find(QStringLiteral("noProjects"))->isVisible());
        view.find(QStringLiteral("projectName"))->setProperty("text", name);
        view.find(QStringLiteral("projectAliases"))->setProperty("text", aliases);
        QVERIFY(view.click(QStringLiteral("addProject")));
        const QList<Project> projects = saved().projects;
        if (stored.isEmpty()) {
            QVERIFY(projects.isEmpty());
            QCOMPARE(view.find(QStringLiteral("projectName"))->property("text").toString(), name);
            QCOMPARE(view.find(QStringLiteral("projectAliases"))->property("text").toString(),
                     aliases);
            return;
        }
        QCOMPARE(projects.size(), 1);
        QCOMPARE(projects[0].name, stored);
        QCOMPARE(projects[0].aliases, aliases);
        QVERIFY(!projects[0].id.isNull());
        QCOMPARE(state->profile().projects, projects);
        QCOMPARE(view.find(QStringLiteral("projectName"))->property("text").toString(), QString());
        QCOMPARE(view.find(QStringLiteral("projectAliases"))->property("text").toString(),
                 QString());
        QVERIFY(!view.find(QStringLiteral("noProjects"))->isVisible());
        QVERIFY(view.find(QStringLiteral("project-") + stored));
        QCOMPARE(Quick::texts(view.root()).contains(aliases), !aliases.isEmpty());
    }

    void removeProject() {
        Profile profile;
        const Project vantle{QUuid::createUuid(), QStringLiteral("Vantle"), QStringLiteral("vt")};
        const Project kova{QUuid::createUuid(), QStringLiteral("KOVA"), {}};
        profile.projects = {vantle, kova, vantle};
        const auto state = makeState(profile);
        ViewHarness view(QStringLiteral("SettingsView"), state.get());
        QVERIFY(showAll(view));
        QVERIFY(Quick::click(
            Quick::find(view.find(QStringLiteral("project-Vantle")), QStringLiteral("remove"))));
        QCOMPARE(saved().projects, QList<Project>{kova});
        QCOMPARE(state->profile().projects, QList<Project>{kova});
        QVERIFY(!view.find(QStringLiteral("project-Vantle")));
    }

    void usageSummary_data() {
        QTest::addColumn<bool>("logged");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("no usage file") << false << QStringList{"–", "$0.00", "$0.00", "0"};
        QTest::newRow("two runs") << true << QStringList{"<$0.01", "$1.25", "$3.75", "1,204"};
    }

    void usageSummary() {
        QFETCH(bool, logged);
        QFETCH(QStringList, values);
        if (logged) {
            const QDateTime now = QDateTime::currentDateTimeUtc();
            UsageLog log;
            log.totalUSD = 2.5;
            log = UsageLedger::addRun(log, {now, 1.245, 1200, 30}, UsageLedger::monthKey(now));
            log = UsageLedger::addRun(log, {now, 0.004, 4, 1}, UsageLedger::monthKey(now));
            UsageLedger::save(log);
        }
        const auto state = makeState();
        ViewHarness view(QStringLiteral("SettingsView"), state.get());
        QVERIFY(showAll(view));
        const QStringList labels{"last refresh", "this month", "all time", "files this month"};
        for (int i = 0; i < labels.size(); ++i) {
            QQuickItem* stat = view.find(QStringLiteral("stat-") + labels[i]);
            QVERIFY2(stat, qPrintable(labels[i]));
            QCOMPARE(Quick::find(stat, QStringLiteral("value"))->property("text").toString(),
                     values[i]);
        }
    }

    void buttons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("previewsRecap");
        QTest::newRow("recap") << "recapButton"
                               << "" << true;
        QTest::newRow("animation") << "animationButton"
                                   << "zen" << false;
        QTest::newRow("move history") << "historyButton"
                                      << "" << false;
    }

    void buttons() {
        QFETCH(QString, button);
        QFETCH(QString, window);
        QFETCH(bool, previewsRecap);
        OpenedUrls opened;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
        const auto state = makeState();
        ViewHarness view(QStringLiteral("SettingsView"), state.get());
        QVERIFY(showAll(view));
        QSignalSpy requested(view.root(), SIGNAL(requestWindow(QString)));
        QVERIFY(view.click(button));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        // The sample recap opens its window through the state.
        QCOMPARE(state->recap().has_value(), previewsRecap);
        if (window.isEmpty()) {
            QCOMPARE(requested.count(), 0);
            if (!previewsRecap)
                QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(Store::logsDir())});
        } else {
            QCOMPARE(requested.count(), 1);
            QCOMPARE(requested[0][0].toString(), window);
            QVERIFY(opened.urls.isEmpty());
        }
    }

    void screenshot() {
        Profile profile;
        profile.projects = {{QUuid::createUuid(), QStringLiteral("Vantle"),
                             QStringLiteral("Vantle Studio, vantle cards")},
                            {QUuid::createUuid(), QStringLiteral("Brel"), {}},
                            {QUuid::createUuid(), QStringLiteral("KOVA"), QStringLiteral("Kova")}};
        const QDateTime now = QDateTime::currentDateTimeUtc();
        UsageLedger::save(
            UsageLedger::addRun({}, {now, 0.84, 3639, 112}, UsageLedger::monthKey(now)));
        const auto state = makeState(profile);
        ViewHarness view(QStringLiteral("SettingsView"), state.get());
        QVERIFY(showAll(view));
        QVERIFY(Quick::screenshot(view.window, QStringLiteral("settings")));
        QVERIFY(Quick::click(view.toggle(QStringLiteral("sundayResetRow"))));
        QVERIFY(resize(view, view.root()->implicitHeight()));
        QVERIFY(Quick::screenshot(view.window, QStringLiteral("settings-window")));
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
