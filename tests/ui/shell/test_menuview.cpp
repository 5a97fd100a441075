#include "menupanel.h"
#include "quick.h"
#include "shell.h"
#include "store.h"
#include "testapp.h"
#include "testitems.h"
#include "tray.h"
#include "windowmanager.h"

#include <QQmlEngine>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ShellPlugin)

// The menu panel against a real state: which panel each phase shows, its
// texts, and what each control sets off.
class TestMenuView : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    std::unique_ptr<TestView> view;
    // What the panel asked of the shell.
    QStringList windows;
    QStringList folders;
    int quits = 0;

    AppState& open(bool onboarded = true, AppServices services = {}) {
        if (onboarded) TestHome::onboard();
        AppState& state = app->start(std::move(services));
        view = std::make_unique<TestView>(QStringLiteral("Shell/MenuView"), &state);
        return state;
    }
    QString panel() const {
        auto* item = view->root()->property("panel").value<QQuickItem*>();
        return item ? item->objectName() : QString();
    }
    // A Stat's value and label, "3 new files".
    QString stat(const QString& name) const {
        QQuickItem* item = view->find(name);
        return item->property("value").toString() + u' ' + item->property("label").toString();
    }

    // A waiting plan: an organised note that is renamed, an installer as junk
    // and a file that needs the user.
    void pendingPlan() {
        const QString note = app->home.write(QStringLiteral("Desktop/notes.txt"), "shopping list");
        const QString deb = app->home.write(QStringLiteral("Downloads/tool_1.2_amd64.deb"),
                                            QByteArray(2'500'000, 'x'));
        const QString odd = app->home.write(QStringLiteral("Desktop/blob.bin"), "???");
        Store::savePlan({TestPlanItem(note, "Personal/Notes").id(1).newName("Shopping list.txt"),
                         TestPlanItem(deb, "Tovrin Review/To Delete - Review First", "junk").id(2),
                         TestPlanItem(odd, "Tovrin Review/Needs You", "needs-you").id(3)});
    }

private slots:
    void init() {
        app = std::make_unique<TestApp>();
        windows.clear();
        folders.clear();
        quits = 0;
        Shell::setActions({[this](const QString& id) { windows.append(id); },
                           [this](const QString& path) { folders.append(path); },
                           [this] { ++quits; }});
    }
    void cleanup() {
        if (app->state) app->settle();
        view.reset();
        app.reset();
        Shell::setActions({});
    }

    // A first launch end to end: "Get started" opens the onboarding window,
    // which closes itself on Start; the first refresh against the local
    // stand-in for Claude leaves the plan on offer.
    void firstRun() {
        app->home.write(QStringLiteral("Desktop/notes.txt"), "Pellmark launch checklist");
        app->home.write(QStringLiteral("Downloads/Invoice 41.txt"), "Invoice 41, Kite Studio");
        AppState& state = open(false);
        QQmlEngine engine;
        Quick::setUp(engine);
        WindowManager manager(engine, state);
        Shell::setActions({[&](const QString& id) { manager.open(id); }, {}, {}});
        state.setOpenWindow([&](const QString& id) { manager.open(id); });
        QVERIFY(!view->shows("refreshNow"));
        QVERIFY(view->screenshot("shell-idle-welcome"));
        QVERIFY(view->click("getStarted"));
        QPointer<QQuickWindow> onboarding(manager.window(QStringLiteral("onboarding")));
        QVERIFY(onboarding && QTest::qWaitForWindowExposed(onboarding));
        Quick::wait(onboarding->contentItem(), "keyField")->setProperty("text", "demo");
        QVERIFY(Quick::click(Quick::wait(onboarding->contentItem(), "continueButton")));
        QVERIFY(Quick::click(Quick::wait(onboarding->contentItem(), "startButton")));
        QTRY_VERIFY(onboarding.isNull());
        QVERIFY(app->settle());
        QCOMPARE(state.apiKey(), QStringLiteral("demo"));
        QCOMPARE(panel(), QStringLiteral("reviewReadyPanel"));
        QVERIFY(app->claude.requestCount() >= 2); // the reachability check, then the files
        state.setOpenWindow({});
    }

    // "Last refresh … ago" is told from the time the panel is looked at.
    void idleStatsAndControls() {
        // Shared, as the state may still read it after the test returns.
        const auto clock = std::make_shared<QDateTime>(QDateTime::currentDateTime());
        Profile profile;
        profile.onboarded = true;
        profile.lastRun = clock->addSecs(-120);
        profile.projects = {project(QStringLiteral("Pellmark")), project(QStringLiteral("Kite"))};
        Store::saveProfile(profile);
        // Counted where the desktop keeps downloads.
        app->home.write(".config/user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"$HOME/Téléchargements\"\n");
        for (int i = 0; i < 3; ++i)
            app->home.write(QStringLiteral("Téléchargements/file %1.txt").arg(i), "x");
        AppServices services;
        services.now = [clock] { return *clock; };
        AppState& state = open(false, services);
        QVERIFY(!view->shows("welcome"));
        QTRY_COMPARE(stat("newFiles"), QStringLiteral("3 new files")); // counted once shown
        QCOMPARE(stat("projects"), QStringLiteral("2 projects"));
        QCOMPARE(stat("folders"), QStringLiteral("3 folders"));
        QCOMPARE(view->text("subtitle"), QStringLiteral("Last refresh 2 minutes ago"));
        QVERIFY(view->screenshot("shell-idle"));
        view->window.hide();
        *clock = clock->addSecs(3 * 3600);
        view->window.show();
        QTRY_COMPARE(view->text("subtitle"), QStringLiteral("Last refresh 3 hours ago"));

        QVERIFY(view->click("sundayReset"));
        QVERIFY(Store::loadProfile()->autoTidy);
        QVERIFY(view->click("quit"));
        QCOMPARE(quits, 1);
        QVERIFY(view->click("settingsButton"));
        QCOMPARE(windows, QStringList{"settings"});
        QVERIFY(view->click("refreshNow"));
        QCOMPARE(state.phase(), Phase::scanning);
        QCOMPARE(panel(), QStringLiteral("scanningPanel"));
        QVERIFY(view->screenshot("shell-scanning"));
    }

    // Above the limit the panel shows the estimate and asks; Stop ends the
    // refresh there and says what it cost.
    void pausedAboveLimit() {
        app->home.write(QStringLiteral("Desktop/notes.txt"), "Pellmark launch checklist");
        TestHome::onboard();
        Profile profile = *Store::loadProfile();
        profile.costLimit = 0.000'001;
        Store::saveProfile(profile);
        AppState& state = open(false);
        state.start(Tidy::Mode::quick);
        QTRY_VERIFY(view->shows("goOn"));
        QVERIFY(view->text("estimate").startsWith("About "));
        QCOMPARE(view->text("pausedText"),
                 QStringLiteral("That is more than your limit of <$0.01 a refresh. Go on?"));
        QVERIFY(view->screenshot("shell-paused"));
        QVERIFY(view->click("stop"));
        QVERIFY(app->settle());
        QCOMPARE(panel(), QStringLiteral("idlePanel"));
        QVERIFY(view->text("message").startsWith("Stopped."));
    }

    // A restored plan's headline: junk counts as bytes, a file that needs
    // the user is not organised. An apply refused for want of an undo log
    // leaves the plan waiting and says why; "Not now" drops it.
    void reviewReady() {
        pendingPlan();
        QFile logs(Store::dir() + QStringLiteral("/logs"));
        QVERIFY(logs.open(QIODevice::WriteOnly));
        AppState& state = open();
        QCOMPARE(panel(), QStringLiteral("reviewReadyPanel"));
        QCOMPARE(stat("toOrganize"), QStringLiteral("1 to organize"));
        QCOMPARE(stat("toRename"), QStringLiteral("1 to rename"));
        QCOMPARE(stat("junk"), QStringLiteral("2.5 MB junk"));
        QVERIFY(view->screenshot("shell-review-ready"));
        state.apply(true);
        QVERIFY(app->settle());
        QCOMPARE(panel(), QStringLiteral("reviewReadyPanel"));
        QCOMPARE(view->text("message"), state.message().value());

        QVERIFY(view->click("reviewChanges"));
        QCOMPARE(windows, QStringList{"review"});
        QVERIFY(view->click("notNow"));
        QCOMPARE(state.phase(), Phase::idle);
        QTRY_COMPARE(Store::loadPlan(), std::optional<QList<PlanItem>>(QList<PlanItem>{}));
        QCOMPARE(panel(), QStringLiteral("idlePanel"));
    }

    void doneWithNothingFound() {
        AppState& state = open();
        state.start(Tidy::Mode::quick);
        QVERIFY(app->settle());
        QCOMPARE(panel(), QStringLiteral("donePanel"));
        QCOMPARE(view->text("outcome"), QStringLiteral("Everything was already in its place."));
        QVERIFY(!view->shows("watchRecap"));
        QVERIFY(!view->shows("clearOut"));
        QVERIFY(view->click("openHome"));
        QCOMPARE(folders, QStringList{state.profile().homeBase});
        QVERIFY(view->click("done"));
        QCOMPARE(state.phase(), Phase::idle);
    }

    // Applying shows the calm panel, then the outcome; undo puts the files
    // back the same way.
    void doneAfterApply() {
        pendingPlan();
        AppState& state = open();
        QStringList panels;
        connect(&state, &AppState::phaseChanged, this, [&] { panels.append(panel()); });
        state.apply(true);
        QVERIFY(app->settle());
        QCOMPARE(panels, (QStringList{"scanningPanel", "donePanel"}));
        QCOMPARE(view->text("outcome"),
                 QStringLiteral("Everything has a home. Nothing was deleted."));
        QCOMPARE(stat("organized"), QStringLiteral("3 organized"));
        QCOMPARE(stat("renamed"), QStringLiteral("1 renamed"));
        QCOMPARE(stat("toReview"), QStringLiteral("2.5 MB to review"));
        QCOMPARE(view->text("needsYou"), QStringLiteral("1 file needs you"));
        QVERIFY(view->screenshot("shell-done"));

        const QString home = state.profile().homeBase;
        QVERIFY(view->click("watchRecap"));
        QVERIFY(view->click("needsYou"));
        QVERIFY(view->click("clearOut"));
        QCOMPARE(windows, QStringList{"recap"});
        QCOMPARE(folders,
                 (QStringList{home + QStringLiteral("/Tovrin Review/Needs You"),
                              home + QStringLiteral("/Tovrin Review/To Delete - Review First")}));

        panels.clear();
        QVERIFY(view->click("undo"));
        QVERIFY(app->settle());
        QCOMPARE(panels, (QStringList{"scanningPanel", "idlePanel"}));
        QVERIFY(QFile::exists(app->home.path(QStringLiteral("Desktop/notes.txt"))));
    }

    // The status icon follows the phase; closing the review window leaves
    // the plan waiting and the icon filled. The pop-over shows on a click of
    // the icon, hides on the next.
    void trayAndPopover() {
        TestHome::onboard();
        app->home.write(QStringLiteral("Desktop/a.txt"), "a");
        AppState& state = app->start();
        QQmlEngine engine;
        Quick::setUp(engine);
        MenuPanel panel(engine, state, MenuPanel::Style::popover);
        Tray tray(state, panel, Qt::black);
        QCOMPARE(tray.iconName(), QStringLiteral("MenuIcon"));
        panel.toggle(QRect(1000, 0, 24, 24));
        QVERIFY(panel.isShown());
        panel.toggle(QRect(1000, 0, 24, 24));
        QVERIFY(!panel.isShown());

        state.start(Tidy::Mode::quick);
        QCOMPARE(tray.iconName(), QStringLiteral("arrow.triangle.2.circlepath"));
        QVERIFY(app->settle());
        QCOMPARE(tray.iconName(), QStringLiteral("sun.horizon.fill"));
        WindowManager windows(engine, state);
        QPointer<QQuickWindow> review(windows.open(QStringLiteral("review")));
        QVERIFY(review);
        review->close();
        QTRY_VERIFY(review.isNull());
        QCOMPARE(state.phase(), Phase::review);
        QCOMPARE(tray.iconName(), QStringLiteral("sun.horizon.fill"));
        state.apply(true);
        QVERIFY(app->settle());
        QCOMPARE(tray.iconName(), QStringLiteral("MenuIcon"));
    }
};

QTEST_MAIN(TestMenuView)
#include "test_menuview.moc"
