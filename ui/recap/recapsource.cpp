#include "recapsource.h"

#include "format.h"
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
        rows.append(row(QStringLiteral("+ ") + Format::count(groups.size() - shown) +
                            QStringLiteral(" more"),
                        rest, 0, true));
    }
    return rows;
}
