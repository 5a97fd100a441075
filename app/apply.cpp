#include "appstate.h"
#include "appstate_p.h"

#include "format.h"
#include "history.h"
#include "mover.h"
#include "vocabulary.h"

#include <QHash>
#include <QtConcurrent>

#include <algorithm>

using namespace AppStateDetail;

GroupCounts recapGroups(const QList<PlanItem>& plan) {
    QHash<QString, int> counts;
    QStringList order;
    for (const PlanItem& item : plan) {
        if (!item.approved || Category::isClearOut(item.category) ||
            Category::isNeedsYou(item.category))
            continue;
        const QString group = item.group();
        if (!counts.contains(group)) order.append(group);
        ++counts[group];
    }
    GroupCounts groups;
    for (const QString& name : order)
        groups.append({name, counts.value(name)});
    std::stable_sort(groups.begin(), groups.end(),
                     [](const GroupCount& a, const GroupCount& b) { return a.count > b.count; });
    return groups;
}

std::optional<PlanItem> exampleRename(const QList<PlanItem>& plan) {
    auto renamed = [](const PlanItem& item) {
        return item.approved && item.renameApproved && item.newName.has_value();
    };
    for (const PlanItem& item : plan)
        if (renamed(item) && item.kind == FileKind::image) return item;
    for (const PlanItem& item : plan)
        if (renamed(item)) return item;
    return std::nullopt;
}

void AppState::apply(bool includeRenames) {
    if (phase_ != Phase::review || !claimRun()) return;
    setPhase(Phase::applying);
    setStatus(RefreshStep::moving, tr("Moving files"));
    setMessage(std::nullopt);
    const QList<PlanItem> plan = plan_;
    const QString homeBase = profile_.homeBase;
    RecapData recap;
    recap.groups = recapGroups(plan);
    if (includeRenames)
        if (const std::optional<PlanItem> example = exampleRename(plan)) {
            recap.renameFrom = fileName(example->src);
            recap.renameTo = example->newName;
        }
    recap.duplicates = int(std::count_if(plan.begin(), plan.end(), [](const PlanItem& item) {
        return item.approved && item.category == Category::duplicate;
    }));

    whenDone(QtConcurrent::run([plan, homeBase, includeRenames] {
                 return Mover::apply(plan, homeBase, includeRenames);
             }),
             this, [recap](AppState* guard, const std::optional<ApplyResult>& applied) mutable {
                 if (!applied) {
                     guard->setPhase(Phase::review);
                     guard->setMessage(
                         tr("Nothing was moved: the log needed to undo the moves can't be "
                            "written. Check that the disk has room and isn't read-only."));
                     return;
                 }
                 const ApplyResult& result = *applied;
                 guard->setLastResult(result);
                 recap.result = result;
                 guard->setRecap(recap);
                 if (result.moved >= 1) guard->open(QStringLiteral("recap"));
                 guard->ranAt(guard->now());
                 guard->clearPlan();
                 guard->setPhase(Phase::done);
                 guard->loadHistory();
                 guard->refreshNewFiles();
             });
}

void AppState::undoLast() {
    if (isBusy() || !claimRun()) return;
    setPhase(Phase::applying);
    setStatus(RefreshStep::undoing, tr("Putting files back"));
    whenDone(QtConcurrent::run(&Mover::undoLatest), this, [](AppState* guard, int n) {
        guard->setPhase(Phase::idle);
        guard->setMessage(n >= 1 ? tr("Restored %Ln file(s) to where they were.", nullptr, n)
                                 : tr("Nothing to undo."));
        guard->loadHistory();
        guard->refreshNewFiles();
    });
}

QString returnText(const ReturnStep& step) {
    switch (step.outcome) {
    case Return::back:
        return QCoreApplication::translate("AppState", "Goes back");
    case Return::besideTaken:
        return QCoreApplication::translate("AppState", "Its old place is taken: goes back as %1")
            .arg(QFileInfo(step.back).fileName());
    case Return::movedAgain:
        return QCoreApplication::translate("AppState", "A later refresh moved it on");
    case Return::changed:
        return QCoreApplication::translate("AppState", "Changed since");
    case Return::gone:
        return QCoreApplication::translate("AppState", "No longer where it was put");
    case Return::putBack:
        return QCoreApplication::translate("AppState", "Already put back");
    }
    return {};
}

void AppState::loadHistory() {
    whenDone(
        QtConcurrent::run(&History::entries), this,
        [](AppState* guard, const QList<HistoryEntry>& history) { guard->setHistory(history); });
}

void AppState::previewUndo(const QString& log) {
    whenDone(QtConcurrent::run(&Mover::previewUndo, log), this,
             [log](AppState* guard, const QList<ReturnStep>& steps) {
                 guard->setUndoPreview(log, steps);
             });
}

void AppState::undoRefresh(const QString& log) {
    if (isBusy() || !claimRun()) return;
    setPhase(Phase::applying);
    setStatus(RefreshStep::undoing, tr("Putting files back"));
    whenDone(
        QtConcurrent::run(&Mover::undo, log), this,
        [](AppState* guard, const Mover::UndoCounts& counts) {
            guard->setPhase(Phase::idle);
            const int total = counts.restored + counts.left;
            if (counts.left >= 1)
                guard->setMessage(tr("Restored %1 of %Ln file(s); the rest stayed where they are.",
                                     nullptr, total)
                                      .arg(Format::count(counts.restored)));
            else
                guard->setMessage(
                    counts.restored >= 1
                        ? tr("Restored %Ln file(s) to where they were.", nullptr, counts.restored)
                        : tr("Nothing to undo."));
            guard->setUndoPreview({}, {});
            guard->loadHistory();
            guard->refreshNewFiles();
        });
}

void AppState::putBack(const QString& log, const QString& to) {
    if (isBusy() || !claimRun()) return;
    const Phase before = phase_;
    setPhase(Phase::applying);
    setStatus(RefreshStep::undoing, tr("Putting files back"));
    whenDone(QtConcurrent::run(&Mover::putBack, log, to), this,
             [before, log](AppState* guard, const ReturnStep& step) {
                 guard->setPhase(before);
                 const QString name = QFileInfo(step.move.to).fileName();
                 guard->setMessage(goesBack(step.outcome)
                                       ? tr("Put %1 back.").arg(name)
                                       : tr("%1 can't go back. %2").arg(name, returnText(step)));
                 guard->previewUndo(log);
                 guard->loadHistory();
                 guard->refreshNewFiles();
             });
}

void AppState::previewRecap() {
    RecapData sample;
    sample.result = ApplyResult{3639, 1204, 6'400'000'000, 14, 0};
    sample.groups = {{FolderLayout::personal, 744},
                     {QStringLiteral("Vantle"), 612},
                     {FolderLayout::creator, 488},
                     {QStringLiteral("Brel"), 301},
                     {QStringLiteral("KOVA"), 188}};
    sample.renameFrom = QStringLiteral("0aefeea7-a904-45aa-9f16.png");
    sample.renameTo = QStringLiteral("Vantle - holographic dragon card art.png");
    sample.duplicates = 118;
    setRecap(sample);
    open(QStringLiteral("recap"));
}
