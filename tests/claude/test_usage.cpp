#include "testhome.h"
#include "usage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

QDateTime at(const QString& iso) {
    return QDateTime::fromString(iso, Qt::ISODate);
}

} // namespace

class TestUsage : public QObject {
    Q_OBJECT

    TestHome home;
    QDateTime now = at("2026-12-06T09:00:12Z");

    Usage usage() {
        return Usage([this] { return now; });
    }

private slots:
    // Each run is booked in its month, failed and stopped ones and ones with
    // no calls too, and the counters start from nothing again. Months are
    // kept for good, runs only the newest 60. A log written before runs told
    // what they sent, or what came from earlier decisions, still reads.
    void runsAreBooked() {
        QJsonArray runs;
        for (int i = 0; i < 60; ++i)
            runs.append(QJsonObject{{"date", now.addDays(-60 + i).toString(Qt::ISODate)},
                                    {"usd", 0.01},
                                    {"files", i},
                                    {"calls", 1}});
        const QJsonObject old{
            {"totalUSD", 0.6},
            {"months", QJsonObject{{"2026-10", QJsonObject{{"usd", 0.6}, {"files", 1770}}}}},
            {"runs", runs}};
        QFile file(UsageLedger::path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(old).toJson());
        file.close();
        Usage u = usage();
        now = at("2026-11-14T12:00:00Z");
        u.add(0.25);
        u.add(0.75);
        QCOMPARE(u.endRun(100, {80, 20}, false, 20), 1.0);
        QCOMPARE(u.current().calls, 0);
        now = at("2026-11-20T12:00:00Z");
        u.add(0.5);
        QCOMPARE(u.endRun(0), 0.5);
        now = at("2026-12-15T12:00:00Z");
        QCOMPARE(u.endRun(7, {7, 0}, true), 0.0);
        const UsageLog log = UsageLedger::load();
        QVERIFY(log.runs.last().stopped);
        QVERIFY(!log.runs.at(58).stopped);
        QCOMPARE(log.runs.at(57).cached, 20);
        QCOMPARE(log.runs.at(56).cached, 0);
        // Only the run that sent files and ran to the end tells the share.
        QCOMPARE(UsageLedger::escalationShare(log), 0.25);
        QCOMPARE(log.months.keys(), (QStringList{"2026-10", "2026-11", "2026-12"}));
        QCOMPARE(log.months.value("2026-10").files, 1770);
        QCOMPARE(log.months.value("2026-11").usd, 1.5);
        QCOMPARE(log.months.value("2026-11").files, 100);
        QCOMPARE(log.months.value("2026-12").files, 7);
        QCOMPARE(log.totalUSD, 2.1);
        QCOMPARE(log.runs.size(), 60);
        QCOMPARE(log.runs.first().files, 3); // the three oldest were dropped
        QCOMPARE(log.runs.at(57).calls, 2);
        QCOMPARE(log.runs.last().date, now);
        QCOMPARE(u.summary().at(3).value, "7"); // files this month
    }
};

QTEST_GUILESS_MAIN(TestUsage)
#include "test_usage.moc"
