// The subcommands that only read: the plan waiting for review, the past
// refreshes and what Claude cost.
#include "cli.h"

#include "format.h"
#include "history.h"
#include "json.h"
#include "reviewlists.h"
#include "store.h"
#include "usage.h"
#include "vocabulary.h"

#include <QJsonArray>
#include <QLocale>

namespace {

QJsonArray itemsJson(const QList<PlanItem>& plan, const QList<int>& rows) {
    QJsonArray items;
    for (int row : rows)
        items.append(Json::encode(plan[row]));
    return items;
}

void printRows(const QList<PlanItem>& plan, const QList<int>& rows, bool showDest) {
    for (int row : rows) {
        const PlanItem& item = plan[row];
        Cli::out() << "    " << (item.approved ? "[x] " : "[ ] ") << Review::fileName(item);
        if (item.newName && item.renameApproved) Cli::out() << "  -> " << *item.newName;
        if (showDest) Cli::out() << "  in " << item.destFolder;
        if (Category::isNeedsYou(item.category)) Cli::out() << "  (" << item.reason << ')';
        Cli::out() << '\n';
    }
}

void printTab(const QList<PlanItem>& plan, Review::Tab tab, int n) {
    if (n == 0) return;
    Cli::out() << Review::title(tab) << ": " << Cli::files(n) << '\n';
    switch (tab) {
    case Review::Tab::organize:
        for (const GroupCount& group : Review::groups(plan)) {
            Cli::out() << "  " << group.name << " (" << Format::count(group.count) << ")\n";
            printRows(plan, Review::rows(plan, tab, group.name), true);
        }
        break;
    case Review::Tab::junk:
        for (const Review::JunkGroup& group : Review::junkGroups(plan)) {
            Cli::out() << "  " << group.name << " (" << Cli::files(group.rows.size()) << ", "
                       << Format::fileSize(group.size) << ")\n";
            printRows(plan, group.rows, false);
        }
        break;
    case Review::Tab::rename:
    case Review::Tab::needs:
        printRows(plan, Review::rows(plan, tab), false);
        break;
    }
    Cli::out() << '\n';
}

} // namespace

namespace Cli {

QJsonObject planJson(const QList<PlanItem>& plan) {
    QJsonArray organize;
    for (const GroupCount& group : Review::groups(plan))
        organize.append(QJsonObject{
            {"group", group.name},
            {"items", itemsJson(plan, Review::rows(plan, Review::Tab::organize, group.name))}});
    QJsonArray junk;
    for (const Review::JunkGroup& group : Review::junkGroups(plan))
        junk.append(QJsonObject{
            {"folder", group.name}, {"size", group.size}, {"items", itemsJson(plan, group.rows)}});
    return {{"files", plan.size()},
            {"approved", Review::approvedCount(plan)},
            {"organize", organize},
            {"rename", itemsJson(plan, Review::rows(plan, Review::Tab::rename))},
            {"junk", junk},
            {"needsYou", itemsJson(plan, Review::rows(plan, Review::Tab::needs))}};
}

Exit plan(bool json) {
    const QList<PlanItem> plan = Store::loadPlan().value_or(QList<PlanItem>());
    if (json) {
        printJson(planJson(plan));
        return ok;
    }
    if (plan.isEmpty()) {
        out() << "No plan waits for review.\n";
        return ok;
    }
    const auto counts = Review::counts(plan);
    for (int tab = 0; tab < Review::tabCount; ++tab)
        printTab(plan, Review::Tab(tab), counts[tab]);
    out() << Format::count(Review::approvedCount(plan)) << " of " << files(plan.size())
          << " approved. tovrin-cli apply carries them out.\n";
    return ok;
}

Exit history(bool json) {
    const QList<HistoryEntry> entries = History::entries();
    if (json) {
        QJsonArray array;
        for (qsizetype i = 0; i < entries.size(); ++i) {
            QJsonObject entry = Json::encode(entries[i]);
            entry.insert("number", i + 1);
            entry.insert("started", Json::isoDate(entries[i].started()));
            entry.insert("undone", entries[i].undone);
            array.append(entry);
        }
        printJson(array);
        return ok;
    }
    if (entries.isEmpty()) {
        out() << "No refresh has moved files yet.\n";
        return ok;
    }
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const HistoryEntry& entry = entries[i];
        out() << qSetFieldWidth(3) << Qt::right << i + 1 << qSetFieldWidth(0) << Qt::left << "  "
              << entry.started().toString(QStringLiteral("yyyy-MM-dd HH:mm")) << "  "
              << files(entry.moved);
        if (entry.renamed > 0) out() << ", " << Format::count(entry.renamed) << " renamed";
        if (!entry.mainFolder.isEmpty()) out() << ", mostly to " << entry.mainFolder;
        if (entry.undone) out() << " (undone)";
        if (!entry.readable) out() << " (log unreadable)";
        out() << '\n';
    }
    return ok;
}

Exit usage(const QString& month, bool json) {
    const UsageLog log = UsageLedger::load();
    const QString key =
        month.isEmpty() ? UsageLedger::monthKey(QDateTime::currentDateTime()) : month;
    const MonthUsage spent = log.months.value(key);
    QList<RunUsage> runs;
    for (const RunUsage& run : log.runs)
        if (UsageLedger::monthKey(run.date) == key) runs.append(run);
    if (json) {
        QJsonArray array;
        for (const RunUsage& run : runs) {
            QJsonObject object{{"date", Json::isoDate(run.date)},
                               {"usd", run.usd},
                               {"files", run.files},
                               {"calls", run.calls},
                               {"cached", run.cached},
                               {"stopped", run.stopped}};
            array.append(object);
        }
        printJson(QJsonObject{{"month", key},
                              {"usd", spent.usd},
                              {"files", spent.files},
                              {"totalUSD", log.totalUSD},
                              {"runs", array}});
        return ok;
    }
    out() << key << ": " << Format::cost(spent.usd) << " for " << files(spent.files) << '\n';
    for (const RunUsage& run : runs) {
        out() << "  " << run.date.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) << "  "
              << Format::cost(run.usd) << "  " << files(run.files);
        if (run.stopped) out() << " (stopped)";
        out() << '\n';
    }
    out() << "All time: " << Format::cost(log.totalUSD) << '\n';
    return ok;
}

} // namespace Cli
