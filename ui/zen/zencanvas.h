#pragma once

#include <QColor>
#include <QList>
#include <QQuickPaintedItem>
#include <QtQml/qqml.h>

// Draws one frame of the progress picture at the time of the last tick();
// ZenView ticks it once per display frame while it is on screen.
class ZenCanvas : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double fraction READ fraction WRITE setFraction NOTIFY fractionChanged)
    Q_PROPERTY(int pulse READ pulse WRITE setPulse NOTIFY pulseChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(bool breathingIn READ breathingIn NOTIFY breathingInChanged)

public:
    explicit ZenCanvas(QQuickItem* parent = nullptr);

    double fraction() const { return fraction_; }
    void setFraction(double fraction);
    int pulse() const { return pulse_; }
    void setPulse(int pulse);
    QColor color() const { return color_; }
    void setColor(const QColor& color);
    bool breathingIn() const { return breathingIn_; }

    // Moves the picture to the current time and schedules a repaint.
    Q_INVOKABLE void tick();

    void paint(QPainter* painter) override;

signals:
    void fractionChanged();
    void pulseChanged();
    void colorChanged();
    void breathingInChanged();

protected:
    void componentComplete() override;

private:
    double fraction_ = 0;
    int pulse_ = 0;
    QColor color_ = Qt::black;
    bool breathingIn_ = true;
    double now_ = 0; // seconds since the epoch
    QList<double> ripples_;
};
