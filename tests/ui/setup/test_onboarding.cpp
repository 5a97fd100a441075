#include "quick.h"
#include "store.h"
#include "testapp.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_SetupPlugin)

// The first-run window against the local stand-in for Claude in a fake HOME.
class TestOnboarding : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    std::unique_ptr<TestView> view;

    AppState& open(QSize size = {}) {
        AppState& state = app->start();
        view = std::make_unique<TestView>(QStringLiteral("Setup/OnboardingView"), &state, size);
        return state;
    }
    QQuickItem* toggle(const QString& row) const { return view->find(row, "toggle"); }

private slots:
    void init() { app = std::make_unique<TestApp>(); }
    void cleanup() {
        view.reset();
        app.reset();
    }

    // A 1366 × 768 screen with a panel leaves the window 688 high: each
    // step's button stays in view and the preferences scroll to their end.
    void fitsASmallScreen() {
        AppState& state = open(QSize(620, 768 - 32 - 48));
        const QRectF window(QPointF(0, 0), view->window.size());
        const auto inView = [&](QQuickItem* item) {
            return item && window.contains(item->mapRectToScene(item->boundingRect()));
        };
        QVERIFY(inView(view->find("continueButton")));
        QVERIFY(view->screenshot("onboarding-1366x768-connect"));
        QVERIFY(view->click("continueButton"));
        QVERIFY(inView(view->find("startButton")));
        QVERIFY(view->screenshot("onboarding-1366x768-preferences"));

        QQuickItem* scroller = view->find("scroller");
        scroller->setProperty("contentY",
                              scroller->property("contentHeight").toReal() - scroller->height());
        QQuickItem* sunday = toggle("sundayResetRow");
        QTRY_VERIFY(inView(sunday));
        QVERIFY(Quick::click(sunday));
        QVERIFY(state.profile().autoTidy);
        QVERIFY(inView(view->find("startButton")));
        QVERIFY(view->screenshot("onboarding-1366x768-preferences-end"));
    }

    // Testing the key sends it, trimmed, once, and stores nothing.
    void keyCheck_data() {
        QTest::addColumn<QJsonArray>("script");
        QTest::addColumn<QString>("result");
        QTest::newRow("accepted") << QJsonArray{} << "Connected.";
        QTest::newRow("rejected")
            << QJsonArray{401}
            << "Tovrin couldn't sign in to Claude (error 401). Nothing was moved.";
    }
    void keyCheck() {
        QFETCH(QJsonArray, script);
        QFETCH(QString, result);
        app->claude.setScript(script);
        AppState& state = open();
        view->find("keyField")->setProperty("text", "  sk-ant-test-key\n");
        QVERIFY(view->click("testButton"));
        QVERIFY(!view->find("testButton")->isEnabled());
        QTRY_VERIFY(!view->root()->property("testing").toBool());
        QCOMPARE(view->text("testResult"), result);
        QCOMPARE(Store::loadKey(), QStringLiteral("sk-test"));

        const QList<FakeClaude::Request> requests = app->claude.requests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].headers.value("x-api-key"), QByteArray("sk-ant-test-key"));
        QCOMPARE(QJsonDocument::fromJson(requests[0].body)["model"].toString(),
                 state.profile().model);
        QVERIFY(view->screenshot(QStringLiteral("onboarding-") + QTest::currentDataTag()));
    }

    // The key kept, trimmed, without asking Claude; the choices held in
    // memory (a folder listed twice goes with one click) until Start saves
    // them and begins the first refresh. A folder shows under the name the
    // desktop gives it, and the profile keeps the well-known name.
    void continueThenStart() {
        app->home.write(".config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");
        AppState& state = app->start();
        Profile profile = state.profile();
        profile.scanFolders = {"Desktop", "Downloads", "Desktop"};
        state.setProfile(profile);
        view = std::make_unique<TestView>(QStringLiteral("Setup/OnboardingView"), &state);
        QSignalSpy finished(view->root(), SIGNAL(finished()));
        QVERIFY(!view->shows("check"));
        QVERIFY(view->screenshot("onboarding-connect"));
        view->find("keyField")->setProperty("text", " sk-ant-abc \n");
        QVERIFY(view->click("continueButton"));
        QVERIFY(view->find("check")); // the first step is done
        QCOMPARE(Store::loadKey(), QStringLiteral("sk-ant-abc"));
        QCOMPARE(app->claude.requestCount(), 0);
        QVERIFY(view->screenshot("onboarding-preferences"));
        QCOMPARE(view->find("folder-Desktop", "label")->property("text").toString(),
                 QStringLiteral("Bureau"));
        for (const char* row :
             {"folder-Desktop", "folder-Pictures", "renameRow", "installersRow", "sundayResetRow"})
            QVERIFY(Quick::click(toggle(row)));
        QVERIFY(view->click("mode-claude-sonnet-5-5"));
        QCOMPARE(Store::loadProfile(), std::nullopt);

        QVERIFY(view->click("startButton"));
        QCOMPARE(finished.count(), 1);
        const Profile saved = Store::loadProfile().value_or(Profile{});
        QVERIFY(saved.onboarded && !saved.renameFiles && saved.keepInstallers && saved.autoTidy);
        QCOMPARE(saved.scanFolders, (QStringList{"Downloads", "Pictures"}));
        QCOMPARE(saved.model, QStringLiteral("claude-sonnet-5-5"));
        // Sunday Reset notifies; no separate weekly reminder.
        QCOMPARE(state.notifier().reminderDue(), std::nullopt);
        QCOMPARE(state.phase(), Phase::scanning);
        QVERIFY(app->settle());
    }

    // With a model on this computer no key is asked for or kept, and the
    // first refresh asks that server alone.
    void localModelNeedsNoKey() {
        FakeClaude::Options options;
        options.local = true;
        FakeClaude::Server local(options);
        QVERIFY(local.listen());
        AppState& state = open();
        QVERIFY(Quick::click(toggle("localRow")));
        view->find("addressField")->setProperty("text", local.url().toString());
        QVERIFY(view->click("checkButton"));
        QTRY_VERIFY(view->shows("checkFound"));
        for (const char* choice : {"filesChoice", "picturesChoice"})
            QMetaObject::invokeMethod(view->find(choice), "activated", Q_ARG(int, 0));
        QVERIFY(!view->shows("keyField"));
        QVERIFY(view->screenshot("onboarding-local-model"));
        QVERIFY(view->click("continueButton"));
        QCOMPARE(Store::loadKey(), QStringLiteral("sk-test"));
        QVERIFY(!view->shows("modePicker"));
        QVERIFY(view->click("startButton"));
        QVERIFY(app->settle());
        QCOMPARE(state.message(), std::nullopt);
        QVERIFY(local.requestCount() > 1);
        for (const FakeClaude::Request& request : local.requests())
            QVERIFY(!request.headers.contains("x-api-key"));
        QCOMPARE(app->claude.requestCount(), 0);
        QCOMPARE(Store::loadProfile()->local->filesModel, "small-text:3b");
    }
};

QTEST_MAIN(TestOnboarding)
#include "test_onboarding.moc"
