// Review edits and start-up on a plan of the per-run cap's size: what a click
// costs the main thread on a big refresh (the CPU column; the write of the
// plan it starts runs on another thread).
#include "appstate.h"
#include "store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

struct Home {
    QTemporaryDir dir;
    QList<PlanItem> plan;
};

// One throw-away HOME per plan size, holding the plan's files and its
// pending plan.
Home& home(int items) {
    static std::map<int, std::unique_ptr<Home>> homes;
    auto& slot = homes[items];
    if (!slot) {
        slot = std::make_unique<Home>();
        qputenv("HOME", slot->dir.path().toLocal8Bit());
        qunsetenv("XDG_DATA_HOME");
        const QString downloads = slot->dir.path() + QStringLiteral("/Downloads");
        QDir().mkpath(downloads);
        for (int i = 0; i < items; ++i) {
            const QString path = downloads + QStringLiteral("/file %1.pdf").arg(i);
            QFile(path).open(QIODevice::WriteOnly);
            PlanItem item;
            item.id = i;
            item.src = QUrl::fromLocalFile(path);
            item.destFolder = QStringLiteral("Personal/Finance & Receipts");
            item.category = i % 7 ? QStringLiteral("personal") : QStringLiteral("needs-you");
            item.confidence = QStringLiteral("high");
            item.reason = QStringLiteral("A receipt from a shop, kept for the records");
            item.kind = FileKind::pdf;
            item.size = 120'000;
            item.approved = true;
            item.suggestedProject = i % 11 ? std::nullopt : std::optional(QStringLiteral("Kite"));
            if (i % 5 == 0) item.newName = QStringLiteral("Receipt %1.pdf").arg(i);
            slot->plan.append(item);
        }
    }
    qputenv("HOME", slot->dir.path().toLocal8Bit());
    Store::savePlan(slot->plan);
    return *slot;
}

AppServices services(const Home& h) {
    AppServices s;
    s.send = [](const QString&, const QString&, const QString&, const QJsonArray&, int) {
        return QtFuture::makeReadyFuture(Model::Answer(QStringLiteral("OK")));
    };
    s.settingsPath = h.dir.path() + QStringLiteral("/Tovrin.conf");
    return s;
}

void BM_StartUpWithPendingPlan(benchmark::State& state) {
    Home& h = home(int(state.range(0)));
    for (auto _ : state) {
        AppState app(services(h));
        benchmark::DoNotOptimize(app.plan().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Toggle(benchmark::State& state) {
    Home& h = home(int(state.range(0)));
    AppState app(services(h));
    for (auto _ : state)
        app.toggle(state.range(0) / 2);
}

void BM_SetApprovedWholeGroup(benchmark::State& state) {
    Home& h = home(int(state.range(0)));
    AppState app(services(h));
    QList<qint64> ids;
    for (qint64 i = 0; i < state.range(0); i += 2)
        ids.append(i);
    bool value = false;
    for (auto _ : state) {
        app.setApproved(ids, value);
        value = !value;
    }
}

void BM_ToggleRename(benchmark::State& state) {
    Home& h = home(int(state.range(0)));
    AppState app(services(h));
    for (auto _ : state)
        app.toggleRename(state.range(0) / 2);
}

// "Send all to…" over the needs-you items, a seventh of the plan.
void BM_SetDestinationsNeedsYou(benchmark::State& state) {
    Home& h = home(int(state.range(0)));
    AppState app(services(h));
    QList<qint64> ids;
    for (qint64 i = 0; i < state.range(0); i += 7)
        ids.append(i);
    const QString folders[] = {QStringLiteral("Work Admin"), QStringLiteral("Personal/Notes")};
    int turn = 0;
    for (auto _ : state)
        app.setDestinations(ids, folders[turn++ % 2]);
}

void BM_ProjectSuggestions(benchmark::State& state) {
    Home& h = home(int(state.range(0)));
    AppState app(services(h));
    for (auto _ : state)
        benchmark::DoNotOptimize(app.projectSuggestions());
}

BENCHMARK(BM_StartUpWithPendingPlan)->Arg(1'000)->Arg(25'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Toggle)->Arg(1'000)->Arg(25'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetApprovedWholeGroup)->Arg(25'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToggleRename)->Arg(25'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetDestinationsNeedsYou)->Arg(25'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectSuggestions)->Arg(25'000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
