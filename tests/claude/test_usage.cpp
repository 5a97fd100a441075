#include "testhome.h"
#include "usage.h"

#include <QFile>
#include <QtTest>

namespace {

QDateTime at(const QString& iso) {
    return QDateTime::fromString(iso, Qt::ISODate);
}

} // namespace

class TestUsage : public QObject {
    Q_OBJECT

    TestHome home;
    QDateTime now;

    Usage usage() {
        return Usage([this] { return now; });
    }

private slots:
    void init() {
        QFile::remove(UsageLedger::path());
        now = at("2026-12-06T09:00:12Z");
    }

    // Each run is booked in its month, failed ones and ones with no calls too,
    // and the counters start from nothing again.
    void runsAreBooked() {
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
        QCOMPARE(log.months.keys(), (QStringList{"2026-11", "2026-12"}));
        QCOMPARE(log.months.value("2026-11").usd, 1.5);
        QCOMPARE(log.months.value("2026-11").files, 100);
        QCOMPARE(log.months.value("2026-12").files, 7);
        QCOMPARE(log.totalUSD, 1.5);
        QCOMPARE(log.runs.size(), 3);
        QCOMPARE(log.runs.at(0).calls, 2);
        QCOMPARE(log.runs.last().date, now);
        QCOMPARE(u.summary().at(3).value, "7"); // files this month
    }

    void keepsTheNewest60Runs() {
        UsageLog log;
        for (int i = 0; i < 60; ++i)
            log.runs.append({now.addDays(-60 + i), 0.01, i, 1});
        log.months.insert("2026-10", {0.6, 1770});
        log.totalUSD = 0.6;
        UsageLedger::save(log);
        Usage u = usage();
        u.add(1.0);
        u.endRun(999);
        const UsageLog after = UsageLedger::load();
        QCOMPARE(after.runs.size(), 60);
        QCOMPARE(after.runs.first().files, 1); // the oldest run was dropped
        QCOMPARE(after.runs.last().files, 999);
        QCOMPARE(after.months.value("2026-10").files, 1770); // months are never pruned
        QCOMPARE(after.totalUSD, 1.6);
    }
};

QTEST_GUILESS_MAIN(TestUsage)
#include "test_usage.moc"
