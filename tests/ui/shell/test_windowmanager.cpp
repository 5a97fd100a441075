#include "quick.h"
#include "shell.h"
#include "testapp.h"
#include "windowmanager.h"

#include <QQmlEngine>
#include <QScreen>
#include <QSignalSpy>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ShellPlugin)

// Windows open by id: once, brought forward when asked again, made anew after
// closing; each of the application's windows opens with its title and size.
class TestWindowManager : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    std::unique_ptr<QQmlEngine> engine;

private slots:
    void init() {
        app = std::make_unique<TestApp>();
        app->start();
        engine = std::make_unique<QQmlEngine>();
        Quick::setUp(*engine);
    }
    void cleanup() {
        engine.reset();
        app.reset();
    }

    void opensOnceAndRaises() {
        WindowManager windows(*engine, *app->state);
        QSignalSpy opened(&windows, &WindowManager::opened);
        QQuickWindow* first = windows.open(QStringLiteral("settings"));
        QVERIFY(first);
        QVERIFY(QTest::qWaitForWindowExposed(first));
        QCOMPARE(first->width(), 620);
        QVERIFY(first->height() > 100);

        QCOMPARE(windows.open(QStringLiteral("settings")), first);
        QCOMPARE(opened.count(), 1);

        // Closing destroys it; the next request makes a new one.
        QPointer<QQuickWindow> closed(first);
        first->close();
        QTRY_VERIFY(closed.isNull());
        QVERIFY(!windows.window(QStringLiteral("settings")));
        QVERIFY(windows.open(QStringLiteral("settings")));
        QCOMPARE(opened.count(), 2);
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
        WindowManager windows(*engine, *app->state);
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
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(Quick::screenshot(*window, QStringLiteral("window-") + id));
    }

    // A view asks for another window, or to be closed, through its signals.
    void viewSignals() {
        WindowManager windows(*engine, *app->state);
        QQuickWindow* settings = windows.open(QStringLiteral("settings"));
        QVERIFY(settings);
        QObject* view = settings->findChild<QObject*>(QStringLiteral("view"));
        QVERIFY(QMetaObject::invokeMethod(view, "requestWindow", Q_ARG(QString, "zen")));
        QVERIFY(windows.window(QStringLiteral("zen")));

        QPointer<QQuickWindow> onboarding(windows.open(QStringLiteral("onboarding")));
        QVERIFY(onboarding);
        QObject* steps = onboarding->findChild<QObject*>(QStringLiteral("view"));
        QVERIFY(QMetaObject::invokeMethod(steps, "finished"));
        QTRY_VERIFY(onboarding.isNull());
    }
};

QTEST_MAIN(TestWindowManager)
#include "test_windowmanager.moc"
