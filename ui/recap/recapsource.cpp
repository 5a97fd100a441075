#include "recapsource.h"

#include "recapslides.h"

void RecapSource::setState(AppState* state) {
    if (state == state_) return;
    if (state_) disconnect(state_, nullptr, this, nullptr);
    state_ = state;
    if (state_) {
        connect(state_, &AppState::recapChanged, this, &RecapSource::readRecap);
        connect(state_, &AppState::profileChanged, this, &RecapSource::homeBaseChanged);
    }
    emit stateChanged();
    emit homeBaseChanged();
    readRecap();
}

void RecapSource::readRecap() {
    recap_ = state_ ? state_->recap() : std::nullopt;
    emit recapChanged();
}

QStringList RecapSource::slides() const {
    QStringList names;
    for (Recap::Slide slide : Recap::slides(recap_))
        names.append(Recap::name(slide));
    return names;
}

QVariantList RecapSource::groups() const {
    if (!recap_) return {};
    const QList<double> fractions = Recap::barFractions(recap_->groups);
    QVariantList rows;
    for (qsizetype i = 0; i < recap_->groups.size(); ++i)
        rows.append(QVariantMap{{QStringLiteral("name"), recap_->groups[i].name},
                                {QStringLiteral("count"), recap_->groups[i].count},
                                {QStringLiteral("fraction"), fractions[i]}});
    return rows;
}
