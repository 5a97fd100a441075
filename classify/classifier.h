#pragma once

#include "decisioncache.h"
#include "model.h"
#include "records.h"
#include "tidy.h"

#include <QByteArray>
#include <QFuture>
#include <QHash>
#include <QList>
#include <QMap>

#include <functional>
#include <memory>
#include <optional>

using Decisions = QHash<qint64, Decision>;

struct Job {
    enum class Kind { text, visual };
    Kind kind = Kind::text;
    QList<ScannedItem> items;
};

// Renders items into one JPEG sheet; nothing when it cannot.
using MakeSheet = std::function<QFuture<std::optional<QByteArray>>(const QList<ScannedItem>&)>;

// Decides every scanned item of a refresh: rules first, then the model in
// batches, then the uncertain ones again with the stronger model.
struct Classifier {
    // Decided so far, total, live counts per group. Called from any thread.
    using Progress = std::function<void(int, int, const QMap<QString, int>&)>;

    QString apiKey;
    Profile profile;
    std::optional<QString> modelOverride;
    Model::Send send;
    MakeSheet sheet;
    // Answers of earlier refreshes for the main pass; none asks about every item.
    std::shared_ptr<DecisionCache> cache;

    QFuture<Outcome<QList<PlanItem>>> buildPlan(const QList<ScannedItem>& items, Tidy::Mode mode,
                                                Progress progress) const;
    QFuture<Outcome<Decisions>> decideAll(const QList<ScannedItem>& items) const;
    // One batch: the model's decisions for the items it answered, or the
    // failure that left the batch unanswered, fatal or not; the caller
    // chooses the fallback.
    QFuture<Outcome<Decisions>> run(const Job& job) const;
    QFuture<Outcome<Decisions>> ask(const QJsonArray& content,
                                    const QList<ScannedItem>& items) const;
    static Decisions fallback(const QList<ScannedItem>& items, const Model::Failure& failure);

    QString model() const { return modelOverride.value_or(profile.model); }
};

// The live-count group a decision falls in, and the counts of a whole map.
QString groupName(const Decision& decision);
QMap<QString, int> tally(const Decisions& decisions);

namespace ClassifierText {
inline const QString notSure = QStringLiteral("Not sure what this is");
inline const QString noPreview = QStringLiteral("No preview available");
} // namespace ClassifierText
