#include "fakes.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QThreadPool>

#include <memory>

using TestFiles::write;

// Whole refreshes against a stand-in model, real folders and the real mover.
class TestRefresh : public QObject, AppFixture {
    Q_OBJECT

    std::unique_ptr<AppState> makeState(const QStringList& projects = {},
                                        std::optional<QDateTime> lastRun = std::nullopt) {
        onboard(projects, lastRun);
        return AppFixture::makeState();
    }

    QString desktop(const QString& name) const {
        return home->path(QStringLiteral("Desktop/") + name);
    }

    static void settle(AppState& state) { QTRY_VERIFY_WITH_TIMEOUT(!state.isBusy(), 20000); }

private slots:
    void init() { fresh(QDateTime::currentDateTime()); }
    void cleanup() { home.reset(); }

    // A refresh that finds nothing still counts as run, so the next quick one
    // looks only at what changed since.
    void nothingNewEndsDone() {
        const auto state = makeState();
        state->start(Tidy::Mode::quick);
        settle(*state);
        QCOMPARE(state->phase(), Phase::done);
        QCOMPARE(Store::loadProfile()->lastRun->toSecsSinceEpoch(), clock.toSecsSinceEpoch());
        QVERIFY(notifications.shown.isEmpty());
    }

    // The scan folders are where the desktop's own settings put them. Once a
    // refresh has run, quick looks only at Desktop and Downloads, by name,
    // and only at what changed since. A folder set to home itself is off:
    // home is never listed, or every folder in it would be filed away.
    void scanFolders_data() {
        QTest::addColumn<QByteArray>("userDirs");
        QTest::addColumn<bool>("ranBefore");
        QTest::addColumn<QStringList>("listed");
        const QByteArray french = "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n"
                                  "XDG_DOWNLOAD_DIR=\"$HOME/Téléchargements\"\n";
        QTest::newRow("second quick")
            << QByteArray() << true << QStringList{"Desktop/new.txt", "Downloads/new.txt"};
        QTest::newRow("translated, second quick")
            << french << true << QStringList{"Bureau/new.txt", "Téléchargements/new.txt"};
        QTest::newRow("translated, first")
            << french << false << QStringList{"Bureau/new.txt",          "Bureau/old.txt",
                                              "Documents/new.txt",       "Documents/old.txt",
                                              "Téléchargements/new.txt", "Téléchargements/old.txt"};
        QTest::newRow("desktop off") << QByteArray("XDG_DESKTOP_DIR=\"$HOME\"\n") << false
                                     << QStringList{"Documents/new.txt", "Documents/old.txt",
                                                    "Downloads/new.txt", "Downloads/old.txt"};
    }
    void scanFolders() {
        QFETCH(QByteArray, userDirs);
        QFETCH(bool, ranBefore);
        QFETCH(QStringList, listed);
        if (!userDirs.isEmpty()) write(home->path(".config/user-dirs.dirs"), userDirs);
        for (const QString folder :
             {"Desktop", "Downloads", "Documents", "Bureau", "Téléchargements"}) {
            write(home->path(folder + "/new.txt"), "new", clock.addSecs(-60));
            write(home->path(folder + "/old.txt"), "old", clock.addDays(-2));
        }
        write(home->path("loose.txt"), "in home itself");
        const auto state = makeState({QStringLiteral("Pellmark")},
                                     ranBefore ? std::optional(clock.addDays(-1)) : std::nullopt);
        state->start(Tidy::Mode::quick);
        settle(*state);
        QStringList found;
        for (const PlanItem& item : state->plan())
            found.append(QDir(home->path()).relativeFilePath(item.src.toLocalFile()));
        found.sort();
        QCOMPARE(found, listed);
        QCOMPARE(claude->discoveries.load(), 0);
    }

    void discovery_data() {
        QTest::addColumn<Tidy::Mode>("mode");
        QTest::addColumn<QStringList>("known");
        QTest::addColumn<int>("discoveries");
        QTest::addColumn<QStringList>("projects");
        QTest::newRow("deep with known projects") << Tidy::Mode::deep << QStringList{"Pellmark"}
                                                  << 1 << QStringList{"Pellmark", "Kite Studio"};
        QTest::newRow("junk only with known projects")
            << Tidy::Mode::junkOnly << QStringList{"Pellmark"} << 0 << QStringList{"Pellmark"};
        QTest::newRow("quick with none")
            << Tidy::Mode::quick << QStringList() << 1 << QStringList{"pellmark", "Kite Studio"};
    }
    void discovery() {
        QFETCH(Tidy::Mode, mode);
        QFETCH(QStringList, known);
        QFETCH(int, discoveries);
        QFETCH(QStringList, projects);
        for (int i = 0; i < 20; ++i)
            write(desktop(QStringLiteral("note %1.txt").arg(i)), "text");
        claude->discoveryReply = QStringLiteral(
            R"([{"name":"pellmark"},{"name":"Kite Studio"},{"name":"KITE STUDIO"}])");
        const auto state = makeState(known);
        state->start(mode);
        settle(*state);
        QCOMPARE(claude->discoveries.load(), discoveries);
        QStringList names;
        for (const Project& p : state->profile().projects)
            names.append(p.name);
        QCOMPARE(names, projects);
        QCOMPARE(Store::loadProfile()->projects, state->profile().projects);
    }

    // The newest files win what the month has left.
    void monthlyCap_data() {
        QTest::addColumn<int>("used");
        QTest::addColumn<Phase>("phase");
        QTest::addColumn<int>("classified");
        QTest::addColumn<QString>("message");
        QTest::newRow("limit reached")
            << 60'000 << Phase::idle << 0
            << "You've reached this month's limit of 60,000 files. It resets on the 1st.";
        QTest::newRow("part left")
            << 59'990 << Phase::review << 10
            << "Sorted your newest 10 files. You've reached this month's limit.";
    }
    void monthlyCap() {
        QFETCH(int, used);
        QFETCH(Phase, phase);
        QFETCH(int, classified);
        QFETCH(QString, message);
        UsageLog log;
        log.months.insert(UsageLedger::monthKey(clock), MonthUsage{1.0, used});
        UsageLedger::save(log);
        for (int i = 0; i < 25; ++i)
            write(desktop(QStringLiteral("f%1.txt").arg(i, 2, 10, QLatin1Char('0'))), "x",
                  clock.addSecs(-3600 * (i + 1)));
        const auto state = makeState();
        state->start(Tidy::Mode::quick);
        settle(*state);
        QCOMPARE(state->phase(), phase);
        QCOMPARE(state->message(), std::optional(message));
        QCOMPARE(state->plan().size(), classified);
        for (const PlanItem& item : state->plan())
            QVERIFY(item.src.fileName() < QStringLiteral("f%1.txt").arg(classified));
        QCOMPARE(claude->batches.load() > 0, classified > 0);
        QCOMPARE(UsageLedger::load().runs.size(), 1);
    }

    // One over the run cap, shuffled dates: the newest 25,000 are kept.
    void runCap() {
        QList<ScannedItem> items;
        const QDateTime base(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
        for (int i = 0; i < 25'001; ++i)
            items.append(TestScannedItem("a.txt").id(i).modified(
                base.addSecs(qint64(i * 7919 % 25'001) * 60)));
        const Capped capped = applyCaps(items, 0);
        QCOMPARE(capped.note, "Sorted your newest 25,000 files. Run it again for the rest.");
        QCOMPARE(capped.items.size(), 25'000);
        for (const ScannedItem& item : capped.items)
            QVERIFY(item.modified > base);
    }

    // With no log to undo it from, apply moves nothing and the plan waits on.
    void applyWithoutLog() {
        write(desktop("a.txt"), "data");
        Store::savePlan({TestPlanItem(desktop("a.txt"))});
        write(Store::dir() + QStringLiteral("/logs"), "a file where the folder belongs");
        const auto state = makeState();
        state->apply(true);
        settle(*state);
        QCOMPARE(state->phase(), Phase::review);
        QVERIFY(state->message().has_value());
        QCOMPARE(state->plan().size(), 1);
        QCOMPARE(Store::loadPlan(), std::optional(state->plan()));
        QVERIFY(QFile::exists(desktop("a.txt")));
    }

    // The recap counts the approved moves by destination and shows one
    // rename, an image's if there is one.
    void recap() {
        const QList<PlanItem> plan{
            TestPlanItem("a.pdf", "Personal/Documents").newName("Statement.pdf"),
            TestPlanItem("b.png", "Personal/Photos").kind(FileKind::image).newName("Beach.png"),
            TestPlanItem("c.otf", "Library/Fonts", "library"),
            TestPlanItem("d.txt", "Work").approved(false),
            TestPlanItem("e.zip", "Tovrin Review/Junk", "junk"),
            TestPlanItem("f.otf", "Tovrin Review/Duplicates", "duplicate"),
            TestPlanItem("g.txt", "Tovrin Review/Needs You", "needs-you")};
        QCOMPARE(recapGroups(plan), (GroupCounts{{QStringLiteral("Personal"), 2},
                                                 {QStringLiteral("Library · Fonts"), 1}}));
        QCOMPARE(exampleRename(plan).value().newName, std::optional<QString>("Beach.png"));
        QCOMPARE(exampleRename(plan.mid(2)), std::nullopt);
    }

    // Held above the limit, a refresh says so in a notification whose click
    // brings up the panel that asks.
    void pauseNotifies() {
        write(desktop("a.txt"), "text");
        onboard({QStringLiteral("Pellmark")});
        Profile profile = *Store::loadProfile();
        profile.costLimit = 0.000'001;
        Store::saveProfile(profile);
        const auto state = AppFixture::makeState();
        state->start(Tidy::Mode::quick);
        QTRY_VERIFY(state->paused());
        QCOMPARE(notifications.shown.size(), 1);
        QCOMPARE(notifications.shown[0].id, NotificationIds::costLimit);
        notifications.click(NotificationIds::costLimit);
        QCOMPARE(opened, QStringList{"menu"});
        QCOMPARE(claude->batches, 0);
        state->proceed();
        settle(*state);
        QCOMPARE(claude->batches, 1);
    }

    // Background work that finishes after the state is gone changes nothing
    // and reaches no dangling object.
    void stateGoneWhileWorking() {
        write(desktop("a.txt"), "text");
        auto state = makeState();
        state->start(Tidy::Mode::quick);
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
