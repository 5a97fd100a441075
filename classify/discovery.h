#pragma once

#include "classifier.h"
#include "model.h"
#include "records.h"

#include <QFuture>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Learns the user's projects from a summary of their files, once, before the
// first refresh and on deep refreshes.
namespace Discovery {

extern const QStringList stopWords;
extern const QString prompt;

QString digest(const QList<ScannedItem>& items);
QString top(const QHash<QString, int>& counts, int n);

// The projects named in a reply, and the notes saved; empty when the reply
// holds no JSON array of objects (the notes are then left alone).
QList<Project> takeReply(const QString& reply);

// Never fails: any failure gives no projects.
QFuture<QList<Project>> run(const QList<ScannedItem>& items, const QList<Project>& known,
                            const QString& apiKey, const QString& model, const Model::Send& send,
                            const MakeSheet& sheet);

} // namespace Discovery
