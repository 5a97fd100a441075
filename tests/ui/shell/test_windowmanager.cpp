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

    // A window over a view of our own module, so the manager is tested
    // whichever other modules this build has.
    static QList<WindowSpec> menuOnly() {
        return {{.id = "menu",
                 .title = "Menu",
                 .module = "Tovrin.Shell",
                 .view = "MenuView",
                 .size = {}}};
    }

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
        WindowManager windows(*engine, *app->state, menuOnly());
        QSignalSpy opened(&windows, &WindowManager::opened);
        QQuickWindow* first = windows.open(QStringLiteral("menu"));
        QVERIFY(first);
        QVERIFY(QTest::qWaitForWindowExposed(first));
        QCOMPARE(first->title(), QStringLiteral("Menu"));
        QCOMPARE(first->size(), QSize(368, first->height()));
        QVERIFY(first->height() > 100);

        QCOMPARE(windows.open(QStringLiteral("menu")), first);
        QCOMPARE(opened.count(), 1);

        // Closing destroys it; the next request makes a new one.
        QPointer<QQuickWindow> closed(first);
        first->close();
        QTRY_VERIFY(closed.isNull());
        QVERIFY(!windows.window(QStringLiteral("menu")));
        QVERIFY(windows.open(QStringLiteral("menu")));
        QCOMPARE(opened.count(), 2);
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
        WindowManager windows(*engine, *app->state);
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
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(Quick::screenshot(*window, QStringLiteral("window-") + id));
    }

    // A view asks for another window through its signal.
    void viewSignals() {
        if (!Shell().hasModule(QStringLiteral("Tovrin.Setup")) ||
            !Shell().hasModule(QStringLiteral("Tovrin.Zen")))
            QSKIP("the settings and animation modules are not in this build");
        WindowManager windows(*engine, *app->state);
        QQuickWindow* settings = windows.open(QStringLiteral("settings"));
        QVERIFY(settings);
        QObject* view = settings->findChild<QObject*>(QStringLiteral("view"));
        QVERIFY(QMetaObject::invokeMethod(view, "requestWindow", Q_ARG(QString, "zen")));
        QVERIFY(windows.window(QStringLiteral("zen")));
    }
};

QTEST_MAIN(TestWindowManager)
#include "test_windowmanager.moc"
