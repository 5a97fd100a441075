#include "zenscene.h"

#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(Zen::DotState)

namespace {
const QSizeF canvas(320, Zen::canvasHeight);

int countIn(double fraction, Zen::DotState state) {
    int n = 0;
    for (int i = 0; i < Zen::dotCount; ++i)
        if (Zen::dot(i, 100.0, fraction, canvas)->state == state) ++n;
    return n;
}
} // namespace

// The picture's geometry: where each dot sits for a share of the work done.
class TestZenScene : public QObject {
    Q_OBJECT
private slots:
    void settledCounts_data() {
        QTest::addColumn<double>("fraction");
        QTest::addColumn<int>("settled");
        QTest::addColumn<int>("moving");
        QTest::addColumn<int>("floating");
        QTest::newRow("nothing done") << 0.0 << 0 << 0 << 48;
        QTest::newRow("half: one and a half rows") << 0.5 << 24 << 0 << 24;
        QTest::newRow("just above half: one on its way") << 0.51 << 24 << 1 << 23;
        QTest::newRow("all done") << 1.0 << 48 << 0 << 0;
        QTest::newRow("below zero clamps") << -0.3 << 0 << 0 << 48;
        QTest::newRow("above one clamps") << 1.7 << 48 << 0 << 0;
    }

    void settledCounts() {
        QFETCH(double, fraction);
        QFETCH(int, settled);
        QFETCH(int, moving);
        QFETCH(int, floating);
        QCOMPARE(countIn(fraction, Zen::DotState::settled), settled);
        QCOMPARE(countIn(fraction, Zen::DotState::moving), moving);
        QCOMPARE(countIn(fraction, Zen::DotState::floating), floating);
    }

    void slotCentres_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QPointF>("slot");
        // cell = (320 - 48) / 16 = 17; rows stack upward 10 points apart
        QTest::newRow("first") << 0 << QPointF(32.5, 186);
        QTest::newRow("end of the first row") << 15 << QPointF(287.5, 186);
        QTest::newRow("second row") << 16 << QPointF(32.5, 176);
        QTest::newRow("last") << 47 << QPointF(287.5, 166);
    }

    void slotCentres() {
        QFETCH(int, index);
        QFETCH(QPointF, slot);
        const Zen::Dot settled = *Zen::dot(index, 3.0, 1.0, canvas);
        QCOMPARE(settled.state, Zen::DotState::settled);
        QCOMPARE(settled.pos, slot);
        QCOMPARE(settled.slot, slot);
        QCOMPARE(settled.side, 6.0);
        QCOMPARE(settled.opacity, 1.0);
        QCOMPARE(Zen::dot(index, 3.0, 0.0, canvas)->slot, slot);
    }

    void floatingOrbit_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("t");
        QTest::newRow("first dot at the reference") << 0 << 0.0;
        QTest::newRow("a later dot later on") << 13 << 42.5;
    }

    void floatingOrbit() {
        QFETCH(int, index);
        QFETCH(double, t);
        const double angle = index * 1.618 * 3.1 + t * ((index % 7) * 0.018 + 0.12);
        const double radius = (37 * index) % 56 + 58;
        const QPointF expected(160 + std::cos(angle) * radius,
                               80 + std::sin(angle * 1.27) * radius * 0.42);
        const Zen::Dot d = *Zen::dot(index, t, 0.0, canvas);
        QCOMPARE(d.state, Zen::DotState::floating);
        QCOMPARE(d.pos, expected);
        QCOMPARE(d.side, 4.0);
        QCOMPARE(d.opacity, 0.32);
    }

    void dotOnItsWay() {
        // 0.51 × 48 = 24.48: the 25th dot has covered smoothstep(0.48) of its way.
        const double e = 0.48 * 0.48 * (3 - 2 * 0.48);
        const Zen::Dot d = *Zen::dot(24, 7.0, 0.51, canvas);
        const Zen::Dot floating = *Zen::dot(24, 7.0, 0.0, canvas);
        QCOMPARE(d.state, Zen::DotState::moving);
        QVERIFY(std::abs(d.side - (2 * e + 4)) < 1e-9);
        QVERIFY(std::abs(d.opacity - (e * 0.6 + 0.4)) < 1e-9);
        const QPointF expected = floating.pos + e * (d.slot - floating.pos);
        QVERIFY(std::abs(d.pos.x() - expected.x()) < 1e-9);
        QVERIFY(std::abs(d.pos.y() - expected.y()) < 1e-9);

        // Barely started: still about 4 points across.
        QVERIFY(Zen::dot(24, 7.0, 0.5001, canvas)->side < 4.01);
    }

    void noDotsWithoutSlots() {
        QCOMPARE(Zen::dot(0, 1.0, 0.5, canvas, 0, 16), std::nullopt);
        QCOMPARE(Zen::dot(0, 1.0, 0.5, canvas, 48, 0), std::nullopt);
    }

    void breath_data() {
        QTest::addColumn<double>("t");
        QTest::addColumn<double>("breath");
        QTest::newRow("start of the cycle") << 0.0 << 0.5;
        QTest::newRow("fully in") << 2.0 << 1.0;
        QTest::newRow("fully out") << 6.0 << 0.0;
        QTest::newRow("next cycle") << 8.0 << 0.5;
    }

    void breath() {
        QFETCH(double, t);
        QFETCH(double, breath);
        QVERIFY(std::abs(Zen::breath(t) - breath) < 1e-9);
    }

    void caption_data() {
        QTest::addColumn<double>("t");
        QTest::addColumn<bool>("breathingIn");
        QTest::newRow("growing from the middle") << 1.0 << true;
        QTest::newRow("shrinking from the top") << 3.0 << false;
        QTest::newRow("still shrinking") << 5.0 << false;
        QTest::newRow("growing from the bottom") << 7.0 << true;
    }

    void caption() {
        QFETCH(double, t);
        QFETCH(bool, breathingIn);
        QCOMPARE(Zen::breathingIn(t), breathingIn);
    }

    void captionTurnsEveryFourSeconds() {
        // Sampled every tenth of a second over three cycles.
        QList<double> turns;
        bool in = Zen::breathingIn(0.05);
        for (int step = 1; step < 240; ++step) {
            const double t = 0.05 + step * 0.1;
            if (Zen::breathingIn(t) != in) {
                in = !in;
                turns.append(t);
            }
        }
        QCOMPARE(turns.size(), 6);
        for (qsizetype i = 1; i < turns.size(); ++i)
            QVERIFY(std::abs(turns[i] - turns[i - 1] - 4.0) < 0.11);
    }

    void disc_data() {
        QTest::addColumn<double>("breath");
        QTest::addColumn<double>("core");
        QTest::addColumn<double>("inner");
        QTest::addColumn<double>("outer");
        QTest::newRow("out") << 0.0 << 22.0 << 34.0 << 48.0;
        QTest::newRow("in") << 1.0 << 34.0 << 54.0 << 74.0;
    }

    void disc() {
        QFETCH(double, breath);
        QFETCH(double, core);
        QFETCH(double, inner);
        QFETCH(double, outer);
        const Zen::Disc d = Zen::disc(breath);
        QCOMPARE(d.core, core);
        QCOMPARE(d.inner.radius, inner);
        QCOMPARE(d.inner.opacity, 0.08);
        QCOMPARE(d.outer.radius, outer);
        QCOMPARE(d.outer.opacity, 0.05);
    }

    void ripple_data() {
        QTest::addColumn<double>("age");
        QTest::addColumn<double>("radius");
        QTest::addColumn<double>("opacity");
        QTest::newRow("just started") << 0.0 << 34.0 << 0.22;
        QTest::newRow("half way") << 1.4 << (1 - 0.125) * 110 + 34 << 0.11;
    }

    void ripple() {
        QFETCH(double, age);
        QFETCH(double, radius);
        QFETCH(double, opacity);
        const auto ring = Zen::ripple(age);
        QVERIFY(ring.has_value());
        QVERIFY(std::abs(ring->radius - radius) < 1e-9);
        QVERIFY(std::abs(ring->opacity - opacity) < 1e-9);
    }

    void rippleFades() {
        QCOMPARE(Zen::ripple(2.8), std::nullopt);
        QVERIFY(Zen::ripple(2.79).has_value());
    }

    void pulses_data() {
        QTest::addColumn<QList<double>>("starts");
        QTest::addColumn<double>("now");
        QTest::addColumn<QList<double>>("kept");
        QTest::newRow("first") << QList<double>{} << 10.0 << QList<double>{10.0};
        QTest::newRow("three within a second: concentric")
            << QList<double>{10.0, 10.4} << 10.9 << QList<double>{10.0, 10.4, 10.9};
        QTest::newRow("after five quiet seconds: a clean list")
            << QList<double>{10.0, 10.4, 10.9} << 15.9 << QList<double>{15.9};
        QTest::newRow("faded but younger than three seconds stays")
            << QList<double>{10.0} << 12.9 << QList<double>{10.0, 12.9};
    }

    void pulses() {
        QFETCH(QList<double>, starts);
        QFETCH(double, now);
        QFETCH(QList<double>, kept);
        QCOMPARE(Zen::pulsed(starts, now), kept);
    }
};

QTEST_APPLESS_MAIN(TestZenScene)
#include "test_zenscene.moc"
