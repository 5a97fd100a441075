#include "appstate.h"
#include "appstate_p.h"

#include "claudesender.h"
#include "files.h"
#include "format.h"
#include "json.h"
#include "mover.h"
#include "store.h"
#include "usage.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

const QString relayKey = QStringLiteral("@tovrin-server");
constexpr int autoCheckMs = 600'000;
// Writes come in bursts (a plan and the profile, a log and its index).
constexpr int rereadDelayMs = 300;

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

MakeSheet noSheet() {
    return [](const QList<ScannedItem>&) {
        return QtFuture::makeReadyFuture(std::optional<QByteArray>());
    };
}

} // namespace

QString relativeText(const QDateTime& from, const QDateTime& to) {
    const qint64 seconds = from.secsTo(to);
    const bool future = seconds < 0;
    const qint64 span = std::abs(seconds);
    struct Unit {
        qint64 seconds;
        const char* ago;
        const char* ahead;
    };
    static const Unit units[] = {{365 * 86400, QT_TRANSLATE_N_NOOP("AppState", "%n year(s) ago"),
                                  QT_TRANSLATE_N_NOOP("AppState", "in %n year(s)")},
                                 {30 * 86400, QT_TRANSLATE_N_NOOP("AppState", "%n month(s) ago"),
                                  QT_TRANSLATE_N_NOOP("AppState", "in %n month(s)")},
                                 {7 * 86400, QT_TRANSLATE_N_NOOP("AppState", "%n week(s) ago"),
                                  QT_TRANSLATE_N_NOOP("AppState", "in %n week(s)")},
                                 {86400, QT_TRANSLATE_N_NOOP("AppState", "%n day(s) ago"),
                                  QT_TRANSLATE_N_NOOP("AppState", "in %n day(s)")},
                                 {3600, QT_TRANSLATE_N_NOOP("AppState", "%n hour(s) ago"),
                                  QT_TRANSLATE_N_NOOP("AppState", "in %n hour(s)")},
                                 {60, QT_TRANSLATE_N_NOOP("AppState", "%n minute(s) ago"),
                                  QT_TRANSLATE_N_NOOP("AppState", "in %n minute(s)")},
                                 {1, QT_TRANSLATE_N_NOOP("AppState", "%n second(s) ago"),
                                  QT_TRANSLATE_N_NOOP("AppState", "in %n second(s)")}};
    for (const Unit& unit : units) {
        if (span < unit.seconds && unit.seconds != 1) continue;
        return AppState::tr(future ? unit.ahead : unit.ago, nullptr, int(span / unit.seconds));
    }
    return {};
}

AppState::AppState(AppServices services, QObject* parent)
    : QObject(parent), services_(std::move(services)),
      notifier_(services_.notifications, services_.now, services_.settingsPath) {
    if (!services_.sheet) services_.sheet = noSheet();
    learning_.setMaxThreadCount(1);

    loadProfile();
    readKey();

    timer_.setInterval(autoCheckMs);
    connect(&timer_, &QTimer::timeout, this, &AppState::onTick);
    timer_.start();

    // A previous apply cut short leaves a journal; fold it in before anything
    // reads the logs.
    Mover::recoverJournals();
    restorePendingPlan();
    loadImportPlan();
    notePlanWritten();

    reread_.setSingleShot(true);
    reread_.setInterval(rereadDelayMs);
    connect(&reread_, &QTimer::timeout, this, &AppState::rereadData);
    watcher_.addPaths({Store::dir(), Store::logsDir()});
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &reread_,
            qOverload<>(&QTimer::start));

    notificationHandler_.attach(this, services_.notifications);
    // Without a service (the command line) a due reminder stays due for the app.
    if (profile_.onboarded && services_.notifications) {
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

// Read only once Claude is to be asked: with the user's own server, the key
// stays in its file.
void AppState::readKey() {
    if (keyRead_ || profile_.local) return;
    keyRead_ = true;
    // We ship no key of our own: the stored key, else the relay.
    const QString key = Store::loadKey().value_or(relayKey);
    if (key == apiKey_) return;
    apiKey_ = key;
    emit apiKeyChanged();
}

void AppState::restorePendingPlan() {
    const QString path = Store::planPath();
    const std::optional<QList<PlanItem>> stored = Store::loadPlan();
    if (!stored) {
        if (QFileInfo::exists(path)) setUnreadableAside(path, now());
        return;
    }
    const QList<PlanItem> kept = existing(*stored);
    if (std::any_of(kept.begin(), kept.end(), [](const PlanItem& item) { return item.refused; })) {
        clearPlan();
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
        Files::writeAtomic(Store::asidePath(Store::planPath(), QStringLiteral("replaced"), now()),
                           Json::compact(Json::encodeList(plan_)), Files::Access::ownerOnly);
    setPlan(kept);
    setPhase(Phase::review);
    QTimer::singleShot(1500, this, [this] { open(QStringLiteral("review")); });
}

void AppState::notePlanWritten() {
    planWritten_ = QFileInfo(Store::planPath()).lastModified();
}

void AppState::rereadData() {
    // The run under way writes what it wants when it ends.
    if (isBusy()) return;
    if (const std::optional<Profile> stored = Store::loadProfile()) setProfile(*stored);
    // Our own writes are no news; while one is still to come, the file is ours.
    const std::optional<QDateTime> ours = planSaver_.landed();
    if (!ours) {
        loadHistory();
        return;
    }
    const QDateTime written = std::max(planWritten_, *ours);
    notePlanWritten();
    if (planWritten_ != written)
        if (const std::optional<QList<PlanItem>> stored = Store::loadPlan()) {
            const QList<PlanItem> kept = existing(*stored);
            if (kept != plan_) {
                plan_ = kept;
                junkOnlyPlan_ = false;
                emit planChanged();
                if (!plan_.isEmpty())
                    setPhase(Phase::review);
                else if (phase_ == Phase::review)
                    setPhase(Phase::idle);
            }
        }
    loadHistory();
}

bool AppState::claimRun() {
    if (busy_.take()) return true;
    setMessage(tr("Tovrin is busy on the command line. Try again when it is done."));
    return false;
}

void AppState::open(const QString& windowId) {
    if (openWindow_) openWindow_(windowId);
}

Usage& AppState::usage() const {
    return services_.usage ? *services_.usage : Usage::shared();
}

Model::Send AppState::sender(const Profile& profile) const {
    if (services_.send) return services_.send;
    return ClaudeSender::make(services_.wait, &usage(), profile.local);
}

void AppState::setProfile(const Profile& profile) {
    if (profile == profile_) return;
    const bool resetChanged = profile.autoTidy != profile_.autoTidy;
    profile_ = profile;
    emit profileChanged();
    readKey();
    if (resetChanged && profile_.onboarded) notifier_.setUp(profile_.autoTidy);
}

void AppState::updateProfile(const std::function<void(Profile&)>& edit) {
    Profile updated = profile_;
    edit(updated);
    if (updated == profile_) return;
    setProfile(updated);
    Store::saveProfile(profile_);
}

void AppState::ranAt(const QDateTime& at) {
    updateProfile([at](Profile& p) { p.lastRun = at; });
    Store::clearReturned();
}

void AppState::setPhase(Phase phase) {
    if (phase == phase_) return;
    phase_ = phase;
    if (!isBusy()) busy_.release();
    emit phaseChanged();
    emit progressChanged();
}

void AppState::setStatus(RefreshStep step, const QString& status) {
    if (step == step_ && status == status_) return;
    step_ = step;
    status_ = status;
    emit statusChanged();
    emit progressChanged();
}

void AppState::setDecided(int decided) {
    if (decided == decided_) return;
    decided_ = decided;
    emit decidedChanged();
    emit progressChanged();
}

void AppState::setTotal(int total) {
    if (total == total_) return;
    total_ = total;
    emit totalChanged();
    emit progressChanged();
}

void AppState::setLiveCounts(const LiveCounts& counts) {
    if (counts == liveCounts_) return;
    liveCounts_ = counts;
    emit liveCountsChanged();
}

void AppState::setLastRunCost(std::optional<double> cost) {
    if (cost == lastRunCost_) return;
    lastRunCost_ = cost;
    emit lastRunCostChanged();
}

void AppState::setPlan(const QList<PlanItem>& plan) {
    if (plan == plan_) return;
    plan_ = plan;
    planSaver_.save(plan_);
    emit planChanged();
}

// Written even when no plan is held: the file may keep one that was not restored.
void AppState::clearPlan() {
    planSaver_.save({});
    if (plan_.isEmpty()) return;
    plan_.clear();
    emit planChanged();
}

void AppState::setLastResult(std::optional<ApplyResult> result) {
    if (result == lastResult_) return;
    lastResult_ = result;
    emit lastResultChanged();
}

void AppState::setMessage(std::optional<QString> message) {
    if (message == message_) return;
    message_ = std::move(message);
    emit messageChanged();
}

void AppState::setNewFiles(int count) {
    if (count == newFiles_) return;
    newFiles_ = count;
    emit newFilesChanged();
}

void AppState::setRecap(std::optional<RecapData> recap) {
    if (recap == recap_) return;
    recap_ = std::move(recap);
    emit recapChanged();
}

void AppState::setClassifyStart(std::optional<QDateTime> start) {
    if (start == classifyStart_) return;
    classifyStart_ = start;
    emit classifyStartChanged();
    emit progressChanged();
}

void AppState::setHistory(const QList<HistoryEntry>& history) {
    if (history_ == history) return;
    history_ = history;
    emit historyChanged();
}

void AppState::setUndoPreview(const QString& log, const QList<ReturnStep>& steps) {
    if (previewedLog_ == log && undoPreview_ == steps) return;
    previewedLog_ = log;
    undoPreview_ = steps;
    emit undoPreviewChanged();
}

void AppState::setEstimate(std::optional<double> estimate) {
    if (estimate == estimate_) return;
    estimate_ = estimate;
    emit estimateChanged();
}

void AppState::setClassifyBaseline(int baseline) {
    if (baseline == classifyBaseline_) return;
    classifyBaseline_ = baseline;
    emit classifyBaselineChanged();
}

void AppState::saveKey(const QString& key) {
    const QString trimmed = key.trimmed();
    keyRead_ = true;
    if (trimmed == apiKey_) return;
    apiKey_ = trimmed;
    emit apiKeyChanged();
    Store::saveKey(apiKey_);
}

QString AppState::lastRunText() const {
    if (!profile_.lastRun) return tr("Ready for a fresh start");
    return tr("Last refresh %1").arg(relativeText(*profile_.lastRun, now()));
}

QString AppState::lastLogText() const {
    const std::optional<QString> log = Store::latestLog();
    if (!log) return {};
    const QDateTime modified = QFileInfo(*log).lastModified();
    if (!modified.isValid()) return {};
    return Format::date(modified.date());
}
