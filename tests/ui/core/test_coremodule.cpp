#include "qmltypes.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)

// Every view imports the shared module; this is what they read of it.
class TestCoreModule : public QObject {
    Q_OBJECT
private slots:
    void loads() {
        QQmlEngine engine;
        UiCore::setUp(engine);
        QQmlComponent component(&engine);
        component.setData(R"(
            import QtQuick
            import Tovrin.Core
            QtObject {
                property color surface: Theme.surface
                property string files: Format.count(25000)
                property int phase: Tidy.review
            })",
                          QUrl());
        std::unique_ptr<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));
        QCOMPARE(object->property("surface").value<QColor>(), QColor(245, 245, 247));
        QCOMPARE(object->property("phase").toInt(), static_cast<int>(Phase::review));
    }
};

QTEST_MAIN(TestCoreModule)
#include "test_coremodule.moc"
