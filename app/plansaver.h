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

    // The list is shared, not copied; the caller's next change copies it
    // only while a write still holds it.
    void save(const QList<PlanItem>& plan);
    // The plan file's time after our newest write landed; nothing while a
    // write is still to come, invalid before the first.
    std::optional<QDateTime> landed() const;

private:
    void writeNewest();

    mutable QMutex mutex_;
    std::optional<QList<PlanItem>> newest_; // asked for, not yet taken by the writer
    bool writing_ = false;
    QDateTime landed_;
    QThreadPool pool_;
};
