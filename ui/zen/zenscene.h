#pragma once

#include <QList>
#include <QPointF>
#include <QSizeF>

#include <optional>

// The progress picture as pure functions of the clock and the inputs, so the
// item only strokes and fills what these return.
namespace Zen {

inline constexpr int dotCount = 48;
inline constexpr int columns = 16;
inline constexpr double breathCycle = 8.0;
inline constexpr double canvasHeight = 200.0;
// Ripples fade out after rippleLife; a pulse drops those older than rippleKeep.
inline constexpr double rippleLife = 2.8;
inline constexpr double rippleKeep = 3.0;

// 0 (breathed out) to 1 (breathed in) at t seconds.
double breath(double t);
// True while the breath grows: the caption reads "Breathe in".
bool breathingIn(double t);
QPointF centre(QSizeF size);

// A stroked circle.
struct Ring {
    double radius = 0;
    double opacity = 0;
};

struct Disc {
    double core = 0; // filled, fully opaque
    Ring inner;
    Ring outer;
};
Disc disc(double breath);

// The ripple of the given age, or nothing once it has faded.
std::optional<Ring> ripple(double age);
// A pulse at now: the young ripples stay and a new one starts.
QList<double> pulsed(const QList<double>& starts, double now);

enum class DotState { settled, moving, floating };

struct Dot {
    DotState state = DotState::floating;
    QPointF pos;     // centre of the circle or square
    double side = 0; // square side, or the circle's diameter when floating
    double opacity = 0;
    QPointF slot; // centre of the dot's slot at the bottom
};

// Dot index of count at t seconds with fraction of the work done, on a
// canvas of size; none when count or cols is 0.
std::optional<Dot> dot(int index, double t, double fraction, QSizeF size, int count = dotCount,
                       int cols = columns);

} // namespace Zen
