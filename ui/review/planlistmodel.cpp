#include "planlistmodel.h"

void PlanListModel::setState(AppState* state) {
    if (state_ == state) return;
    if (state_) disconnect(state_, nullptr, this, nullptr);
    state_ = state;
    if (state_) {
        connect(state_, &AppState::planChanged, this, &PlanListModel::refresh);
        connect(state_, &AppState::approvalsChanged, this, &PlanListModel::refreshApprovals);
        connect(state_, &AppState::itemsEdited, this, &PlanListModel::refreshItems);
    }
    refresh();
    emit stateChanged();
}

const QList<PlanItem>& PlanListModel::plan() const {
    static const QList<PlanItem> none;
    return state_ ? state_->plan() : none;
}
