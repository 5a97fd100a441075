#include "files.h"
#include "format.h"
#include "testhome.h"
#include "usage.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QtTest>

#include <thread>
#include <vector>

namespace {

QDateTime at(const QString& iso) {
    return QDateTime::fromString(iso, Qt::ISODate);
}

QJsonObject readLedger() {
    QFile file(UsageLedger::path());
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(file.readAll()).object();
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

    void runWithoutCallsLogsZero() {
        Usage u = usage();
        QCOMPARE(u.endRun(10), 0.0);
        const QJsonObject ledger = readLedger();
        QCOMPARE(ledger.value("totalUSD").toDouble(), 0.0);
        const QJsonObject run = ledger.value("runs").toArray().at(0).toObject();
        QCOMPARE(run.value("date").toString(), "2026-12-06T09:00:12Z");
        QCOMPARE(run.value("usd").toDouble(), 0.0);
        QCOMPARE(run.value("files").toInt(), 10);
        QCOMPARE(run.value("calls").toInt(), 0);
        QCOMPARE(ledger.keys(), (QStringList{"months", "runs", "totalUSD"}));
    }

    void endRunTakesTheCounters() {
        Usage u = usage();
        u.add(0.25);
        u.add(0.5);
        QCOMPARE(u.endRun(3), 0.75);
        QCOMPARE(u.current().calls, 0);
        QCOMPARE(u.current().usd, 0.0);
        // The next run starts from nothing.
        QCOMPARE(u.endRun(1), 0.0);
        const UsageLog log = UsageLedger::load();
        QCOMPARE(log.runs.size(), 2);
        QCOMPARE(log.runs.at(0).calls, 2);
        QCOMPARE(log.runs.at(1).calls, 0);
        QCOMPARE(log.totalUSD, 0.75);
    }

    void monthsRollOver() {
        Usage u = usage();
        now = at("2026-11-14T12:00:00Z");
        u.add(1.0);
        u.endRun(100);
        now = at("2026-11-20T12:00:00Z");
        u.add(0.5);
        u.endRun(50);
        now = at("2026-12-15T12:00:00Z");
        u.add(2.0);
        u.endRun(7);
        const UsageLog log = UsageLedger::load();
        QCOMPARE(log.months.keys(), (QStringList{"2026-11", "2026-12"}));
        QCOMPARE(log.months.value("2026-11").usd, 1.5);
        QCOMPARE(log.months.value("2026-11").files, 150);
        QCOMPARE(log.months.value("2026-12").usd, 2.0);
        QCOMPARE(log.months.value("2026-12").files, 7);
        QCOMPARE(log.totalUSD, 3.5);
        QCOMPARE(log.runs.last().date, now);
    }

    void failedRunCountsItsCost() {
        Usage u = usage();
        u.add(0.2);
        QCOMPARE(u.endRun(0), 0.2);
        const UsageLog log = UsageLedger::load();
        QCOMPARE(log.runs.last().files, 0);
        QCOMPARE(log.months.value("2026-12").usd, 0.2);
        QCOMPARE(log.totalUSD, 0.2);
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
        QCOMPARE(after.runs.first().files, 1); // the run with files 0 was dropped
        QCOMPARE(after.runs.last().files, 999);
        QCOMPARE(after.months.value("2026-10").files, 1770); // months are never pruned
        QCOMPARE(after.totalUSD, 1.6);
    }

    void damagedLedgerStartsOver_data() {
        QTest::addColumn<QByteArray>("content");
        const QByteArray run = R"({"date":"2026-01-01T00:00:00Z","usd":1,"files":1,"calls":1})";
        QTest::newRow("not json") << QByteArray("{\"totalUSD\": 5,");
        QTest::newRow("array") << QByteArray("[]");
        QTest::newRow("no runs") << QByteArray(R"({"totalUSD":5,"months":{}})");
        QTest::newRow("no totalUSD") << QByteArray(R"({"months":{},"runs":[]})");
        QTest::newRow("run without calls")
            << QByteArray(R"({"totalUSD":5,"months":{},"runs":[{"date":"2026-01-01T00:00:00Z",)"
                          R"("usd":1,"files":1}]})");
        QTest::newRow("date without zone")
            << QByteArray(R"({"totalUSD":5,"months":{},"runs":[{"date":"2026-01-01T00:00:00",)"
                          R"("usd":1,"files":1,"calls":1}]})");
        QTest::newRow("month usd is text") << QByteArray(
            R"({"totalUSD":5,"months":{"2026-01":{"usd":"1","files":1}},"runs":[)" + run + "]}");
        QTest::newRow("files fractional") << QByteArray(
            R"({"totalUSD":5,"months":{"2026-01":{"usd":1,"files":1.5}},"runs":[)" + run + "]}");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe{", 4);
    }
    void damagedLedgerStartsOver() {
        QFETCH(QByteArray, content);
        QVERIFY(Files::writeAtomic(UsageLedger::path(), content));
        Usage u = usage();
        u.add(0.3);
        QCOMPARE(u.endRun(4), 0.3);
        const UsageLog log = UsageLedger::load();
        QCOMPARE(log.runs.size(), 1);
        QCOMPARE(log.totalUSD, 0.3);
        QCOMPARE(log.months.size(), 1);
    }

    void unwritableDirectoryStillReturnsTheCost() {
        const QString path = UsageLedger::path();
        QFile::remove(path);
        QVERIFY(QDir().mkpath(path)); // a folder where the file should be
        Usage u = usage();
        u.add(0.42);
        QCOMPARE(u.endRun(1), 0.42);
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(QDir().rmdir(path));
    }

    void roundTrip() {
        UsageLog log;
        log.totalUSD = 12.5;
        log.months.insert("2026-12", {2.25, 25000});
        log.runs.append({at("2026-12-06T09:00:12Z"), 2.25, 25000, 640});
        const std::optional<UsageLog> back = UsageLedger::decode(UsageLedger::encode(log));
        QVERIFY(back);
        QCOMPARE(back->totalUSD, 12.5);
        QCOMPARE(back->months.value("2026-12").files, 25000);
        QCOMPARE(back->runs.at(0).date, log.runs.at(0).date);
        QCOMPARE(back->runs.at(0).calls, 640);
        QVERIFY(!UsageLedger::encode(log).contains(' '));
    }

    void money_data() {
        QTest::addColumn<double>("usd");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "$0.00";
        QTest::newRow("below a cent") << 0.004 << "<$0.01";
        QTest::newRow("tiny") << 1e-9 << "<$0.01";
        QTest::newRow("a cent") << 0.01 << "$0.01";
        QTest::newRow("rounds up") << 1.249 << "$1.25";
        QTest::newRow("large") << 1234.5 << "$1234.50";
    }
    void money() {
        QFETCH(double, usd);
        QFETCH(QString, text);
        QCOMPARE(Format::cost(usd), text);
    }

    void counts_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("en") << QLocale(QLocale::English, QLocale::UnitedStates) << qint64(25000)
                            << "25,000";
        QTest::newRow("de") << QLocale(QLocale::German, QLocale::Germany) << qint64(60000)
                            << "60.000";
        QTest::newRow("small") << QLocale(QLocale::English, QLocale::UnitedStates) << qint64(7)
                               << "7";
    }
    void counts() {
        QFETCH(QLocale, locale);
        QFETCH(qint64, n);
        QFETCH(QString, text);
        const QLocale before;
        QLocale::setDefault(locale);
        QCOMPARE(Format::count(n), text);
        QLocale::setDefault(before);
    }

    void summaryFigures() {
        Usage u = usage();
        QList<UsageFigure> figures = u.summary();
        QCOMPARE(figures.size(), 4);
        QCOMPARE(figures.at(0).value, "–");
        QCOMPARE(figures.at(0).label, "last refresh");
        QCOMPARE(figures.at(1).value, "$0.00");
        QCOMPARE(figures.at(1).label, "this month");
        QCOMPARE(figures.at(2).label, "all time");
        QCOMPARE(figures.at(3).value, "0");
        QCOMPARE(figures.at(3).label, "files this month");

        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        UsageLog log;
        log.totalUSD = 3.004;
        log.months.insert("2026-11", {3.0, 100});
        log.months.insert("2026-12", {0.004, 25000});
        log.runs.append({now, 0.004, 25000, 12});
        UsageLedger::save(log);
        figures = u.summary();
        QCOMPARE(figures.at(0).value, "<$0.01");
        QCOMPARE(figures.at(1).value, "<$0.01");
        QCOMPARE(figures.at(2).value, "$3.00");
        QCOMPARE(figures.at(3).value, "25,000");
        QLocale::setDefault(QLocale::c());
    }

    void concurrentAddsAllCount() {
        Usage u = usage();
        std::vector<std::thread> threads;
        for (int t = 0; t < 6; ++t)
            threads.emplace_back([&u] {
                for (int i = 0; i < 10000; ++i)
                    u.add(0.5);
            });
        for (std::thread& thread : threads)
            thread.join();
        const RunTotals totals = u.take();
        QCOMPARE(totals.calls, 60000);
        QCOMPARE(totals.usd, 30000.0);
    }
};

QTEST_GUILESS_MAIN(TestUsage)
#include "test_usage.moc"
