#include "appstate.h"
#include "fakes.h"
#include "store.h"
#include "testfiles.h"
#include "testhome.h"
#include "usage.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>

#include <memory>

using TestFiles::write;

// Whole refreshes against a stand-in model, real folders and the real mover.
class TestRefresh : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    RecordingNotifications notifications;
    std::unique_ptr<FakeClaude> claude;
    std::unique_ptr<Usage> usage;
    QDateTime clock;
    QStringList opened;

    std::unique_ptr<AppState> makeState(bool onboarded = true, QList<Project> projects = {}) {
        if (onboarded || !projects.isEmpty()) {
            Profile profile;
            profile.onboarded = onboarded;
            profile.projects = projects;
            Store::saveProfile(profile);
        }
        AppServices s;
        s.now = [this] { return clock; };
        s.notifications = &notifications;
        s.send = claude->send();
        s.usage = usage.get();
        s.settingsPath = home->path(QStringLiteral(".config/Tovrin/Tovrin.conf"));
        auto state = std::make_unique<AppState>(s);
        state->setOpenWindow([this](const QString& id) { opened.append(id); });
        return state;
    }

    QString desktop(const QString& name) const {
        return home->path(QStringLiteral("Desktop/") + name);
    }

    static void waitUntilSettled(AppState& state) {
        QTRY_VERIFY_WITH_TIMEOUT(!state.isBusy(), 20000);
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init() {
        home = std::make_unique<TestHome>();
        claude = std::make_unique<FakeClaude>();
        usage = std::make_unique<Usage>();
        notifications.shown.clear();
        opened.clear();
        clock = QDateTime::currentDateTime();
    }
    void cleanup() { home.reset(); }

    void notOnboardedOpensOnboarding() {
        const auto state = makeState(false);
        state->start(TidyMode::quick);
        QCOMPARE(opened, QStringList{QStringLiteral("onboarding")});
        QCOMPARE(state->phase(), Phase::idle);
        QCoreApplication::processEvents();
        QCOMPARE(claude->pings.load(), 0);
    }

    void reachabilityFails_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QString>("message");
        const QString unreachable =
            "Couldn't reach Claude. Check your internet connection and try again.";
        QTest::newRow("model error") << "Claude is busy right now. Try again in a minute." << true
                                     << "Claude is busy right now. Try again in a minute.";
        QTest::newRow("no text") << "" << true << unreachable;
        QTest::newRow("network") << "The network connection was lost." << false << unreachable;
    }

    void reachabilityFails() {
        QFETCH(QString, description);
        QFETCH(bool, answered);
        QFETCH(QString, message);
        write(desktop("a.txt"), "hello");
        claude->pingFailure = Model::Failure{false, description, answered};
        const auto state = makeState();
        state->start(TidyMode::quick);
        QCOMPARE(state->phase(), Phase::scanning);
        state->start(TidyMode::deep); // busy: ignored
        waitUntilSettled(*state);
        QCOMPARE(claude->pings.load(), 1);
        QCOMPARE(state->phase(), Phase::idle);
        QCOMPARE(state->message(), std::optional<QString>(message));
        QCOMPARE(state->lastRunCost(), std::nullopt);
        QCOMPARE(claude->batches.load(), 0);
    }

    void quickRefreshEndsInReview() {
        write(desktop("notes.txt"), "shopping list");
        write(home->path(QStringLiteral("Downloads/letter.txt")), "dear sir");
        Store::savePlan({}); // replaced by the refresh
        const auto state = makeState();
        QSignalSpy phases(state.get(), &AppState::phaseChanged);
        QSignalSpy statuses(state.get(), &AppState::statusChanged);
        QList<int> lookedInto; // the count while the walk's status shows
        connect(state.get(), &AppState::decidedChanged, state.get(), [&] {
            if (state->status().startsWith("Found ")) lookedInto.append(state->decided());
        });
        state->start(TidyMode::quick);
        QCOMPARE(state->status(), QStringLiteral("Looking through your folders"));
        QCOMPARE(state->calmStatus(), QStringLiteral("Getting started…"));
        waitUntilSettled(*state);

        QCOMPARE(state->phase(), Phase::review);
        QCOMPARE(state->plan().size(), 2);
        QCOMPARE(Store::loadPlan(), std::optional<QList<PlanItem>>(state->plan()));
        QVERIFY(lookedInto.contains(2)); // both files looked into before classifying
        QCOMPARE(state->total(), 2);
        QCOMPARE(state->decided(), 2);
        QCOMPARE(state->status(), QStringLiteral("Looking at 2 files"));
        QVERIFY(state->classifyStart().has_value());
        QVERIFY(state->lastRunCost().has_value());
        QCOMPARE(state->message(), std::nullopt);
        QCOMPARE(notifications.shown.size(), 1);
        QCOMPARE(notifications.shown.first().title, QStringLiteral("Your fresh start is ready"));
        QCOMPARE(notifications.shown.first().body,
                 QStringLiteral("2 changes are waiting. Nothing moves until you say so."));
        QVERIFY(phases.count() >= 2);
        QVERIFY(statuses.count() >= 2);
        QCOMPARE(state->timeLeftText(), std::nullopt);
        QCOMPARE(state->profile().lastRun, std::nullopt); // moves only on apply
    }

    void nothingNewEndsDone() {
        const auto state = makeState();
        state->start(TidyMode::quick);
        waitUntilSettled(*state);
        QCOMPARE(state->phase(), Phase::done);
        QCOMPARE(state->status(), QStringLiteral("Nothing new to sort"));
        QCOMPARE(state->lastResult(), std::optional<ApplyResult>(ApplyResult{}));
        QCOMPARE(state->profile().lastRun, std::optional<QDateTime>(clock));
        QCOMPARE(Store::loadProfile()->lastRun->toSecsSinceEpoch(), clock.toSecsSinceEpoch());
        QCOMPARE(claude->batches.load(), 0);
        QVERIFY(notifications.shown.isEmpty());
        QVERIFY(state->lastRunText().startsWith(QStringLiteral("Last refresh ")));
    }

    // Once a refresh has run, quick looks only at Desktop and Downloads, and
    // only at what changed since.
    void secondQuickRefresh() {
        const QDateTime lastRun = clock.addDays(-1);
        write(desktop("new.txt"), "new", clock.addSecs(-60));
        write(desktop("old.txt"), "old", clock.addDays(-2));
        write(home->path(QStringLiteral("Documents/fresh.txt")), "fresh", clock.addSecs(-60));
        const auto state =
            makeState(true, {Project{QUuid::createUuid(), QStringLiteral("Pellmark"), {}}});
        Profile withRun = state->profile();
        withRun.lastRun = lastRun;
        state->setProfile(withRun);
        state->start(TidyMode::quick);
        waitUntilSettled(*state);
        QCOMPARE(state->plan().size(), 1);
        QCOMPARE(state->plan().first().src, QUrl::fromLocalFile(desktop("new.txt")));
        QCOMPARE(claude->discoveries.load(), 0);
    }

    void discovery_data() {
        QTest::addColumn<TidyMode>("mode");
        QTest::addColumn<bool>("known");
        QTest::addColumn<int>("discoveries");
        QTest::addColumn<QStringList>("projects");
        QTest::newRow("deep with known projects")
            << TidyMode::deep << true << 1 << QStringList{"Pellmark", "Kite Studio"};
        QTest::newRow("junk only with known projects")
            << TidyMode::junkOnly << true << 0 << QStringList{"Pellmark"};
        QTest::newRow("junk only with none")
            << TidyMode::junkOnly << false << 1 << QStringList{"pellmark", "Kite Studio"};
        QTest::newRow("quick with known projects")
            << TidyMode::quick << true << 0 << QStringList{"Pellmark"};
    }

    void discovery() {
        QFETCH(TidyMode, mode);
        QFETCH(bool, known);
        QFETCH(int, discoveries);
        QFETCH(QStringList, projects);
        for (int i = 0; i < 20; ++i)
            write(desktop(QStringLiteral("note %1.txt").arg(i)), "text");
        claude->discoveryReply = QStringLiteral(
            R"([{"name":"pellmark"},{"name":"Kite Studio"},{"name":"KITE STUDIO"}])");
        QList<Project> knownProjects;
        if (known)
            knownProjects.append(Project{QUuid::createUuid(), QStringLiteral("Pellmark"), {}});
        const auto state = makeState(true, knownProjects);
        state->start(mode);
        waitUntilSettled(*state);
        QCOMPARE(claude->discoveries.load(), discoveries);
        QStringList names;
        for (const Project& p : state->profile().projects)
            names.append(p.name);
        QCOMPARE(names, projects);
        QCOMPARE(Store::loadProfile()->projects, state->profile().projects);
    }

    void monthlyCap_data() {
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("found");
        QTest::addColumn<Phase>("phase");
        QTest::addColumn<int>("classified");
        QTest::addColumn<QString>("message");
        QTest::newRow("limit reached")
            << 60'000 << 3 << Phase::idle << 0
            << "You've reached this month's limit of 60,000 files. It resets on the 1st.";
        QTest::newRow("part left")
            << 59'990 << 25 << Phase::review << 10
            << "Sorted your newest 10 files. You've reached this month's limit.";
        QTest::newRow("plenty left") << 100 << 3 << Phase::review << 3 << "";
    }

    void monthlyCap() {
        QFETCH(int, used);
        QFETCH(int, found);
        QFETCH(Phase, phase);
        QFETCH(int, classified);
        QFETCH(QString, message);
        UsageLog log;
        log.months.insert(UsageLedger::monthKey(clock), MonthUsage{1.0, used});
        UsageLedger::save(log);
        for (int i = 0; i < found; ++i)
            write(desktop(QStringLiteral("f%1.txt").arg(i, 2, 10, QLatin1Char('0'))), "x",
                  clock.addSecs(-3600 * (i + 1)));
        const auto state = makeState();
        state->start(TidyMode::quick);
        waitUntilSettled(*state);
        QCOMPARE(state->phase(), phase);
        QCOMPARE(state->plan().size(), classified);
        QCOMPARE(state->message().value_or(QString()), message);
        // The newest files win.
        for (const PlanItem& item : state->plan())
            QVERIFY(QFileInfo(item.src.toLocalFile()).fileName() <
                    QStringLiteral("f%1.txt").arg(classified, 2, 10, QLatin1Char('0')));
        if (classified == 0) {
            QCOMPARE(claude->batches.load(), 0);
            QCOMPARE(claude->discoveries.load(), 0);
            QCOMPARE(UsageLedger::load().runs.size(), 1);
        }
    }

    void caps_data() {
        QTest::addColumn<int>("found");
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("kept");
        QTest::addColumn<bool>("monthFull");
        QTest::addColumn<QString>("note");
        QTest::newRow("under both") << 100 << 0 << 100 << false << "";
        QTest::newRow("one over the run cap")
            << 25'001 << 0 << 25'000 << false
            << "Sorted your newest 25,000 files. Run it again for the rest.";
        QTest::newRow("run cap, then month") << 25'001 << 40'000 << 20'000 << false
                                             << "Sorted your newest 20,000 files. You've "
                                                "reached this month's limit.";
        QTest::newRow("month nearly used") << 25 << 59'990 << 10 << false
                                           << "Sorted your newest 10 files. You've reached "
                                              "this month's limit.";
        QTest::newRow("month exactly fits") << 10 << 59'990 << 10 << false << "";
        QTest::newRow("month used up")
            << 5 << 60'000 << 0 << true
            << "You've reached this month's limit of 60,000 files. It resets on the 1st.";
        QTest::newRow("month over-used") << 5 << 61'000 << 0 << true
                                         << "You've reached this month's limit of 60,000 "
                                            "files. It resets on the 1st.";
    }

    void caps() {
        QFETCH(int, found);
        QFETCH(int, used);
        QFETCH(int, kept);
        QFETCH(bool, monthFull);
        QFETCH(QString, note);
        // Shuffled dates; equal dates keep their scan order.
        QList<ScannedItem> items;
        const QDateTime base(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
        for (int i = 0; i < found; ++i) {
            ScannedItem item;
            item.id = i;
            item.modified = base.addSecs(qint64(i * 7919 % found) * 60 + (i % 2 ? 0 : 30));
            items.append(item);
        }
        const Capped capped = applyCaps(items, used);
        QCOMPARE(capped.monthFull, monthFull);
        QCOMPARE(capped.note.value_or(QString()), note);
        QCOMPARE(int(capped.items.size()), kept);
        if (kept == found || kept == 0) return;
        QList<QDateTime> dates;
        for (const ScannedItem& item : items)
            dates.append(item.modified);
        std::sort(dates.begin(), dates.end(), std::greater<>());
        const QDateTime oldestKept = dates.at(kept - 1);
        for (const ScannedItem& item : capped.items)
            QVERIFY(item.modified >= oldestKept);
        for (qsizetype i = 1; i < capped.items.size(); ++i)
            QVERIFY(capped.items.at(i - 1).modified >= capped.items.at(i).modified);
    }

    void classificationFails() {
        write(desktop("a.txt"), "text");
        claude->classifyFailure =
            Model::Failure{true, QStringLiteral("Your credit balance is too low.")};
        const auto state = makeState();
        state->start(TidyMode::quick);
        waitUntilSettled(*state);
        QCOMPARE(state->phase(), Phase::idle);
        QCOMPARE(state->message(),
                 std::optional<QString>(QStringLiteral("Your credit balance is too low.")));
        QVERIFY(state->plan().isEmpty());
        QCOMPARE(Store::loadPlan(), std::optional<QList<PlanItem>>(QList<PlanItem>{}));
        QVERIFY(state->lastRunCost().has_value());
        QCOMPARE(state->profile().lastRun, std::nullopt);
    }

    void applyAndUndo_data() {
        QTest::addColumn<bool>("includeRenames");
        QTest::addColumn<std::optional<QString>>("renameFrom");
        QTest::addColumn<std::optional<QString>>("renameTo");
        QTest::newRow("with renames") << true << std::optional<QString>("IMG_1.png")
                                      << std::optional<QString>("Beach Sunset.png");
        QTest::newRow("without renames")
            << false << std::optional<QString>() << std::optional<QString>();
    }

    void applyAndUndo() {
        QFETCH(bool, includeRenames);
        QFETCH(std::optional<QString>, renameFrom);
        QFETCH(std::optional<QString>, renameTo);
        auto planItem = [&](qint64 id, const QString& name, const QString& dest,
                            const QString& category, FileKind kind) {
            write(desktop(name), "data");
            PlanItem p;
            p.id = id;
            p.src = QUrl::fromLocalFile(desktop(name));
            p.destFolder = dest;
            p.category = category;
            p.confidence = QStringLiteral("high");
            p.reason = QStringLiteral("r");
            p.kind = kind;
            p.size = 4;
            p.approved = true;
            return p;
        };
        PlanItem pdf = planItem(1, "scan.pdf", "Personal/Documents", "personal", FileKind::pdf);
        pdf.newName = QStringLiteral("Bank Statement.pdf");
        pdf.renameApproved = true;
        PlanItem image = planItem(2, "IMG_1.png", "Personal/Photos", "personal", FileKind::image);
        image.newName = QStringLiteral("Beach Sunset.png");
        image.renameApproved = true;
        PlanItem font = planItem(3, "a.otf", "Library/Fonts", "library", FileKind::font);
        PlanItem dup = planItem(4, "a copy.otf", "Tovrin Review/Duplicates - Review First",
                                "duplicate", FileKind::font);
        clock = clock.addSecs(-60); // files written below count as new after the run
        PlanItem left = planItem(5, "keep.txt", "Personal/Documents", "personal", FileKind::doc);
        left.approved = false;
        Store::savePlan({pdf, image, font, dup, left});

        const auto state = makeState();
        QCOMPARE(state->phase(), Phase::review);
        state->undoLast(); // nothing logged yet; the plan stays
        waitUntilSettled(*state);
        QCOMPARE(state->message(), std::optional<QString>(QStringLiteral("Nothing to undo.")));
        QCOMPARE(state->phase(), Phase::idle);
        QCOMPARE(state->plan().size(), 5);
        state->apply(includeRenames); // only from review
        QCOMPARE(state->phase(), Phase::idle);

        const auto restarted = makeState();
        QCOMPARE(restarted->phase(), Phase::review);
        restarted->apply(includeRenames);
        QCOMPARE(restarted->phase(), Phase::applying);
        QCOMPARE(restarted->calmStatus(), QStringLiteral("Putting everything in its place"));
        waitUntilSettled(*restarted);

        QCOMPARE(restarted->phase(), Phase::done);
        QVERIFY(restarted->plan().isEmpty());
        QCOMPARE(Store::loadPlan(), std::optional<QList<PlanItem>>(QList<PlanItem>{}));
        QCOMPARE(restarted->lastResult()->moved, 4);
        QCOMPARE(restarted->lastResult()->renamed, includeRenames ? 2 : 0);
        const std::optional<RecapData> recap = restarted->recap();
        QVERIFY(recap.has_value());
        QCOMPARE(recap->result, *restarted->lastResult());
        QCOMPARE(recap->groups, (GroupCounts{{QStringLiteral("Personal"), 2},
                                             {QStringLiteral("Library · Fonts"), 1}}));
        QCOMPARE(recap->renameFrom, renameFrom);
        QCOMPARE(recap->renameTo, renameTo);
        QCOMPARE(recap->duplicates, 1);
        QCOMPARE(opened, QStringList{QStringLiteral("recap")});
        QCOMPARE(restarted->profile().lastRun, std::optional<QDateTime>(clock));
        QVERIFY(restarted->lastRunText().startsWith(QStringLiteral("Last refresh ")));
        QCOMPARE(restarted->lastLogText(), QLocale().toString(QDate::currentDate(), "MMM d"));
        QVERIFY(QFile::exists(desktop("keep.txt")));
        QVERIFY(!QFile::exists(desktop("scan.pdf")));
        QTRY_COMPARE(restarted->newFiles(), 1); // keep.txt, counted after the run

        restarted->undoLast();
        waitUntilSettled(*restarted);
        QCOMPARE(restarted->phase(), Phase::idle);
        QCOMPARE(restarted->message(),
                 std::optional<QString>(QStringLiteral("Restored 4 files to where they were.")));
        for (const char* name : {"scan.pdf", "IMG_1.png", "a.otf", "a copy.otf"})
            QVERIFY2(QFile::exists(desktop(QString::fromLatin1(name))), name);
        QCOMPARE(restarted->recap(), recap); // undo leaves the recap alone
    }

    // With no log to undo it from, apply moves nothing and the plan waits on.
    void applyWithoutLog() {
        write(desktop("a.txt"), "data");
        PlanItem item;
        item.src = QUrl::fromLocalFile(desktop("a.txt"));
        item.destFolder = QStringLiteral("Personal");
        item.category = QStringLiteral("personal");
        item.approved = true;
        Store::savePlan({item});
        write(Store::dir() + QStringLiteral("/logs"), "a file where the folder belongs");
        const auto state = makeState();
        state->apply(true);
        waitUntilSettled(*state);
        QCOMPARE(state->phase(), Phase::review);
        QVERIFY(state->message().has_value());
        QCOMPARE(Store::loadPlan(), std::optional(state->plan()));
        QCOMPARE(state->plan().size(), 1);
        QVERIFY(QFile::exists(desktop("a.txt")));
        QCOMPARE(state->profile().lastRun, std::nullopt);
    }

    void recapWithOnlyJunk() {
        PlanItem junk;
        junk.category = QStringLiteral("junk");
        junk.approved = true;
        PlanItem dup = junk;
        dup.category = QStringLiteral("duplicate");
        QVERIFY(recapGroups({junk, dup}).isEmpty());
        QCOMPARE(exampleRename({junk}), std::nullopt);
    }

    void newFiles_data() {
        QTest::addColumn<bool>("sinceSet");
        QTest::addColumn<int>("count");
        QTest::newRow("never refreshed: every visible entry") << false << 4;
        QTest::newRow("since last refresh") << true << 2;
    }

    void newFiles() {
        QFETCH(bool, sinceSet);
        QFETCH(int, count);
        write(desktop("new.txt"), "x", clock.addSecs(-10));
        write(desktop("old.txt"), "x", clock.addDays(-3));
        write(desktop(".hidden"), "x", clock.addSecs(-10));
        QVERIFY(QDir().mkpath(home->path(QStringLiteral("Downloads/new folder"))));
        write(home->path(QStringLiteral("Downloads/old.zip")), "x", clock.addDays(-3));
        write(home->path(QStringLiteral("Documents/not counted.txt")), "x");
        const auto state = makeState();
        if (sinceSet) {
            Profile profile = state->profile();
            profile.lastRun = clock.addDays(-1);
            state->setProfile(profile);
        }
        QSignalSpy spy(state.get(), &AppState::newFilesChanged);
        state->refreshNewFiles();
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 5000);
        QCOMPARE(state->newFiles(), count);
    }

    // Background work that finishes after the state is gone changes nothing
    // and reaches no dangling object.
    void stateGoneWhileWorking() {
        write(desktop("a.txt"), "text");
        auto state = makeState();
        state->start(TidyMode::quick);
        QCoreApplication::processEvents(); // the ping, then the scan starts
        state->refreshNewFiles();
        state.reset();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QVERIFY(QFile::exists(desktop("a.txt")));
        QVERIFY(notifications.shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRefresh)
#include "test_refresh.moc"
