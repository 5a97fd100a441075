#include "quick.h"
#include "testapp.h"
#include "windowmanager.h"

#include <QQmlEngine>
#include <QScreen>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ShellPlugin)

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

    // Each window opens once, is brought forward when asked again and made
    // anew after closing. The review opens at its default size and shrinks
    // to what its layout needs, the others fit their screen.
    void opensEveryWindow_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("minimum");
        QTest::newRow("onboarding") << "onboarding" << QSize() << QSize();
        QTest::newRow("review") << "review" << QSize(1240, 780) << QSize(1000, 640);
        QTest::newRow("recap") << "recap" << QSize() << QSize();
        QTest::newRow("zen") << "zen" << QSize() << QSize();
        QTest::newRow("settings") << "settings" << QSize() << QSize();
    }
    void opensEveryWindow() {
        QFETCH(QString, id);
        QFETCH(QSize, size);
        QFETCH(QSize, minimum);
        WindowManager windows(*engine, *app->state);
        QQuickWindow* window = windows.open(id);
        QVERIFY(window);
        if (size.isValid()) {
            QCOMPARE(window->size(), size);
            QCOMPARE(window->minimumSize(), minimum);
        } else {
            QVERIFY(window->height() <= window->screen()->availableGeometry().height());
        }
        QCOMPARE(windows.open(id), window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(Quick::screenshot(*window, QStringLiteral("window-") + id));
        QPointer<QQuickWindow> closed(window);
        window->close();
        QTRY_VERIFY(closed.isNull());
        QVERIFY(windows.open(id));
    }

    // A view asks for another window through its signal; an unknown id opens
    // nothing.
    void viewSignals() {
        WindowManager windows(*engine, *app->state);
        QQuickWindow* settings = windows.open(QStringLiteral("settings"));
        QVERIFY(settings);
        QObject* view = settings->findChild<QObject*>(QStringLiteral("view"));
        QVERIFY(QMetaObject::invokeMethod(view, "requestWindow", Q_ARG(QString, "zen")));
        QVERIFY(windows.window(QStringLiteral("zen")));
        QCOMPARE(windows.open(QStringLiteral("nonsense")), nullptr);
    }
};

QTEST_MAIN(TestWindowManager)
#include "test_windowmanager.moc"
