#pragma once

#include "records.h"

#include <QDateTime>
#include <QList>
#include <QMutex>
#include <QThreadPool>

#include <optional>

// Writes the plan under review off the main thread. A save starts at once;
// saves asked for while one is being written collapse into a single write of
// the newest plan, so the file never goes back to an older one. Destruction
// waits for the last write: a quit never loses an edit.
class PlanSaver {
public:
    PlanSaver();
    ~PlanSaver();
    PlanSaver(const PlanSaver&) = delete;
    PlanSaver& operator=(const PlanSaver&) = delete;

    // The list is shared, not copied, and a thread of ours copies it at once:
    // the caller's next edit then rarely finds it still shared, which would
    // make that edit copy all of it on the caller's thread.
    void save(const QList<PlanItem>& plan);
    // Takes back the list last given to save() while our copier has not yet
    // taken it: the caller is about to change it and save it again, so it
    // need not copy it first.
    void reclaim();
    // The plan file's time after our newest write landed; nothing while a
    // write is still to come, invalid before the first.
    std::optional<QDateTime> landed() const;

private:
    void copyNewest();
    void writeNewest();

    mutable QMutex mutex_;
    std::optional<QList<PlanItem>> shared_; // asked for, still the caller's list
    std::optional<QList<PlanItem>> copied_; // our own copy, not yet written
    bool copying_ = false;
    bool writing_ = false;
    QDateTime landed_;
    // One of each, in order: two writers could rename their files over each
    // other out of order.
    QThreadPool copier_;
    QThreadPool writer_;
};
