#include "appstate.h"

#include "claudesender.h"
#include "discovery.h"
#include "files.h"
#include "format.h"
#include "json.h"
#include "mover.h"
#include "planner.h"
#include "scanner.h"
#include "store.h"
#include "usage.h"
#include "vocabulary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <QtConcurrent>

#include <algorithm>
#include <cmath>

namespace {

const QString relayKey = QStringLiteral("@tovrin-server");
const QString discoveryModel = QStringLiteral("claude-opus-5-5");
constexpr int perRunCap = 25'000;
constexpr int monthlyCap = 60'000;
constexpr int autoCheckMs = 600'000;
constexpr double warmUpSeconds = 6.0;
const QString estimating = QStringLiteral("Estimating time left…");

const QStringList excludedUnderHome = {FolderLayout::projects,    FolderLayout::creator,
                                       FolderLayout::personal,    FolderLayout::workAdmin,
                                       FolderLayout::archive,     FolderLayout::review,
                                       QStringLiteral("Quillon"), QStringLiteral("Tovrin App")};

QString trimmed(const QString& text) {
    return text.trimmed();
}

QString fileName(const QUrl& url) {
    return QFileInfo(url.toLocalFile()).fileName();
}

bool srcExists(const PlanItem& item) {
    const QFileInfo info(item.src.toLocalFile());
    return info.exists() || info.isSymLink();
}

QList<PlanItem> existing(const QList<PlanItem>& plan) {
    QList<PlanItem> kept;
    for (const PlanItem& item : plan)
        if (srcExists(item)) kept.append(item);
    return kept;
}

// A data file that no longer decodes is kept beside its old name.
void setUnreadableAside(const QString& path, const QDateTime& now) {
    Store::setAside(path, QStringLiteral("unreadable"), now);
}

void newestFirst(QList<ScannedItem>& items, int keep) {
    std::stable_sort(items.begin(), items.end(), [](const ScannedItem& a, const ScannedItem& b) {
        return a.modified > b.modified;
    });
    items.resize(keep);
}

MakeSheet noSheet() {
    return [](const QList<ScannedItem>&) {
        return QtFuture::makeReadyFuture(std::optional<QByteArray>());
    };
}

// Hands f to the main thread; it runs only if the state still exists there.
template <typename F> void onMain(const QPointer<AppState>& guard, F f) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [guard, f = std::move(f)]() mutable {
            if (guard) f(guard.data());
        },
        Qt::QueuedConnection);
}

// Hands the future's value to f on the main thread if the state still exists
// then. A context object in then() must outlive the task, which the state
// need not.
template <typename T, typename F> void whenDone(QFuture<T> future, AppState* state, F f) {
    future.then(QtFuture::Launch::Sync,
                [guard = QPointer<AppState>(state), f = std::move(f)](const T& value) {
                    onMain(guard, [f, value](AppState* s) mutable { f(s, value); });
                });
}

} // namespace

QString relativeText(const QDateTime& from, const QDateTime& to) {
    const qint64 seconds = from.secsTo(to);
    const bool future = seconds < 0;
    const qint64 span = std::abs(seconds);
    struct Unit {
        qint64 seconds;
        const char* one;
        const char* many;
    };
    static const Unit units[] = {{365 * 86400, "year", "years"}, {30 * 86400, "month", "months"},
                                 {7 * 86400, "week", "weeks"},   {86400, "day", "days"},
                                 {3600, "hour", "hours"},        {60, "minute", "minutes"},
                                 {1, "second", "seconds"}};
    for (const Unit& unit : units) {
        if (span < unit.seconds && unit.seconds != 1) continue;
        const qint64 n = span / unit.seconds;
        const QString text = QString::number(n) + QLatin1Char(' ') +
                             QString::fromLatin1(n == 1 ? unit.one : unit.many);
        return future ? QStringLiteral("in ") + text : text + QStringLiteral(" ago");
    }
    return {};
}

GroupCounts recapGroups(const QList<PlanItem>& plan) {
    QHash<QString, int> counts;
    QStringList order;
    for (const PlanItem& item : plan) {
        if (!item.approved || Category::isClearOut(item.category) ||
            Category::isNeedsYou(item.category))
            continue;
        const QString group = item.group();
        if (!counts.contains(group)) order.append(group);
        ++counts[group];
    }
    GroupCounts groups;
    for (const QString& name : order)
        groups.append({name, counts.value(name)});
    std::stable_sort(groups.begin(), groups.end(),
                     [](const GroupCount& a, const GroupCount& b) { return a.count > b.count; });
    return groups;
}

std::optional<PlanItem> exampleRename(const QList<PlanItem>& plan) {
    auto renamed = [](const PlanItem& item) {
        return item.approved && item.renameApproved && item.newName.has_value();
    };
    for (const PlanItem& item : plan)
        if (renamed(item) && item.kind == FileKind::image) return item;
    for (const PlanItem& item : plan)
        if (renamed(item)) return item;
    return std::nullopt;
}

void NotificationHandler::attach(AppState* state, NotificationService* service) {
    state_ = state;
    if (!service) return;
    connect(service, &NotificationService::clicked, this, [this](const QString& id) {
        if (state_) state_->handleNotification(id);
    });
}

// The values one refresh works with, fixed when it starts.
struct AppState::Run {
    TidyMode mode = TidyMode::quick;
    Profile profile;
    QString apiKey;
    ScanOptions scan;
    std::optional<QString> note;
};

AppState::AppState(AppServices services, QObject* parent)
    : QObject(parent), services_(std::move(services)),
      notifier_(services_.notifications, services_.now, services_.settingsPath) {
    if (!services_.send) services_.send = ClaudeSender::make(ClaudeAPI::defaultWait, &usage());
    if (!services_.sheet) services_.sheet = noSheet();

    loadProfile();
    // We ship no key of our own: the stored key, else the relay.
    apiKey_ = Store::loadKey().value_or(relayKey);

    timer_.setInterval(autoCheckMs);
    connect(&timer_, &QTimer::timeout, this, &AppState::onTick);
    timer_.start();

    // A previous apply cut short leaves a journal; fold it in before anything
    // reads the logs.
    Mover::recoverJournals();
    restorePendingPlan();
    loadImportPlan();

    notificationHandler_.attach(this, services_.notifications);
    if (profile_.onboarded) {
        notifier_.setUp(profile_.autoTidy);
        notifier_.deliverDueReminder();
    }
}

void AppState::loadProfile() {
    const QString path = Store::filePath(QStringLiteral("profile.json"));
    if (const std::optional<Profile> stored = Store::loadProfile()) {
        profile_ = *stored;
        return;
    }
    if (QFileInfo::exists(path)) setUnreadableAside(path, now());
}

void AppState::restorePendingPlan() {
    const QString path = Store::filePath(QStringLiteral("pending-plan.json"));
    const std::optional<QList<PlanItem>> stored = Store::loadPlan();
    if (!stored) {
        if (QFileInfo::exists(path)) setUnreadableAside(path, now());
        return;
    }
    const QList<PlanItem> kept = existing(*stored);
    const bool failed = std::any_of(kept.begin(), kept.end(), [](const PlanItem& item) {
        return item.reason.contains(QLatin1String("credit balance")) ||
               item.reason.contains(QLatin1String("Claude API error"));
    });
    if (failed) {
        setPlan({});
        return;
    }
    if (kept.isEmpty()) return;
    // Rewritten only when files vanished: the file already holds the rest.
    if (kept.size() == stored->size()) {
        plan_ = kept;
        emit planChanged();
    } else
        setPlan(kept);
    setPhase(Phase::review);
}

void AppState::loadImportPlan() {
    const QString path = Store::importPlanPath();
    if (!QFileInfo::exists(path)) return;
    const std::optional<QList<PlanItem>> imported = Store::loadImportPlan();
    if (!imported) {
        // Renamed aside rather than left, so it is neither retried at every
        // launch nor mistaken later for a plan that was loaded.
        setUnreadableAside(path, now());
        return;
    }
    const QList<PlanItem> kept = existing(*imported);
    Store::setAside(path, QStringLiteral("loaded"), now());
    if (kept.isEmpty()) return;
    // The import wins, but the plan it replaces may hold the user's edits.
    if (!plan_.isEmpty())
        Files::writeAtomic(Store::asidePath(Store::filePath(QStringLiteral("pending-plan.json")),
                                            QStringLiteral("replaced"), now()),
                           Json::compact(Json::encodeList(plan_)));
    setPlan(kept);
    setPhase(Phase::review);
    QTimer::singleShot(1500, this, [this] { open(QStringLiteral("review")); });
}

void AppState::onTick() {
    autoCheck();
    notifier_.deliverDueReminder();
}

void AppState::open(const QString& windowId) {
    if (openWindow_) openWindow_(windowId);
}

Usage& AppState::usage() const {
    return services_.usage ? *services_.usage : Usage::shared();
}

void AppState::setProfile(const Profile& profile) {
    const bool resetChanged = profile.autoTidy != profile_.autoTidy;
    profile_ = profile;
    emit profileChanged();
    if (resetChanged && profile_.onboarded) notifier_.setUp(profile_.autoTidy);
}

void AppState::setPhase(Phase phase) {
    phase_ = phase;
    emit phaseChanged();
    emit progressChanged();
}

void AppState::setStatus(RefreshStep step, const QString& status) {
    step_ = step;
    status_ = status;
    emit statusChanged();
    emit progressChanged();
}

void AppState::setDecided(int decided) {
    decided_ = decided;
    emit decidedChanged();
    emit progressChanged();
}

void AppState::setTotal(int total) {
    total_ = total;
    emit totalChanged();
    emit progressChanged();
}

void AppState::setLiveCounts(const LiveCounts& counts) {
    liveCounts_ = counts;
    emit liveCountsChanged();
}

void AppState::setLastRunCost(std::optional<double> cost) {
    lastRunCost_ = cost;
    emit lastRunCostChanged();
}

void AppState::setPlan(const QList<PlanItem>& plan) {
    plan_ = plan;
    Store::savePlan(plan_);
    emit planChanged();
}

void AppState::setLastResult(std::optional<ApplyResult> result) {
    lastResult_ = result;
    emit lastResultChanged();
}

void AppState::setMessage(std::optional<QString> message) {
    message_ = std::move(message);
    emit messageChanged();
}

void AppState::setNewFiles(int count) {
    newFiles_ = count;
    emit newFilesChanged();
}

void AppState::setRecap(std::optional<RecapData> recap) {
    recap_ = std::move(recap);
    emit recapChanged();
}

void AppState::setClassifyStart(std::optional<QDateTime> start) {
    classifyStart_ = start;
    emit classifyStartChanged();
    emit progressChanged();
}

void AppState::setClassifyBaseline(int baseline) {
    classifyBaseline_ = baseline;
    emit classifyBaselineChanged();
}

void AppState::saveKey(const QString& key) {
    apiKey_ = trimmed(key);
    emit apiKeyChanged();
    Store::saveKey(apiKey_);
}

void AppState::discardPlan() {
    setPlan({});
    setPhase(Phase::idle);
}

// Each edit is written once, whole, after all its changes: a crash can then
// never leave a half-made edit on disk.
void AppState::editPlan(const std::function<bool(QList<PlanItem>&)>& edit) {
    QList<PlanItem> plan = plan_;
    if (edit(plan)) setPlan(plan);
}

namespace {

PlanItem* firstWithId(QList<PlanItem>& plan, qint64 id) {
    for (PlanItem& item : plan)
        if (item.id == id) return &item;
    return nullptr;
}

bool isCandidate(const PlanItem& item) {
    return Category::isNeedsYou(item.category) || item.category == Category::library;
}

} // namespace

void AppState::toggle(qint64 id) {
    editPlan([id](QList<PlanItem>& plan) {
        PlanItem* item = firstWithId(plan, id);
        if (item) item->approved = !item->approved;
        return item != nullptr;
    });
}

void AppState::setApproved(const QList<qint64>& ids, bool value) {
    editPlan([&](QList<PlanItem>& plan) {
        bool changed = false;
        for (PlanItem& item : plan)
            if (ids.contains(item.id)) {
                item.approved = value;
                changed = true;
            }
        return changed;
    });
}

void AppState::toggleRename(qint64 id) {
    editPlan([id](QList<PlanItem>& plan) {
        PlanItem* item = firstWithId(plan, id);
        if (item) item->renameApproved = !item->renameApproved;
        return item != nullptr;
    });
}

void AppState::setDestination(qint64 id, const QString& folder) {
    editPlan([&](QList<PlanItem>& plan) {
        PlanItem* item = firstWithId(plan, id);
        if (!item) return false;
        if (folder.trimmed().isEmpty()) {
            item->approved = false;
            return true;
        }
        Store::addLesson({fileName(item->src), item->reason, folder});
        item->destFolder = folder;
        item->category = Category::user;
        item->approved = true;
        return true;
    });
}

int AppState::addProject(const QString& name) {
    const QString clean = trimmed(name);
    if (clean.isEmpty()) return 0;
    const QString lower = clean.toLower();
    const bool known =
        std::any_of(profile_.projects.begin(), profile_.projects.end(),
                    [&](const Project& p) { return p.displayName().toLower() == lower; });
    if (!known) {
        Profile updated = profile_;
        Project project;
        project.name = clean;
        updated.projects.append(project);
        setProfile(updated);
        Store::saveProfile(profile_);
    }

    int moved = 0;
    const QString folder =
        FolderLayout::under(FolderLayout::projects,
                            trimmed(QString(clean).replace(QLatin1Char(':'), QLatin1Char('-'))));
    editPlan([&](QList<PlanItem>& plan) {
        for (PlanItem& item : plan) {
            if (!isCandidate(item)) continue;
            const bool matches = (item.suggestedProject && item.suggestedProject->compare(
                                                               lower, Qt::CaseInsensitive) == 0) ||
                                 fileName(item.src).toLower().contains(lower) ||
                                 item.reason.toLower().contains(lower);
            if (!matches) continue;
            item.destFolder = FolderLayout::under(folder, Planner::kindSub(item.kind));
            item.category = Category::ofProject(clean);
            item.approved = true;
            item.suggestedProject.reset();
            ++moved;
        }
        return moved > 0;
    });
    Store::addLesson({QStringLiteral("(project)"), QStringLiteral("user added project"),
                      FolderLayout::under(FolderLayout::projects, clean)});
    return moved;
}

GroupCounts AppState::projectSuggestions() const {
    QHash<QString, int> counts;
    QStringList order;
    for (const PlanItem& item : plan_) {
        if (!isCandidate(item) || !item.suggestedProject) continue;
        if (!counts.contains(*item.suggestedProject)) order.append(*item.suggestedProject);
        ++counts[*item.suggestedProject];
    }
    QSet<QString> known;
    for (const Project& project : profile_.projects)
        known.insert(project.displayName().toLower());
    GroupCounts out;
    for (const QString& name : order)
        if (counts.value(name) >= 2 && !known.contains(name.toLower()))
            out.append({name, counts.value(name)});
    std::stable_sort(out.begin(), out.end(),
                     [](const GroupCount& a, const GroupCount& b) { return a.count > b.count; });
    if (out.size() > 3) out.resize(3);
    return out;
}

void AppState::autoCheck() {
    if (!profile_.autoTidy || !profile_.onboarded || phase_ != Phase::idle) return;
    const QDateTime current = now();
    if (!Schedule::isSundayFromNine(current)) return;
    if (profile_.lastRun && profile_.lastRun->toLocalTime().date() == current.toLocalTime().date())
        return;
    if (Schedule::takeAutoRunDay(services_.settingsPath, current)) start(TidyMode::quick);
}

void AppState::refreshNewFiles() {
    const std::optional<QDateTime> since = profile_.lastRun;
    const QString home = QDir::homePath();
    whenDone(QtConcurrent::run([since, home] {
                 int count = 0;
                 for (const char* name : {"Desktop", "Downloads"}) {
                     const QDir dir(home + QLatin1Char('/') + QLatin1String(name));
                     const QFileInfoList entries =
                         dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
                     for (const QFileInfo& entry : entries) {
                         if (!since) {
                             ++count;
                             continue;
                         }
                         const QDateTime modified = entry.lastModified();
                         if (modified.isValid() && modified > *since) ++count;
                     }
                 }
                 return count;
             }),
             this, [](AppState* s, int count) { s->setNewFiles(count); });
}

void AppState::handleNotification(const QString& id) {
    if (!plan_.isEmpty() && phase_ == Phase::review) {
        open(QStringLiteral("review"));
        return;
    }
    if (id == NotificationIds::sundayReminder) start(TidyMode::quick);
}

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

QString minutesLeft(double seconds) {
    if (seconds < 60) return QStringLiteral("Less than a minute left");
    return QStringLiteral("About ") + QString::number(qint64(std::ceil(seconds / 60))) +
           QStringLiteral(" min left");
}

} // namespace

std::optional<QString> timeLeftText(const ProgressView& p, const QDateTime& now) {
    if (!timing(p)) return std::nullopt;
    const std::optional<double> left = secondsLeft(p, now);
    return left ? minutesLeft(*left) : estimating;
}

QString calmStatus(const ProgressView& p, const QDateTime& now) {
    if (p.phase == Phase::applying) return QStringLiteral("Putting everything in its place");
    if (const std::optional<double> left = secondsLeft(p, now)) return minutesLeft(*left);
    if (p.step == RefreshStep::walking || p.step == RefreshStep::learning)
        return QStringLiteral("Learning what you work on…");
    return p.classifyStart ? estimating : QStringLiteral("Getting started…");
}

QString AppState::lastRunText() const {
    if (!profile_.lastRun) return QStringLiteral("Ready for a fresh start");
    return QStringLiteral("Last refresh ") + relativeText(*profile_.lastRun, now());
}

QString AppState::lastLogText() const {
    const std::optional<QString> log = Store::latestLog();
    if (!log) return {};
    const QDateTime modified = QFileInfo(*log).lastModified();
    if (!modified.isValid()) return {};
    return QLocale().toString(modified.date(), QStringLiteral("MMM d"));
}

void AppState::start(TidyMode mode) {
    if (isBusy()) return;
    if (!profile_.onboarded) {
        open(QStringLiteral("onboarding"));
        return;
    }
    setPhase(Phase::scanning);
    setStatus(RefreshStep::starting, QStringLiteral("Looking through your folders"));
    setDecided(0);
    setTotal(0);
    setClassifyStart(std::nullopt); // the last run's, which would time this walk
    setLiveCounts({});
    setMessage(std::nullopt);
    junkOnlyPlan_ = mode == TidyMode::junkOnly;
    setPlan({});

    Run run;
    run.mode = mode;
    run.profile = profile_;
    run.apiKey = apiKey_;
    const bool quickAgain = mode == TidyMode::quick && profile_.lastRun.has_value();
    for (const QString& folder : profile_.scanFolders) {
        if (quickAgain && folder != QLatin1String("Desktop") &&
            folder != QLatin1String("Downloads"))
            continue;
        run.scan.roots.append(QUrl::fromLocalFile(QDir::homePath() + QLatin1Char('/') + folder));
    }
    if (mode == TidyMode::quick) run.scan.since = profile_.lastRun;
    for (const QString& name : excludedUnderHome)
        run.scan.exclude.append(QUrl::fromLocalFile(profile_.homeBase + QLatin1Char('/') + name));
    usage().reset();

    QMetaObject::invokeMethod(
        this, [this, run] { reachability(run); }, Qt::QueuedConnection);
}

void AppState::reachability(Run run) {
    const QFuture<Model::Answer> ping =
        services_.send(run.apiKey, run.profile.model, QStringLiteral("Reply with OK."),
                       QJsonArray{Model::textBlock(QStringLiteral("ping"))}, 5);
    whenDone(ping, this, [run](AppState* guard, const Model::Answer& answer) {
        if (const auto* failure = std::get_if<Model::Failure>(&answer)) {
            guard->setPhase(Phase::idle);
            guard->setMessage(!failure->answered || failure->description.isEmpty()
                                  ? QStringLiteral("Couldn't reach Claude. Check your "
                                                   "internet connection and try again.")
                                  : failure->description);
            return;
        }
        const QPointer<AppState> state = guard;
        whenDone(
            QtConcurrent::run([options = run.scan, state] {
                return Scanner::run(options, [state](ScanProgress p) {
                    onMain(state, [p](AppState* s) {
                        // A quick scan can hand back its result before its
                        // last count arrives; a late count must not win.
                        if (s->phase_ != Phase::scanning ||
                            (s->step_ != RefreshStep::starting && s->step_ != RefreshStep::walking))
                            return;
                        s->setStatus(RefreshStep::walking, QStringLiteral("Found ") +
                                                               Format::count(p.found) +
                                                               QStringLiteral(" files"));
                        s->setDecided(p.lookedInto);
                        s->setTotal(p.found);
                    });
                });
            }),
            guard, [run](AppState* s, const QList<ScannedItem>& items) { s->scanned(run, items); });
    });
}

Capped applyCaps(QList<ScannedItem> items, qint64 usedThisMonth) {
    Capped capped;
    if (items.size() > perRunCap) {
        newestFirst(items, perRunCap);
        capped.note = QStringLiteral("Sorted your newest ") + Format::count(perRunCap) +
                      QStringLiteral(" files. Run it again for the rest.");
    }
    const qint64 remaining = monthlyCap - usedThisMonth;
    if (remaining < 1) {
        capped.monthFull = true;
        capped.note = QStringLiteral("You've reached this month's limit of ") +
                      Format::count(monthlyCap) + QStringLiteral(" files. It resets on the 1st.");
        return capped;
    }
    if (items.size() > remaining) {
        newestFirst(items, int(remaining));
        capped.note = QStringLiteral("Sorted your newest ") + Format::count(remaining) +
                      QStringLiteral(" files. You've reached this month's limit.");
    }
    capped.items = std::move(items);
    return capped;
}

void AppState::scanned(Run run, const QList<ScannedItem>& found) {
    const UsageLog log = UsageLedger::load();
    Capped capped = applyCaps(found, log.months.value(UsageLedger::monthKey(now())).files);
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

    if (run.mode != TidyMode::deep && !run.profile.projects.isEmpty()) {
        classify(std::move(run), std::move(items));
        return;
    }
    setStatus(RefreshStep::learning, QStringLiteral("Learning what you work on"));
    whenDone(Discovery::run(items, run.profile.projects, run.apiKey, discoveryModel, services_.send,
                            services_.sheet),
             this, [run, items](AppState* guard, const QList<Project>& discovered) mutable {
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
                     Profile updated = guard->profile();
                     updated.projects.append(fresh);
                     guard->setProfile(updated);
                     Store::saveProfile(updated);
                     run.profile.projects = updated.projects;
                 }
                 guard->classify(std::move(run), std::move(items));
             });
}

void AppState::classify(Run run, QList<ScannedItem> items) {
    setStatus(RefreshStep::classifying, items.isEmpty() ? QStringLiteral("Nothing new to sort")
                                                        : QStringLiteral("Looking at ") +
                                                              Format::count(items.size()) +
                                                              QStringLiteral(" files"));
    Classifier classifier;
    classifier.apiKey = run.apiKey;
    classifier.profile = run.profile;
    classifier.send = services_.send;
    classifier.sheet = services_.sheet;
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
    // Queued behind the progress reports already posted.
    whenDone(classifier.buildPlan(items, run.mode, progress), this,
             [run, files](AppState* s, const Outcome<QList<PlanItem>>& outcome) {
                 if (const auto* failure = std::get_if<Model::Failure>(&outcome)) {
                     s->setLastRunCost(s->usage().endRun(0));
                     s->setPhase(Phase::idle);
                     s->setMessage(failure->description);
                     return;
                 }
                 const QList<PlanItem>& plan = std::get<QList<PlanItem>>(outcome);
                 s->setLastRunCost(s->usage().endRun(files));
                 if (run.note) s->setMessage(run.note);
                 s->setPlan(plan);
                 if (!plan.isEmpty()) {
                     s->setPhase(Phase::review);
                     s->notifier_.planReady(int(plan.size()));
                     return;
                 }
                 s->setLastResult(ApplyResult{});
                 Profile updated = s->profile();
                 updated.lastRun = s->now();
                 s->setProfile(updated);
                 Store::saveProfile(updated);
                 s->setPhase(Phase::done);
             });
}

void AppState::apply(bool includeRenames) {
    if (phase_ != Phase::review) return;
    setPhase(Phase::applying);
    setStatus(RefreshStep::moving, QStringLiteral("Moving files"));
    setMessage(std::nullopt);
    const QList<PlanItem> plan = plan_;
    const QString homeBase = profile_.homeBase;
    RecapData recap;
    recap.groups = recapGroups(plan);
    if (includeRenames)
        if (const std::optional<PlanItem> example = exampleRename(plan)) {
            recap.renameFrom = fileName(example->src);
            recap.renameTo = example->newName;
        }
    recap.duplicates = int(std::count_if(plan.begin(), plan.end(), [](const PlanItem& item) {
        return item.approved && item.category == Category::duplicate;
    }));

    whenDone(QtConcurrent::run([plan, homeBase, includeRenames] {
                 return Mover::apply(plan, homeBase, includeRenames);
             }),
             this, [recap](AppState* guard, const std::optional<ApplyResult>& applied) mutable {
                 if (!applied) {
                     guard->setPhase(Phase::review);
                     guard->setMessage(QStringLiteral(
                         "Nothing was moved: the log needed to undo the moves can't be "
                         "written. Check that the disk has room and isn't read-only."));
                     return;
                 }
                 const ApplyResult& result = *applied;
                 guard->setLastResult(result);
                 recap.result = result;
                 guard->setRecap(recap);
                 if (result.moved >= 1) guard->open(QStringLiteral("recap"));
                 Profile updated = guard->profile();
                 updated.lastRun = guard->now();
                 guard->setProfile(updated);
                 Store::saveProfile(updated);
                 guard->setPlan({});
                 guard->setPhase(Phase::done);
                 guard->refreshNewFiles();
             });
}

void AppState::undoLast() {
    if (isBusy()) return;
    setPhase(Phase::applying);
    setStatus(RefreshStep::undoing, QStringLiteral("Putting files back"));
    whenDone(QtConcurrent::run(&Mover::undoLatest), this, [](AppState* guard, int n) {
        guard->setPhase(Phase::idle);
        guard->setMessage(n >= 1 ? QStringLiteral("Restored ") + Format::count(n) +
                                       QStringLiteral(" files to where they were.")
                                 : QStringLiteral("Nothing to undo."));
        guard->refreshNewFiles();
    });
}

void AppState::previewRecap() {
    RecapData sample;
    sample.result = ApplyResult{3639, 1204, 6'400'000'000, 14, 0};
    sample.groups = {{FolderLayout::personal, 744},
                     {QStringLiteral("Vantle"), 612},
                     {FolderLayout::creator, 488},
                     {QStringLiteral("Brel"), 301},
                     {QStringLiteral("KOVA"), 188}};
    sample.renameFrom = QStringLiteral("0aefeea7-a904-45aa-9f16.png");
    sample.renameTo = QStringLiteral("Vantle - holographic dragon card art.png");
    sample.duplicates = 118;
    setRecap(sample);
    open(QStringLiteral("recap"));
}
