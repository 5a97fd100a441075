#include "history.h"
#include "mover.h"
#include "store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

QList<MoveRecord> records(int count) {
    QList<MoveRecord> out;
    const QDateTime at = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < count; ++i)
        out.append({QStringLiteral("/home/someone/Downloads/file %1.pdf").arg(i),
                    QStringLiteral("/home/someone/Documents/Work Admin/file %1.pdf").arg(i), at});
    return out;
}

// One checkpoint rewrites every record so far: its cost grows with the plan.
void checkpoint(benchmark::State& state) {
    const QTemporaryDir dir;
    const QList<MoveRecord> list = records(int(state.range(0)));
    for (auto _ : state)
        Mover::writeLog(list, dir.filePath(QStringLiteral("moves.json")));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(checkpoint)->Arg(20)->Arg(1000)->Arg(25000)->Unit(benchmark::kMillisecond);

// A crowded folder: every taken " (n)" costs one more lookup.
void freeName(benchmark::State& state) {
    const QTemporaryDir dir;
    QFile(dir.filePath(QStringLiteral("report.pdf"))).open(QIODevice::WriteOnly);
    for (int n = 2; n <= state.range(0); ++n)
        QFile(dir.filePath(QStringLiteral("report (%1).pdf").arg(n))).open(QIODevice::WriteOnly);
    const QString wanted = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state)
        benchmark::DoNotOptimize(Mover::freeURL(wanted));
}
BENCHMARK(freeName)->Arg(1)->Arg(100);

// Opening the history over 500 applies of 25,000 moves each: listed from the
// index, never by reading the logs. The logs are one real log linked 500 times.
void openHistory(benchmark::State& state) {
    const QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_DATA_HOME");
    const QList<MoveRecord> moves = records(25000);
    const QString first = Store::logsDir() + QStringLiteral("/moves-2026-01-01_000000.json");
    Mover::writeLog(moves, first);
    HistoryEntry entry = History::summary(QFileInfo(first).fileName(), moves);
    const QDateTime start(QDate(2026, 1, 1), QTime(0, 0));
    for (int i = 0; i < 500; ++i) {
        entry.log =
            start.addSecs(i * 3600).toString(QStringLiteral("'moves-'yyyy-MM-dd_HHmmss'.json'"));
        if (i > 0)
            ::link(QFile::encodeName(first).constData(),
                   QFile::encodeName(Store::logsDir() + QLatin1Char('/') + entry.log).constData());
        History::note(entry);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(History::entries());
    state.counters["logs"] = double(History::entries().size());
}
BENCHMARK(openHistory)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
