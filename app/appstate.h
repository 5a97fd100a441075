#pragma once

#include "busylock.h"
#include "classifier.h"
#include "claudeapi.h"
#include "model.h"
#include "notifications.h"
#include "plansaver.h"
#include "records.h"
#include "rungate.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <functional>
#include <optional>

class Usage;

struct GroupCount {
    QString name;
    int count = 0;

    bool operator==(const GroupCount&) const = default;
};

struct RecapData {
    ApplyResult result;
    QList<GroupCount> groups;
    std::optional<QString> renameFrom;
    std::optional<QString> renameTo;
    int duplicates = 0;

    bool operator==(const RecapData&) const = default;
};

using Phase = Tidy::Phase;
using LiveCounts = QMap<QString, int>;
using GroupCounts = QList<GroupCount>;

// The work the status line describes; the progress texts follow it, never
// the line's own words.
enum class RefreshStep {
    starting,
    walking,
    learning,
    classifying,
    confirming, // the estimate is above the user's limit: waiting for their word
    stopping,
    moving,
    undoing
};

// What the progress texts read of the state.
struct ProgressView {
    Phase phase = Phase::idle;
    RefreshStep step = RefreshStep::starting;
    int decided = 0;
    int total = 0;
    std::optional<QDateTime> classifyStart;
    int classifyBaseline = 0;
};

// What the state talks to outside the process; tests replace each of them.
struct AppServices {
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    // Not owned; null means no notifications.
    NotificationService* notifications = nullptr;
    Model::Send send; // empty: the Claude client, or the user's own server
    ClaudeAPI::Wait wait = ClaudeAPI::defaultWait; // the client's busy back-off
    MakeSheet sheet;        // empty: no sheets, so visual files get the no-preview answer
    Usage* usage = nullptr; // null: the process-wide counters
    QString settingsPath = Notifier::defaultSettingsPath();
};

class AppState;

// Turns a click on one of our notifications into handleNotification().
class NotificationHandler : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void attach(AppState* state, NotificationService* service);

private:
    QPointer<AppState> state_;
};

// The one application state. Lives on the main thread; background work hands
// its results back through queued calls that check the state still exists.
class AppState : public QObject {
    Q_OBJECT
    Q_PROPERTY(Profile profile READ profile WRITE setProfile NOTIFY profileChanged)
    Q_PROPERTY(QString apiKey READ apiKey NOTIFY apiKeyChanged)
    Q_PROPERTY(Tidy::Phase phase READ phase NOTIFY phaseChanged)
    Q_PROPERTY(QString status READ status NOTIFY statusChanged)
    Q_PROPERTY(int decided READ decided NOTIFY decidedChanged)
    Q_PROPERTY(int total READ total NOTIFY totalChanged)
    Q_PROPERTY(LiveCounts liveCounts READ liveCounts NOTIFY liveCountsChanged)
    Q_PROPERTY(std::optional<double> lastRunCost READ lastRunCost NOTIFY lastRunCostChanged)
    // Edits are told by itemsEdited and approvalsChanged, with their rows.
    Q_PROPERTY(QList<PlanItem> plan READ plan NOTIFY planChanged)
    Q_PROPERTY(std::optional<ApplyResult> lastResult READ lastResult NOTIFY lastResultChanged)
    Q_PROPERTY(std::optional<QString> message READ message NOTIFY messageChanged)
    Q_PROPERTY(int newFiles READ newFiles NOTIFY newFilesChanged)
    Q_PROPERTY(std::optional<RecapData> recap READ recap NOTIFY recapChanged)
    Q_PROPERTY(
        std::optional<QDateTime> classifyStart READ classifyStart NOTIFY classifyStartChanged)
    Q_PROPERTY(int classifyBaseline READ classifyBaseline NOTIFY classifyBaselineChanged)
    Q_PROPERTY(bool isBusy READ isBusy NOTIFY phaseChanged)
    Q_PROPERTY(QString calmStatus READ calmStatus NOTIFY progressChanged)
    Q_PROPERTY(std::optional<QString> timeLeftText READ timeLeftText NOTIFY progressChanged)
    Q_PROPERTY(QString lastRunText READ lastRunText NOTIFY profileChanged)
    Q_PROPERTY(QString lastLogText READ lastLogText NOTIFY historyChanged)
    Q_PROPERTY(GroupCounts projectSuggestions READ projectSuggestions NOTIFY planChanged)
    // Past applies, newest first; read when loadHistory() asks.
    Q_PROPERTY(QList<HistoryEntry> history READ history NOTIFY historyChanged)
    // What undoing previewedLog would do, file by file.
    Q_PROPERTY(QString previewedLog READ previewedLog NOTIFY undoPreviewChanged)
    Q_PROPERTY(QList<ReturnStep> undoPreview READ undoPreview NOTIFY undoPreviewChanged)
    // "About $0.42 for 1,203 files" once the refresh knows; empty before.
    Q_PROPERTY(QString estimateText READ estimateText NOTIFY estimateChanged)
    Q_PROPERTY(bool paused READ paused NOTIFY progressChanged)
    // Why the refresh waits; empty unless paused.
    Q_PROPERTY(QString pausedText READ pausedText NOTIFY progressChanged)

public:
    using OpenWindow = std::function<void(const QString& windowId)>;

    explicit AppState(AppServices services = {}, QObject* parent = nullptr);

    const Profile& profile() const { return profile_; }
    void setProfile(const Profile& profile);
    // Edits a copy of the profile and, when that changed it, takes and saves it.
    void updateProfile(const std::function<void(Profile&)>& edit);
    QString apiKey() const { return apiKey_; }
    Phase phase() const { return phase_; }
    QString status() const { return status_; }
    int decided() const { return decided_; }
    int total() const { return total_; }
    LiveCounts liveCounts() const { return liveCounts_; }
    std::optional<double> lastRunCost() const { return lastRunCost_; }
    const QList<PlanItem>& plan() const { return plan_; }
    // The plan came from a junk-only refresh, so its review starts on Junk.
    bool junkOnlyPlan() const { return junkOnlyPlan_; }
    std::optional<ApplyResult> lastResult() const { return lastResult_; }
    std::optional<QString> message() const { return message_; }
    int newFiles() const { return newFiles_; }
    std::optional<RecapData> recap() const { return recap_; }
    std::optional<QDateTime> classifyStart() const { return classifyStart_; }
    int classifyBaseline() const { return classifyBaseline_; }

    bool isBusy() const { return phase_ == Phase::scanning || phase_ == Phase::applying; }
    QString calmStatus() const;
    std::optional<QString> timeLeftText() const;
    QString lastRunText() const;
    QString lastLogText() const;
    GroupCounts projectSuggestions() const;
    const QList<HistoryEntry>& history() const { return history_; }
    QString previewedLog() const { return previewedLog_; }
    const QList<ReturnStep>& undoPreview() const { return undoPreview_; }
    // US dollars the running refresh is expected to cost in all.
    std::optional<double> estimate() const { return estimate_; }
    QString estimateText() const;
    bool paused() const { return phase_ == Phase::scanning && step_ == RefreshStep::confirming; }
    QString pausedText() const;

    // Installed by the shell; opens the window with that id and brings the
    // application to the front.
    void setOpenWindow(OpenWindow open) { openWindow_ = std::move(open); }
    const QTimer& autoCheckTimer() const { return timer_; }
    Notifier& notifier() { return notifier_; }

    Q_INVOKABLE void saveKey(const QString& key);
    Q_INVOKABLE void discardPlan();

    // Review edits; each starts its write to disk before it returns.
    Q_INVOKABLE void toggle(qint64 id);
    Q_INVOKABLE void setApproved(const QList<qint64>& ids, bool value);
    Q_INVOKABLE void toggleRename(qint64 id);
    // A blank folder is "Leave where it is".
    Q_INVOKABLE void setDestination(qint64 id, const QString& folder);
    // The same for many items, written once.
    Q_INVOKABLE void setDestinations(const QList<qint64>& ids, const QString& folder);
    Q_INVOKABLE int addProject(const QString& name);

    Q_INVOKABLE void autoCheck();
    Q_INVOKABLE void refreshNewFiles();
    Q_INVOKABLE void handleNotification(const QString& id);

    Q_INVOKABLE void start(Tidy::Mode mode);
    // Ends a refresh at once: the requests in flight are aborted, what was
    // spent is recorded, and nothing of the run is kept. Moves cannot be stopped.
    Q_INVOKABLE void stop();
    // Lets a refresh paused by the cost limit go on.
    Q_INVOKABLE void proceed();
    Q_INVOKABLE void apply(bool includeRenames);
    Q_INVOKABLE void undoLast();
    Q_INVOKABLE void loadHistory();
    Q_INVOKABLE void previewUndo(const QString& log);
    // Undoes that past apply as its preview says; ends in idle like undoLast.
    Q_INVOKABLE void undoRefresh(const QString& log);
    // The one file that log moved to `to`; the phase it was called in stays.
    Q_INVOKABLE void putBack(const QString& log, const QString& to);
    // The settings window's fixed sample, shown until the next apply.
    Q_INVOKABLE void previewRecap();

signals:
    void profileChanged();
    void apiKeyChanged();
    void phaseChanged();
    void statusChanged();
    void decidedChanged();
    void totalChanged();
    void liveCountsChanged();
    void lastRunCostChanged();
    void planChanged();
    // Only the approvals of these plan rows changed; every item kept its place.
    void approvalsChanged(const QList<int>& rows);
    // These plan rows were edited (destination, category); every item kept
    // its place.
    void itemsEdited(const QList<int>& rows);
    void lastResultChanged();
    void messageChanged();
    void newFilesChanged();
    void recapChanged();
    void classifyStartChanged();
    void classifyBaselineChanged();
    void historyChanged();
    void undoPreviewChanged();
    // Anything calmStatus and timeLeftText read.
    void progressChanged();
    void estimateChanged();

private:
    struct Run;

    void loadProfile();
    void readKey();
    void restorePendingPlan();
    void loadImportPlan();
    // What another process (the command line) wrote: a plan, an apply, an undo.
    void rereadData();
    void notePlanWritten();
    // False, with a message, while another process runs a refresh, apply or undo.
    bool claimRun();
    void onTick();

    void setPhase(Phase phase);
    void setStatus(RefreshStep step, const QString& status);
    void setDecided(int decided);
    void setTotal(int total);
    void setLiveCounts(const LiveCounts& counts);
    void setLastRunCost(std::optional<double> cost);
    void setPlan(const QList<PlanItem>& plan); // and saves it
    void clearPlan();
    void setLastResult(std::optional<ApplyResult> result);
    void setMessage(std::optional<QString> message);
    void setNewFiles(int count);
    void setRecap(std::optional<RecapData> recap);
    void setClassifyStart(std::optional<QDateTime> start);
    void setClassifyBaseline(int baseline);
    void setHistory(const QList<HistoryEntry>& history);
    void setUndoPreview(const QString& log, const QList<ReturnStep>& steps);
    void setEstimate(std::optional<double> estimate);

    ProgressView progress() const;
    // Changes items of the plan in place; `edit` gives the rows it changed.
    void editItems(const std::function<QList<int>(QList<PlanItem>&)>& edit);
    void approvalsEdited(const QList<int>& rows);
    // The plan, about to be changed in place; the caller saves it after.
    QList<PlanItem>& planToEdit();
    void learn(const QList<Lesson>& lessons);
    void open(const QString& windowId);
    Usage& usage() const;
    // What the refresh asks: the test's stand-in, Claude, or the user's own server.
    Model::Send sender(const Profile& profile) const;
    QDateTime now() const { return services_.now(); }

    // A refresh ended (applied, or with nothing to sort): the next quick one
    // looks only at what changes after `at`.
    void ranAt(const QDateTime& at);
    void reachability(Run run);
    void scanned(Run run, const QList<ScannedItem>& found);
    void classify(Run run, QList<ScannedItem> items);
    void estimated(Run run, QList<ScannedItem> items, double cost);
    void sendAll(Run run, const QList<ScannedItem>& items);
    void closeStopped(const std::shared_ptr<RunGate>& gate);

    AppServices services_;
    Profile profile_;
    QString apiKey_;
    bool keyRead_ = false;
    Phase phase_ = Phase::idle;
    RefreshStep step_ = RefreshStep::starting;
    QString status_;
    int decided_ = 0;
    int total_ = 0;
    LiveCounts liveCounts_;
    std::optional<double> lastRunCost_;
    QList<PlanItem> plan_;
    bool junkOnlyPlan_ = false;
    std::optional<ApplyResult> lastResult_;
    std::optional<QString> message_;
    int newFiles_ = 0;
    std::optional<RecapData> recap_;
    std::optional<QDateTime> classifyStart_;
    int classifyBaseline_ = 0;
    QList<HistoryEntry> history_;
    QString previewedLog_;
    QList<ReturnStep> undoPreview_;
    std::optional<double> estimate_;
    std::shared_ptr<RunGate> gate_; // the running refresh's requests
    std::function<void()> resume_;  // what proceed() runs while paused
    OpenWindow openWindow_;
    QTimer timer_;
    BusyLock busy_;
    QFileSystemWatcher watcher_;
    QTimer reread_;
    QDateTime planWritten_; // of the plan file this state last wrote or read
    Notifier notifier_;
    NotificationHandler notificationHandler_;
    PlanSaver planSaver_;
    QThreadPool learning_; // one edit's lessons after another's
};

std::optional<QString> timeLeftText(const ProgressView& progress, const QDateTime& now);
QString calmStatus(const ProgressView& progress, const QDateTime& now);
// "2 days ago", "in 3 hours": the largest whole unit.
QString relativeText(const QDateTime& from, const QDateTime& to);

// What a refresh never walks: the folders it files into under the home base
// and the application folders there.
QList<QUrl> organisedFolders(const QString& homeBase);

// The scan cut to the newest 25,000 and to what is left of the month's
// 60,000; monthFull means nothing may be classified at all.
struct Capped {
    QList<ScannedItem> items;
    std::optional<QString> note;
    bool monthFull = false;
};
Capped applyCaps(QList<ScannedItem> items, qint64 usedThisMonth);

// Where a file of a past refresh goes back to, or why it stays.
QString returnText(const ReturnStep& step);

// Destination groups of the approved moves, largest first (for the recap).
GroupCounts recapGroups(const QList<PlanItem>& plan);
// The example rename shown in the recap: an image first, else any kind.
std::optional<PlanItem> exampleRename(const QList<PlanItem>& plan);
