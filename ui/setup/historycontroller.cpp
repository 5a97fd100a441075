#include "historycontroller.h"

#include "filemanager.h"
#include "format.h"
#include "store.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace {

// "~/Downloads/report.pdf": the home folder is where every path starts.
QString shown(const QString& path) {
    const QString home = QDir::homePath();
    return path.startsWith(home + QLatin1Char('/')) ? QLatin1Char('~') + path.mid(home.size())
                                                    : path;
}

bool offersPutBack(Return outcome) {
    return goesBack(outcome) || outcome == Return::changed;
}

} // namespace

void HistoryController::followState(AppState* state) {
    if (state) {
        connect(state, &AppState::historyChanged, this, &HistoryController::readEntries);
        connect(state, &AppState::undoPreviewChanged, this, &HistoryController::readPreview);
        connect(state, &AppState::phaseChanged, this, &HistoryController::previewChanged);
        connect(state, &AppState::messageChanged, this, &HistoryController::messageChanged);
        state->loadHistory();
    }
    readEntries();
    emit messageChanged();
}

void HistoryController::readEntries() {
    QList<QVariantList> rows;
    const QList<HistoryEntry> history = appState() ? appState()->history() : QList<HistoryEntry>();
    const QString homeBase =
        appState() ? appState()->profile().homeBase + QLatin1Char('/') : QString();
    for (const HistoryEntry& entry : history) {
        const QString folder = entry.mainFolder.startsWith(homeBase)
                                   ? entry.mainFolder.mid(homeBase.size())
                                   : shown(entry.mainFolder);
        rows.append({entry.log, QLocale().toString(entry.started(), QLocale::ShortFormat),
                     tr("%1 moved · %2 renamed")
                         .arg(Format::count(entry.moved), Format::count(entry.renamed)),
                     entry.moved >= 1 ? tr("Mostly to %1").arg(folder) : QString(), entry.undone,
                     entry.readable});
    }
    entries_.setRows(rows);
    const bool known = std::any_of(history.cbegin(), history.cend(),
                                   [this](const HistoryEntry& e) { return e.log == selected_; });
    if (!known && !history.isEmpty()) select(history.first().log);
    readPreview();
}

void HistoryController::select(const QString& log) {
    if (selected_ == log) return;
    selected_ = log;
    emit selectedChanged();
    readPreview();
    if (appState()) appState()->previewUndo(log);
}

void HistoryController::readPreview() {
    QList<QVariantList> rows;
    const HistoryEntry* chosen = entry();
    if (chosen && !chosen->undone)
        for (const ReturnStep& step : steps()) {
            const bool goes = goesBack(step.outcome);
            rows.append({QFileInfo(step.move.to).fileName(), shown(step.move.to),
                         shown(goes ? step.back : step.move.from), returnText(step), goes,
                         offersPutBack(step.outcome), step.move.to});
        }
    preview_.setRows(rows);
    emit previewChanged();
}

const HistoryEntry* HistoryController::entry() const {
    if (!appState()) return nullptr;
    const QList<HistoryEntry>& history = appState()->history();
    const auto found = std::find_if(history.cbegin(), history.cend(),
                                    [this](const HistoryEntry& e) { return e.log == selected_; });
    return found == history.cend() ? nullptr : &*found;
}

QList<ReturnStep> HistoryController::steps() const {
    if (!appState() || appState()->previewedLog() != selected_) return {};
    return appState()->undoPreview();
}

int HistoryController::going() const {
    const QList<ReturnStep> all = steps();
    return int(std::count_if(all.cbegin(), all.cend(),
                             [](const ReturnStep& step) { return goesBack(step.outcome); }));
}

int HistoryController::staying() const {
    return int(steps().size()) - going();
}

bool HistoryController::canUndo() const {
    const HistoryEntry* chosen = entry();
    return chosen && !chosen->undone && chosen->readable && !appState()->isBusy() && going() >= 1;
}

QString HistoryController::message() const {
    return appState() ? appState()->message().value_or(QString()) : QString();
}

void HistoryController::undoSelected() {
    if (canUndo()) appState()->undoRefresh(selected_);
}

void HistoryController::putBack(const QString& to) {
    if (appState()) appState()->putBack(selected_, to);
}

void HistoryController::showLogFiles() const {
    FileManager::show(Store::logsDir());
}
