#include "menucontroller.h"

#include "format.h"
#include "vocabulary.h"

#include <QCoreApplication>
#include <QDir>

namespace MenuStats {

PlanStats of(const QList<PlanItem>& plan) {
    PlanStats stats;
    for (const PlanItem& item : plan) {
        const bool junk = Category::isClearOut(item.category);
        if (!junk && !Category::isNeedsYou(item.category)) ++stats.toOrganize;
        if (item.newName) ++stats.toRename;
        if (junk) stats.junkBytes += item.size;
    }
    return stats;
}

QString costLine(std::optional<double> dollars) {
    if (!dollars) return {};
    return QCoreApplication::translate("MenuStats", "Claude cost for this refresh: %1")
        .arg(Format::cost(*dollars));
}

} // namespace MenuStats

void MenuController::followState(AppState* state) {
    if (state) {
        connect(state, &AppState::profileChanged, this, &MenuController::profileChanged);
        connect(state, &AppState::planChanged, this, &MenuController::updateStats);
        connect(state, &AppState::itemsEdited, this, &MenuController::updateStats);
        connect(state, &AppState::lastRunCostChanged, this, &MenuController::costChanged);
        connect(state, &AppState::lastResultChanged, this, &MenuController::resultChanged);
        connect(state, &AppState::recapChanged, this, &MenuController::recapChanged);
        connect(state, &AppState::messageChanged, this, &MenuController::messageChanged);
        connect(state, &AppState::profileChanged, this, &MenuController::clockChanged);
    }
    emit profileChanged();
    updateStats();
    emit costChanged();
    emit resultChanged();
    emit recapChanged();
    emit messageChanged();
    emit clockChanged();
}

void MenuController::updateStats() {
    stats_ = appState() ? MenuStats::of(appState()->plan()) : PlanStats{};
    emit planChanged();
}

bool MenuController::onboarded() const {
    return appState() && appState()->profile().onboarded;
}

int MenuController::projects() const {
    return appState() ? int(appState()->profile().projects.size()) : 0;
}

int MenuController::folders() const {
    return appState() ? int(appState()->profile().scanFolders.size()) : 0;
}

bool MenuController::autoTidy() const {
    return appState() && appState()->profile().autoTidy;
}

void MenuController::setAutoTidy(bool on) {
    if (!appState()) return;
    appState()->updateProfile([on](Profile& profile) { profile.autoTidy = on; });
}

QString MenuController::homeBase() const {
    return appState() ? appState()->profile().homeBase : QString();
}

QString MenuController::costText() const {
    return MenuStats::costLine(appState() ? appState()->lastRunCost() : std::nullopt);
}

bool MenuController::hasRecap() const {
    return appState() && appState()->recap().has_value();
}

QString MenuController::message() const {
    return appState() ? appState()->message().value_or(QString()) : QString();
}

QString MenuController::lastRunText() const {
    return appState() ? appState()->lastRunText() : QString();
}

QString MenuController::homeFolder(const QString& relative) const {
    return QDir::cleanPath(homeBase() + QLatin1Char('/') + relative);
}

QString MenuController::needsYouFolder() const {
    return homeFolder(FolderLayout::needsYou);
}

QString MenuController::toDeleteFolder() const {
    return homeFolder(FolderLayout::toDelete);
}

ApplyResult MenuController::result() const {
    return appState() ? appState()->lastResult().value_or(ApplyResult{}) : ApplyResult{};
}
