#include "zenscene.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Zen {

namespace {
double phase(double t) {
    return 2 * std::numbers::pi * t / breathCycle;
}
} // namespace

double breath(double t) {
    return (std::sin(phase(t)) + 1) / 2;
}

bool breathingIn(double t) {
    return std::cos(phase(t)) > 0;
}

QPointF centre(QSizeF size) {
    return {size.width() * 0.5, size.height() * 0.4};
}

Disc disc(double b) {
    const double core = b * 12 + 22;
    return {core, {core + b * 8 + 12, 0.08}, {core + b * 14 + 26, 0.05}};
}

std::optional<Ring> ripple(double age) {
    if (age < 0 || age >= rippleLife) return std::nullopt;
    const double left = 1 - age / rippleLife;
    return Ring{(1 - left * left * left) * 110 + 34, left * 0.22};
}

QList<double> pulsed(const QList<double>& starts, double now) {
    QList<double> kept;
    std::copy_if(starts.begin(), starts.end(), std::back_inserter(kept),
                 [now](double start) { return now - start < rippleKeep; });
    kept.append(now);
    return kept;
}

std::optional<Dot> dot(int index, double t, double fraction, QSizeF size, int count, int cols) {
    if (count <= 0 || cols <= 0) return std::nullopt;
    const double settled = std::clamp(fraction * count, 0.0, double(count));
    const int whole = int(settled);
    const double part = settled - whole;
    const double cell = (size.width() - 48) / cols;
    const double e = part * part * (3 - 2 * part);

    const int row = index / cols;
    const int col = index % cols;
    const QPointF slot(cell * col + 24 + cell / 2, size.height() - 14 - row * 10);

    const QPointF c = centre(size);
    const double angle = index * 1.618 * 3.1 + t * ((index % 7) * 0.018 + 0.12);
    const double radius = (37 * index) % 56 + 58;
    const QPointF floating(c.x() + std::cos(angle) * radius,
                           c.y() + std::sin(angle * 1.27) * radius * 0.42);

    if (index < whole) return Dot{DotState::settled, slot, 6, 1, slot};
    if (index == whole && part > 0)
        return Dot{DotState::moving, floating + e * (slot - floating), 2 * e + 4, e * 0.6 + 0.4,
                   slot};
    return Dot{DotState::floating, floating, 4, 0.32, slot};
}

} // namespace Zen
