// The pending plan is saved on every review edit and loaded at start-up, so
// its cost at the 25,000-file limit is what a user feels.

#include "json.h"
#include "kinds.h"
#include "store.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QList<PlanItem> makePlan(int count) {
    QList<PlanItem> plan;
    plan.reserve(count);
    for (int i = 0; i < count; ++i) {
        PlanItem item;
        item.id = i;
        item.src = QUrl::fromLocalFile(QStringLiteral("/home/u/Downloads/IMG %1 é#.png").arg(i));
        item.destFolder = QStringLiteral("Projects/Vantle/Images");
        item.category = QStringLiteral("project:Vantle");
        item.confidence = QStringLiteral("high");
        item.reason = QStringLiteral("Card art for the Vantle launch");
        item.newName = QStringLiteral("Vantle card %1.png").arg(i);
        item.kind = FileKind::image;
        item.size = 123456;
        plan.append(item);
    }
    return plan;
}

void encodeGeneral(benchmark::State& state) {
    const QList<PlanItem> plan = makePlan(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(Json::compact(Json::encodeList(plan)));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(encodeGeneral)->Arg(25000)->Unit(benchmark::kMillisecond);

void encodeDirect(benchmark::State& state) {
    const QList<PlanItem> plan = makePlan(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(Json::compactPlan(plan));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(encodeDirect)->Arg(25000)->Unit(benchmark::kMillisecond);

void savePlan(benchmark::State& state) {
    const QList<PlanItem> plan = makePlan(static_cast<int>(state.range(0)));
    for (auto _ : state)
        Store::savePlan(plan);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(savePlan)->Arg(1000)->Arg(25000)->Unit(benchmark::kMillisecond);

void loadPlan(benchmark::State& state) {
    Store::savePlan(makePlan(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(Store::loadPlan());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(loadPlan)->Arg(1000)->Arg(25000)->Unit(benchmark::kMillisecond);

void addLesson(benchmark::State& state) {
    for (int i = 0; i < 200; ++i)
        Store::addLesson(
            {QStringLiteral("f%1").arg(i), QStringLiteral("what"), QStringLiteral("Work Admin")});
    int next = 200;
    for (auto _ : state)
        Store::addLesson({QStringLiteral("f%1").arg(next++), QStringLiteral("what"),
                          QStringLiteral("Work Admin")});
}
BENCHMARK(addLesson)->Unit(benchmark::kMillisecond);

void kindLookup(benchmark::State& state) {
    const QStringList names = {"/d/report.PDF", "/d/photo.jpeg", "/d/notes", "/d/archive.tar.gz",
                               "/d/file.crdownload"};
    for (auto _ : state)
        for (const QString& name : names)
            benchmark::DoNotOptimize(Kinds::kind(name, false));
    state.SetItemsProcessed(state.iterations() * names.size());
}
BENCHMARK(kindLookup);

} // namespace

int main(int argc, char** argv) {
    // Never the user's data folder.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_DATA_HOME");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
