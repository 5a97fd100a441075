#include "recapslides.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Recap {

QList<Slide> slides(const std::optional<RecapData>& recap) {
    if (!recap) return {Slide::finale};
    QList<Slide> show{Slide::intro};
    if (recap->result.moved >= 1) show.append(Slide::moved);
    if (!recap->groups.isEmpty()) show.append(Slide::groups);
    if (recap->result.renamed >= 1) show.append(Slide::renamed);
    if (recap->result.junkBytes >= 1) show.append(Slide::clear);
    show.append(Slide::finale);
    return show;
}

QString name(Slide slide) {
    switch (slide) {
    case Slide::intro:
        return QStringLiteral("intro");
    case Slide::moved:
        return QStringLiteral("moved");
    case Slide::groups:
        return QStringLiteral("groups");
    case Slide::renamed:
        return QStringLiteral("renamed");
    case Slide::clear:
        return QStringLiteral("clear");
    case Slide::finale:
        return QStringLiteral("finale");
    }
    return {};
}

QList<double> barFractions(const QList<GroupCount>& groups) {
    int largest = 0;
    for (const GroupCount& group : groups)
        largest = std::max(largest, group.count);
    QList<double> fractions;
    for (const GroupCount& group : groups)
        fractions.append(largest > 0 ? std::max(group.count, 0) / double(largest) : 0.0);
    return fractions;
}

} // namespace Recap

namespace Motion {

// An underdamped spring whose undamped period is the response.
double spring(double t, double response, double damping) {
    if (t <= 0) return 0;
    const double omega = 2 * std::numbers::pi / response;
    const double decay = damping * omega;
    const double ringing = omega * std::sqrt(1 - damping * damping);
    return 1 -
           std::exp(-decay * t) * (std::cos(ringing * t) + decay / ringing * std::sin(ringing * t));
}

// Within a thousandth of the distance: the ringing's envelope is
// 1/sqrt(1 - damping²) times the decay.
double settleTime(double response, double damping) {
    const double envelope = 1 / std::sqrt(1 - damping * damping);
    return std::log(1000.0 * envelope) * response / (2 * std::numbers::pi * damping);
}

} // namespace Motion
