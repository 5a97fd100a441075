#include "recapslides.h"

#include <QTest>

#include <cmath>

using Recap::Slide;

Q_DECLARE_METATYPE(std::optional<RecapData>)

namespace {
RecapData recap(int moved, int renamed, qint64 junkBytes, QList<GroupCount> groups, bool example) {
    RecapData data;
    data.result.moved = moved;
    data.result.renamed = renamed;
    data.result.junkBytes = junkBytes;
    data.groups = std::move(groups);
    if (example) {
        data.renameFrom = QStringLiteral("IMG_1.png");
        data.renameTo = QStringLiteral("Beach Sunset.png");
    }
    return data;
}
} // namespace

// Which slides a recap shows, and the lengths of its bars.
class TestRecapSlides : public QObject {
    Q_OBJECT
private slots:
    void slides_data() {
        QTest::addColumn<std::optional<RecapData>>("data");
        QTest::addColumn<QList<Slide>>("show");
        const QList<GroupCount> groups{{QStringLiteral("Personal"), 3}};
        QTest::newRow("no recap data: only the finale")
            << std::optional<RecapData>() << QList<Slide>{Slide::finale};
        QTest::newRow("everything") << std::optional(recap(6, 2, 1'200'000'000, groups, true))
                                    << QList<Slide>{Slide::intro,   Slide::moved, Slide::groups,
                                                    Slide::renamed, Slide::clear, Slide::finale};
        QTest::newRow("nothing renamed, no junk")
            << std::optional(recap(3, 0, 0, groups, false))
            << QList<Slide>{Slide::intro, Slide::moved, Slide::groups, Slide::finale};
        QTest::newRow("all skipped: no moves, no groups")
            << std::optional(recap(0, 0, 0, {}, false))
            << QList<Slide>{Slide::intro, Slide::finale};
        QTest::newRow("renamed without an example")
            << std::optional(recap(2, 1, 0, groups, false))
            << QList<Slide>{Slide::intro, Slide::moved, Slide::groups, Slide::renamed,
                            Slide::finale};
        QTest::newRow("one byte of junk counts")
            << std::optional(recap(1, 0, 1, {}, false))
            << QList<Slide>{Slide::intro, Slide::moved, Slide::clear, Slide::finale};
    }

    void slides() {
        QFETCH(std::optional<RecapData>, data);
        QFETCH(QList<Slide>, show);
        QCOMPARE(Recap::slides(data), show);
    }

    void barFractions_data() {
        QTest::addColumn<QList<GroupCount>>("groups");
        QTest::addColumn<QList<double>>("fractions");
        QTest::newRow("ten and five: half length")
            << QList<GroupCount>{{"Personal", 10}, {"Creator", 5}} << QList<double>{1.0, 0.5};
        QTest::newRow("largest not first")
            << QList<GroupCount>{{"A", 1}, {"B", 4}, {"C", 2}} << QList<double>{0.25, 1.0, 0.5};
        QTest::newRow("none") << QList<GroupCount>{} << QList<double>{};
        QTest::newRow("all empty") << QList<GroupCount>{{"A", 0}} << QList<double>{0.0};
    }

    void barFractions() {
        QFETCH(QList<GroupCount>, groups);
        QFETCH(QList<double>, fractions);
        QCOMPARE(Recap::barFractions(groups), fractions);
    }

    void spring_data() {
        QTest::addColumn<double>("response");
        QTest::addColumn<double>("damping");
        QTest::newRow("bars") << 1.0 << 0.85;
        QTest::newRow("sun") << 1.6 << 0.8;
    }

    void spring() {
        QFETCH(double, response);
        QFETCH(double, damping);
        QCOMPARE(Motion::spring(0, response, damping), 0.0);
        QCOMPARE(Motion::spring(-1, response, damping), 0.0);
        const double rest = Motion::settleTime(response, damping);
        QVERIFY(std::abs(Motion::spring(rest, response, damping) - 1) < 1e-3);
        // Light damping: past the target by a hair at most, never back below half way.
        double peak = 0;
        for (double t = 0; t < rest; t += 0.01)
            peak = std::max(peak, Motion::spring(t, response, damping));
        QVERIFY(peak > 1.0);
        QVERIFY(peak < 1.02);
        QVERIFY(Motion::spring(response / 2, response, damping) > 0.5);
    }
};

QTEST_APPLESS_MAIN(TestRecapSlides)
#include "test_recapslides.moc"
