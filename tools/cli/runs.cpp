// The subcommands that change files or the plan. Each drives the app's own
// state, so a refresh, an apply or an undo here is the app's, step for step.
#include "cli.h"

#include "appstate.h"
#include "busylock.h"
#include "contactsheet.h"
#include "format.h"
#include "history.h"
#include "json.h"
#include "store.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QJsonObject>
#include <QTimer>

#include <unistd.h>

namespace {

constexpr int barWidth = 24;
// A plain line at every tenth of the files decided.
constexpr int plainSteps = 10;
constexpr int redrawMs = 1000;

AppServices services() {
    AppServices services;
    services.sheet = ContactSheet::make;
    return services;
}

// The state's progress on standard error: a bar redrawn in place on a
// terminal, a line per step (and per tenth of the files) otherwise.
class Progress {
public:
    explicit Progress(const AppState& state) : state_(state), terminal_(::isatty(STDERR_FILENO)) {
        QObject::connect(&state, &AppState::progressChanged, &timer_, [this] { show(); });
        if (terminal_) {
            QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { show(); });
            timer_.start(redrawMs);
        }
    }
    ~Progress() {
        if (terminal_ && drawn_) Cli::err() << "\r\033[K" << Qt::flush;
    }

private:
    void show() {
        if (!state_.isBusy()) return;
        const int total = state_.total();
        const int decided = std::min(state_.decided(), total);
        if (terminal_) {
            const int filled = total > 0 ? barWidth * decided / total : 0;
            QString line = state_.status();
            if (total > 0)
                line += QStringLiteral("  [%1%2] %3 of %4")
                            .arg(QString(filled, QChar('#')), QString(barWidth - filled, '-'),
                                 Format::count(decided), Format::count(total));
            if (const std::optional<QString> left = state_.timeLeftText())
                line += QStringLiteral("  ") + *left;
            Cli::err() << "\r\033[K" << line << Qt::flush;
            drawn_ = true;
            return;
        }
        const int step = total > 0 ? plainSteps * decided / total : 0;
        if (state_.status() == status_ && (state_.classifyStart() == std::nullopt || step <= step_))
            return;
        if (state_.status() != status_) step_ = -1;
        status_ = state_.status();
        Cli::err() << status_;
        if (state_.classifyStart() && total > 0) {
            step_ = step;
            Cli::err() << ": " << Format::count(decided) << " of " << Format::count(total);
        }
        Cli::err() << '\n' << Qt::flush;
    }

    const AppState& state_;
    const bool terminal_;
    bool drawn_ = false;
    QTimer timer_;
    QString status_;
    int step_ = -1;
};

// Runs the event loop until the state is no longer busy.
void settle(AppState& state) {
    QEventLoop loop;
    QObject::connect(&state, &AppState::phaseChanged, &loop, [&] {
        if (!state.isBusy()) loop.quit();
    });
    if (state.isBusy()) loop.exec();
}

void printMessage(const AppState& state) {
    if (state.message()) Cli::err() << *state.message() << '\n';
}

QJsonObject encoded(const ApplyResult& result) {
    return {{"moved", result.moved},
            {"renamed", result.renamed},
            {"junkBytes", result.junkBytes},
            {"needsYou", result.needsYou},
            {"skipped", result.skipped}};
}

// What was refused for another process's run: the state did not start.
Cli::Exit refusedUnlessBusy(AppState& state) {
    if (state.isBusy()) return Cli::ok;
    printMessage(state);
    return Cli::refused;
}

} // namespace

namespace Cli {

Exit refresh(Tidy::Mode mode, bool json) {
    if (BusyLock::heldElsewhere()) return busy();
    AppState state(services());
    if (!state.profile().onboarded) {
        err() << "Tovrin is not set up yet: open the app once to choose your folders.\n";
        return failed;
    }
    bool stoppedAtLimit = false;
    // A script cannot give the go-ahead a refresh above the limit waits for.
    QObject::connect(&state, &AppState::progressChanged, &state, [&] {
        if (!state.paused()) return;
        stoppedAtLimit = true;
        err() << state.estimateText() << ". " << state.pausedText() << '\n';
        state.stop();
    });
    {
        const Progress progress(state);
        state.start(mode);
        if (const Exit refusal = refusedUnlessBusy(state); refusal != ok) return refusal;
        settle(state);
    }
    printMessage(state);
    if (stoppedAtLimit || state.phase() == Phase::idle) return failed;
    if (json) {
        QJsonObject result = planJson(state.plan());
        result.insert("cost", state.lastRunCost().value_or(0));
        printJson(result);
    } else if (state.plan().isEmpty())
        out() << "Nothing new to sort.\n";
    else
        out() << "A plan for " << files(state.plan().size())
              << " waits for review: tovrin-cli plan shows it, tovrin-cli apply carries it out.\n";
    return ok;
}

Exit apply(bool includeRenames, bool json) {
    if (BusyLock::heldElsewhere()) return busy();
    AppState state(services());
    if (state.phase() != Phase::review) {
        err() << "No plan waits for review: run tovrin-cli refresh first.\n";
        return failed;
    }
    {
        const Progress progress(state);
        state.apply(includeRenames);
        if (const Exit refusal = refusedUnlessBusy(state); refusal != ok) return refusal;
        settle(state);
    }
    if (state.phase() != Phase::done) {
        printMessage(state);
        return failed;
    }
    const ApplyResult result = state.lastResult().value_or(ApplyResult{});
    if (json) {
        printJson(encoded(result));
        return ok;
    }
    out() << "Moved " << files(result.moved);
    if (result.renamed > 0) out() << ", " << Format::count(result.renamed) << " renamed";
    if (result.skipped > 0) out() << "; " << Format::count(result.skipped) << " could not move";
    out() << ". tovrin-cli undo puts them back.\n";
    return ok;
}

Exit undo(const QString& refresh, bool json) {
    if (BusyLock::heldElsewhere()) return busy();
    QString log;
    if (!refresh.isEmpty()) {
        const QList<HistoryEntry> entries = History::entries();
        bool number = false;
        const int n = refresh.toInt(&number);
        const HistoryEntry* entry = nullptr;
        for (qsizetype i = 0; i < entries.size() && !entry; ++i)
            if ((number && n == i + 1) || entries[i].log == refresh) entry = &entries[i];
        if (!entry) {
            err() << "No refresh " << refresh
                  << " in the history: tovrin-cli history lists them.\n";
            return refused;
        }
        if (entry->undone) {
            err() << "Refresh " << refresh << " was undone already.\n";
            return failed;
        }
        log = entry->log;
    } else if (const std::optional<QString> latest = Store::latestLog())
        log = QFileInfo(*latest).fileName();
    if (log.isEmpty()) {
        err() << "Nothing to undo.\n";
        return failed;
    }
    AppState state(services());
    {
        const Progress progress(state);
        if (refresh.isEmpty())
            state.undoLast();
        else
            state.undoRefresh(log);
        if (const Exit refusal = refusedUnlessBusy(state); refusal != ok) return refusal;
        settle(state);
    }
    if (json)
        printJson(QJsonObject{{"log", log}, {"message", state.message().value_or(QString())}});
    else if (state.message())
        out() << *state.message() << '\n';
    return ok;
}

} // namespace Cli
