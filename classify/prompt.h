#pragma once

#include "records.h"

#include <QHash>
#include <QJsonArray>
#include <QString>

#include <optional>

// The texts sent to the model and the parser of its answer.
namespace Prompt {

// Reads the project notes and lessons anew on every call.
QString system(const Profile& profile);
QString lessonsText();
QString describe(const ScannedItem& item);
// User and model text made safe to put on one prompt line: every control
// character and line or paragraph separator becomes a JSON \u escape, so a
// file name cannot start a line of its own.
QString oneLine(const QString& text);
// The JSON array from the reply's first "[" to its last "]", when it is an
// array of objects; prose and code fences around it are ignored.
std::optional<QJsonArray> replyObjects(const QString& reply);
// Never fails: a reply without a usable JSON array gives an empty map.
QHash<qint64, Decision> parse(const QString& reply);

} // namespace Prompt
