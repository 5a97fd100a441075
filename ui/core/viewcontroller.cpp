#include "viewcontroller.h"

void ViewController::setAppState(AppState* state) {
    if (state_ == state) return;
    if (state_) disconnect(state_, nullptr, this, nullptr);
    state_ = state;
    followState(state);
    emit appStateChanged();
}
