#include "panelharness.h"
#include "windowmanager.h"

#include <QQuickStyle>
#include <QScreen>
#include <QSignalSpy>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ShellPlugin)

// Windows open by id: once, brought forward when asked again, made anew after
// closing; the five ids carry their titles and sizes.
class TestWindowManager : public QObject {
    Q_OBJECT

    std::unique_ptr<PanelHarness> h;

    // A window over a view of our own module, so the manager is tested
    // whichever other modules this build has.
    static QList<WindowSpec> menuOnly() {
        return {{QStringLiteral("menu"),
                 QStringLiteral("Menu"),
                 QStringLiteral("Tovrin.Shell"),
                 QStringLiteral("MenuView"),
                 true,
                 {},
                 false}};
    }

private slots:
    void initTestCase() { QQuickStyle::setStyle(QStringLiteral("Basic")); }
    void init() { h = std::make_unique<PanelHarness>(); }
    void cleanup() { h.reset(); }

    void table() {
        QStringList rows;
        for (const WindowSpec& s : Windows::all())
            rows.append(
                QStringLiteral("%1|%2|%3.%4|%5")
                    .arg(s.id, s.title, s.module, s.view,
                         s.size ? QStringLiteral("%1x%2").arg(s.size->width()).arg(s.size->height())
                                : QStringLiteral("content")));
        QCOMPARE(rows, (QStringList{
                           "onboarding|Welcome to Tovrin|Tovrin.Setup.OnboardingView|content",
                           "review|Your fresh start|Tovrin.Review.ReviewView|1240x780",
                           "recap|Your recap|Tovrin.Recap.RecapView|content",
                           "zen|Refresh animation|Tovrin.Zen.ZenPreview|content",
                           "settings|Tovrin Settings|Tovrin.Setup.SettingsView|content",
                       }));
    }

    void opensOnceAndRaises() {
        AppState& state = h->makeState();
        WindowManager windows(*h->engine, state, menuOnly());
        QSignalSpy opened(&windows, &WindowManager::opened);
        QQuickWindow* first = windows.open(QStringLiteral("menu"));
        QVERIFY(first);
        QVERIFY(QTest::qWaitForWindowExposed(first));
        QCOMPARE(first->title(), QStringLiteral("Menu"));
        QCOMPARE(first->size(), QSize(368, first->height()));
        QVERIFY(first->height() > 100);

        QCOMPARE(windows.open(QStringLiteral("menu")), first);
        QCOMPARE(opened.count(), 1);
        QVERIFY(first->isVisible());

        // Closing destroys it; the next request makes a new one.
        QPointer<QQuickWindow> closed(first);
        first->close();
        QTRY_VERIFY(closed.isNull());
        QVERIFY(!windows.window(QStringLiteral("menu")));
        QVERIFY(windows.open(QStringLiteral("menu")));
        QCOMPARE(opened.count(), 2);
    }

    void unknownIdOpensNothing() {
        AppState& state = h->makeState();
        WindowManager windows(*h->engine, state, menuOnly());
        QCOMPARE(windows.open(QStringLiteral("nonsense")), nullptr);
    }

    // Each of the application's windows whose module this build links: the
    // review shrinks to what its layout needs, the others fit their screen.
    void opensEveryWindow_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QSize>("minimum");
        for (const WindowSpec& s : Windows::all())
            QTest::newRow(qPrintable(s.id))
                << s.id << (s.id == QLatin1String("review") ? QSize(1000, 640) : QSize());
    }
    void opensEveryWindow() {
        QFETCH(QString, id);
        QFETCH(QSize, minimum);
        WindowSpec spec;
        for (const WindowSpec& s : Windows::all())
            if (s.id == id) spec = s;
        if (!Shell().hasModule(spec.module)) QSKIP("module not in this build");
        AppState& state = h->makeState();
        WindowManager windows(*h->engine, state);
        QQuickWindow* window = windows.open(id);
        QVERIFY(window);
        QCOMPARE(window->title(), spec.title);
        if (spec.size) {
            QCOMPARE(window->size(), *spec.size);
            QCOMPARE(window->minimumSize(), minimum);
        } else {
            QVERIFY(window->height() <= window->screen()->availableGeometry().height());
        }
        QCOMPARE(windows.open(id), window);
    }

    // A view asks for another window, or to be closed, through its signals.
    void viewSignals() {
        if (!Shell().hasModule(QStringLiteral("Tovrin.Setup")) ||
            !Shell().hasModule(QStringLiteral("Tovrin.Zen")))
            QSKIP("the settings and animation modules are not in this build");
        AppState& state = h->makeState();
        WindowManager windows(*h->engine, state);
        QQuickWindow* settings = windows.open(QStringLiteral("settings"));
        QVERIFY(settings);
        QObject* view = settings->findChild<QObject*>(QStringLiteral("view"));
        QVERIFY(QMetaObject::invokeMethod(view, "requestWindow", Q_ARG(QString, "zen")));
        QVERIFY(windows.window(QStringLiteral("zen")));
        QCOMPARE(windows.window(QStringLiteral("zen"))->title(),
                 QStringLiteral("Refresh animation"));

        QPointer<QQuickWindow> onboarding(windows.open(QStringLiteral("onboarding")));
        QVERIFY(onboarding);
        QObject* steps = onboarding->findChild<QObject*>(QStringLiteral("view"));
        QVERIFY(QMetaObject::invokeMethod(steps, "finished"));
        QTRY_VERIFY(onboarding.isNull());
    }
};

QTEST_MAIN(TestWindowManager)
#include "test_windowmanager.moc"
