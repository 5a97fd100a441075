// The local half of a refresh at its 25,000-file limit: rule decisions for
// every item, then the plan built from them.
#include "planner.h"
#include "rules.h"

#include <QDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int refreshLimit = 25000;

const QStringList stems = {"IMG_%1",
                           "invoice-%1",
                           "Screen Shot 2024-01-%1 at 10.00",
                           "download (%1)",
                           "pellmark-deck-%1",
                           "notes %1",
                           "copy of budget %1",
                           "vantleworks-%1"};
const QStringList exts = {"png", "pdf", "jpg", "txt", "key", "zip", "mov", "dmg"};
const QList<FileKind> kinds = {FileKind::image, FileKind::pdf,      FileKind::image,
                               FileKind::doc,   FileKind::slides,   FileKind::archive,
                               FileKind::video, FileKind::installer};

QList<ScannedItem> makeItems(int count) {
    QList<ScannedItem> items;
    items.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int k = i % int(stems.size());
        ScannedItem item;
        item.id = i + 1;
        item.name = stems[k].arg(i) + QLatin1Char('.') + exts[k];
        item.url =
            QUrl::fromLocalFile(QDir::homePath() + QStringLiteral("/Downloads/") + item.name);
        item.ext = exts[k];
        item.kind = kinds[k];
        item.size = 1000 + i;
        item.modified = QDateTime(QDate(2020 + i % 5, 1 + i % 12, 1), QTime(12, 0), Qt::UTC);
        if (i % 3 == 0)
            item.text = QStringLiteral("Meeting notes about the quarterly plan %1").arg(i);
        if (i % 4 == 0) item.whereFrom = QStringLiteral("https://cdn.example.com/files/%1").arg(i);
        if (k == 7) item.junkHints = {QStringLiteral("installer")};
        items.append(item);
    }
    return items;
}

QList<Project> makeProjects(int count) {
    QList<Project> projects = {Project{{}, QStringLiteral("Pellmark"), QStringLiteral("pell")},
                               Project{{}, QStringLiteral("Studio/Vantle"), {}}};
    for (int i = 0; i < count - 2; ++i)
        projects.append(
            Project{{}, QStringLiteral("Client %1").arg(i), QStringLiteral("alias%1").arg(i)});
    return projects;
}

QHash<qint64, Decision> makeDecisions(const QList<ScannedItem>& items) {
    static const QStringList categories = {"creator", "personal", "library", "project:pellmark",
                                           "archive", "junk",     "admin",   "receipts"};
    QHash<qint64, Decision> decisions;
    for (const ScannedItem& item : items) {
        const int k = int(item.id % categories.size());
        decisions.insert(item.id, Decision{categories[k], QStringLiteral("drone shots"),
                                           k == 1 ? QStringLiteral("low") : QStringLiteral("high"),
                                           QStringLiteral("Quarterly plan %1").arg(item.id),
                                           QStringLiteral("looks like it"), std::nullopt});
    }
    return decisions;
}

void rulesForEveryItem(benchmark::State& state) {
    const QList<ScannedItem> items = makeItems(refreshLimit);
    const QList<Project> projects = makeProjects(int(state.range(0)));
    const QStringList scanRoots = UserFolders::roots(Profile().scanFolders);
    for (auto _ : state) {
        int decided = 0;
        for (const ScannedItem& item : items)
            if (Rules::junkDecision(item, false) ||
                Rules::keywordDecision(item, projects, scanRoots))
                ++decided;
        benchmark::DoNotOptimize(decided);
    }
    state.SetItemsProcessed(state.iterations() * items.size());
}
BENCHMARK(rulesForEveryItem)->Arg(2)->Arg(30)->Unit(benchmark::kMillisecond);

void planForEveryItem(benchmark::State& state) {
    const QList<ScannedItem> items = makeItems(refreshLimit);
    const QHash<qint64, Decision> decisions = makeDecisions(items);
    Profile profile;
    profile.projects = makeProjects(30);
    for (auto _ : state)
        benchmark::DoNotOptimize(Planner::plan(items, decisions, profile));
    state.SetItemsProcessed(state.iterations() * items.size());
}
BENCHMARK(planForEveryItem)->Unit(benchmark::kMillisecond);

void meaninglessNames(benchmark::State& state) {
    const QList<ScannedItem> items = makeItems(refreshLimit);
    for (auto _ : state) {
        int count = 0;
        for (const ScannedItem& item : items)
            count += Naming::isMeaningless(item.name);
        benchmark::DoNotOptimize(count);
    }
    state.SetItemsProcessed(state.iterations() * items.size());
}
BENCHMARK(meaninglessNames)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
