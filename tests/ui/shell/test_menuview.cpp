#include "menucontroller.h"
#include "menupanel.h"
#include "panelharness.h"
#include "testitems.h"
#include "tray.h"
#include "windowmanager.h"

#include <QQuickStyle>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ShellPlugin)

// The menu panel against a real state: which panel each phase shows, its
// texts, and what each control sets off.
class TestMenuView : public QObject {
    Q_OBJECT

    std::unique_ptr<PanelHarness> h;
    std::unique_ptr<QQuickWindow> window;

    QQuickWindow& show(AppState& state) {
        QQmlComponent component(h->engine.get(),
                                QUrl(QStringLiteral("qrc:/qt/qml/Tovrin/Shell/PanelWindow.qml")));
        if (!component.isReady()) qFatal("%s", qPrintable(component.errorString()));
        window.reset(qobject_cast<QQuickWindow*>(component.createWithInitialProperties(
            {{QStringLiteral("appState"), QVariant::fromValue(&state)},
             {QStringLiteral("popover"), false}})));
        if (!window) qFatal("%s", qPrintable(component.errorString()));
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) qFatal("the panel never showed");
        return *window;
    }

    QString panel() const {
        QObject* menu = window->findChild<QObject*>(QStringLiteral("menu"));
        auto* item = menu ? menu->property("panel").value<QQuickItem*>() : nullptr;
        return item ? item->objectName() : QString();
    }

    // A waiting plan: an organised note that is renamed, an installer as junk
    // and a file that needs the user.
    void pendingPlan() {
        const QString note = h->home.write(QStringLiteral("Desktop/notes.txt"), "shopping list");
        const QString deb = h->home.write(QStringLiteral("Downloads/tool_1.2_amd64.deb"),
                                          QByteArray(2'500'000, 'x'));
        const QString odd = h->home.write(QStringLiteral("Desktop/blob.bin"), "???");
        Store::savePlan({TestPlanItem(note, "Personal/Notes").id(1).newName("Shopping list.txt"),
                         TestPlanItem(deb, "Tovrin Review/To Delete - Review First", "junk").id(2),
                         TestPlanItem(odd, "Tovrin Review/Needs You", "needs-you").id(3)});
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QQuickStyle::setStyle(QStringLiteral("Basic"));
    }
    void init() { h = std::make_unique<PanelHarness>(); }
    void cleanup() {
        if (h->state) h->settle();
        window.reset();
        h.reset();
    }

    void panelPerPhase_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<Phase>("phase");
        QTest::addColumn<QString>("panel");
        QTest::newRow("idle") << "fresh" << Phase::idle << "idlePanel";
        QTest::newRow("scanning") << "refreshing" << Phase::scanning << "scanningPanel";
        QTest::newRow("review") << "plan waits" << Phase::review << "reviewReadyPanel";
        QTest::newRow("applying") << "applying" << Phase::applying << "scanningPanel";
        QTest::newRow("done") << "nothing found" << Phase::done << "donePanel";
    }
    void panelPerPhase() {
        QFETCH(QString, situation);
        QFETCH(Phase, phase);
        QFETCH(QString, panel);
        TestHome::onboard();
        if (situation == "plan waits" || situation == "applying") pendingPlan();
        if (situation == "refreshing") h->home.write(QStringLiteral("Desktop/a.txt"), "a");
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        if (situation == "refreshing") state.start(TidyMode::quick);
        if (situation == "applying") state.apply(true);
        if (situation == "nothing found") {
            state.start(TidyMode::quick);
            QVERIFY(h->settle());
        }
        QCOMPARE(state.phase(), phase);
        QCOMPARE(this->panel(), panel);
        if (phase == Phase::applying) {
            QCOMPARE(Quick::text(w, QStringLiteral("calmStatus")),
                     QStringLiteral("Putting everything in its place"));
            QCOMPARE(this->window->findChild<QObject*>("menu")
                         ->property("panel")
                         .value<QQuickItem*>()
                         ->property("fraction")
                         .toDouble(),
                     1.0);
        }
    }

    void welcomeBeforeOnboarding() {
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        QCOMPARE(panel(), QStringLiteral("idlePanel"));
        QVERIFY(Quick::shows(w, QStringLiteral("welcome")));
        QVERIFY(!Quick::shows(w, QStringLiteral("actions")));
        QVERIFY(!Quick::shows(w, QStringLiteral("refreshNow")));
        QCOMPARE(Quick::text(w, QStringLiteral("getStarted")), QStringLiteral("Get started"));
        QCOMPARE(Quick::text(w, QStringLiteral("subtitle")),
                 QStringLiteral("Ready for a fresh start"));
        QVERIFY(Quick::screenshot(w, QStringLiteral("shell-idle-welcome")));
        QVERIFY(Quick::click(w, QStringLiteral("getStarted")));
        QCOMPARE(h->windows, QStringList{QStringLiteral("onboarding")});
    }

    void idleStatsAndControls() {
        TestHome::onboard({QStringLiteral("Pellmark"), QStringLiteral("Kite Studio")});
        for (int i = 0; i < 3; ++i)
            h->home.write(QStringLiteral("Downloads/file %1.txt").arg(i), "x");
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        QTRY_COMPARE(state.newFiles(), 3); // counted when the panel showed
        QVERIFY(!Quick::shows(w, QStringLiteral("welcome")));
        QVERIFY(Quick::shows(w, QStringLiteral("actions")));
        QCOMPARE(statOf(w, QStringLiteral("newFiles")),
                 QStringLiteral("%1 new files").arg(state.newFiles()));
        QCOMPARE(statOf(w, QStringLiteral("projects")), QStringLiteral("2 projects"));
        QCOMPARE(statOf(w, QStringLiteral("folders")), QStringLiteral("3 folders"));
        QVERIFY(Quick::screenshot(w, QStringLiteral("shell-idle")));

        // The Sunday switch is saved at once.
        QVERIFY(Quick::click(w, QStringLiteral("sundayReset")));
        QVERIFY(state.profile().autoTidy);
        QVERIFY(Store::loadProfile()->autoTidy);

        QVERIFY(Quick::click(w, QStringLiteral("quit")));
        QCOMPARE(h->quits, 1);
        QVERIFY(Quick::click(w, QStringLiteral("settingsButton")));
        QCOMPARE(h->windows, QStringList{QStringLiteral("settings")});
    }

    // "Last refresh … ago" is told from the time the panel is looked at.
    void lastRefreshMovesOn() {
        // Shared, as the state may still read it after the test returns.
        const auto clock = std::make_shared<QDateTime>(QDateTime::currentDateTime());
        Profile profile;
        profile.onboarded = true;
        profile.lastRun = clock->addSecs(-120);
        Store::saveProfile(profile);
        h->now = [clock] { return *clock; };
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        QCOMPARE(Quick::text(w, QStringLiteral("subtitle")),
                 QStringLiteral("Last refresh 2 minutes ago"));
        w.hide();
        *clock = clock->addSecs(3 * 3600);
        w.show();
        QTRY_COMPARE(Quick::text(w, QStringLiteral("subtitle")),
                     QStringLiteral("Last refresh 3 hours ago"));
    }

    // The undo row runs undo; its outcome is the message at the bottom.
    void undoRowShowsOutcome() {
        TestHome::onboard();
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        QVERIFY(!Quick::shows(w, QStringLiteral("message")));
        QVERIFY(Quick::click(w, QStringLiteral("undo")));
        QVERIFY(h->settle());
        QCOMPARE(state.phase(), Phase::idle);
        QCOMPARE(Quick::text(w, QStringLiteral("message")), QStringLiteral("Nothing to undo."));
        QVERIFY(Quick::shows(w, QStringLiteral("message")));
    }

    void idleRowsStartRefreshes_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("Refresh now") << "refreshNow";
        QTest::newRow("Deep clean everything") << "deepClean";
        QTest::newRow("Clear out junk & duplicates") << "clearJunk";
    }
    void idleRowsStartRefreshes() {
        QFETCH(QString, control);
        TestHome::onboard();
        h->home.write(QStringLiteral("Desktop/a.txt"), "a");
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        QVERIFY(Quick::click(w, control));
        QCOMPARE(state.phase(), Phase::scanning);
        QCOMPARE(panel(), QStringLiteral("scanningPanel"));
        QCOMPARE(Quick::text(w, QStringLiteral("calmStatus")), QStringLiteral("Getting started…"));
        QVERIFY(Quick::screenshot(w, QStringLiteral("shell-scanning")));
        QVERIFY(h->settle());
    }

    void reviewReady() {
        TestHome::onboard();
        h->home.write(QStringLiteral("Desktop/notes.txt"), "shopping list");
        h->home.write(QStringLiteral("Downloads/letter.txt"), "dear sir");
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        state.start(TidyMode::quick);
        QVERIFY(h->settle());
        QCOMPARE(panel(), QStringLiteral("reviewReadyPanel"));
        QCOMPARE(Quick::text(w, QStringLiteral("subtitle")),
                 QStringLiteral("Your fresh start is ready"));
        QCOMPARE(statOf(w, QStringLiteral("toOrganize")), QStringLiteral("2 to organize"));
        QCOMPARE(statOf(w, QStringLiteral("toRename")),
                 QStringLiteral("%1 to rename").arg(MenuStats::of(state.plan()).toRename));
        QCOMPARE(statOf(w, QStringLiteral("junk")), QStringLiteral("Zero KB junk"));
        QVERIFY(state.lastRunCost().has_value());
        QCOMPARE(Quick::text(w, QStringLiteral("cost")), MenuStats::costLine(state.lastRunCost()));
        QVERIFY(
            Quick::text(w, QStringLiteral("cost")).startsWith("Claude cost for this refresh: "));
        QVERIFY(Quick::screenshot(w, QStringLiteral("shell-review-ready")));

        QVERIFY(Quick::click(w, QStringLiteral("reviewChanges")));
        QCOMPARE(h->windows, QStringList{QStringLiteral("review")});

        QVERIFY(Quick::click(w, QStringLiteral("notNow")));
        QCOMPARE(state.phase(), Phase::idle);
        QVERIFY(state.plan().isEmpty());
        QCOMPARE(Store::loadPlan(), std::optional<QList<PlanItem>>(QList<PlanItem>{}));
        QCOMPARE(panel(), QStringLiteral("idlePanel"));
    }

    // An apply refused for want of an undo log leaves the plan waiting, and says why.
    void refusedApplySaysWhy() {
        TestHome::onboard();
        pendingPlan();
        QFile logs(Store::dir() + QStringLiteral("/logs"));
        QVERIFY(logs.open(QIODevice::WriteOnly));
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        QVERIFY(!Quick::shows(w, QStringLiteral("message")));
        state.apply(true);
        QVERIFY(h->settle());
        QCOMPARE(panel(), QStringLiteral("reviewReadyPanel"));
        QVERIFY(Quick::shows(w, QStringLiteral("message")));
        QCOMPARE(Quick::text(w, QStringLiteral("message")), state.message().value());
    }

    void doneWithNothingFound() {
        TestHome::onboard();
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        state.start(TidyMode::quick);
        QVERIFY(h->settle());
        QCOMPARE(panel(), QStringLiteral("donePanel"));
        QCOMPARE(Quick::text(w, QStringLiteral("outcome")),
                 QStringLiteral("Everything was already in its place."));
        QVERIFY(!Quick::shows(w, QStringLiteral("watchRecap")));
        QVERIFY(!Quick::shows(w, QStringLiteral("needsYou")));
        QVERIFY(!Quick::shows(w, QStringLiteral("clearOut")));
        QVERIFY(Quick::shows(w, QStringLiteral("openHome")));
        QVERIFY(Quick::find(w, QStringLiteral("openHome"))->property("primary").toBool());
        QCOMPARE(statOf(w, QStringLiteral("organized")), QStringLiteral("0 organized"));
        QCOMPARE(statOf(w, QStringLiteral("renamed")), QStringLiteral("0 renamed"));
        QCOMPARE(statOf(w, QStringLiteral("toReview")), QStringLiteral("Zero KB to review"));
        QVERIFY(Quick::click(w, QStringLiteral("openHome")));
        QCOMPARE(h->folders, QStringList{state.profile().homeBase});
        QVERIFY(Quick::click(w, QStringLiteral("done")));
        QCOMPARE(state.phase(), Phase::idle);
    }

    void doneAfterApply() {
        TestHome::onboard();
        pendingPlan();
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        QCOMPARE(panel(), QStringLiteral("reviewReadyPanel"));
        state.apply(true);
        QVERIFY(h->settle());
        QCOMPARE(state.phase(), Phase::done);
        QCOMPARE(panel(), QStringLiteral("donePanel"));
        QCOMPARE(state.lastResult()->moved, 3);
        QCOMPARE(Quick::text(w, QStringLiteral("outcome")),
                 QStringLiteral("Everything has a home. Nothing was deleted."));
        QVERIFY(Quick::shows(w, QStringLiteral("watchRecap")));
        QVERIFY(!Quick::find(w, QStringLiteral("openHome"))->property("primary").toBool());
        QCOMPARE(statOf(w, QStringLiteral("organized")), QStringLiteral("3 organized"));
        QCOMPARE(statOf(w, QStringLiteral("renamed")), QStringLiteral("1 renamed"));
        QCOMPARE(statOf(w, QStringLiteral("toReview")), QStringLiteral("2.5 MB to review"));
        QCOMPARE(Quick::text(w, QStringLiteral("needsYou")), QStringLiteral("1 files need you"));
        QCOMPARE(Quick::text(w, QStringLiteral("clearOut")),
                 QStringLiteral("Review what to clear out · 2.5 MB"));
        QVERIFY(Quick::screenshot(w, QStringLiteral("shell-done")));

        const QString home = state.profile().homeBase;
        h->windows.clear();
        QVERIFY(Quick::click(w, QStringLiteral("watchRecap")));
        QVERIFY(Quick::click(w, QStringLiteral("needsYou")));
        QVERIFY(Quick::click(w, QStringLiteral("clearOut")));
        QCOMPARE(h->windows, QStringList{QStringLiteral("recap")});
        QCOMPARE(h->folders,
                 (QStringList{home + QStringLiteral("/Tovrin Review/Needs You"),
                              home + QStringLiteral("/Tovrin Review/To Delete - Review First")}));

        // Undo puts the files back through the applying phase.
        QStringList panels;
        connect(&state, &AppState::phaseChanged, this, [&] { panels.append(panel()); });
        QVERIFY(Quick::click(w, QStringLiteral("undo")));
        QVERIFY(h->settle());
        QCOMPARE(panels,
                 (QStringList{QStringLiteral("scanningPanel"), QStringLiteral("idlePanel")}));
        QCOMPARE(state.phase(), Phase::idle);
        QVERIFY(QFile::exists(h->home.path(QStringLiteral("Desktop/notes.txt"))));
    }

    // The status icon follows the phase; closing the review window leaves
    // the plan waiting and the icon filled.
    void trayFollowsPhase() {
        TestHome::onboard();
        h->home.write(QStringLiteral("Desktop/a.txt"), "a");
        AppState& state = h->makeState();
        MenuPanel panel(*h->engine, state, MenuPanel::Style::popover);
        Tray tray(state, panel, Qt::black);
        QCOMPARE(tray.iconName(), QStringLiteral("MenuIcon"));
        state.start(TidyMode::quick);
        QCOMPARE(tray.iconName(), QStringLiteral("arrow.triangle.2.circlepath"));
        QVERIFY(h->settle());
        QCOMPARE(tray.iconName(), QStringLiteral("sun.horizon.fill"));

        WindowManager windows(*h->engine, state);
        if (QQuickWindow* review = windows.open(QStringLiteral("review"))) {
            QPointer<QQuickWindow> closed(review);
            review->close();
            QTRY_VERIFY(closed.isNull());
        }
        QCOMPARE(state.phase(), Phase::review);
        QCOMPARE(tray.iconName(), QStringLiteral("sun.horizon.fill"));

        state.apply(true);
        QVERIFY(h->settle());
        QCOMPARE(state.phase(), Phase::done);
        QCOMPARE(tray.iconName(), QStringLiteral("MenuIcon"));
    }

    // The pop-over: hidden until the icon is clicked, a second click hides it.
    void panelToggles() {
        AppState& state = h->makeState();
        MenuPanel panel(*h->engine, state, MenuPanel::Style::popover);
        QVERIFY(panel.window());
        QVERIFY(!panel.isShown());
        panel.toggle(QRect(1000, 0, 24, 24));
        QVERIFY(panel.isShown());
        QVERIFY(panel.window()->flags().testFlag(Qt::FramelessWindowHint));
        panel.toggle(QRect(1000, 0, 24, 24));
        QVERIFY(!panel.isShown());
    }
};

QTEST_MAIN(TestMenuView)
#include "test_menuview.moc"
