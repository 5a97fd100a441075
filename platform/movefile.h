#pragma once

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

// Moving a file or folder without ever replacing what is already there.
namespace MoveFile {

// Gives the path to try for the attempt-th time (0 first); called again when
// a candidate turns out to be taken at the moment of the move. An empty path
// stops the move.
using Candidate = std::function<QString(int attempt)>;

// Moves src to the first candidate that is free at the moment of the move.
// Within a volume this is an atomic rename that refuses to replace; across
// volumes the copy is complete and flushed before the source is removed, and
// a failed copy leaves the source untouched and no partial target. Returns
// the path the source now has, or nothing when it did not move.
std::optional<QString> move(const QString& src, const Candidate& candidate);

// After a move across volumes was cut short (the process killed mid-copy),
// the original is whole at src and dst holds the start of its copy. Removes
// dst if it is exactly that: made no earlier than `attempted` (when the move
// was about to start), every file in it a prefix of its original, every
// folder holding nothing the original lacks, links alike. Anything else at
// dst, or a dst whose birth time the file system does not keep, is left
// alone. True when dst was removed.
bool discardUnfinishedCopy(const QString& src, const QString& dst, const QDateTime& attempted);

} // namespace MoveFile
