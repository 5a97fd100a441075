#include "fakes.h"
#include "json.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

using TestFiles::read;
using TestFiles::write;

QByteArray planBytes(const QList<PlanItem>& plan) {
    return Json::compact(Json::encodeList(plan));
}

QList<qint64> ids(const QList<PlanItem>& plan) {
    QList<qint64> out;
    for (const PlanItem& item : plan)
        out.append(item.id);
    return out;
}

} // namespace

class TestAppState : public QObject, AppFixture {
    Q_OBJECT

    // A Needs You item in Downloads; its file exists unless `present` is false.
    TestPlanItem item(qint64 id, const QString& name, const QString& category = "needs-you",
                      bool present = true) {
        const QString path = QStringLiteral("Downloads/") + name;
        if (present) home->write(path);
        return TestPlanItem(home->path(path), QStringLiteral("Tovrin Review/Needs You"), category)
            .id(id)
            .kind(FileKind::doc);
    }

private slots:
    void init() { fresh(QDateTime::fromSecsSinceEpoch(1'796'000'000, Qt::UTC)); }
    void cleanup() { home.reset(); }

    // The default profile is used, and what the user had stays readable
    // beside it instead of being overwritten by the next save.
    void unreadableProfile() {
        const QByteArray bytes = "{\"onboarded\": tru";
        write(Store::filePath(QStringLiteral("profile.json")), bytes);
        const auto state = makeState();
        QCOMPARE(state->profile(), Profile{});
        state->addProject(QStringLiteral("Pellmark"));
        QCOMPARE(read(Store::dir() + QStringLiteral("/profile.unreadable-1796000000.json")), bytes);
        QCOMPARE(Store::loadProfile()->projects.size(), 1);
    }

    // The plan left pending and the one handed over for import, as found at launch.
    void startup_data() {
        QTest::addColumn<QString>("pending");
        QTest::addColumn<QString>("import");
        QTest::addColumn<QList<qint64>>("planIds");
        QTest::addColumn<QStringList>("asides");
        const QList<qint64> none;
        QTest::newRow("pending, one vanished") << "good"
                                               << "" << QList<qint64>{1} << QStringList();
        QTest::newRow("pending built while failing") << "api-error"
                                                     << "" << none << QStringList();
        QTest::newRow("pending corrupt") << "corrupt"
                                         << "" << none << QStringList{"pending-plan.unreadable"};
        QTest::newRow("import wins") << "good"
                                     << "good" << QList<qint64>{10}
                                     << QStringList{"import-plan.loaded", "pending-plan.replaced"};
        QTest::newRow("import corrupt")
            << "good"
            << "corrupt" << QList<qint64>{1} << QStringList{"import-plan.unreadable"};
    }
    void startup() {
        QFETCH(QString, pending);
        QFETCH(QString, import);
        QFETCH(QList<qint64>, planIds);
        QFETCH(QStringList, asides);
        const QMap<QString, QByteArray> pendingPlans{
            {"good", planBytes({item(1, "a.txt"), item(2, "gone.txt", "library", false)})},
            {"api-error", planBytes({item(1, "a.txt"), item(2, "b.txt").refused()})},
            {"corrupt", "[{\"id\": 1, \"src\": "}};
        const QMap<QString, QByteArray> imports{
            {"good", planBytes({item(10, "i.txt"), item(11, "gone2.txt", "library", false)})},
            {"corrupt", "not a plan"}};
        write(Store::filePath(QStringLiteral("pending-plan.json")), pendingPlans[pending]);
        if (!import.isEmpty()) write(Store::importPlanPath(), imports[import]);

        const auto state = makeState();
        QCOMPARE(state->phase(), planIds.isEmpty() ? Phase::idle : Phase::review);
        QCOMPARE(ids(state->plan()), planIds);
        QTRY_COMPARE(Store::loadPlan().value_or(QList<PlanItem>()), state->plan());

        // Nothing the user had is lost: each file set aside holds its bytes.
        QVERIFY(!QFile::exists(Store::importPlanPath()));
        const QString importDir = QFileInfo(Store::importPlanPath()).path();
        const QMap<QString, QByteArray> expected{
            {"pending-plan.unreadable", pendingPlans[pending]},
            {"pending-plan.replaced", planBytes({item(1, "a.txt")})},
            {"import-plan.loaded", imports[import]},
            {"import-plan.unreadable", imports[import]}};
        const QStringList setAside = QDir(Store::dir()).entryList({"*-1796000000.json"}) +
                                     QDir(importDir).entryList({"*-1796000000.json"});
        QCOMPARE(setAside.size(), asides.size());
        for (const QString& aside : asides) {
            const QString dir = aside.startsWith("import") ? importDir : Store::dir();
            QCOMPARE(read(dir + '/' + aside + "-1796000000.json"), expected[aside]);
        }

        QVERIFY(opened.isEmpty()); // never at once
        if (import == QLatin1String("good"))
            QTRY_COMPARE_WITH_TIMEOUT(opened, QStringList{QStringLiteral("review")}, 5000);
    }

    // Matched by file name, reason or the model's suggestion, among the items
    // still looking for a home only. A project known in another case is not
    // added again; a new one is, even with nothing to take.
    void addProject() {
        onboard({QStringLiteral("Clients/ACME WEB")});
        Store::savePlan({item(1, "acme web brief.txt"), item(2, "acme web.png", "creator"),
                         item(3, "IMG_0042.png", "library")
                             .kind(FileKind::image)
                             .suggestedProject("ACME WEB")
                             .approved(false),
                         item(4, "other.txt").reason("Invoice from ACME WEB"),
                         item(5, "unrelated.txt")});
        const auto state = makeState();
        const QList<PlanItem> before = state->plan();
        QCOMPARE(state->addProject(QStringLiteral(" acme web \n")), 3);
        QCOMPARE(state->profile().projects.size(), 1);
        QTRY_COMPARE(Store::loadPlan(), std::optional(state->plan()));
        const QList<PlanItem>& plan = state->plan();
        QCOMPARE(plan.at(1), before.at(1));
        QCOMPARE(plan.at(4), before.at(4));
        QCOMPARE(plan.at(0).destFolder, QStringLiteral("Projects/acme web/Docs"));
        QCOMPARE(plan.at(0).category, QStringLiteral("project:acme web"));
        QCOMPARE(plan.at(2).destFolder, QStringLiteral("Projects/acme web/Images"));
        QVERIFY(plan.at(2).approved);
        QCOMPARE(plan.at(2).suggestedProject, std::nullopt);
        QCOMPARE(plan.at(3).category, QStringLiteral("project:acme web"));
        QTRY_COMPARE(Store::loadLessons(),
                     (QList<Lesson>{{"(project)", "user added project", "Projects/acme web"}}));

        QCOMPARE(state->addProject(QStringLiteral("Kite")), 0);
        QCOMPARE(Store::loadProfile()->projects, state->profile().projects);
        QCOMPARE(state->profile().projects.size(), 2);
    }

    // The reminder starts a refresh; a click with nothing to review and
    // after the state is gone does nothing.
    void notificationClick() {
        onboard();
        auto state = makeState();
        notifications.click(NotificationIds::planReady);
        QCOMPARE(state->phase(), Phase::idle);
        notifications.click(NotificationIds::sundayReminder);
        QCOMPARE(state->phase(), Phase::scanning);
        QTRY_VERIFY(!state->isBusy());
        state.reset();
        notifications.click(NotificationIds::sundayReminder);
        QVERIFY(opened.isEmpty());
    }

    void progressTexts_data() {
        QTest::addColumn<int>("decided");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("startedSecondsAgo"); // -1: no report yet
        QTest::addColumn<int>("baseline");
        QTest::addColumn<QString>("timeLeft"); // empty: none
        QTest::addColumn<QString>("calm");
        const QString estimating = QStringLiteral("Estimating time left…");
        QTest::newRow("warm-up") << 10 << 700 << 5 << 0 << estimating << estimating;
        // What the first report already counted is kept out of the rate.
        QTest::newRow("baseline") << 100 << 700 << 20 << 90 << "About 20 min left"
                                  << "About 20 min left";
        QTest::newRow("all decided") << 7 << 7 << 20 << 0 << "" << estimating;
    }
    void progressTexts() {
        QFETCH(int, decided);
        QFETCH(int, total);
        QFETCH(int, startedSecondsAgo);
        QFETCH(int, baseline);
        QFETCH(QString, timeLeft);
        QFETCH(QString, calm);
        ProgressView view{Phase::scanning, RefreshStep::classifying, decided, total, {}, baseline};
        if (startedSecondsAgo >= 0) view.classifyStart = clock.addSecs(-startedSecondsAgo);
        QCOMPARE(timeLeftText(view, clock).value_or(QString()), timeLeft);
        QCOMPARE(calmStatus(view, clock), calm);
    }

    // "Send all to…" over many items is one edit: the whole plan is written
    // once, not once per item.
    void setDestinations() {
        QList<PlanItem> plan;
        for (qint64 id = 1; id <= 4; ++id)
            plan.append(item(id, QStringLiteral("scan %1.pdf").arg(id)));
        plan[3].id = 3; // a second item under one id: only the first is edited
        Store::savePlan(plan);
        const auto state = makeState();
        QSignalSpy changes(state.get(), &AppState::itemsEdited);
        state->setDestinations({1, 3, 42}, QStringLiteral("Work Admin"));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0).at(0).value<QList<int>>(), (QList<int>{0, 2}));
        QStringList dests;
        for (const PlanItem& p : state->plan())
            dests.append(p.destFolder);
        QCOMPARE(dests, QStringList({"Work Admin", "Tovrin Review/Needs You", "Work Admin",
                                     "Tovrin Review/Needs You"}));
        QTRY_COMPARE(Store::loadPlan().value_or(QList<PlanItem>()), state->plan());
        QTRY_COMPARE(Store::loadLessons().size(), 2);

        // An edit that changes nothing right after a tick still lets the tick
        // reach the disk.
        state->toggle(2);
        state->setDestinations({42}, QStringLiteral("Work Admin"));
        QVERIFY(state->plan().at(1).approved != plan.at(1).approved);
        QTRY_COMPARE(Store::loadPlan().value_or(QList<PlanItem>()), state->plan());
    }
};

QTEST_GUILESS_MAIN(TestAppState)
#include "test_appstate.moc"
