#include "menumodel.h"

#include "format.h"
#include "store.h"
#include "vocabulary.h"

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
    return QStringLiteral("Claude cost for this refresh: ") + Format::cost(*dollars);
}

} // namespace MenuStats

void MenuModel::setState(AppState* state) {
    if (state == state_) return;
    if (state_) disconnect(state_, nullptr, this, nullptr);
    state_ = state;
    if (state_) {
        connect(state_, &AppState::profileChanged, this, &MenuModel::profileChanged);
        connect(state_, &AppState::planChanged, this, &MenuModel::updateStats);
        connect(state_, &AppState::lastRunCostChanged, this, &MenuModel::costChanged);
        connect(state_, &AppState::lastResultChanged, this, &MenuModel::resultChanged);
        connect(state_, &AppState::recapChanged, this, &MenuModel::recapChanged);
        connect(state_, &AppState::messageChanged, this, &MenuModel::messageChanged);
        connect(state_, &AppState::profileChanged, this, &MenuModel::clockChanged);
    }
    emit stateChanged();
    emit profileChanged();
    updateStats();
    emit costChanged();
    emit resultChanged();
    emit recapChanged();
    emit messageChanged();
    emit clockChanged();
}

void MenuModel::updateStats() {
    stats_ = state_ ? MenuStats::of(state_->plan()) : PlanStats{};
    emit planChanged();
}

bool MenuModel::onboarded() const {
    return state_ && state_->profile().onboarded;
}

int MenuModel::projects() const {
    return state_ ? int(state_->profile().projects.size()) : 0;
}

int MenuModel::folders() const {
    return state_ ? int(state_->profile().scanFolders.size()) : 0;
}

bool MenuModel::autoTidy() const {
    return state_ && state_->profile().autoTidy;
}

void MenuModel::setAutoTidy(bool on) {
    if (!state_ || state_->profile().autoTidy == on) return;
    Profile profile = state_->profile();
    profile.autoTidy = on;
    state_->setProfile(profile);
    Store::saveProfile(profile);
}

QString MenuModel::homeBase() const {
    return state_ ? state_->profile().homeBase : QString();
}

QString MenuModel::costText() const {
    return MenuStats::costLine(state_ ? state_->lastRunCost() : std::nullopt);
}

bool MenuModel::hasRecap() const {
    return state_ && state_->recap().has_value();
}

QString MenuModel::message() const {
    return state_ ? state_->message().value_or(QString()) : QString();
}

QString MenuModel::lastRunText() const {
    return state_ ? state_->lastRunText() : QString();
}

QString MenuModel::homeFolder(const QString& relative) const {
    return QDir::cleanPath(homeBase() + QLatin1Char('/') + relative);
}

QString MenuModel::needsYouFolder() const {
    return homeFolder(FolderLayout::needsYou);
}

QString MenuModel::toDeleteFolder() const {
    return homeFolder(FolderLayout::toDelete);
}

ApplyResult MenuModel::result() const {
    return state_ ? state_->lastResult().value_or(ApplyResult{}) : ApplyResult{};
}
