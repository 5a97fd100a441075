#include "quick.h"
#include "zenscene.h"

#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ZenPlugin)

class TestZenView : public QObject {
    Q_OBJECT
private slots:
    // Frames are drawn only while someone can see them; ripples older than
    // three seconds are dropped, so their list stays short.
    void stillWhenHidden() {
        TestView view(QStringLiteral("Zen/ZenView"), nullptr, QSize(320, 240));
        for (const char* fraction : {"0", "0.5", "1"}) {
            view.root()->setProperty("fraction", QByteArray(fraction).toDouble());
            QTest::qWait(300);
            QVERIFY(view.screenshot(QStringLiteral("zen-") + QLatin1String(fraction)));
        }
        QVERIFY(view.root()->property("animating").toBool());
        view.root()->setVisible(false);
        QVERIFY(!view.root()->property("animating").toBool());
        view.root()->setVisible(true);
        view.window.hide();
        QVERIFY(!view.root()->property("animating").toBool());
        QCOMPARE(Zen::pulsed({10.0, 10.4, 13.0}, 15.9), (QList<double>{13.0, 15.9}));
    }
};

QTEST_MAIN(TestZenView)
#include "test_zenview.moc"
