#pragma once

#include "records.h"

#include <QList>
#include <QString>

#include <optional>

// Carries out an approved plan on disk and puts files back. Deletes nothing
// and never replaces an existing file; every completed move is logged.
namespace Mover {

// Nothing when no move could be put on record: then nothing has moved, since
// a move that cannot be undone is never made.
std::optional<ApplyResult> apply(const QList<PlanItem>& items, const QString& homeBase,
                                 bool includeRenames);
// Undoes the newest move log; the number of files put back.
int undoLatest();

// A move log, decoded; nothing when it does not decode.
std::optional<QList<MoveRecord>> readLog(const QString& path);

// What undoing the log of that name would do, file by file, in the order the
// undo goes (last move first). Files a later refresh moved again stay, as do
// files changed since, gone, or already put back.
QList<ReturnStep> previewUndo(const QString& log);

struct UndoCounts {
    int restored = 0;
    int left = 0; // stayed where they are, for a reason the preview gives
};
// Undoes the log of that name as its preview says and marks it undone; the
// log itself is kept. Nothing happens when it is undone already or unreadable.
UndoCounts undo(const QString& log);
// Puts back the one file that log moved to `to`, even when changed since;
// the step as taken (its outcome says why when it stayed).
ReturnStep putBack(const QString& log, const QString& to);
// The first path at or beside `path` that does not exist yet: "name (2).ext", ...
QString freeURL(const QString& path);
void writeLog(const QList<MoveRecord>& records, const QString& path);
// Folds journals left by an interrupted apply into their logs, and clears what
// an interrupted undo left half-copied; run at start-up.
void recoverJournals();

inline QString journalPath(const QString& log) {
    return log + QStringLiteral(".journal");
}
// Where an undo names each move back before it starts, as apply does.
inline QString undoJournalPath(const QString& log) {
    return log + QStringLiteral(".undoing");
}

} // namespace Mover
