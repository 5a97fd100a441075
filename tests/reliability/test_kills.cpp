// Killing the process at random points of apply and undo, many times over:
// after each kill every file is where it was or where its plan sent it,
// byte for byte, and a start-up plus undo brings every one of them back.
// Killing it while the user ticks through review: the saved plan always
// reads, and holds the ticks in the order they were made.
#include "mover.h"
#include "store.h"
#include "testfiles.h"
#include "testhome.h"
#include "testitems.h"

#include <QDirIterator>
#include <QProcess>
#include <QRandomGenerator>
#include <QStorageInfo>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

namespace {

using TestFiles::read;
using TestFiles::snapshot;
using TestFiles::Tree;
using TestFiles::write;

} // namespace

class TestKills : public QObject {
    Q_OBJECT

    TestHome home;
    QString base;
    QList<PlanItem> plan;
    Tree before;
    QHash<QString, QString> destination; // source → the folder its plan names

    int killedMidway = 0;

    void runAndKill(const QStringList& arguments, const std::function<bool()>& far) {
        QProcess child;
        child.start(QCoreApplication::applicationDirPath() + "/kill_child", arguments);
        QVERIFY(child.waitForStarted());
        // Polled every millisecond: an apply of the whole tree takes only a
        // tenth of a second on a quiet machine.
        QElapsedTimer waited;
        waited.start();
        while (!far() && !child.waitForFinished(1))
            QVERIFY(waited.elapsed() < 30'000);
        // A child that already ended has no pid, and kill(0) would hit us.
        if (const qint64 pid = child.processId(); pid > 0) ::kill(pid_t(pid), SIGKILL);
        child.waitForFinished();
        if (child.exitStatus() == QProcess::CrashExit) ++killedMidway;
    }

    // Every file of the tree exactly once: at home or in its plan's folder.
    void everyFileAccountedFor() {
        Tree now = snapshot(home.path("Downloads"));
        const Tree moved = snapshot(base);
        QCOMPARE(now.size() + moved.size(), before.size());
        for (auto it = now.cbegin(); it != now.cend(); ++it)
            QCOMPARE(it.value(), before[it.key()]);
        for (auto it = moved.cbegin(); it != moved.cend(); ++it) {
            // Names are unique in the tree, so a name tells its source.
            const QString name = QFileInfo(it.key()).fileName();
            const QString src = home.path("Downloads/") + name;
            QVERIFY2(before.contains(src), qPrintable(it.key()));
            QVERIFY(!now.contains(src));
            QCOMPARE(QFileInfo(it.key()).path(), destination[src]);
            QCOMPARE(it.value(), before[src]);
        }
    }

    int journalLines() const {
        const QStringList journals = QDir(Store::logsDir()).entryList({"*.journal"}, QDir::Files);
        if (journals.isEmpty()) return 0;
        return int(read(Store::logsDir() + '/' + journals.first()).count('\n'));
    }

private slots:
    void initTestCase() {
        base = home.path("Documents/Tovrin");
        QDir().mkpath(Store::logsDir());
        for (int i = 0; i < 3000; ++i) {
            const QString src = home.path("Downloads/") + QStringLiteral("file %1.txt").arg(i);
            write(src, QByteArray::number(i * 104729) + QByteArray(i % 500, 'x'));
            plan.append(TestPlanItem(src, QStringLiteral("Work/Folder %1").arg(i % 12), "work"));
            destination.insert(src, base + '/' + plan.last().destFolder);
        }
        Store::savePlan(plan);
        before = snapshot(home.path("Downloads"));
    }

    void killedAnywhere() {
        for (int round = 0; round < 50; ++round) {
            const bool inUndo = round % 2 == 1;
            if (inUndo) {
                // A complete apply, then an undo killed part-way.
                QCOMPARE(Mover::apply(plan, base, true).value().moved, plan.size());
                const int wait = 1 + int(QRandomGenerator::global()->bounded(2900));
                runAndKill({QStringLiteral("undo")},
                           [&] { return QDir(home.path("Downloads")).count() - 2 >= uint(wait); });
            } else {
                const int wait = 1 + int(QRandomGenerator::global()->bounded(5800));
                runAndKill({QStringLiteral("apply"), base}, [&] { return journalLines() >= wait; });
            }
            everyFileAccountedFor();
            // The next start-up folds what the killed process left, then undo.
            Mover::recoverJournals();
            Mover::undoLatest();
            QCOMPARE(snapshot(home.path("Downloads")), before);
            QVERIFY(snapshot(base).isEmpty());
            QVERIFY(QDir(Store::logsDir()).entryList({"*.journal"}, QDir::Files).isEmpty());
        }
        qInfo("%d of 50 runs killed part-way", killedMidway);
        QVERIFY(killedMidway >= 10);
    }

    // How many of the plan's first items the saved plan has ticked; -1 when
    // it is not such a prefix (an older write landed over a newer one) or
    // does not read.
    int ticksOnDisk(const QList<PlanItem>& ticked) const {
        const std::optional<QList<PlanItem>> saved = Store::loadPlan();
        if (!saved || saved->size() != ticked.size()) return -1;
        int n = 0;
        while (n < ticked.size() && saved->at(n).approved != ticked[n].approved)
            ++n;
        for (int i = n; i < ticked.size(); ++i)
            if (saved->at(i) != ticked[i]) return -1;
        return n;
    }

    void killedWhileTicking_data() {
        QTest::addColumn<QString>("after"); // what the child does after its last tick
        QTest::addColumn<int>("rounds");    // 0: killed once every tick is on disk
        QTest::newRow("killed mid-burst") << "stay" << 10;
        QTest::newRow("killed once idle") << "stay" << 0;
        QTest::newRow("quit") << "quit" << 0;
    }
    void killedWhileTicking() {
        QFETCH(QString, after);
        QFETCH(int, rounds);
        QList<PlanItem> ticked = plan.mid(0, 1000);
        for (int i = 0; i < ticked.size(); ++i)
            ticked[i].id = i;
        const int total = int(ticked.size());
        for (int round = 0; round < std::max(rounds, 1); ++round) {
            Store::savePlan(ticked);
            const int wait =
                rounds ? 1 + int(QRandomGenerator::global()->bounded(total - 1)) : total;
            QProcess child;
            child.start(QCoreApplication::applicationDirPath() + "/kill_child", {"tick", after});
            QVERIFY(child.waitForStarted());
            int told = 0;
            while (told < wait && child.state() == QProcess::Running) {
                child.waitForReadyRead(10);
                while (child.canReadLine())
                    told = child.readLine().trimmed().toInt();
            }
            QVERIFY(told >= wait);
            if (after == "quit") {
                // The last write is done before the process ends.
                QVERIFY(child.waitForFinished());
                QCOMPARE(child.exitCode(), 0);
                QCOMPARE(ticksOnDisk(ticked), total);
                continue;
            }
            // Nothing waits for a quit: the ticks reach the disk by themselves.
            if (!rounds) QTRY_COMPARE_WITH_TIMEOUT(ticksOnDisk(ticked), total, 30'000);
            ::kill(pid_t(child.processId()), SIGKILL);
            QVERIFY(child.waitForFinished());
            QVERIFY(ticksOnDisk(ticked) >= 0);
        }
    }

    // The same across volumes, where each move is a copy and a kill can land
    // in the middle of one: no start of a copy is left behind, neither in the
    // home base after an apply nor where the file belongs after an undo.
    void killedMidCopy() {
        QTemporaryDir other(QStringLiteral("/dev/shm/tovrin-kills-XXXXXX"));
        struct stat here, there;
        if (!other.isValid() || ::stat(QFile::encodeName(home.path()).constData(), &here) != 0 ||
            ::stat(QFile::encodeName(other.path()).constData(), &there) != 0 ||
            here.st_dev == there.st_dev)
            QSKIP("no second volume at /dev/shm; cross-volume kills skipped");
        if (QStorageInfo(other.path()).bytesAvailable() < 200 * 1024 * 1024)
            QSKIP("too little room at /dev/shm; cross-volume kills skipped");
        const QString otherBase = other.path() + QStringLiteral("/Tovrin");
        QList<PlanItem> copies;
        for (int i = 0; i < 24; ++i) {
            const QString src = home.path("Desktop/") + QStringLiteral("photo %1.raw").arg(i);
            write(src, QByteArray(1'500'000 + i, char('a' + i)));
            copies.append(TestPlanItem(src, "Photos", "personal"));
        }
        Store::savePlan(copies);
        const Tree start = snapshot(home.path("Desktop"));
        const int killedBefore = killedMidway;
        for (int round = 0; round < 12; ++round) {
            if (round % 2 == 1) {
                QCOMPARE(Mover::apply(copies, otherBase, true).value().moved, copies.size());
                const int wait = 1 + int(QRandomGenerator::global()->bounded(23));
                runAndKill({QStringLiteral("undo")},
                           [&] { return QDir(home.path("Desktop")).count() - 2 >= uint(wait); });
            } else {
                const int wait = 1 + int(QRandomGenerator::global()->bounded(47));
                runAndKill({QStringLiteral("apply"), otherBase},
                           [&] { return journalLines() >= wait; });
                // What the start-up finds in the home base: whole files only.
                Mover::recoverJournals();
                const Tree moved = snapshot(otherBase);
                for (auto it = moved.cbegin(); it != moved.cend(); ++it)
                    QCOMPARE(it.value(),
                             start[home.path("Desktop/") + QFileInfo(it.key()).fileName()]);
            }
            Mover::undoLatest();
            QCOMPARE(snapshot(home.path("Desktop")), start);
            QVERIFY(snapshot(otherBase).isEmpty());
        }
        qInfo("%d of 12 runs killed part-way", killedMidway - killedBefore);
    }
};

QTEST_GUILESS_MAIN(TestKills)
#include "test_kills.moc"
