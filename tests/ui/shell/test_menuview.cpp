#include "menumodel.h"
#include "menupanel.h"
#include "panelharness.h"
#include "tray.h"
#include "windowmanager.h"

#include <QQuickStyle>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ShellPlugin)

namespace {

PlanItem planned(qint64 id, const QString& src, const QString& category, const QString& dest,
                 qint64 size, std::optional<QString> newName = std::nullopt) {
    PlanItem item;
    item.id = id;
    item.src = QUrl::fromLocalFile(src);
    item.category = category;
    item.destFolder = dest;
    item.confidence = QStringLiteral("high");
    item.reason = QStringLiteral("test");
    item.size = size;
    item.approved = true;
    item.newName = newName;
    item.renameApproved = newName.has_value();
    return item;
}

} // namespace

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
        const QString note = h->write(QStringLiteral("Desktop/notes.txt"), "shopping list");
        const QString deb =
            h->write(QStringLiteral("Downloads/tool_1.2_amd64.deb"), QByteArray(2'500'000, 'x'));
        const QString odd = h->write(QStringLiteral("Desktop/blob.bin"), "???");
        Store::savePlan(
            {planned(1, note, "personal", "Personal/Notes", 13,
                     QStringLiteral("Shopping list.txt")),
             planned(2, deb, "junk", "Tovrin Review/To Delete - Review First", 2'500'000),
             planned(3, odd, "needs-you", "Tovrin Review/Needs You", 3)});
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
        PanelHarness::onboard();
        if (situation == "plan waits" || situation == "applying") pendingPlan();
        if (situation == "refreshing") h->write(QStringLiteral("Desktop/a.txt"), "a");
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
            QCOMPARE(textOf(w, QStringLiteral("calmStatus")),
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
        QVERIFY(shows(w, QStringLiteral("welcome")));
        QVERIFY(!shows(w, QStringLiteral("actions")));
        QVERIFY(!shows(w, QStringLiteral("refreshNow")));
        QCOMPARE(textOf(w, QStringLiteral("getStarted")), QStringLiteral("Get started"));
        QCOMPARE(textOf(w, QStringLiteral("subtitle")), QStringLiteral("Ready for a fresh start"));
        QVERIFY(screenshot(w, QStringLiteral("shell-idle-welcome")));
        QVERIFY(click(w, QStringLiteral("getStarted")));
        QCOMPARE(h->windows, QStringList{QStringLiteral("onboarding")});
    }

    void idleStatsAndControls() {
        PanelHarness::onboard({QStringLiteral("Pellmark"), QStringLiteral("Kite Studio")});
        for (int i = 0; i < 3; ++i)
            h->write(QStringLiteral("Downloads/file %1.txt").arg(i), "x");
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        QTRY_COMPARE(state.newFiles(), 3); // counted when the panel showed
        QVERIFY(!shows(w, QStringLiteral("welcome")));
        QVERIFY(shows(w, QStringLiteral("actions")));
        QCOMPARE(statOf(w, QStringLiteral("newFiles")),
                 QStringLiteral("%1 new files").arg(state.newFiles()));
        QCOMPARE(statOf(w, QStringLiteral("projects")), QStringLiteral("2 projects"));
        QCOMPARE(statOf(w, QStringLiteral("folders")), QStringLiteral("3 folders"));
        QVERIFY(screenshot(w, QStringLiteral("shell-idle")));

        // The Sunday switch is saved at once.
        QVERIFY(click(w, QStringLiteral("sundayReset")));
        QVERIFY(state.profile().autoTidy);
        QVERIFY(Store::loadProfile()->autoTidy);

        QVERIFY(click(w, QStringLiteral("quit")));
        QCOMPARE(h->quits, 1);
        QVERIFY(click(w, QStringLiteral("settingsButton")));
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
        QCOMPARE(textOf(w, QStringLiteral("subtitle")),
                 QStringLiteral("Last refresh 2 minutes ago"));
        w.hide();
        *clock = clock->addSecs(3 * 3600);
        w.show();
        QTRY_COMPARE(textOf(w, QStringLiteral("subtitle")),
                     QStringLiteral("Last refresh 3 hours ago"));
    }

    // The undo row runs undo; its outcome is the message at the bottom.
    void undoRowShowsOutcome() {
        PanelHarness::onboard();
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        QVERIFY(!shows(w, QStringLiteral("message")));
        QVERIFY(click(w, QStringLiteral("undo")));
        QVERIFY(h->settle());
        QCOMPARE(state.phase(), Phase::idle);
        QCOMPARE(textOf(w, QStringLiteral("message")), QStringLiteral("Nothing to undo."));
        QVERIFY(shows(w, QStringLiteral("message")));
    }

    void idleRowsStartRefreshes_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("Refresh now") << "refreshNow";
        QTest::newRow("Deep clean everything") << "deepClean";
        QTest::newRow("Clear out junk & duplicates") << "clearJunk";
    }
    void idleRowsStartRefreshes() {
        QFETCH(QString, control);
        PanelHarness::onboard();
        h->write(QStringLiteral("Desktop/a.txt"), "a");
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        QVERIFY(click(w, control));
        QCOMPARE(state.phase(), Phase::scanning);
        QCOMPARE(panel(), QStringLiteral("scanningPanel"));
        QCOMPARE(textOf(w, QStringLiteral("calmStatus")), QStringLiteral("Getting started…"));
        QVERIFY(screenshot(w, QStringLiteral("shell-scanning")));
        QVERIFY(h->settle());
    }

    void reviewReady() {
        PanelHarness::onboard();
        h->write(QStringLiteral("Desktop/notes.txt"), "shopping list");
        h->write(QStringLiteral("Downloads/letter.txt"), "dear sir");
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        state.start(TidyMode::quick);
        QVERIFY(h->settle());
        QCOMPARE(panel(), QStringLiteral("reviewReadyPanel"));
        QCOMPARE(textOf(w, QStringLiteral("subtitle")),
                 QStringLiteral("Your fresh start is ready"));
        QCOMPARE(statOf(w, QStringLiteral("toOrganize")), QStringLiteral("2 to organize"));
        QCOMPARE(statOf(w, QStringLiteral("toRename")),
                 QStringLiteral("%1 to rename").arg(MenuStats::of(state.plan()).toRename));
        QCOMPARE(statOf(w, QStringLiteral("junk")), QStringLiteral("Zero KB junk"));
        QVERIFY(state.lastRunCost().has_value());
        QCOMPARE(textOf(w, QStringLiteral("cost")), MenuStats::costLine(state.lastRunCost()));
        QVERIFY(textOf(w, QStringLiteral("cost")).startsWith("Claude cost for this refresh: "));
        QVERIFY(screenshot(w, QStringLiteral("shell-review-ready")));

        QVERIFY(click(w, QStringLiteral("reviewChanges")));
        QCOMPARE(h->windows, QStringList{QStringLiteral("review")});

        QVERIFY(click(w, QStringLiteral("notNow")));
        QCOMPARE(state.phase(), Phase::idle);
        QVERIFY(state.plan().isEmpty());
        QCOMPARE(Store::loadPlan(), std::optional<QList<PlanItem>>(QList<PlanItem>{}));
        QCOMPARE(panel(), QStringLiteral("idlePanel"));
    }

    // An apply refused for want of an undo log leaves the plan waiting, and says why.
    void refusedApplySaysWhy() {
        PanelHarness::onboard();
        pendingPlan();
        QFile logs(Store::dir() + QStringLiteral("/logs"));
        QVERIFY(logs.open(QIODevice::WriteOnly));
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        QVERIFY(!shows(w, QStringLiteral("message")));
        state.apply(true);
        QVERIFY(h->settle());
        QCOMPARE(panel(), QStringLiteral("reviewReadyPanel"));
        QVERIFY(shows(w, QStringLiteral("message")));
        QCOMPARE(textOf(w, QStringLiteral("message")), state.message().value());
    }

    void doneWithNothingFound() {
        PanelHarness::onboard();
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        state.start(TidyMode::quick);
        QVERIFY(h->settle());
        QCOMPARE(panel(), QStringLiteral("donePanel"));
        QCOMPARE(textOf(w, QStringLiteral("outcome")),
                 QStringLiteral("Everything was already in its place."));
        QVERIFY(!shows(w, QStringLiteral("watchRecap")));
        QVERIFY(!shows(w, QStringLiteral("needsYou")));
        QVERIFY(!shows(w, QStringLiteral("clearOut")));
        QVERIFY(shows(w, QStringLiteral("openHome")));
        QVERIFY(findItem(w, QStringLiteral("openHome"))->property("primary").toBool());
        QCOMPARE(statOf(w, QStringLiteral("organized")), QStringLiteral("0 organized"));
        QCOMPARE(statOf(w, QStringLiteral("renamed")), QStringLiteral("0 renamed"));
        QCOMPARE(statOf(w, QStringLiteral("toReview")), QStringLiteral("Zero KB to review"));
        QVERIFY(click(w, QStringLiteral("openHome")));
        QCOMPARE(h->folders, QStringList{state.profile().homeBase});
        QVERIFY(click(w, QStringLiteral("done")));
        QCOMPARE(state.phase(), Phase::idle);
    }

    void doneAfterApply() {
        PanelHarness::onboard();
        pendingPlan();
        AppState& state = h->makeState();
        QQuickWindow& w = show(state);
        QCOMPARE(panel(), QStringLiteral("reviewReadyPanel"));
        state.apply(true);
        QVERIFY(h->settle());
        QCOMPARE(state.phase(), Phase::done);
        QCOMPARE(panel(), QStringLiteral("donePanel"));
        QCOMPARE(state.lastResult()->moved, 3);
        QCOMPARE(textOf(w, QStringLiteral("outcome")),
                 QStringLiteral("Everything has a home. Nothing was deleted."));
        QVERIFY(shows(w, QStringLiteral("watchRecap")));
        QVERIFY(!findItem(w, QStringLiteral("openHome"))->property("primary").toBool());
        QCOMPARE(statOf(w, QStringLiteral("organized")), QStringLiteral("3 organized"));
        QCOMPARE(statOf(w, QStringLiteral("renamed")), QStringLiteral("1 renamed"));
        QCOMPARE(statOf(w, QStringLiteral("toReview")), QStringLiteral("2.5 MB to review"));
        QCOMPARE(textOf(w, QStringLiteral("needsYou")), QStringLiteral("1 files need you"));
        QCOMPARE(textOf(w, QStringLiteral("clearOut")),
                 QStringLiteral("Review what to clear out · 2.5 MB"));
        QVERIFY(screenshot(w, QStringLiteral("shell-done")));

        const QString home = state.profile().homeBase;
        h->windows.clear();
        QVERIFY(click(w, QStringLiteral("watchRecap")));
        QVERIFY(click(w, QStringLiteral("needsYou")));
        QVERIFY(click(w, QStringLiteral("clearOut")));
        QCOMPARE(h->windows, QStringList{QStringLiteral("recap")});
        QCOMPARE(h->folders,
                 (QStringList{home + QStringLiteral("/Tovrin Review/Needs You"),
                              home + QStringLiteral("/Tovrin Review/To Delete - Review First")}));

        // Undo puts the files back through the applying phase.
        QStringList panels;
        connect(&state, &AppState::phaseChanged, this, [&] { panels.append(panel()); });
        QVERIFY(click(w, QStringLiteral("undo")));
        QVERIFY(h->settle());
        QCOMPARE(panels,
                 (QStringList{QStringLiteral("scanningPanel"), QStringLiteral("idlePanel")}));
        QCOMPARE(state.phase(), Phase::idle);
        QVERIFY(QFile::exists(h->home.path(QStringLiteral("Desktop/notes.txt"))));
    }

    // The status icon follows the phase; closing the review window leaves
    // the plan waiting and the icon filled.
    void trayFollowsPhase() {
        PanelHarness::onboard();
        h->write(QStringLiteral("Desktop/a.txt"), "a");
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
