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

QList<int> rows(const QList<PlanItem>& plan, Tab tab, const QString& group) {
    QList<int> found;
    const bool filtered = tab == Tab::organize && !group.isEmpty();
    for (int row = 0; row < plan.size(); ++row) {
        const PlanItem& item = plan[row];
        if (inTab(item, tab) && (!filtered || item.group() == group)) found.append(row);
    }
    return found;
}

int count(const QList<PlanItem>& plan, Tab tab) {
    return int(std::count_if(plan.begin(), plan.end(),
                             [tab](const PlanItem& item) { return inTab(item, tab); }));
}

int approvedCount(const QList<PlanItem>& plan) {
    return int(std::count_if(plan.begin(), plan.end(),
                             [](const PlanItem& item) { return item.approved; }));
}

GroupCounts groups(const QList<PlanItem>& plan) {
    QHash<QString, int> counts;
    for (const PlanItem& item : plan)
        if (inTab(item, Tab::organize)) ++counts[item.group()];
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
    for (const PlanItem& item : plan)
        if (inTab(item, Tab::organize)) seen.insert(item.destFolder);
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
