#include "quick.h"
#include "shell.h"
#include "testapp.h"
#include "windowmanager.h"

#include <QQmlEngine>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ShellPlugin)

// A first launch end to end: "Get started" in the menu, the onboarding
// window, the first refresh against the local stand-in for Claude, and the
// menu offering the plan.
class TestFirstRun : public QObject {
    Q_OBJECT
private slots:
    void onboardingToPlan() {
        TestApp app;
        app.home.write(QStringLiteral("Desktop/notes.txt"), "Pellmark launch checklist");
        app.home.write(QStringLiteral("Downloads/Invoice 41.txt"), "Invoice 41, Kite Studio");
        AppState& state = app.start();
        TestView menu(QStringLiteral("Shell/MenuView"), &state);
        QQmlEngine engine;
        Quick::setUp(engine);
        WindowManager windows(engine, state);
        Shell::setActions({[&windows](const QString& id) { windows.open(id); }, {}, {}});
        state.setOpenWindow([&windows](const QString& id) { windows.open(id); });

        QVERIFY(menu.click(QStringLiteral("getStarted")));
        QQuickWindow* onboarding = windows.window(QStringLiteral("onboarding"));
        QVERIFY(onboarding);
        QCOMPARE(onboarding->title(), QStringLiteral("Welcome to Tovrin"));
        QVERIFY(QTest::qWaitForWindowExposed(onboarding));
        Quick::wait(onboarding->contentItem(), "keyField")
            ->setProperty("text", QStringLiteral("demo"));
        QVERIFY(Quick::click(Quick::wait(onboarding->contentItem(), "continueButton")));
        QCOMPARE(state.apiKey(), QStringLiteral("demo"));
        QPointer<QQuickWindow> closing(onboarding);
        QVERIFY(Quick::click(Quick::wait(onboarding->contentItem(), "startButton")));
        QVERIFY(state.profile().onboarded);
        QTRY_VERIFY(closing.isNull()); // the onboarding window closes itself

        QVERIFY(app.settle());
        QCOMPARE(state.phase(), Phase::review);
        QCOMPARE(menu.root()->property("panel").value<QQuickItem*>()->objectName(),
                 QStringLiteral("reviewReadyPanel"));
        QVERIFY(app.claude.requestCount() >= 2); // the reachability check, then the files
        Shell::setActions({});
    }
};

QTEST_MAIN(TestFirstRun)
#include "test_firstrun.moc"
