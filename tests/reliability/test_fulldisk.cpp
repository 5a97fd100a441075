// A disk that fills up: every data file keeps its old contents when a save
// finds no room, and a move onto a full volume is skipped with the source
// untouched and no partial copy left. Runs on a small tmpfs mounted by the
// test, where the right to mount is had or a user namespace gives it, and
// skips otherwise; the same volume, remounted read-only, takes no moves at all.
#include "files.h"
#include "mover.h"
#include "store.h"
#include "testfiles.h"
#include "testhome.h"
#include "testitems.h"
#include "usage.h"

#include <QDirIterator>
#include <QProcess>
#include <QtTest>

namespace {

using TestFiles::read;
using TestFiles::write;

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Fills the volume holding dir to the last byte.
void fill(const QString& dir) {
    QFile filler(dir + QStringLiteral("/filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Append));
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    // Whatever is left is smaller than a block; take it byte by byte.
    while (filler.write("f", 1) == 1 && filler.flush()) {
    }
}

QList<PlanItem> planOf(const QStringList& sources, const QString& destFolder) {
    QList<PlanItem> plan;
    for (const QString& src : sources)
        plan.append(TestPlanItem(src, destFolder));
    return plan;
}

QStringList filesUnder(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    return files;
}

} // namespace

class TestFullDisk : public QObject {
    Q_OBJECT

    TestHome home;
    QString volume; // mount point of the small tmpfs

private slots:
    void initTestCase() {
        volume = home.path("volume");
        QDir().mkpath(volume);
        if (run(QStringLiteral("mount"),
                {"-t", "tmpfs", "-o", "size=1m,nr_inodes=400", "tmpfs", volume}))
            return;
        volume.clear();
        if (qEnvironmentVariableIsSet("TOVRIN_TEST_NAMESPACE"))
            QSKIP("cannot mount a small tmpfs here; full-disk cases skipped");
        // Without the right to mount, a user namespace of our own may give it:
        // the whole test runs again inside one.
        QProcess inner;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TOVRIN_TEST_NAMESPACE"), QStringLiteral("1"));
        inner.setProcessEnvironment(environment);
        inner.setProcessChannelMode(QProcess::MergedChannels);
        inner.start(QStringLiteral("unshare"),
                    QStringList{"--user", "--map-root-user", "--mount",
                                QCoreApplication::applicationFilePath()} +
                        QCoreApplication::arguments().mid(1));
        QVERIFY(inner.waitForFinished(240'000) || inner.error() == QProcess::FailedToStart);
        const QByteArray output = inner.readAll();
        if (!output.contains("Totals:") || output.contains("cannot mount a small tmpfs here"))
            QSKIP("cannot mount a small tmpfs here, nor in a user namespace; full-disk cases "
                  "skipped");
        QVERIFY2(inner.exitStatus() == QProcess::NormalExit && inner.exitCode() == 0,
                 output.constData());
        QSKIP("the full-disk cases ran, and passed, in a user namespace");
    }
    void cleanupTestCase() {
        if (!volume.isEmpty()) run(QStringLiteral("umount"), {volume});
    }
    void init() {
        for (const QString& path : filesUnder(volume))
            QFile::remove(path);
    }

    // Every data file saved once with room, then again on a full disk.
    void savesKeepOldFiles() {
        qputenv("XDG_DATA_HOME", volume.toLocal8Bit());
        Profile profile;
        profile.onboarded = true;
        profile.homeBase = home.path("Documents");
        Store::saveProfile(profile);
        Store::saveKey(QStringLiteral("sk-old"));
        PlanItem item = TestPlanItem(home.path("Downloads/a.txt"), "Personal");
        Store::savePlan({item});
        Store::addLesson(
            {QStringLiteral("a.txt"), QStringLiteral("a note"), QStringLiteral("Work")});
        Store::saveNotes({{QStringLiteral("Work"), QStringLiteral("client work")}});
        Usage usage;
        usage.add(0.5);
        usage.endRun(3);
        const QString log = Store::logsDir() + QStringLiteral("/moves-2026-12-06_090000.json");
        Mover::writeLog({{home.path("Downloads/a.txt"), home.path("Documents/a.txt"),
                          QDateTime::currentDateTimeUtc()}},
                        log);

        QMap<QString, QByteArray> before;
        for (const QString& path : filesUnder(Store::dir()))
            before.insert(path, read(path));
        QVERIFY(before.size() >= 7);

        fill(volume);
        Profile changed = profile;
        changed.homeBase = home.path("Elsewhere");
        Store::saveProfile(changed);
        Store::saveKey(QStringLiteral("sk-new"));
        item.destFolder = QStringLiteral("Work");
        Store::savePlan(QList<PlanItem>(200, item));
        Store::addLesson({QStringLiteral("b.txt"), QString(5000, 'w'), QStringLiteral("Home")});
        Store::saveNotes({{QStringLiteral("Home"), QString(5000, 'n')}});
        usage.add(1.0);
        QCOMPARE(usage.endRun(9), 1.0); // the run's cost is told even when it cannot be kept
        Mover::writeLog(
            QList<MoveRecord>(500, MoveRecord{"/a", "/b", QDateTime::currentDateTimeUtc()}), log);

        QFile::remove(volume + QStringLiteral("/filler"));
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QVERIFY2(read(it.key()) == it.value(), qPrintable(it.key()));
        // No half-written temporaries left beside them.
        QCOMPARE(filesUnder(Store::dir()).size(), before.size());
        QCOMPARE(Store::loadProfile(), std::optional(profile));
        qunsetenv("XDG_DATA_HOME");
    }

    // Onto another, full volume: skipped, the source whole, no partial copy.
    void crossVolumeMoveOntoFullDisk() {
        const QString base = volume + QStringLiteral("/Tovrin");
        QDir().mkpath(base);
        const QString small = home.path("Downloads/small.txt");
        const QString big = home.path("Downloads/big.bin");
        write(small, "fits");
        const QByteArray bigBytes(3 * 1024 * 1024, 'b');
        write(big, bigBytes);
        const ApplyResult result =
            Mover::apply(planOf({big, small}, "Personal"), base, true).value();
        QCOMPARE(result.moved, 1);
        QCOMPARE(result.skipped, 1);
        QCOMPARE(read(big), bigBytes);
        QCOMPARE(read(base + QStringLiteral("/Personal/small.txt")), QByteArray("fits"));
        QVERIFY(!QFile::exists(small));
        QCOMPARE(filesUnder(base), QStringList{base + QStringLiteral("/Personal/small.txt")});
        QCOMPARE(Mover::undoLatest(), 1);
        QCOMPARE(read(small), QByteArray("fits"));
    }

    // A destination on a volume that takes no writes: every move is skipped,
    // whether its folder exists or would have to be made, and nothing leaves.
    void readOnlyDestination() {
        const QString base = volume + QStringLiteral("/Tovrin");
        QDir().mkpath(base + QStringLiteral("/Personal"));
        const QString kept = home.path("Downloads/kept.txt");
        const QString other = home.path("Downloads/other.txt");
        write(kept, "stays");
        write(other, "stays too");
        QVERIFY(run(QStringLiteral("mount"), {"-o", "remount,ro,bind", volume}));
        const auto writable = qScopeGuard([&] {
            run(QStringLiteral("mount"), {"-o", "remount,rw,bind", volume});
        });
        QList<PlanItem> plan = planOf({kept}, "Personal") + planOf({other}, "Personal/New");
        const ApplyResult result = Mover::apply(plan, base, true).value();
        QCOMPARE(result.moved, 0);
        QCOMPARE(result.skipped, 2);
        QCOMPARE(read(kept), QByteArray("stays"));
        QCOMPARE(read(other), QByteArray("stays too"));
        QVERIFY(filesUnder(base).isEmpty());
    }

    // Where the move log goes takes nothing more: no move is made that could
    // not be undone.
    void noLogNoMoves_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("full") << false;
        QTest::newRow("read-only") << true;
    }
    void noLogNoMoves() {
        QFETCH(bool, readOnly);
        qputenv("XDG_DATA_HOME", volume.toLocal8Bit());
        Store::logsDir(); // the folder is there; no file in it can be written
        const QString src = home.path("Downloads/keep.txt");
        write(src, "stays");
        const auto restore = qScopeGuard([&] {
            qunsetenv("XDG_DATA_HOME");
            run(QStringLiteral("mount"), {"-o", "remount,rw,bind", volume});
            QFile::remove(volume + QStringLiteral("/filler"));
        });
        if (readOnly)
            QVERIFY(run(QStringLiteral("mount"), {"-o", "remount,ro,bind", volume}));
        else
            fill(volume);
        const QString base = home.path("Documents");
        QVERIFY(!Mover::apply(planOf({src}, "Personal"), base, true).has_value());
        QCOMPARE(read(src), QByteArray("stays"));
        QVERIFY(!QFileInfo::exists(base + QStringLiteral("/Personal/keep.txt")));
    }
};

QTEST_GUILESS_MAIN(TestFullDisk)
#include "test_fulldisk.moc"
