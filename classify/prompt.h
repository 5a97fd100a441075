#pragma once

#include "records.h"

#include <QHash>
#include <QString>

// The texts sent to the model and the parser of its answer.
namespace Prompt {

// Reads the project notes and lessons anew on every call.
QString system(const Profile& profile);
QString lessonsText();
QString describe(const ScannedItem& item);
// Never fails: a reply without a usable JSON array gives an empty map.
QHash<qint64, Decision> parse(const QString& reply);

} // namespace Prompt
