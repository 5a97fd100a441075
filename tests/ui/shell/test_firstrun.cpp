#include "panelharness.h"
#include "windowmanager.h"

#include <QQuickStyle>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ShellPlugin)

// A first launch end to end: "Get started" in the menu, the onboarding
// window, the first refresh against the local stand-in for Claude, and the
// menu offering the plan.
class TestFirstRun : public QObject {
    Q_OBJECT

    std::unique_ptr<PanelHarness> h;

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QQuickStyle::setStyle(QStringLiteral("Basic"));
    }
    void init() { h = std::make_unique<PanelHarness>(); }
    void cleanup() { h.reset(); }

    void onboardingToPlan() {
        h->home.write(QStringLiteral("Desktop/notes.txt"), "Pellmark launch checklist");
        h->home.write(QStringLiteral("Downloads/Invoice 41.txt"), "Invoice 41, Kite Studio");
        AppState& state = h->makeState();
        WindowManager windows(*h->engine, state);
        Shell::setActions({[&windows](const QString& id) { windows.open(id); }, {}, {}});
        state.setOpenWindow([&windows](const QString& id) { windows.open(id); });

        QQmlComponent component(h->engine.get(),
                                QUrl(QStringLiteral("qrc:/qt/qml/Tovrin/Shell/PanelWindow.qml")));
        QVERIFY2(component.isReady(), qPrintable(component.errorString()));
        std::unique_ptr<QQuickWindow> panel(
            qobject_cast<QQuickWindow*>(component.createWithInitialProperties(
                {{"appState", QVariant::fromValue(&state)}, {"popover", false}})));
        QVERIFY(panel);
        panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel.get()));

        QVERIFY(Quick::click(*panel, QStringLiteral("getStarted")));
        QQuickWindow* onboarding = windows.window(QStringLiteral("onboarding"));
        QVERIFY(onboarding);
        QCOMPARE(onboarding->title(), QStringLiteral("Welcome to Tovrin"));
        QVERIFY(QTest::qWaitForWindowExposed(onboarding));

        QQuickItem* key = Quick::find(*onboarding, QStringLiteral("keyField"));
        QVERIFY(key);
        key->setProperty("text", QStringLiteral("demo"));
        QVERIFY(Quick::click(*onboarding, QStringLiteral("continueButton")));
        QCOMPARE(state.apiKey(), QStringLiteral("demo"));
        QPointer<QQuickWindow> closing(onboarding);
        QVERIFY(Quick::click(*onboarding, QStringLiteral("startButton")));
        QVERIFY(state.profile().onboarded);
        QTRY_VERIFY(closing.isNull()); // the onboarding window closes itself

        QVERIFY(h->settle());
        QCOMPARE(state.phase(), Phase::review);
        QObject* menu = panel->findChild<QObject*>(QStringLiteral("menu"));
        QCOMPARE(menu->property("panel").value<QQuickItem*>()->objectName(),
                 QStringLiteral("reviewReadyPanel"));
        QVERIFY(h->claude.requestCount() >= 2); // the reachability check, then the files
    }
};

QTEST_MAIN(TestFirstRun)
#include "test_firstrun.moc"
