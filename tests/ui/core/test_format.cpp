#include "format.h"

#include <QLocale>
#include <QTest>

class TestFormat : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void cost_data() {
        QTest::addColumn<double>("dollars");
        QTest::addColumn<QString>("text");
        QTest::newRow("below a cent") << 0.004 << "<$0.01";
        QTest::newRow("zero goes through the format") << 0.0 << "$0.00";
        QTest::newRow("a cent") << 0.01 << "$0.01";
        QTest::newRow("rounded") << 1.235 << "$1.24";
    }
    void cost() {
        QFETCH(double, dollars);
        QFETCH(QString, text);
        QCOMPARE(Format::cost(dollars), text);
    }

    void sizes_data() {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << qint64(0) << "Zero KB";
        QTest::newRow("bytes") << qint64(512) << "512 bytes";
        QTest::newRow("megabytes") << qint64(1'234'567) << "1.2 MB";
        QTest::newRow("gigabytes") << qint64(3'400'000'000) << "3.4 GB";
    }
    void sizes() {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(Format::fileSize(bytes), text);
    }

    void counts() { QCOMPARE(Format::count(25000), QStringLiteral("25,000")); }
};

QTEST_GUILESS_MAIN(TestFormat)
#include "test_format.moc"
