// Killing the process at random points of apply and undo, many times over:
// after each kill every file is where it was or where its plan sent it,
// byte for byte, and a start-up plus undo brings every one of them back.
#include "mover.h"
#include "store.h"
#include "testfiles.h"
#include "testhome.h"

#include <QDirIterator>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>

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
        QSet<QString> seen;
        for (auto it = moved.cbegin(); it != moved.cend(); ++it) {
            // Names are unique in the tree, so a name tells its source.
            const QString name = QFileInfo(it.key()).fileName();
            const QString src = home.path("Downloads/") + name;
            QVERIFY2(before.contains(src), qPrintable(it.key()));
            QVERIFY(!now.contains(src));
            QCOMPARE(QFileInfo(it.key()).path(), destination[src]);
            QCOMPARE(it.value(), before[src]);
            QVERIFY(!seen.contains(src));
            seen.insert(src);
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
            QFile file(src);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray::number(i * 104729) + QByteArray(i % 500, 'x'));
            PlanItem item;
            item.src = QUrl::fromLocalFile(src);
            item.destFolder = QStringLiteral("Work/Folder %1").arg(i % 12);
            item.category = QStringLiteral("work");
            item.confidence = QStringLiteral("high");
            item.approved = true;
            plan.append(item);
            destination.insert(src, base + '/' + item.destFolder);
        }
        Store::savePlan(plan);
        before = snapshot(home.path("Downloads"));
    }

    void killedAnywhere() {
        for (int round = 0; round < 50; ++round) {
            const bool inUndo = round % 2 == 1;
            if (inUndo) {
                // A complete apply, then an undo killed part-way.
                QCOMPARE(Mover::apply(plan, base, true).moved, plan.size());
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
};

QTEST_GUILESS_MAIN(TestKills)
#include "test_kills.moc"
