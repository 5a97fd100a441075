#pragma once

#include "records.h"
#include "tidy.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>
#include <QTextStream>

// The subcommands of tovrin-cli, each over the same core and data folder as
// the app. Each returns the process's exit status.
namespace Cli {

enum Exit : int {
    ok = 0,
    failed = 1,  // ran, but could not do what was asked; one line says why
    refused = 2, // not run: a bad argument, or a refresh, apply or undo is under way
};

QTextStream& out();
QTextStream& err();
// Indented, so a person can read it too.
void printJson(const QJsonValue& value);
// "1 file", "1,203 files".
QString files(qint64 n);
// The one line a refusal prints.
Exit busy();
// The plan grouped as the review window groups it.
QJsonObject planJson(const QList<PlanItem>& plan);

Exit scan(const QStringList& folders, bool json);
Exit refresh(Tidy::Mode mode, bool json);
Exit apply(bool includeRenames, bool json);
// An empty refresh means the latest.
Exit undo(const QString& refresh, bool json);
Exit plan(bool json);
Exit history(bool json);
// An empty month means this one; otherwise "YYYY-MM".
Exit usage(const QString& month, bool json);

} // namespace Cli
