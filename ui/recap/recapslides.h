#pragma once

#include "appstate.h"

#include <QList>
#include <QString>

#include <optional>

// Which slides a recap shows, and the numbers they draw.
namespace Recap {

enum class Slide { intro, moved, groups, renamed, clear, finale };

// The show for the recap data, in order; without data only the finale.
QList<Slide> slides(const std::optional<RecapData>& recap);
// "intro", "moved", …: the names the view picks its slides by.
QString name(Slide slide);
// Each group's count against the largest one, 0 to 1.
QList<double> barFractions(const QList<GroupCount>& groups);

} // namespace Recap

// The springs of the slides: where a spring released at 0 is after t seconds
// on its way to 1, and when it has come to rest.
namespace Motion {
double spring(double t, double response, double damping);
double settleTime(double response, double damping);
} // namespace Motion
