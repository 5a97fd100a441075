#pragma once

#include <QString>

#include <functional>
#include <optional>

// Moving a file or folder without ever replacing what is already there.
namespace MoveFile {

// Gives the path to try for the attempt-th time (0 first); called again when
// a candidate turns out to be taken at the moment of the move.
using Candidate = std::function<QString(int attempt)>;

// Moves src to the first candidate that is free at the moment of the move.
// Within a volume this is an atomic rename that refuses to replace; across
// volumes the copy is complete and flushed before the source is removed, and
// a failed copy leaves the source untouched and no partial target. Returns
// the path the source now has, or nothing when it did not move.
std::optional<QString> move(const QString& src, const Candidate& candidate);

} // namespace MoveFile
