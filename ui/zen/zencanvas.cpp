#include "zencanvas.h"

#include "zenscene.h"

#include <QDateTime>
#include <QPainter>

namespace {

double clockSeconds() {
    return double(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
}

QColor faded(QColor color, double opacity) {
    color.setAlphaF(float(color.alphaF() * opacity));
    return color;
}

void strokeCircle(QPainter& p, QPointF c, double radius, const QColor& color, double width) {
    p.setPen(QPen(color, width));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, radius, radius);
}

void fillSquare(QPainter& p, QPointF c, double side, double corner, const QColor& color) {
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRoundedRect(QRectF(c.x() - side / 2, c.y() - side / 2, side, side), corner, corner);
}

} // namespace

ZenCanvas::ZenCanvas(QQuickItem* parent) : QQuickPaintedItem(parent) {
    setAntialiasing(true);
    setImplicitHeight(Zen::canvasHeight);
}

void ZenCanvas::setFraction(double fraction) {
    if (fraction == fraction_) return;
    fraction_ = fraction;
    emit fractionChanged();
    update();
}

void ZenCanvas::setPulse(int pulse) {
    if (pulse == pulse_) return;
    pulse_ = pulse;
    // The value the view starts with is no news; only later changes ripple.
    if (isComponentComplete()) ripples_ = Zen::pulsed(ripples_, clockSeconds());
    emit pulseChanged();
    update();
}

void ZenCanvas::setColor(const QColor& color) {
    if (color == color_) return;
    color_ = color;
    emit colorChanged();
    update();
}

void ZenCanvas::tick() {
    now_ = clockSeconds();
    const bool in = Zen::breathingIn(now_);
    if (in != breathingIn_) {
        breathingIn_ = in;
        emit breathingInChanged();
    }
    update();
}

void ZenCanvas::componentComplete() {
    QQuickPaintedItem::componentComplete();
    tick();
}

void ZenCanvas::paint(QPainter* painter) {
    QPainter& p = *painter;
    p.setRenderHint(QPainter::Antialiasing);
    const QSizeF size(width(), height());
    const QPointF c = Zen::centre(size);

    for (double start : std::as_const(ripples_))
        if (const auto ring = Zen::ripple(now_ - start))
            strokeCircle(p, c, ring->radius, faded(color_, ring->opacity), 1);

    const Zen::Disc disc = Zen::disc(Zen::breath(now_));
    strokeCircle(p, c, disc.inner.radius, faded(color_, disc.inner.opacity), 1);
    strokeCircle(p, c, disc.outer.radius, faded(color_, disc.outer.opacity), 1);
    p.setPen(Qt::NoPen);
    p.setBrush(color_);
    p.drawEllipse(c, disc.core, disc.core);

    const QPen emptySlot(faded(color_, 0.1), 0.8);
    for (int i = 0; i < Zen::dotCount; ++i) {
        const Zen::Dot dot = *Zen::dot(i, now_, fraction_, size);
        switch (dot.state) {
        case Zen::DotState::settled:
            fillSquare(p, dot.pos, dot.side, 1.6, color_);
            break;
        case Zen::DotState::moving:
            fillSquare(p, dot.pos, dot.side, 2, faded(color_, dot.opacity));
            break;
        case Zen::DotState::floating:
            p.setPen(Qt::NoPen);
            p.setBrush(faded(color_, dot.opacity));
            p.drawEllipse(dot.pos, dot.side / 2, dot.side / 2);
            p.setPen(emptySlot);
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(dot.slot.x() - 3, dot.slot.y() - 3, 6, 6), 1.6, 1.6);
            break;
        }
    }
}
