#include "fakes.h"

#include <QSettings>
#include <QTest>

#include <ctime>
#include <memory>

namespace {

QDateTime local(const QString& text) {
    QDateTime at = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm"));
    at.setTimeSpec(Qt::LocalTime);
    return at;
}

QDateTime utc(const QString& text) {
    return QDateTime::fromString(text, Qt::ISODate).toUTC();
}

} // namespace

// Calendar rules run in Berlin time, so the weekend the clocks change is real.
class TestSchedule : public QObject, AppFixture {
    Q_OBJECT

    Notifier notifier() {
        return Notifier(
            &notifications, [this] { return clock; }, settingsPath());
    }

    // The reminder shown so far, by count, after a delivery at `at`.
    qsizetype deliverAt(Notifier& n, const QString& at) {
        clock = local(at);
        n.deliverDueReminder();
        return notifications.shown.size();
    }

private slots:
    void initTestCase() {
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void init() { fresh({}); }
    void cleanup() { home.reset(); }

    void nextSundayNine_data() {
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("due");
        QTest::newRow("into summer time") << "2026-03-28 12:00"
                                          << "2026-03-29T07:00:00Z";
        QTest::newRow("back to winter time") << "2026-10-24 12:00"
                                             << "2026-10-25T08:00:00Z";
    }
    void nextSundayNine() {
        QFETCH(QString, now);
        QFETCH(QString, due);
        QCOMPARE(Schedule::nextSundayNine(local(now)).toUTC(), utc(due));
    }

    void autoCheck_data() {
        QTest::addColumn<QString>("now");
        QTest::addColumn<bool>("autoTidy");
        QTest::addColumn<QString>("lastRun"); // UTC, empty for none
        QTest::addColumn<bool>("planWaits");
        QTest::addColumn<bool>("starts");
        QTest::newRow("sunday 8:59") << "2026-12-06 08:59" << true << "" << false << false;
        QTest::newRow("sunday 9:05, never run")
            << "2026-12-06 09:05" << true << "" << false << true;
        QTest::newRow("sunday 14:00 after 9:10 run")
            << "2026-12-06 14:00" << true << "2026-12-06T08:10:00Z" << false << false;
        QTest::newRow("auto-run off") << "2026-12-06 10:00" << false << "" << false << false;
        // A refresh would replace the plan waiting for review.
        QTest::newRow("plan waits") << "2026-12-06 10:00" << true << "" << true << false;
        // 23:30 UTC on Saturday is already Sunday 01:30 in Berlin.
        QTest::newRow("dst sunday, ran after local midnight")
            << "2026-03-29 09:05" << true << "2026-03-28T23:30:00Z" << false << false;
    }
    void autoCheck() {
        QFETCH(QString, now);
        QFETCH(bool, autoTidy);
        QFETCH(QString, lastRun);
        QFETCH(bool, planWaits);
        QFETCH(bool, starts);
        onboard({}, lastRun.isEmpty() ? std::nullopt : std::optional(utc(lastRun)), autoTidy);
        if (planWaits)
            Store::savePlan({TestPlanItem(home->write(QStringLiteral("Desktop/a.txt")))});
        const Phase before = planWaits ? Phase::review : Phase::idle;
        clock = local(now);
        const auto state = makeState();
        QCOMPARE(state->phase(), before);
        state->autoCheck();
        QCOMPARE(state->phase(), starts ? Phase::scanning : before);
        QTRY_VERIFY(!state->isBusy());
    }

    // A Sunday run that fails after the connection check is paid for once:
    // later ticks and a restart leave it, with its message; the user may
    // still start one, and next Sunday runs again.
    void failedAutoRunIsNotRetried() {
        onboard({}, std::nullopt, true);
        home->write(QStringLiteral("Desktop/a.txt"), "");
        claude->classifyFailure = Model::Failure{true, QStringLiteral("Model refused.")};
        clock = local(QStringLiteral("2026-12-06 09:05"));
        auto state = makeState();
        state->autoCheck();
        QTRY_VERIFY(!state->isBusy());
        QCOMPARE(state->message(), std::optional<QString>(QStringLiteral("Model refused.")));

        clock = local(QStringLiteral("2026-12-06 09:15"));
        state->autoCheck();
        QCOMPARE(state->phase(), Phase::idle);
        state = makeState();
        state->autoCheck();
        QCOMPARE(state->phase(), Phase::idle);

        state->start(Tidy::Mode::quick);
        QCOMPARE(state->phase(), Phase::scanning);
        QTRY_VERIFY(!state->isBusy());
        clock = local(QStringLiteral("2026-12-13 09:05"));
        state->autoCheck();
        QCOMPARE(state->phase(), Phase::scanning);
        QTRY_VERIFY(!state->isBusy());
    }

    // Anything but "false" keeps the reminder on; without a notification
    // service (permission refused) it is left as it was.
    void setUp() {
        clock = local(QStringLiteral("2026-12-02 12:00"));
        QSettings(settingsPath(), QSettings::IniFormat)
            .setValue(QStringLiteral("sundayReminderOn"), QStringLiteral("maybe"));
        Notifier n = notifier();
        n.setUp(false);
        QCOMPARE(n.reminderDue()->toUTC(), utc(QStringLiteral("2026-12-06T08:00:00Z")));
        notifications.up = false;
        n.setUp(true);
        QVERIFY(n.reminderDue());
        QVERIFY(notifications.shown.isEmpty());
    }

    // Once on its Sunday from 9:00, whatever the ticks and restarts that day.
    void weeklyReminder() {
        clock = local(QStringLiteral("2026-12-05 12:00"));
        Notifier n = notifier();
        n.setUp(false);
        QCOMPARE(deliverAt(n, QStringLiteral("2026-12-06 08:59")), 0);
        QCOMPARE(deliverAt(n, QStringLiteral("2026-12-06 09:05")), 1);
        QCOMPARE(notifications.shown.first().id, QStringLiteral("sunday-reminder"));
        QCOMPARE(notifications.shown.first().body,
                 QStringLiteral("Don't forget to start the week fresh."));
        QCOMPARE(deliverAt(n, QStringLiteral("2026-12-06 09:15")), 1);
        Notifier again = notifier();
        again.setUp(false);
        QCOMPARE(deliverAt(again, QStringLiteral("2026-12-06 09:20")), 1);
        QCOMPARE(deliverAt(again, QStringLiteral("2026-12-13 09:10")), 2);
        // A Sunday missed while closed is not made up on Monday.
        QCOMPARE(deliverAt(again, QStringLiteral("2026-12-21 10:00")), 2);
        QCOMPARE(again.reminderDue()->toUTC(), utc(QStringLiteral("2026-12-27T08:00:00Z")));
    }

    // The application was closed at 9:00 and is opened at 9:20 that Sunday.
    void launchAfterDueTimeShowsReminder() {
        clock = local(QStringLiteral("2026-12-05 12:00"));
        notifier().setUp(false);
        onboard();
        clock = local(QStringLiteral("2026-12-06 09:20"));
        const auto state = makeState();
        QCOMPARE(notifications.shown.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSchedule)
#include "test_schedule.moc"
