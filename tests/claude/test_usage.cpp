#include "files.h"
#include "testhome.h"
#include "usage.h"

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
    // Each run is booked in its month, failed ones and ones with no calls
    // too, and the counters start from nothing again. Months are kept for
    // good, runs only the newest 60.
    void runsAreBooked() {
        UsageLog old;
        for (int i = 0; i < 60; ++i)
            old.runs.append({now.addDays(-60 + i), 0.01, i, 1});
        old.months.insert("2026-10", {0.6, 1770});
        old.totalUSD = 0.6;
        // Written before runs counted the files answered from the cache.
        QByteArray earlier = UsageLedger::encode(old).replace("\"cached\":0,", "");
        QVERIFY(!earlier.contains("cached"));
        QVERIFY(Files::writeAtomic(UsageLedger::path(), earlier));
        Usage u = usage();
        now = at("2026-11-14T12:00:00Z");
        u.add(0.25);
        u.add(0.75);
        QCOMPARE(u.endRun(100), 1.0);
        QCOMPARE(u.current().calls, 0);
        now = at("2026-11-20T12:00:00Z");
        u.add(0.5);
        QCOMPARE(u.endRun(0), 0.5);
        now = at("2026-12-15T12:00:00Z");
        QCOMPARE(u.endRun(7), 0.0);
        const UsageLog log = UsageLedger::load();
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
