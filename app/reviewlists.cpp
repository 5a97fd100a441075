#include "reviewlists.h"

#include "vocabulary.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace Review {

QString title(Tab tab) {
    switch (tab) {
    case Tab::organize:
        return QCoreApplication::translate("Review", "Organize");
    case Tab::rename:
        return QCoreApplication::translate("Review", "Rename");
    case Tab::junk:
        return QCoreApplication::translate("Review", "Junk");
    case Tab::needs:
        return QCoreApplication::translate("Review", "Needs You");
    }
    return {};
}

bool inTab(const PlanItem& item, Tab tab) {
    switch (tab) {
    case Tab::organize:
        return !Category::isClearOut(item.category) && !Category::isNeedsYou(item.category);
    case Tab::rename:
        return item.newName.has_value();
    case Tab::junk:
        return Category::isClearOut(item.category);
    case Tab::needs:
        return Category::isNeedsYou(item.category);
    }
    return false;
}

bool listed(const PlanItem& item, Tab tab, const QString& group) {
    return inTab(item, tab) && (tab != Tab::organize || group.isEmpty() || item.group() == group);
}

QList<int> rows(const QList<PlanItem>& plan, Tab tab, const QString& group) {
    QList<int> found;
    for (int row = 0; row < plan.size(); ++row)
        if (listed(plan[row], tab, group)) found.append(row);
    return found;
}

std::array<int, tabCount> counts(const QList<PlanItem>& plan) {
    std::array<int, tabCount> found{};
    for (const PlanItem& item : plan)
        for (int tab = 0; tab < tabCount; ++tab)
            found[tab] += inTab(item, Tab(tab));
    return found;
}

int approvedCount(const QList<PlanItem>& plan) {
    return int(std::count_if(plan.begin(), plan.end(),
                             [](const PlanItem& item) { return item.approved; }));
}

GroupCounts groups(const QList<PlanItem>& plan) {
    QHash<QString, int> counts;
    // The plan comes in folder order: each run of one folder is named and
    // counted once, which keeps a click in review quick.
    const PlanItem* run = nullptr;
    int length = 0;
    for (const PlanItem& item : plan) {
        if (!inTab(item, Tab::organize)) continue;
        if (run && item.destFolder == run->destFolder) {
            ++length;
            continue;
        }
        if (run) counts[run->group()] += length;
        run = &item;
        length = 1;
    }
    if (run) counts[run->group()] += length;
    GroupCounts sorted;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        sorted.append({it.key(), it.value()});
    // Equal counts may come in any order; by name keeps the sidebar still
    // while the user clicks.
    std::sort(sorted.begin(), sorted.end(), [](const GroupCount& a, const GroupCount& b) {
        return a.count != b.count ? a.count > b.count : a.name < b.name;
    });
    return sorted;
}

QString junkGroupName(const QString& destFolder) {
    const qsizetype slash = destFolder.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? destFolder : destFolder.mid(slash + 1);
}

QList<JunkGroup> junkGroups(const QList<PlanItem>& plan) {
    QList<JunkGroup> found;
    QHash<QString, qsizetype> byName;
    for (int row = 0; row < plan.size(); ++row) {
        const PlanItem& item = plan[row];
        if (!inTab(item, Tab::junk)) continue;
        const QString name = junkGroupName(item.destFolder);
        auto it = byName.find(name);
        if (it == byName.end()) {
            it = byName.insert(name, found.size());
            found.append({name, {}, 0});
        }
        JunkGroup& group = found[*it];
        group.rows.append(row);
        group.size += item.size;
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const JunkGroup& a, const JunkGroup& b) { return a.size > b.size; });
    return found;
}

QStringList destinationChoices(const QList<PlanItem>& plan) {
    QSet<QString> seen;
    const QString* last = nullptr; // runs of one folder are looked up once
    for (const PlanItem& item : plan) {
        if (!inTab(item, Tab::organize) || (last && item.destFolder == *last)) continue;
        seen.insert(item.destFolder);
        last = &item.destFolder;
    }
    QStringList choices(seen.begin(), seen.end());
    std::sort(choices.begin(), choices.end());
    return choices;
}

QString fileName(const PlanItem& item) {
    return QFileInfo(item.src.toLocalFile()).fileName();
}

QString shownName(const PlanItem& item) {
    return item.newName ? *item.newName : fileName(item);
}

} // namespace Review
