#include "qmltypes.h"
#include "quick.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <memory>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ZenPlugin)

// The progress picture and its preview as the menu and the "zen" window show them.
class TestZenView : public QObject {
    Q_OBJECT

    std::unique_ptr<QQmlEngine> engine;

    std::unique_ptr<QQuickWindow> show(const QByteArray& body) {
        QQmlComponent component(engine.get());
        component.setData("import QtQuick\nimport Tovrin.Core\nimport Tovrin.Zen\n"
                          "Window { color: Theme.ivory; " +
                              body + " }",
                          QUrl());
        std::unique_ptr<QQuickWindow> window(qobject_cast<QQuickWindow*>(component.create()));
        if (!window) qWarning() << component.errorString();
        if (window) {
            window->show();
            if (!QTest::qWaitForWindowExposed(window.get())) window.reset();
        }
        return window;
    }

private slots:
    void init() {
        engine = std::make_unique<QQmlEngine>();
        UiCore::setUp(*engine);
    }
    void cleanup() { engine.reset(); }

    void screenshots_data() {
        QTest::addColumn<double>("fraction");
        QTest::addColumn<QString>("file");
        QTest::newRow("nothing done") << 0.0 << "zen-0";
        QTest::newRow("half") << 0.5 << "zen-0.5";
        QTest::newRow("all done") << 1.0 << "zen-1";
    }

    void screenshots() {
        QFETCH(double, fraction);
        QFETCH(QString, file);
        const auto window = show("width: 340; height: 250; ZenView { objectName: 'zen'; x: 10; "
                                 "y: 12; width: 320; fraction: " +
                                 QByteArray::number(fraction) + " }");
        QVERIFY(window);
        QQuickItem* zen = Quick::find(*window, QStringLiteral("zen"));
        QVERIFY(zen);
        QVERIFY(zen->property("animating").toBool());
        const QString caption = zen->property("caption").toString();
        QVERIFY2(caption == "Breathe in" || caption == "Breathe out", qPrintable(caption));
        QCOMPARE(zen->implicitHeight() > 210, true);

        QVERIFY(Quick::screenshot(*window, file));
    }

    void stillWhenHidden_data() {
        QTest::addColumn<QByteArray>("hide");
        QTest::newRow("view hidden") << QByteArray("zen.visible = false");
        QTest::newRow("window hidden") << QByteArray("window.hide()");
    }

    void stillWhenHidden() {
        QFETCH(QByteArray, hide);
        const auto window = show("width: 340; height: 250; ZenView { objectName: 'zen'; "
                                 "width: 320 }");
        QVERIFY(window);
        QQuickItem* zen = Quick::find(*window, QStringLiteral("zen"));
        QVERIFY(zen->property("animating").toBool());
        if (hide == "window.hide()")
            window->hide();
        else
            zen->setVisible(false);
        QVERIFY(!zen->property("animating").toBool());
    }

    void previewFillsAndStops_data() {
        QTest::addColumn<int>("total");
        QTest::newRow("even total") << 4;
        QTest::newRow("odd total: never beyond it") << 3;
    }

    void previewFillsAndStops() {
        QFETCH(int, total);
        const auto window = show("width: 340; height: 260; ZenPreview { objectName: 'preview'; "
                                 "anchors.fill: parent; total: " +
                                 QByteArray::number(total) + " }");
        QVERIFY(window);
        QQuickItem* preview = Quick::find(*window, QStringLiteral("preview"));
        QVERIFY(preview);
        QCOMPARE(preview->property("decided").toInt(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(preview->property("decided").toInt(), total, 6000);
        QTest::qWait(1800); // one more step of the demonstration would have passed
        QCOMPARE(preview->property("decided").toInt(), total);
        auto* view = preview->property("view").value<QQuickItem*>();
        QCOMPARE(view->property("pulse").toInt(), total);
        QTRY_COMPARE(view->property("fraction").toDouble(), 1.0);
    }

    void previewScreenshot() {
        const auto window = show("width: 336; height: 260; ZenPreview { objectName: 'preview'; "
                                 "anchors.fill: parent; decided: 30 }");
        QVERIFY(window);
        QQuickItem* preview = Quick::find(*window, QStringLiteral("preview"));
        QCOMPARE(preview->implicitWidth(), 336.0);
        window->resize(int(preview->implicitWidth()), int(preview->implicitHeight()));
        QTest::qWait(1500); // the fraction eases towards 30 of 48
        QVERIFY(Quick::screenshot(*window, QStringLiteral("zen-preview")));
    }
};

QTEST_MAIN(TestZenView)
#include "test_zenview.moc"
