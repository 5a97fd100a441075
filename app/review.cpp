#include "appstate.h"
#include "appstate_p.h"

#include "decisioncache.h"
#include "planner.h"
#include "store.h"
#include "vocabulary.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <utility>

using namespace AppStateDetail;

void AppState::discardPlan() {
    clearPlan();
    setPhase(Phase::idle);
}

// Each edit is written once, whole, after all its changes: a crash can then
// never leave a half-made edit on disk.
void AppState::editItems(const std::function<QList<int>(QList<PlanItem>&)>& edit) {
    const QList<int> rows = edit(planToEdit());
    planSaver_.save(plan_);
    if (!rows.isEmpty()) emit itemsEdited(rows);
}

QList<PlanItem>& AppState::planToEdit() {
    // A save not yet under way is taken back, which spares copying the whole
    // plan for this edit; the caller's save then writes both.
    planSaver_.reclaim();
    return plan_;
}

// A click on a tick: the views redraw those rows and recount, nothing more.
void AppState::approvalsEdited(const QList<int>& rows) {
    planSaver_.save(plan_);
    emit approvalsChanged(rows);
}

namespace {

int firstRowWithId(const QList<PlanItem>& plan, qint64 id) {
    for (int row = 0; row < plan.size(); ++row)
        if (plan[row].id == id) return row;
    return -1;
}

bool isCandidate(const PlanItem& item) {
    return Category::isNeedsYou(item.category) || item.category == Category::library;
}

} // namespace

// The lessons file and the earlier answers a lesson changes are rewritten off
// the main thread, one edit's after another's so that none is lost to a race.
// The next refresh waits for them.
void AppState::learn(const QList<Lesson>& lessons) {
    if (lessons.isEmpty()) return;
    learning_.start([lessons] {
        Store::addLessons(lessons);
        DecisionCache::forget(lessons);
    });
}

void AppState::toggle(qint64 id) {
    const int row = firstRowWithId(plan_, id);
    if (row < 0) return;
    PlanItem& item = planToEdit()[row];
    item.approved = !item.approved;
    approvalsEdited({row});
}

void AppState::setApproved(const QList<qint64>& ids, bool value) {
    const QSet<qint64> chosen(ids.begin(), ids.end());
    QList<int> rows;
    for (int row = 0; row < plan_.size(); ++row) {
        const PlanItem& item = std::as_const(plan_)[row];
        if (chosen.contains(item.id) && item.approved != value) rows.append(row);
    }
    if (rows.isEmpty()) return;
    QList<PlanItem>& plan = planToEdit();
    for (int row : rows)
        plan[row].approved = value;
    approvalsEdited(rows);
}

void AppState::toggleRename(qint64 id) {
    const int row = firstRowWithId(plan_, id);
    if (row < 0) return;
    PlanItem& item = planToEdit()[row];
    item.renameApproved = !item.renameApproved;
    approvalsEdited({row});
}

void AppState::setDestination(qint64 id, const QString& folder) {
    setDestinations({id}, folder);
}

void AppState::setDestinations(const QList<qint64>& ids, const QString& folder) {
    const bool leave = folder.trimmed().isEmpty();
    QList<Lesson> lessons;
    editItems([&](QList<PlanItem>& plan) {
        QSet<qint64> pending(ids.begin(), ids.end());
        QList<int> changed;
        for (int row = 0; row < plan.size() && !pending.isEmpty(); ++row) {
            // The first item under an id is the one edited, as for one id alone.
            if (!pending.remove(std::as_const(plan)[row].id)) continue;
            PlanItem& item = plan[row];
            PlanItem edited = item;
            edited.approved = !leave;
            if (!leave) {
                lessons.append({fileName(item.src), item.reason, folder});
                edited.destFolder = folder;
                edited.category = Category::user;
            }
            if (edited == item) continue;
            item = edited;
            changed.append(row);
        }
        return changed;
    });
    learn(lessons);
}

int AppState::addProject(const QString& name) {
    const QString clean = name.trimmed();
    if (clean.isEmpty()) return 0;
    const QString lower = clean.toLower();
    const bool known =
        std::any_of(profile_.projects.begin(), profile_.projects.end(),
                    [&](const Project& p) { return p.displayName().toLower() == lower; });
    if (!known) {
        Project project;
        project.name = clean;
        updateProfile([&](Profile& p) { p.projects.append(project); });
    }

    QList<int> moved;
    const QString folder =
        FolderLayout::under(FolderLayout::projects,
                            QString(clean).replace(QLatin1Char(':'), QLatin1Char('-')).trimmed());
    editItems([&](QList<PlanItem>& plan) {
        for (int row = 0; row < plan.size(); ++row) {
            const PlanItem& found = std::as_const(plan)[row];
            if (!isCandidate(found)) continue;
            const bool matches = (found.suggestedProject && found.suggestedProject->compare(
                                                                lower, Qt::CaseInsensitive) == 0) ||
                                 fileName(found.src).toLower().contains(lower) ||
                                 found.reason.toLower().contains(lower);
            if (!matches) continue;
            PlanItem& item = plan[row];
            item.destFolder = FolderLayout::under(folder, Planner::kindSub(item.kind));
            item.category = Category::ofProject(clean);
            item.approved = true;
            item.suggestedProject.reset();
            moved.append(row);
        }
        return moved;
    });
    const Lesson lesson{QStringLiteral("(project)"), QStringLiteral("user added project"),
                        FolderLayout::under(FolderLayout::projects, clean)};
    learn({lesson});
    return int(moved.size());
}

GroupCounts AppState::projectSuggestions() const {
    QHash<QString, int> counts;
    QStringList order;
    for (const PlanItem& item : plan_) {
        if (!isCandidate(item) || !item.suggestedProject) continue;
        if (!counts.contains(*item.suggestedProject)) order.append(*item.suggestedProject);
        ++counts[*item.suggestedProject];
    }
    QSet<QString> known;
    for (const Project& project : profile_.projects)
        known.insert(project.displayName().toLower());
    GroupCounts out;
    for (const QString& name : order)
        if (counts.value(name) >= 2 && !known.contains(name.toLower()))
            out.append({name, counts.value(name)});
    std::stable_sort(out.begin(), out.end(),
                     [](const GroupCount& a, const GroupCount& b) { return a.count > b.count; });
    if (out.size() > 3) out.resize(3);
    return out;
}
