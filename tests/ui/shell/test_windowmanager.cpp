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

private slots:
    void initTestCase() { QQuickStyle::setStyle(QStringLiteral("Basic")); }
    void init() { h = std::make_unique<PanelHarness>(); }
    void cleanup() { h.reset(); }

    void opensOnceAndRaises() {
        AppState& state = h->makeState();
        WindowManager windows(*h->engine, state);
        QSignalSpy opened(&windows, &WindowManager::opened);
        QQuickWindow* first = windows.open(QStringLiteral("settings"));
        QVERIFY(first);
        QVERIFY(QTest::qWaitForWindowExposed(first));
        QCOMPARE(first->width(), 620);
        QVERIFY(first->height() > 100);

        QCOMPARE(windows.open(QStringLiteral("settings")), first);
        QCOMPARE(opened.count(), 1);
        QVERIFY(first->isVisible());

        // Closing destroys it; the next request makes a new one.
        QPointer<QQuickWindow> closed(first);
        first->close();
        QTRY_VERIFY(closed.isNull());
        QVERIFY(!windows.window(QStringLiteral("settings")));
        QVERIFY(windows.open(QStringLiteral("settings")));
        QCOMPARE(opened.count(), 2);
    }

    void unknownIdOpensNothing() {
        AppState& state = h->makeState();
        WindowManager windows(*h->engine, state);
        QCOMPARE(windows.open(QStringLiteral("nonsense")), nullptr);
    }

    // Each of the application's windows with its title: the review opens at
    // its default size and shrinks to what its layout needs, the others fit
    // their screen.
    void opensEveryWindow_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("minimum");
        QTest::newRow("onboarding") << "onboarding"
                                    << "Welcome to Tovrin" << QSize() << QSize();
        QTest::newRow("review") << "review"
                                << "Your fresh start" << QSize(1240, 780) << QSize(1000, 640);
        QTest::newRow("recap") << "recap"
                               << "Your recap" << QSize() << QSize();
        QTest::newRow("zen") << "zen"
                             << "Refresh animation" << QSize() << QSize();
        QTest::newRow("settings") << "settings"
                                  << "Tovrin Settings" << QSize() << QSize();
    }
    void opensEveryWindow() {
        QFETCH(QString, id);
        QFETCH(QString, title);
        QFETCH(QSize, size);
        QFETCH(QSize, minimum);
        AppState& state = h->makeState();
        WindowManager windows(*h->engine, state);
        QQuickWindow* window = windows.open(id);
        QVERIFY(window);
        QCOMPARE(window->title(), title);
        if (size.isValid()) {
            QCOMPARE(window->size(), size);
            QCOMPARE(window->minimumSize(), minimum);
        } else {
            QVERIFY(window->height() <= window->screen()->availableGeometry().height());
        }
        QCOMPARE(windows.open(id), window);
    }

    // A view asks for another window, or to be closed, through its signals.
    void viewSignals() {
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
