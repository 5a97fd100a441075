#pragma once

#include "records.h"

#include <QList>
#include <QString>
#include <QStringList>

// Every past apply, summed up once per move log in an index beside the
// logs, so listing them never reads the logs themselves. Logs the index does
// not know yet (written before it, or by an interrupted apply) are read once
// and added.
namespace History {

// Newest first, undone ones included.
QList<HistoryEntry> entries();
// The summary of one log, as the list shows it.
HistoryEntry summary(const QString& log, const QList<MoveRecord>& records);
// Enters the summary of a log just written.
void note(const HistoryEntry& entry);
// Where the files were that were put back one at a time from that log.
QStringList putBack(const QString& log);
void notePutBack(const QString& log, const QString& to);

} // namespace History
