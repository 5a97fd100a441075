#include "quick.h"
#include "zenscene.h"

#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ZenPlugin)

// The progress picture as the menu shows it, and its self-running preview.
class TestZenView : public QObject {
    Q_OBJECT
private slots:
    void screenshots() {
        TestView view(QStringLiteral("Zen/ZenView"), nullptr, QSize(320, 240));
        for (const char* fraction : {"0", "0.5", "1"}) {
            view.root()->setProperty("fraction", QByteArray(fraction).toDouble());
            QTest::qWait(300);
            QVERIFY(view.screenshot(QStringLiteral("zen-") + QLatin1String(fraction)));
        }
    }

    // Frames are drawn only while someone can see them.
    void stillWhenHidden() {
        TestView view(QStringLiteral("Zen/ZenView"), nullptr, QSize(320, 240));
        QVERIFY(view.root()->property("animating").toBool());
        view.root()->setVisible(false);
        QVERIFY(!view.root()->property("animating").toBool());
        view.root()->setVisible(true);
        view.window.hide();
        QVERIFY(!view.root()->property("animating").toBool());
    }

    // Two more decided every step, never beyond the total, then it stops.
    void previewFillsAndStops() {
        TestView view(QStringLiteral("Zen/ZenPreview"), nullptr);
        view.root()->setProperty("total", 3);
        QTRY_COMPARE_WITH_TIMEOUT(view.root()->property("decided").toInt(), 3, 6000);
        QTest::qWait(1800); // one more step would have passed
        QCOMPARE(view.root()->property("decided").toInt(), 3);
        auto* zen = view.root()->property("view").value<QQuickItem*>();
        QTRY_COMPARE(zen->property("fraction").toDouble(), 1.0);
        QVERIFY(view.screenshot(QStringLiteral("zen-preview")));
    }

    // Ripples started within a second ring together; the list empties
    // once they have faded.
    void pulses_data() {
        QTest::addColumn<QList<double>>("starts");
        QTest::addColumn<double>("now");
        QTest::addColumn<QList<double>>("kept");
        QTest::newRow("three within a second")
            << QList<double>{10.0, 10.4} << 10.9 << QList<double>{10.0, 10.4, 10.9};
        QTest::newRow("after five quiet seconds")
            << QList<double>{10.0, 10.4, 10.9} << 15.9 << QList<double>{15.9};
        QTest::newRow("younger than three seconds stays")
            << QList<double>{10.0} << 12.9 << QList<double>{10.0, 12.9};
    }
    void pulses() {
        QFETCH(QList<double>, starts);
        QFETCH(double, now);
        QFETCH(QList<double>, kept);
        QCOMPARE(Zen::pulsed(starts, now), kept);
    }
};

QTEST_MAIN(TestZenView)
#include "test_zenview.moc"
