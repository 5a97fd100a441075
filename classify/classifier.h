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
#include <QSet>

#include <functional>
#include <memory>
#include <optional>

using Decisions = QHash<qint64, Decision>;

struct Job {
    enum class Kind { text, visual };
    Kind kind = Kind::text;
    QList<ScannedItem> items;
};

// What the rules leave for the model, split as it will be asked: text lines
// and contact sheets. `decided` holds the rules' own answers.
struct Sorted {
    Decisions decided;
    QSet<qint64> keywordIds; // decided by a project keyword, asked only for a name
    QList<ScannedItem> text;
    QList<ScannedItem> visual;
};

// Renders items into one JPEG sheet; nothing when it cannot.
using MakeSheet = std::function<QFuture<std::optional<QByteArray>>(const QList<ScannedItem>&)>;

// Decides every scanned item of a refresh: rules first, then the model in
// batches, then the uncertain ones again with the stronger model.
struct Classifier {
    // Decided so far, total, live counts per group. Called from any thread.
    using Progress = std::function<void(int, int, const QMap<QString, int>&)>;
    // Files about to go out in one request, and whether they are asked again
    // of the stronger model. Called from any thread, before the request.
    using Sending = std::function<void(int files, bool again)>;
    // Whether the refresh was stopped. Called from any thread.
    using Stopped = std::function<bool()>;

    QString apiKey;
    Profile profile;
    std::optional<QString> modelOverride;
    Model::Send send;
    MakeSheet sheet;
    // Answers of earlier refreshes for the main pass; none asks about every item.
    std::shared_ptr<DecisionCache> cache;
    Sending sending;
    // Once it says so, nothing more is recalled: every job goes to `send`,
    // which refuses it, so a stop ends the run however its files are answered.
    Stopped stopped;

    Sorted sort(const QList<ScannedItem>& items, Tidy::Mode mode) const;
    // Whether uncertain answers are asked again of the stronger model.
    bool escalates(Tidy::Mode mode) const;

    QFuture<Outcome<QList<PlanItem>>> buildPlan(const QList<ScannedItem>& items, Tidy::Mode mode,
                                                Progress progress) const;
    QFuture<Outcome<Decisions>> decideAll(const QList<ScannedItem>& items) const;
    // One batch, given its contact sheet when it is a visual one: the model's
    // decisions for the items it answered, or the failure that left the batch
    // unanswered, fatal or not; the caller chooses the fallback.
    QFuture<Outcome<Decisions>> run(const Job& job, const std::optional<QByteArray>& sheet) const;
    QFuture<Outcome<Decisions>> ask(const QJsonArray& content, const QList<ScannedItem>& items,
                                    const QString& model) const;
    static Decisions fallback(const QList<ScannedItem>& items, const Model::Failure& failure);

    QString model(Job::Kind kind) const;
};

// The live-count group a decision falls in, and the counts of a whole map.
QString groupName(const Decision& decision);
QMap<QString, int> tally(const Decisions& decisions);

// How files are batched into requests, and the user turn of each, as sent.
namespace Batches {
inline constexpr int maxTokens = 6000;
inline constexpr int text = 40;
inline constexpr int visual = 20;
inline constexpr int textAgain = 30;
inline constexpr int visualAgain = 15;
inline constexpr int mostAgain = 3000;
inline constexpr int inFlight = 6;
inline constexpr int inFlightAgain = 4;

QString textLines(const QList<ScannedItem>& items);
QString sheetCaption(const QList<ScannedItem>& items);

// Files per request and requests at once, for each pass: Claude's, or the
// smaller ones the user's own server is given.
struct Sizes {
    int text = Batches::text;
    int visual = Batches::visual;
    int inFlight = Batches::inFlight;
    int textAgain = Batches::textAgain;
    int visualAgain = Batches::visualAgain;
    int inFlightAgain = Batches::inFlightAgain;
};
Sizes sizes(const Profile& profile);
} // namespace Batches

namespace ClassifierText {
inline const QString notSure = QStringLiteral("Not sure what this is");
inline const QString noPreview = QStringLiteral("No preview available");
} // namespace ClassifierText
