#include "appstate.h"
#include "appstate_p.h"

#include "claudeapi.h"
#include "discovery.h"
#include "estimate.h"
#include "format.h"
#include "localserver.h"
#include "scanner.h"
#include "store.h"
#include "usage.h"
#include "userfolders.h"
#include "vocabulary.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QtConcurrent>

#include <algorithm>
#include <cmath>

using namespace AppStateDetail;

namespace {

constexpr int perRunCap = 25'000;
constexpr int monthlyCap = 60'000;
constexpr double warmUpSeconds = 6.0;
// How often a stopped refresh looks whether its aborted requests have ended.
constexpr int settlePollMs = 10;

const QStringList excludedUnderHome = {FolderLayout::projects,        FolderLayout::creator,
                                       FolderLayout::personal,        FolderLayout::workAdmin,
                                       FolderLayout::archive,         FolderLayout::review,
                                       FolderLayout::companionFolder, FolderLayout::appFolder};

void newestFirst(QList<ScannedItem>& items, int keep) {
    std::stable_sort(items.begin(), items.end(), [](const ScannedItem& a, const ScannedItem& b) {
        return a.modified > b.modified;
    });
    items.resize(keep);
}

QString unreachable(const Profile& profile) {
    if (profile.local) return LocalServer::unreachable(QUrl(profile.local->address));
    return AppState::tr("Couldn't reach Claude. Check your internet connection and try again.");
}

} // namespace

// The values one refresh works with, fixed when it starts.
struct AppState::Run {
    Tidy::Mode mode = Tidy::Mode::quick;
    Profile profile;
    QString apiKey;
    ScanOptions scan;
    std::optional<QString> note;
    std::shared_ptr<RunGate> gate;
    Model::Send send; // through the gate
    // Answers of earlier refreshes: shared by the estimate and the requests,
    // so a file is hashed once and only what will be sent is priced.
    std::shared_ptr<DecisionCache> cache;
    QFuture<double> estimate;
};

ProgressView AppState::progress() const {
    return {phase_, step_, decided_, total_, classifyStart_, classifyBaseline_};
}

std::optional<QString> AppState::timeLeftText() const {
    return ::timeLeftText(progress(), now());
}

QString AppState::calmStatus() const {
    return ::calmStatus(progress(), now());
}

namespace {

bool timing(const ProgressView& p) {
    return p.phase == Phase::scanning && p.classifyStart && p.decided < p.total;
}

// Known once classification has warmed up; nothing before, or when not timing.
std::optional<double> secondsLeft(const ProgressView& p, const QDateTime& now) {
    if (!timing(p)) return std::nullopt;
    const double elapsed = p.classifyStart->msecsTo(now) / 1000.0;
    const int done = p.decided - p.classifyBaseline;
    if (elapsed <= warmUpSeconds || done < 1) return std::nullopt;
    const double rate = done / elapsed;
    return (p.total - p.decided) / rate;
}

QString estimating() {
    return AppState::tr("Estimating time left…");
}

QString minutesLeft(double seconds) {
    if (seconds < 60) return AppState::tr("Less than a minute left");
    return AppState::tr("About %1 min left").arg(qint64(std::ceil(seconds / 60)));
}

} // namespace

std::optional<QString> timeLeftText(const ProgressView& p, const QDateTime& now) {
    if (!timing(p)) return std::nullopt;
    const std::optional<double> left = secondsLeft(p, now);
    return left ? minutesLeft(*left) : estimating();
}

QString calmStatus(const ProgressView& p, const QDateTime& now) {
    if (p.phase == Phase::applying) return AppState::tr("Putting everything in its place");
    if (p.step == RefreshStep::confirming) return AppState::tr("Waiting for your go-ahead");
    if (p.step == RefreshStep::stopping) return AppState::tr("Stopping…");
    if (const std::optional<double> left = secondsLeft(p, now)) return minutesLeft(*left);
    if (p.step == RefreshStep::walking || p.step == RefreshStep::learning)
        return AppState::tr("Learning what you work on…");
    return p.classifyStart ? estimating() : AppState::tr("Getting started…");
}

void AppState::start(Tidy::Mode mode) {
    if (isBusy()) return;
    if (!profile_.onboarded) {
        open(QStringLiteral("onboarding"));
        return;
    }
    if (!claimRun()) return;
    learning_.waitForDone(); // the run reads the lessons and the cache
    setPhase(Phase::scanning);
    setStatus(RefreshStep::starting, tr("Looking through your folders"));
    setDecided(0);
    setTotal(0);
    setClassifyStart(std::nullopt); // the last run's, which would time this walk
    setLiveCounts({});
    setMessage(std::nullopt);
    setEstimate(std::nullopt);
    junkOnlyPlan_ = mode == Tidy::Mode::junkOnly;
    clearPlan();

    Run run;
    run.gate = gate_ = std::make_shared<RunGate>();
    run.send = RunGate::wrap(run.gate, sender(profile_));
    run.mode = mode;
    run.profile = profile_;
    if (!profile_.local) run.apiKey = apiKey_;
    QStringList folders = profile_.scanFolders;
    if (mode == Tidy::Mode::quick && profile_.lastRun) {
        // Files an undo put back are new again, wherever they went back to.
        for (const QString& path : Store::loadReturned())
            run.scan.returned.insert(QDir::cleanPath(path));
        QSet<QString> holding;
        for (const QString& path : std::as_const(run.scan.returned))
            holding.insert(QFileInfo(path).path());
        folders.removeIf([&holding](const QString& name) {
            return name != UserFolders::desktop && name != UserFolders::downloads &&
                   !holding.contains(QDir::cleanPath(UserFolders::path(name)));
        });
    }
    for (const QString& root : UserFolders::roots(folders))
        run.scan.roots.append(QUrl::fromLocalFile(root));
    if (mode == Tidy::Mode::quick) run.scan.since = profile_.lastRun;
    run.scan.exclude = organisedFolders(profile_.homeBase);
    usage().reset(profile_.local.has_value());

    QMetaObject::invokeMethod(
        this, [this, run] { reachability(run); }, Qt::QueuedConnection);
}

void AppState::reachability(Run run) {
    // The walk goes on while the check waits for its answer; a failed check
    // leaves the walk's result unread.
    const QPointer<AppState> state = this;
    const QFuture<QList<ScannedItem>> walk =
        QtConcurrent::run([options = run.scan, state, gate = run.gate] {
            return Scanner::run(options, [state, gate](ScanProgress p) {
                onMain(state, [p, gate](AppState* s) {
                    // A quick scan can hand back its result before its last
                    // count arrives; a late count must not win, nor one of a
                    // stopped walk over the next refresh.
                    if (s->phase_ != Phase::scanning || s->gate_ != gate ||
                        (s->step_ != RefreshStep::starting && s->step_ != RefreshStep::walking))
                        return;
                    s->setStatus(RefreshStep::walking, tr("Found %Ln file(s)", nullptr, p.found));
                    s->setDecided(p.lookedInto);
                    s->setTotal(p.found);
                });
            });
        });
    const QFuture<Model::Answer> ping =
        Claude::ping(run.send, run.apiKey, Model::forFiles(run.profile));
    whenDone(ping, this, [run, walk](AppState* guard, const Model::Answer& answer) {
        if (run.gate->stopped()) return;
        if (const auto* failure = std::get_if<Model::Failure>(&answer)) {
            guard->setPhase(Phase::idle);
            guard->setMessage(failure->answered && !failure->description.isEmpty()
                                  ? failure->description
                                  : unreachable(run.profile));
            return;
        }
        whenDone(walk, guard,
                 [run](AppState* s, const QList<ScannedItem>& items) { s->scanned(run, items); });
    });
}

QList<QUrl> organisedFolders(const QString& homeBase) {
    QList<QUrl> folders;
    for (const QString& name : excludedUnderHome)
        folders.append(QUrl::fromLocalFile(homeBase + QLatin1Char('/') + name));
    return folders;
}

Capped applyCaps(QList<ScannedItem> items, qint64 usedThisMonth) {
    Capped capped;
    if (items.size() > perRunCap) {
        newestFirst(items, perRunCap);
        capped.note = AppState::tr("Sorted your newest %Ln file(s). Run it again for the rest.",
                                   nullptr, perRunCap);
    }
    const qint64 remaining = monthlyCap - usedThisMonth;
    if (remaining < 1) {
        capped.monthFull = true;
        capped.note =
            AppState::tr("You've reached this month's limit of %Ln file(s). It resets on the 1st.",
                         nullptr, monthlyCap);
        return capped;
    }
    if (items.size() > remaining) {
        newestFirst(items, int(remaining));
        capped.note =
            AppState::tr("Sorted your newest %Ln file(s). You've reached this month's limit.",
                         nullptr, int(remaining));
    }
    capped.items = std::move(items);
    return capped;
}

void AppState::scanned(Run run, const QList<ScannedItem>& found) {
    if (run.gate->stopped()) return;
    // The month's cap bounds spending; the user's own server costs nothing.
    const qint64 usedThisMonth =
        run.profile.local ? 0
                          : UsageLedger::load().months.value(UsageLedger::monthKey(now())).files;
    Capped capped = applyCaps(found, usedThisMonth);
    if (capped.monthFull) {
        usage().endRun(0);
        setPhase(Phase::idle);
        setMessage(capped.note);
        return;
    }
    run.note = capped.note;
    QList<ScannedItem> items = std::move(capped.items);
    setDecided(0); // counted the files looked into; classification counts anew
    setTotal(int(items.size()));

    if (run.mode != Tidy::Mode::deep && !run.profile.projects.isEmpty()) {
        classify(std::move(run), std::move(items));
        return;
    }
    setStatus(RefreshStep::learning, tr("Learning what you work on"));
    whenDone(Discovery::run(items, run.profile.projects, run.apiKey,
                            Model::forDiscovery(run.profile), run.send, services_.sheet),
             this, [run, items](AppState* guard, const QList<Project>& discovered) mutable {
                 if (run.gate->stopped()) return;
                 QSet<QString> known;
                 for (const Project& project : run.profile.projects)
                     known.insert(project.name.toLower());
                 QList<Project> fresh;
                 for (const Project& project : discovered)
                     if (!known.contains(project.name.toLower())) {
                         known.insert(project.name.toLower());
                         fresh.append(project);
                     }
                 if (!fresh.isEmpty()) {
                     guard->updateProfile([&](Profile& p) { p.projects.append(fresh); });
                     run.profile.projects = guard->profile().projects;
                 }
                 guard->classify(std::move(run), std::move(items));
             });
}

namespace {

Classifier classifierFor(const Profile& profile, const QString& apiKey, const Model::Send& send,
                         const MakeSheet& sheet, const std::shared_ptr<DecisionCache>& cache) {
    Classifier classifier;
    classifier.apiKey = apiKey;
    classifier.profile = profile;
    classifier.send = send;
    classifier.sheet = sheet;
    classifier.cache = cache;
    return classifier;
}

// What will be sent: the files the cache answers cost nothing.
Sorted toSend(const Classifier& classifier, const QList<ScannedItem>& items, Tidy::Mode mode) {
    Sorted sorted = classifier.sort(items, mode);
    if (classifier.cache) {
        sorted.text = classifier.cache->recall(sorted.text).unknown;
        sorted.visual = classifier.cache->recall(sorted.visual).unknown;
    }
    return sorted;
}

} // namespace

void AppState::classify(Run run, QList<ScannedItem> items) {
    setStatus(RefreshStep::classifying,
              items.isEmpty() ? tr("Nothing new to sort")
                              : tr("Looking at %Ln file(s)", nullptr, int(items.size())));
    run.cache = std::make_shared<DecisionCache>(Model::forFiles(run.profile));
    // Nothing to price on the user's own server, so nothing to hold for.
    if (run.profile.local) {
        sendAll(std::move(run), items);
        return;
    }
    const Classifier classifier =
        classifierFor(run.profile, run.apiKey, run.send, services_.sheet, run.cache);
    const double share =
        UsageLedger::escalationShare(UsageLedger::load()).value_or(Estimate::firstShareAgain);
    const double spent = usage().current().usd;
    run.estimate = QtConcurrent::run([classifier, items, mode = run.mode, share, spent] {
        return spent +
               Estimate::classification(classifier, toSend(classifier, items, mode), mode, share);
    });
    if (run.profile.costLimit && !items.isEmpty()) {
        whenDone(run.estimate, this, [run, items](AppState* s, double cost) mutable {
            s->estimated(std::move(run), std::move(items), cost);
        });
        return;
    }
    // Without a limit nothing waits on the estimate: the requests start at
    // once and the estimate shows when made.
    if (!items.isEmpty())
        whenDone(run.estimate, this, [gate = run.gate](AppState* s, double cost) {
            if (s->gate_ == gate && !gate->stopped()) s->setEstimate(cost);
        });
    sendAll(std::move(run), items);
}

void AppState::estimated(Run run, QList<ScannedItem> items, double cost) {
    if (run.gate->stopped()) return;
    setEstimate(cost);
    const double limit = *run.profile.costLimit;
    if (cost <= limit) {
        sendAll(std::move(run), items);
        return;
    }
    resume_ = [this, run = std::move(run), items = std::move(items)] { sendAll(run, items); };
    setStatus(RefreshStep::confirming, tr("Waiting for your go-ahead"));
    notifier_.costAboveLimit(estimateText(), Format::cost(limit));
}

void AppState::proceed() {
    if (!paused()) return;
    const std::function<void()> resume = std::exchange(resume_, {});
    setStatus(RefreshStep::classifying, tr("Looking at %Ln file(s)", nullptr, total_));
    resume();
}

void AppState::stop() {
    if (phase_ != Phase::scanning || !gate_ || gate_->stopped()) return;
    gate_->stop();
    resume_ = {};
    setStatus(RefreshStep::stopping, tr("Stopping…"));
    closeStopped(gate_);
}

// Once the aborted requests have ended, so the answers that made it in before
// the stop are priced and counted.
void AppState::closeStopped(const std::shared_ptr<RunGate>& gate) {
    if (!gate->settled()) {
        QTimer::singleShot(settlePollMs, this, [this, gate] { closeStopped(gate); });
        return;
    }
    const RunSent sent = gate->sent();
    const double cost = usage().endRun(sent.files, sent, true);
    setLastRunCost(cost);
    setPhase(Phase::idle);
    if (profile_.local)
        setMessage(tr("Stopped after %Ln file(s) sent to the model.", nullptr, int(sent.files)));
    else
        setMessage(tr("Stopped. This refresh cost %1 for %Ln file(s) sent to Claude.", nullptr,
                      int(sent.files))
                       .arg(Format::cost(cost)));
}

QString AppState::estimateText() const {
    if (!estimate_) return {};
    return tr("About %1 for %Ln file(s)", nullptr, total_).arg(Format::cost(*estimate_));
}

QString AppState::pausedText() const {
    if (!paused() || !profile_.costLimit) return {};
    return tr("That is more than your limit of %1 a refresh. Go on?")
        .arg(Format::cost(*profile_.costLimit));
}

void AppState::sendAll(Run run, const QList<ScannedItem>& items) {
    Classifier classifier =
        classifierFor(run.profile, run.apiKey, run.send, services_.sheet, run.cache);
    classifier.sending = [gate = run.gate](int files, bool again) { gate->sending(files, again); };
    classifier.stopped = [gate = run.gate] { return gate->stopped(); };
    setClassifyStart(std::nullopt);

    const QPointer<AppState> state(this);
    auto progress = [state](int decided, int total, const QMap<QString, int>& counts) {
        onMain(state, [decided, total, counts](AppState* s) {
            if (s->phase_ != Phase::scanning) return;
            if (!s->classifyStart_) {
                s->setClassifyStart(s->now());
                s->setClassifyBaseline(decided);
            }
            s->setDecided(decided);
            s->setTotal(total);
            s->setLiveCounts(counts);
        });
    };
    const qint64 files = items.size();
    // Only a run that could ask again tells how often that happens.
    const bool escalates = classifier.escalates(run.mode);
    // Handed over once the estimate is made too, so a finished run shows it.
    QFuture<Outcome<QList<PlanItem>>> planned =
        classifier.buildPlan(items, run.mode, progress)
            .then(QtFuture::Launch::Async,
                  [estimate = run.estimate](const Outcome<QList<PlanItem>>& outcome) mutable {
                      estimate.waitForFinished();
                      return outcome;
                  });
    // Queued behind the progress reports already posted.
    whenDone(planned, this,
             [run, files, escalates](AppState* s, const Outcome<QList<PlanItem>>& outcome) {
                 if (run.gate->stopped()) return;
                 if (const auto* failure = std::get_if<Model::Failure>(&outcome)) {
                     s->setLastRunCost(s->usage().endRun(0));
                     s->setPhase(Phase::idle);
                     s->setMessage(failure->description);
                     return;
                 }
                 if (files > 0 && !run.profile.local) s->setEstimate(run.estimate.result());
                 const QList<PlanItem>& plan = std::get<QList<PlanItem>>(outcome);
                 s->setLastRunCost(s->usage().endRun(files,
                                                     escalates ? run.gate->sent() : RunSent{},
                                                     false, run.cache->servedCount()));
                 if (run.note) s->setMessage(run.note);
                 s->setPlan(plan);
                 if (!plan.isEmpty()) {
                     s->setPhase(Phase::review);
                     s->notifier_.planReady(int(plan.size()));
                     return;
                 }
                 s->setLastResult(ApplyResult{});
                 s->ranAt(s->now());
                 s->setPhase(Phase::done);
             });
}
