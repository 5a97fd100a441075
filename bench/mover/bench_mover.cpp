#include "mover.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

} // namespace

BENCHMARK_MAIN();
