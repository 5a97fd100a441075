#include "classifier.h"

#include "planner.h"
#include "prompt.h"
#include "rules.h"
#include "sortbykey.h"
#include "userfolders.h"
#include "vocabulary.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonObject>
#include <QMutex>
#include <QPromise>
#include <QtConcurrent>

#include <algorithm>
#include <memory>

namespace {

bool isVisual(const ScannedItem& item) {
    return item.kind == FileKind::image || item.kind == FileKind::video;
}

QList<Job> cut(const QList<ScannedItem>& items, Job::Kind kind, int size) {
    QList<Job> jobs;
    for (qsizetype at = 0; at < items.size(); at += size)
        jobs.append({kind, items.mid(at, size)});
    return jobs;
}

QList<Job> jobsOf(const QList<ScannedItem>& text, const QList<ScannedItem>& visual, int textSize,
                  int visualSize) {
    return cut(text, Job::Kind::text, textSize) + cut(visual, Job::Kind::visual, visualSize);
}

template <typename T> QFuture<T> ready(T value) {
    return QtFuture::makeReadyFuture(std::move(value));
}

// A job made ready to send: what the cache answered, the items still to ask
// about and, for images, their sheet.
struct Prepared {
    Job asked;
    Decisions known;
    std::optional<QByteArray> sheet;
};

// Runs jobs at most `limit` at a time, starting the next whenever one ends.
// Each job's outcome is handed to `merge`, one at a time, in the order jobs
// finish. A fatal failure starts no further job and cancels the requests in
// flight; the run ends once every started job has ended, so whatever those
// calls cost is counted before the caller closes the run's books.
// Jobs are prepared ahead of their turn, so no request slot waits on hashing
// or drawing; at most `sheetsAhead` sheets wait drawn for a free slot.
class JobRunner : public std::enable_shared_from_this<JobRunner> {
public:
    using Merge = std::function<void(const Job&, const Outcome<Decisions>&)>;

    JobRunner(Classifier classifier, QList<Job> jobs, int limit, Merge merge)
        : classifier(std::move(classifier)), jobs(std::move(jobs)), limit(limit),
          merge(std::move(merge)) {}

    QFuture<std::optional<Model::Failure>> start() {
        promise.start();
        auto future = promise.future();
        classifier.send = [weak = weak_from_this(), send = classifier.send](auto&&... args) {
            const std::shared_ptr<JobRunner> self = weak.lock();
            if (!self || self->stopping()) return QFuture<Model::Answer>();
            return self->track(send(args...));
        };
        launch();
        return future;
    }

private:
    static constexpr int sheetsAhead = 24;

    bool stopping() {
        QMutexLocker lock(&mutex);
        return fatal.has_value();
    }

    QFuture<Model::Answer> track(QFuture<Model::Answer> answer) {
        {
            QMutexLocker lock(&mutex);
            if (!fatal) {
                sent.removeIf([](const QFuture<Model::Answer>& f) { return f.isFinished(); });
                sent.append(answer);
                return answer;
            }
        }
        answer.cancel();
        return answer;
    }

    // Under the lock. Text jobs cost a recall only and are all prepared at
    // once; sheets are drawn in job order, a bounded number ahead.
    void prepareAhead() {
        if (fatal) return;
        while (prepared.size() < jobs.size()) {
            const Job& job = jobs.at(prepared.size());
            if (job.kind == Job::Kind::visual) {
                if (sheetsWaiting == sheetsAhead) return;
                ++sheetsWaiting;
            }
            prepared.append(prepare(job));
        }
    }

    void launch() {
        QList<QFuture<Prepared>> starting;
        bool done = false;
        std::optional<Model::Failure> result;
        {
            QMutexLocker lock(&mutex);
            prepareAhead();
            while (!fatal && running < limit && next < jobs.size()) {
                if (jobs.at(next).kind == Job::Kind::visual) --sheetsWaiting;
                // Taken out, so a sheet is held only until its job ends.
                starting.append(std::exchange(prepared[next++], {}));
                ++running;
            }
            prepareAhead();
            done = running == 0 && !ended;
            ended = ended || done;
            result = fatal;
        }
        if (done) {
            promise.addResult(result);
            promise.finish();
        }
        // Started outside the lock: a job may finish at once on this thread.
        for (QFuture<Prepared>& preparing : starting) {
            auto self = shared_from_this();
            preparing.then([self](const Prepared& job) {
                if (job.asked.items.isEmpty())
                    return self->jobEnded(job.asked, job.known, Decisions());
                self->classifier.run(job.asked, job.sheet)
                    .then([self, asked = job.asked,
                           known = job.known](const Outcome<Decisions>& outcome) {
                        self->jobEnded(asked, known, outcome);
                    })
                    .onCanceled(
                        [self, known = job.known] { self->jobEnded({}, known, std::nullopt); });
            });
        }
    }

    // Hashing reads files and drawing decodes them: both off the thread that
    // answers requests.
    QFuture<Prepared> prepare(const Job& job) const {
        return recall(job)
            .then([kind = job.kind, sheet = classifier.sheet](const Recalled& recalled) {
                const Job asked{kind, recalled.unknown};
                if (kind == Job::Kind::text || asked.items.isEmpty())
                    return ready(Prepared{asked, recalled.known, std::nullopt});
                return sheet(asked.items)
                    .then([asked, known = recalled.known](const std::optional<QByteArray>& jpeg) {
                        return Prepared{asked, known, jpeg};
                    });
            })
            .unwrap();
    }

    QFuture<Recalled> recall(const Job& job) const {
        if (!classifier.cache) return ready(Recalled{{}, job.items});
        return QtConcurrent::run(
            [cache = classifier.cache, stopped = classifier.stopped, items = job.items] {
                if (stopped && stopped()) return Recalled{{}, items};
                return cache->recall(items);
            });
    }

    // `outcome` is empty for a job whose request was cancelled; `known` holds
    // the answers recalled without asking.
    void jobEnded(const Job& job, const Decisions& known,
                  const std::optional<Outcome<Decisions>>& outcome) {
        QList<QFuture<Model::Answer>> cancel;
        {
            QMutexLocker lock(&mutex);
            --running;
            const auto* failure = outcome ? std::get_if<Model::Failure>(&*outcome) : nullptr;
            if (!fatal && failure && failure->fatal) {
                fatal = *failure;
                cancel.swap(sent);
            } else if (!fatal) {
                if (!known.isEmpty()) merge(Job{job.kind, {}}, known);
                if (outcome && !job.items.isEmpty()) merge(job, *outcome);
            }
        }
        for (QFuture<Model::Answer>& answer : cancel)
            answer.cancel();
        launch();
    }

    Classifier classifier;
    QList<Job> jobs;
    int limit;
    Merge merge;
    QMutex mutex;
    // One per job prepared so far, emptied once the job starts.
    QList<QFuture<Prepared>> prepared;
    int sheetsWaiting = 0;
    qsizetype next = 0;
    int running = 0;
    bool ended = false;
    std::optional<Model::Failure> fatal;
    QList<QFuture<Model::Answer>> sent;
    QPromise<std::optional<Model::Failure>> promise;
};

QFuture<std::optional<Model::Failure>> runJobs(const Classifier& classifier, QList<Job> jobs,
                                               int limit, JobRunner::Merge merge) {
    auto runner = std::make_shared<JobRunner>(classifier, std::move(jobs), limit, std::move(merge));
    return runner->start();
}

Decision fallbackDecision(const QString& reason, bool refused = false) {
    return {Category::needsYou, std::nullopt, Confidence::low, std::nullopt, reason,
            std::nullopt,       refused};
}

// The answers, and the unsure fallback for each item a reply left out.
Decisions withUnanswered(const QList<ScannedItem>& items, Decisions answers) {
    for (const ScannedItem& item : items)
        if (!answers.contains(item.id))
            answers.insert(item.id, fallbackDecision(ClassifierText::notSure));
    return answers;
}

void sortForBatches(QList<ScannedItem>& items) {
    sortByKey(items, [](const ScannedItem& item) {
        return std::pair(QFileInfo(item.path()).path(), item.modified);
    });
}

QString visualLine(int number, const ScannedItem& item) {
    QString line = QStringLiteral("#%1 = id %2: %3 (%4, modified %5)")
                       .arg(number)
                       .arg(item.id)
                       .arg(Prompt::oneLine(item.relPath()), toString(item.kind),
                            item.modified.toLocalTime().toString(QStringLiteral("yyyy-MM-dd")));
    if (item.whereFrom)
        line += QStringLiteral(", downloaded from ") + Prompt::oneLine(*item.whereFrom);
    return line;
}

// A small model on the user's own server sometimes answers beside the
// format; asked once more, it usually keeps to it. The second answer stands.
QFuture<Model::Answer> oneMoreIfUnreadable(QFuture<Model::Answer> first, const Model::Send& send,
                                           const QString& apiKey, const QString& model,
                                           const QString& system, const QJsonArray& content) {
    return first
        .then([=](const Model::Answer& answer) -> QFuture<Model::Answer> {
            const QString* reply = std::get_if<QString>(&answer);
            if (!reply || Prompt::replyObjects(*reply)) return ready(answer);
            return send(apiKey, model, system, content, Batches::maxTokens);
        })
        .unwrap();
}

} // namespace

Decisions Classifier::fallback(const QList<ScannedItem>& items, const Model::Failure& failure) {
    Decisions out;
    for (const ScannedItem& item : items)
        out.insert(item.id, fallbackDecision(failure.description, failure.refused));
    return out;
}

QString Classifier::model(Job::Kind kind) const {
    if (modelOverride) return *modelOverride;
    return kind == Job::Kind::visual ? Model::forPictures(profile) : Model::forFiles(profile);
}

QFuture<Outcome<Decisions>> Classifier::ask(const QJsonArray& content,
                                            const QList<ScannedItem>& items,
                                            const QString& model) const {
    if (sending) sending(int(items.size()), modelOverride.has_value());
    const QString system = Prompt::system(profile);
    QFuture<Model::Answer> answer = send(apiKey, model, system, content, Batches::maxTokens);
    if (profile.local) answer = oneMoreIfUnreadable(answer, send, apiKey, model, system, content);
    return answer.then([items](const Model::Answer& answer) -> Outcome<Decisions> {
        if (const auto* failure = std::get_if<Model::Failure>(&answer)) return *failure;
        const QHash<qint64, Decision> parsed = Prompt::parse(std::get<QString>(answer));
        Decisions out;
        for (const ScannedItem& item : items)
            if (const auto found = parsed.constFind(item.id); found != parsed.cend())
                out.insert(item.id, *found);
        return out;
    });
}

QFuture<Outcome<Decisions>> Classifier::run(const Job& job,
                                            const std::optional<QByteArray>& sheet) const {
    if (job.kind == Job::Kind::text)
        return ask(QJsonArray{Model::textBlock(Batches::textLines(job.items))}, job.items,
                   model(job.kind));
    if (!sheet) return ready<Outcome<Decisions>>(Model::Failure{false, ClassifierText::noPreview});
    return ask(
        QJsonArray{Model::imageBlock(*sheet), Model::textBlock(Batches::sheetCaption(job.items))},
        job.items, model(Job::Kind::visual));
}

QFuture<Outcome<Decisions>> Classifier::decideAll(const QList<ScannedItem>& items) const {
    QList<ScannedItem> text, visual;
    for (const ScannedItem& item : items)
        (isVisual(item) ? visual : text).append(item);
    auto result = std::make_shared<Decisions>();
    // A batch left unanswered adds nothing: its items keep their first answer.
    auto merge = [result](const Job&, const Outcome<Decisions>& outcome) {
        if (const auto* part = std::get_if<Decisions>(&outcome)) result->insert(*part);
    };
    const Batches::Sizes sizes = Batches::sizes(profile);
    return runJobs(*this, jobsOf(text, visual, sizes.textAgain, sizes.visualAgain),
                   sizes.inFlightAgain, merge)
        .then([result](const std::optional<Model::Failure>& fatal) -> Outcome<Decisions> {
            if (fatal) return *fatal;
            return *result;
        });
}

Sorted Classifier::sort(const QList<ScannedItem>& items, Tidy::Mode mode) const {
    Sorted sorted;
    auto enlist = [&](const ScannedItem& item) {
        (isVisual(item) ? sorted.visual : sorted.text).append(item);
    };
    const QStringList scanRoots = UserFolders::roots(profile.scanFolders);

    for (const ScannedItem& item : items) {
        if (auto junk = Rules::junkDecision(item, profile.keepInstallers)) {
            sorted.decided.insert(item.id, *junk);
            continue;
        }
        if (mode == Tidy::Mode::junkOnly) {
            if (item.kind == FileKind::image &&
                (item.junkHints.contains(JunkHint::screenshotName) ||
                 item.junkHints.contains(JunkHint::tinyImage)))
                sorted.visual.append(item);
            continue;
        }
        if (auto keyword = Rules::keywordDecision(item, profile.projects, scanRoots)) {
            sorted.decided.insert(item.id, *keyword);
            sorted.keywordIds.insert(item.id);
            if (profile.renameFiles && !item.isDir && Naming::isMeaningless(item.name))
                enlist(item);
            continue;
        }
        if (item.isDir && item.kind != FileKind::folder) continue;
        enlist(item);
    }
    sortForBatches(sorted.text);
    sortForBatches(sorted.visual);
    return sorted;
}

bool Classifier::escalates(Tidy::Mode mode) const {
    if (mode == Tidy::Mode::junkOnly || !Model::forSecondLook(profile)) return false;
    // The user's own second look is theirs to choose, even the same model.
    return profile.local || !profile.model.contains(QLatin1String("opus"));
}

QFuture<Outcome<QList<PlanItem>>> Classifier::buildPlan(const QList<ScannedItem>& items,
                                                        Tidy::Mode mode, Progress progress) const {
    Sorted sorted = sort(items, mode);
    auto decided = std::make_shared<Decisions>(std::move(sorted.decided));
    const QSet<qint64> keywordIds = sorted.keywordIds;

    const int total = int(items.size());
    progress(int(decided->size()), total, tally(*decided));

    // Counted as answers arrive: a full tally per batch would cost
    // batches x items on a large refresh.
    auto counts = std::make_shared<QMap<QString, int>>(tally(*decided));
    // What the model said, before keyword decisions keep their part: what
    // the cache keeps.
    auto answers = std::make_shared<Decisions>();
    auto merge = [decided, counts, answers, progress, total,
                  keywordIds](const Job& job, const Outcome<Decisions>& outcome) {
        const auto* failure = std::get_if<Model::Failure>(&outcome);
        if (!failure) answers->insert(std::get<Decisions>(outcome));
        const Decisions part = failure ? fallback(job.items, *failure)
                                       : withUnanswered(job.items, std::get<Decisions>(outcome));
        for (auto it = part.cbegin(); it != part.cend(); ++it) {
            auto known = decided->find(it.key());
            if (known != decided->end() && keywordIds.contains(it.key())) {
                known->newName = it->newName;
                continue;
            }
            if (known != decided->end()) {
                const QString old = groupName(*known);
                if (--(*counts)[old] == 0) counts->remove(old);
            }
            ++(*counts)[groupName(*it)];
            decided->insert(it.key(), *it);
        }
        progress(int(decided->size()), total, *counts);
    };

    const Classifier self = *this;
    const Batches::Sizes sizes = Batches::sizes(profile);
    return runJobs(*this, jobsOf(sorted.text, sorted.visual, sizes.text, sizes.visual),
                   sizes.inFlight, merge)
        .then([self, decided, answers, items, mode](
                  const std::optional<Model::Failure>& fatal) -> QFuture<Outcome<QList<PlanItem>>> {
            using Result = Outcome<QList<PlanItem>>;
            if (fatal) return ready<Result>(*fatal);
            auto finish = [self, decided, answers, items] {
                QList<PlanItem> plan = Planner::plan(items, (*decided), self.profile);
                if (!self.cache) return ready(Result(std::move(plan)));
                return QtConcurrent::run([cache = self.cache, answers, plan = std::move(plan)] {
                    cache->remember(*answers, plan);
                    return Result(plan);
                });
            };
            if (!self.escalates(mode)) return finish();

            QList<ScannedItem> uncertain;
            for (const ScannedItem& item : items) {
                auto decision = decided->constFind(item.id);
                // A recalled answer already had its second opinion.
                if (decision == decided->cend() || (self.cache && self.cache->served(item.id)))
                    continue;
                if (Category::isNeedsYou(decision->category) ||
                    decision->confidence == Confidence::low)
                    uncertain.append(item);
                if (uncertain.size() == Batches::mostAgain) break;
            }
            if (uncertain.isEmpty()) return finish();

            Classifier stronger = self;
            stronger.modelOverride = Model::forSecondLook(self.profile);
            stronger.cache.reset();
            return stronger.decideAll(uncertain)
                .then([decided, answers,
                       finish](const Outcome<Decisions>& outcome) -> QFuture<Result> {
                    if (const auto* failure = std::get_if<Model::Failure>(&outcome))
                        return ready<Result>(*failure);
                    // Items the stronger model left out, or shrugged at, keep
                    // their first answer.
                    const Decisions& second = std::get<Decisions>(outcome);
                    for (auto it = second.cbegin(); it != second.cend(); ++it)
                        if (!Category::isNeedsYou(it->category) ||
                            it->reason != ClassifierText::notSure) {
                            decided->insert(it.key(), *it);
                            answers->insert(it.key(), *it);
                        }
                    return finish();
                })
                .unwrap();
        })
        .unwrap();
}

QString groupName(const Decision& decision) {
    const QString& category = decision.category;
    if (const std::optional<QString> project = Category::projectOf(category)) return *project;
    if (Category::isClearOut(category))
        return QCoreApplication::translate("Classifier", "To clear out");
    if (Category::isNeedsYou(category))
        return QCoreApplication::translate("Classifier", "Needs You");
    QStringList words = category.split(QLatin1Char(' '));
    for (QString& word : words)
        if (!word.isEmpty()) word = word.left(1).toUpper() + word.mid(1).toLower();
    return words.join(QLatin1Char(' '));
}

namespace Batches {

Sizes sizes(const Profile& profile) {
    if (!profile.local) return {};
    const LocalModel& local = *profile.local;
    return {local.textBatch, local.visualBatch, local.inFlight,
            local.textBatch, local.visualBatch, local.inFlight};
}

QString textLines(const QList<ScannedItem>& items) {
    QStringList lines;
    for (const ScannedItem& item : items)
        lines.append(Prompt::describe(item));
    return QStringLiteral("Files, one JSON object per line:\n") + lines.join(QLatin1Char('\n'));
}

QString sheetCaption(const QList<ScannedItem>& items) {
    QStringList lines;
    for (qsizetype i = 0; i < items.size(); ++i)
        lines.append(visualLine(int(i) + 1, items.at(i)));
    return QStringLiteral("This contact sheet shows these files; each tile "
                          "is labeled with its number:\n") +
           lines.join(QLatin1Char('\n'));
}

} // namespace Batches

QMap<QString, int> tally(const Decisions& decisions) {
    QMap<QString, int> counts;
    for (const Decision& decision : decisions)
        ++counts[groupName(decision)];
    return counts;
}
