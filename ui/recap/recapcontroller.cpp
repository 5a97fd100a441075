#include "recapcontroller.h"

#include "recapslides.h"

void RecapController::followState(AppState* state) {
    if (state) {
        connect(state, &AppState::recapChanged, this, &RecapController::readRecap);
        connect(state, &AppState::profileChanged, this, &RecapController::homeBaseChanged);
    }
    emit homeBaseChanged();
    readRecap();
}

void RecapController::readRecap() {
    recap_ = appState() ? appState()->recap() : std::nullopt;
    emit recapChanged();
}

QStringList RecapController::slides() const {
    QStringList names;
    for (Recap::Slide slide : Recap::slides(recap_))
        names.append(Recap::name(slide));
    return names;
}

QVariantList RecapController::groups() const {
    if (!recap_) return {};
    constexpr qsizetype shown = 6;
    const QList<GroupCount>& groups = recap_->groups;
    const QList<double> fractions = Recap::barFractions(groups);
    const auto row = [](const QString& name, int count, double fraction, bool more) {
        return QVariantMap{{QStringLiteral("name"), name},
                           {QStringLiteral("count"), count},
                           {QStringLiteral("fraction"), fraction},
                           {QStringLiteral("more"), more}};
    };
    QVariantList rows;
    for (qsizetype i = 0; i < std::min(groups.size(), shown); ++i)
        rows.append(row(groups[i].name, groups[i].count, fractions[i], false));
    if (groups.size() > shown) {
        int rest = 0;
        for (qsizetype i = shown; i < groups.size(); ++i)
            rest += groups[i].count;
        rows.append(row(tr("+ %Ln more", nullptr, int(groups.size() - shown)), rest, 0, true));
    }
    return rows;
}
