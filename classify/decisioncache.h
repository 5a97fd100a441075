#pragma once

#include "records.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QSet>
#include <QString>

#include <optional>

// What was known of some items before asking, and the items still to ask about.
struct Recalled {
    QHash<qint64, Decision> known;
    QList<ScannedItem> unknown;
};

// The model's earlier answers, keyed by a file's content, its name and the
// model asked, so that a file seen again unchanged costs no call. One object
// per refresh; the data file behind it is shared, bounded and private, and a
// file that does not read back is an empty cache.
class DecisionCache {
public:
    explicit DecisionCache(QString model) : model_(std::move(model)) {}

    // Blocking (it hashes what the scan did not); callable from any thread.
    // An item looked up before is answered as then, without reading it again.
    Recalled recall(const QList<ScannedItem>& items);
    // Keeps the answers given to recalled-but-unknown items, with the folder
    // the plan gives each.
    void remember(const QHash<qint64, Decision>& answers, const QList<PlanItem>& plan);
    bool served(qint64 id) const;
    qint64 servedCount() const;

    // Drops the entries new lessons may change: those under a lesson's name
    // (or wildcard pattern) and those planned into its folder.
    static void forget(const QList<Lesson>& lessons);

private:
    bool looked(qint64 id) const;

    struct Asked {
        QByteArray hash;
        QString name;
    };

    QString model_;
    mutable QMutex mutex_;
    std::optional<QHash<QByteArray, Decision>> known_; // read on the first recall
    QHash<qint64, Asked> asked_;
    QHash<qint64, Decision> served_;
};
