#include "files.h"
#include "history.h"
#include "json.h"
#include "movefile.h"
#include "mover.h"
#include "store.h"
#include "testfiles.h"
#include "testhome.h"
#include "testitems.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using TestFiles::snapshot;
using TestFiles::write;

QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

int logCount(const QString& prefix) {
    return int(QDir(Store::logsDir()).entryList({prefix + "*.json"}, QDir::Files).size());
}

} // namespace

class TestMover : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    QString base() const { return home->path("Documents"); }
    QString downloads() const { return home->path("Downloads"); }

private slots:
    void init() { home = std::make_unique<TestHome>(); }

    void freeNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("expected");
        QTest::newRow("folder") << "Assets" << QStringList{"Assets/"} << "Assets (2)";
        QTest::newRow("bundle") << "Tool.app" << QStringList{"Tool.app/"} << "Tool (2).app";
        QTest::newRow("dangling link") << "x.txt" << QStringList{"x.txt@"} << "x (2).txt";
        // 252 bytes: the number takes the place of whole characters.
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("name at the limit")
            << emoji.repeated(62) + ".png" << QStringList{emoji.repeated(62) + ".png"}
            << emoji.repeated(61) + " (2).png";
    }
    void freeNames() {
        QFETCH(QString, name);
        QFETCH(QStringList, taken);
        QFETCH(QString, expected);
        const QString dir = home->path("free");
        QDir().mkpath(dir);
        for (const QString& t : taken) {
            if (t.endsWith('/'))
                QDir().mkpath(dir + "/" + t);
            else if (t.endsWith('@'))
                QVERIFY(QFile::link(dir + "/missing", dir + "/" + t.chopped(1)));
            else
                write(dir + "/" + t, "x");
        }
        QCOMPARE(Mover::freeURL(dir + "/" + name), dir + "/" + expected);
    }

    // Which items move and where; every one that stays, but the unapproved, counts as skipped.
    void rules_data() {
        QTest::addColumn<QString>("landing"); // relative to the home base, or "" for stays
        for (const char* stays :
             {"unapproved", "protected junk", "vanished", "pipe", "climbs out", "symlinked dest",
              "climbs out inside", "dest is a link out", "dangling link on the way"})
            QTest::newRow(stays) << QString();
        QTest::newRow("plain") << "Personal/Photos/a.txt";
        QTest::newRow("rename") << "Personal/Photos/Beach day.txt";
        QTest::newRow("renames off") << "Personal/Photos/a.txt";
        QTest::newRow("hostile rename") << "Personal/Photos/a.txt";
        QTest::newRow("absolute dest") << "tmp/x/a.txt";
        QTest::newRow("link inside the base") << "Real/Photos/a.txt";
    }
    void rules() {
        const QString shape = QTest::currentDataTag();
        QFETCH(QString, landing);
        const QString src = downloads() + "/a.txt";
        write(src, "alpha");
        PlanItem item = TestPlanItem(src, "Personal/Photos");
        bool renames = true;
        if (shape == "unapproved") item.approved = false;
        if (shape == "protected junk") {
            item.kind = FileKind::pdf;
            item.category = "junk";
            item.destFolder = "Tovrin Review/Dup";
        }
        if (shape == "vanished" || shape == "pipe") QFile::remove(src);
        if (shape == "pipe") QCOMPARE(::mkfifo(QFile::encodeName(src).constData(), 0600), 0);
        if (shape == "climbs out") item.destFolder = "../Elsewhere";
        if (shape == "symlinked dest") {
            QDir().mkpath(home->path("outside"));
            QDir().mkpath(base());
            QVERIFY(QFile::link(home->path("outside"), base() + "/Personal"));
        }
        if (shape == "rename" || shape == "renames off") item.newName = "Beach day.txt";
        if (shape == "renames off") renames = false;
        if (shape == "hostile rename") item.newName = "../../escaped.txt";
        if (shape == "absolute dest") item.destFolder = "/tmp/x";
        if (shape == "climbs out inside") item.destFolder = "Personal/../../outside";
        if (shape == "dest is a link out") {
            QDir().mkpath(home->path("outside/Photos"));
            QDir().mkpath(base() + "/Personal");
            QVERIFY(QFile::link(home->path("outside/Photos"), base() + "/Personal/Photos"));
        }
        if (shape == "dangling link on the way") {
            QDir().mkpath(base());
            QVERIFY(QFile::link(home->path("outside"), base() + "/Personal"));
        }
        if (shape == "link inside the base") {
            QDir().mkpath(base() + "/Real");
            QVERIFY(QFile::link(base() + "/Real", base() + "/Personal"));
        }

        const ApplyResult result = Mover::apply({item}, base(), renames).value();
        QCOMPARE(result.moved, landing.isEmpty() ? 0 : 1);
        QCOMPARE(result.skipped, landing.isEmpty() && shape != "unapproved" ? 1 : 0);
        QCOMPARE(result.renamed, shape == "rename" ? 1 : 0);
        if (landing.isEmpty()) {
            if (shape == "pipe") // nobody writes to it, so it is never read
                QVERIFY(QFileInfo(src).exists() && !QFileInfo(src).isFile());
            else
                QCOMPARE(read(src),
                         shape == "vanished" ? QByteArray("<missing>") : QByteArray("alpha"));
            QCOMPARE(logCount("moves-"), 0); // nothing moved, no log
        } else {
            QCOMPARE(read(base() + "/" + landing), QByteArray("alpha"));
            QVERIFY(!QFile::exists(src));
        }
        QVERIFY(!QFile::exists(home->path("outside/Photos/a.txt")));
        QVERIFY(!QFile::exists(home->path("outside/a.txt")));
        QVERIFY(!QFile::exists(home->path("escaped.txt")));
        QVERIFY(!QFile::exists("/tmp/x/a.txt"));
    }

    void collisionsAndFolders() {
        write(downloads() + "/report.pdf", "one");
        write(home->path("Desktop/report.pdf"), "two");
        write(base() + "/Work Admin/report.pdf", "already there");
        write(downloads() + "/Box/inner.txt", "inside");
        QList<PlanItem> plan{TestPlanItem(downloads() + "/report.pdf", "Work Admin"),
                             TestPlanItem(home->path("Desktop/report.pdf"), "Work Admin"),
                             TestPlanItem(downloads() + "/Box", "Archive/2024")};
        // A folder can never go inside itself.
        write(base() + "/Self/x.txt", "x");
        plan.append(TestPlanItem(base() + "/Self", "Self/Deeper"));
        plan.append(TestPlanItem(base() + "/Self", "Self"));
        const ApplyResult result = Mover::apply(plan, base(), true).value();
        QCOMPARE(result.moved, 3);
        QCOMPARE(result.skipped, 2);
        QVERIFY(!QFileInfo::exists(base() + "/Self/Self"));
        QVERIFY(!QFileInfo::exists(base() + "/Self/Deeper"));
        QCOMPARE(read(base() + "/Work Admin/report.pdf"), QByteArray("already there"));
        QCOMPARE(read(base() + "/Work Admin/report (2).pdf"), QByteArray("one"));
        QCOMPARE(read(base() + "/Work Admin/report (3).pdf"), QByteArray("two"));
        QCOMPARE(read(base() + "/Archive/2024/Box/inner.txt"), QByteArray("inside"));
        QCOMPARE(read(base() + "/Self/x.txt"), QByteArray("x"));
    }

    void logAndCheckpoints() {
        QList<PlanItem> plan;
        for (int i = 0; i < 45; ++i) {
            write(downloads() + QStringLiteral("/f%1.txt").arg(i), QByteArray::number(i));
            plan.append(TestPlanItem(downloads() + QStringLiteral("/f%1.txt").arg(i), "Dest"));
        }
        QCOMPARE(Mover::apply(plan, base(), true).value().moved, 45);
        const auto log = Store::latestLog();
        QVERIFY(log);
        QVERIFY(!QFile::exists(Mover::journalPath(*log)));
        const auto records = Json::decodeList<MoveRecord>(*Json::parse(*Files::readSmall(*log)));
        QCOMPARE(records.value_or(QList<MoveRecord>()).size(), 45);
        // Where the user's files were and went is theirs alone.
        QCOMPARE(QFileInfo(*log).permissions() & (QFile::ReadGroup | QFile::ReadOther),
                 QFileDevice::Permissions());

        // A second apply within the same second gets its own log.
        write(downloads() + "/late.txt", "late");
        QCOMPARE(Mover::apply({TestPlanItem(downloads() + "/late.txt", "Dest")}, base(), true)
                     .value()
                     .moved,
                 1);
        QCOMPARE(logCount("moves-"), 2);
        QCOMPARE(Mover::undoLatest(), 1);
        QCOMPARE(read(downloads() + "/late.txt"), QByteArray("late"));
        QCOMPARE(Mover::undoLatest(), 45);
        QCOMPARE(logCount("undone-moves-"), 2);
        QCOMPARE(Mover::undoLatest(), 0);
    }

    void roundTrip() {
        QList<PlanItem> plan;
        const QStringList odd =
            QString(
                "plain|with space|ünï ✓|#hash%|semi;colon|x|quote\" back\\slash|tab\tand\u2028line")
                .split('|');
        for (int i = 0; i < 300; ++i) {
            const QString folder = i % 3 ? downloads() : home->path("Desktop");
            const QString name = odd[i % odd.size()] + QStringLiteral(" %1.txt").arg(i % 50);
            const QString src = folder + "/" + name;
            if (QFile::exists(src)) continue;
            write(src, "file " + QByteArray::number(i));
            PlanItem item = TestPlanItem(src, QStringLiteral("Group %1/Sub").arg(i % 7));
            if (i % 5 == 0)
                item.newName = QStringLiteral("Renamed %1.txt").arg(i % 4); // collides too
            plan.append(item);
        }
        write(downloads() + "/Folder/a/b.txt", "nested");
        plan.append(TestPlanItem(downloads() + "/Folder", "Folders"));
        const auto before = snapshot(home->path());
        const ApplyResult result = Mover::apply(plan, base(), true).value();
        QCOMPARE(result.moved, plan.size());
        QCOMPARE(result.skipped, 0);
        // Nothing lost, nothing overwritten: the same bytes, all elsewhere.
        QCOMPARE(snapshot(home->path()).size(), before.size() + 2); // plus the log and its index
        QCOMPARE(Mover::undoLatest(), plan.size());
        auto after = snapshot(home->path());
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(after.value(it.key()), *it);
    }

    void undoEdges() {
        QCOMPARE(Mover::undoLatest(), 0);
        write(downloads() + "/a.txt", "a");
        write(downloads() + "/b.txt", "b");
        Mover::apply({TestPlanItem(downloads() + "/a.txt", "Dest"),
                      TestPlanItem(downloads() + "/b.txt", "Dest")},
                     base(), true);
        // The user moved one away and put a new file where the other came from.
        QVERIFY(QFile::rename(base() + "/Dest/a.txt", home->path("a elsewhere.txt")));
        write(downloads() + "/b.txt", "new b");
        QCOMPARE(Mover::undoLatest(), 1);
        QCOMPARE(read(downloads() + "/b.txt"), QByteArray("new b"));
        QCOMPARE(read(downloads() + "/b (2).txt"), QByteArray("b"));
        QCOMPARE(logCount("undone-"), 1);

        // Everything moved away since: nothing comes back, the log is still used up.
        write(downloads() + "/d.txt", "d");
        Mover::apply({TestPlanItem(downloads() + "/d.txt", "Dest")}, base(), true);
        QVERIFY(QFile::rename(base() + "/Dest/d.txt", home->path("d elsewhere.txt")));
        QCOMPARE(Mover::undoLatest(), 0);
        QCOMPARE(logCount("moves-"), 0);
        QCOMPARE(logCount("undone-"), 2);
        QVERIFY(QDir(base() + "/Dest").exists()); // folders made by the apply stay
    }

    void undoChainedMoves() {
        // B takes the very place A left, so undo must put B back before A.
        const QString a = base() + "/Personal/Other/x.txt";
        const QString b = downloads() + "/x.txt";
        write(a, "A");
        write(b, "B");
        const QList<PlanItem> plan{TestPlanItem(a, "Library/Other"),
                                   TestPlanItem(b, "Personal/Other")};
        QCOMPARE(Mover::apply(plan, base(), true).value().moved, 2);
        QCOMPARE(read(base() + "/Library/Other/x.txt"), QByteArray("A"));
        QCOMPARE(read(a), QByteArray("B"));
        QCOMPARE(Mover::undoLatest(), 2);
        QCOMPARE(read(a), QByteArray("A"));
        QCOMPARE(read(b), QByteArray("B"));
    }

    void raceNeverOverwrites() {
        write(downloads() + "/mine.txt", "mine");
        const QString dest = home->path("race");
        QDir().mkpath(dest);
        // Someone creates the chosen name just before the move.
        const auto moved = MoveFile::move(downloads() + "/mine.txt", [&](int attempt) {
            const QString candidate = Mover::freeURL(dest + "/mine.txt");
            if (attempt == 0) write(candidate, "theirs");
            return candidate;
        });
        QCOMPARE(moved, std::optional<QString>(dest + "/mine (2).txt"));
        QCOMPARE(read(dest + "/mine.txt"), QByteArray("theirs"));
        QCOMPARE(read(dest + "/mine (2).txt"), QByteArray("mine"));
    }

    void acrossVolumes() {
        struct stat here, shm;
        if (::stat(qPrintable(home->path()), &here) != 0 || ::stat("/dev/shm", &shm) != 0 ||
            here.st_dev == shm.st_dev)
            QSKIP("no second file system (/dev/shm) to move across");
        QTemporaryDir other(QStringLiteral("/dev/shm/tovrin-test-XXXXXX"));
        QVERIFY(other.isValid());
        const QDateTime old(QDate(2020, 1, 2), QTime(3, 4, 5), Qt::UTC);
        write(downloads() + "/big.bin", QByteArray(3'000'000, 'b'), old);
        write(downloads() + "/Tree/a/b.txt", "deep");
        QVERIFY(QFile::link("b.txt", downloads() + "/Tree/a/link"));
        QFile::setPermissions(downloads() + "/big.bin",
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        const ApplyResult result = Mover::apply({TestPlanItem(downloads() + "/big.bin", "In"),
                                                 TestPlanItem(downloads() + "/Tree", "In")},
                                                other.path(), true)
                                       .value();
        QCOMPARE(result.moved, 2);
        QCOMPARE(read(other.path() + "/In/big.bin"), QByteArray(3'000'000, 'b'));
        QCOMPARE(QFileInfo(other.path() + "/In/big.bin").lastModified().toUTC(), old);
        struct stat copied;
        QCOMPARE(::stat(qPrintable(other.path() + "/In/big.bin"), &copied), 0);
        QCOMPARE(copied.st_mode & 0777, 0600u);
        QCOMPARE(read(other.path() + "/In/Tree/a/b.txt"), QByteArray("deep"));
        QCOMPARE(QFileInfo(other.path() + "/In/Tree/a/link").symLinkTarget(),
                 other.path() + "/In/Tree/a/b.txt");
        QVERIFY(!QFile::exists(downloads() + "/big.bin"));
        QVERIFY(!QFileInfo::exists(downloads() + "/Tree"));

        // A copy that cannot complete leaves the source whole and no partial target.
        write(downloads() + "/Broken/ok.txt", "ok");
        QCOMPARE(::mkfifo(qPrintable(downloads() + "/Broken/pipe"), 0600), 0);
        const ApplyResult failed =
            Mover::apply({TestPlanItem(downloads() + "/Broken", "In")}, other.path(), true).value();
        QCOMPARE(failed.skipped, 1);
        QCOMPARE(read(downloads() + "/Broken/ok.txt"), QByteArray("ok"));
        QVERIFY(!QFileInfo::exists(other.path() + "/In/Broken"));

        QCOMPARE(Mover::undoLatest(), 2);
        QCOMPARE(read(downloads() + "/big.bin"), QByteArray(3'000'000, 'b'));
        QCOMPARE(read(downloads() + "/Tree/a/b.txt"), QByteArray("deep"));
    }

    // A move across volumes cut short leaves the start of a copy in the home
    // base while the original is whole where it was: start-up removes that
    // copy, and nothing that is not one.
    void unfinishedCopy_data() {
        QTest::addColumn<QByteArray>("there"); // at the target; "<folder>" for a folder
        QTest::addColumn<bool>("earlier");     // there before the move began
        QTest::addColumn<bool>("removed");
        QTest::newRow("file cut short") << QByteArray("abc") << false << true;
        QTest::newRow("another file") << QByteArray("xyz") << false << false;
        QTest::newRow("the same bytes, there before") << QByteArray("abcdef") << true << false;
        QTest::newRow("folder cut short") << QByteArray("<folder>") << false << true;
        QTest::newRow("folder with a stranger") << QByteArray("<stranger>") << false << false;
    }
    void unfinishedCopy() {
        QFETCH(QByteArray, there);
        QFETCH(bool, earlier);
        QFETCH(bool, removed);
        const QString src = downloads() + "/item", dst = base() + "/item";
        if (there.startsWith('<')) {
            write(src + "/a.txt", "alpha");
            write(src + "/sub/b.txt", "bravo");
            write(dst + "/a.txt", "alpha");
            write(dst + "/sub/b.txt", there == "<folder>" ? "br" : "zulu");
        } else {
            write(src, "abcdef");
            write(dst, there);
        }
        const QDateTime attempted = QDateTime::currentDateTimeUtc().addSecs(earlier ? 3600 : 0);
        const QString log = Store::logsDir() + "/moves-2026-03-01_091502.json";
        write(Mover::journalPath(log),
              '?' + Json::compact(Json::encode(MoveRecord{src, dst, attempted})) + '\n');
        const auto before = snapshot(downloads());

        Mover::recoverJournals();
        QCOMPARE(QFileInfo::exists(dst), !removed);
        QCOMPARE(snapshot(downloads()), before);
        QVERIFY(!QFile::exists(Mover::journalPath(log)));
    }

    // An older refresh undone after a newer one moved some of the same
    // files: the preview says what stays and why, the undo does just that,
    // never overwrites, and leaves the newer refresh whole and undoable.
    void undoOlderRefresh() {
        const QStringList names{"again", "back", "changed", "gone", "taken"};
        QList<PlanItem> first;
        for (const QString& name : names) {
            write(downloads() + "/" + name + ".txt", name.toUtf8());
            first.append(TestPlanItem(downloads() + "/" + name + ".txt", "Dest"));
        }
        QCOMPARE(Mover::apply(first, base(), true).value().moved, 5);
        const QString older = QFileInfo(*Store::latestLog()).fileName();
        QCOMPARE(Mover::apply({TestPlanItem(base() + "/Dest/again.txt", "Later")}, base(), true)
                     .value()
                     .moved,
                 1);
        write(base() + "/Dest/changed.txt", "edited", QDateTime::currentDateTime().addSecs(60));
        QVERIFY(QFile::rename(base() + "/Dest/gone.txt", home->path("gone elsewhere.txt")));
        write(downloads() + "/taken.txt", "new taken");

        QMap<QString, Return> outcomes;
        for (const ReturnStep& step : Mover::previewUndo(older))
            outcomes.insert(QFileInfo(step.move.from).baseName(), step.outcome);
        const QMap<QString, Return> expected{{"again", Return::movedAgain},
                                             {"back", Return::back},
                                             {"changed", Return::changed},
                                             {"gone", Return::gone},
                                             {"taken", Return::besideTaken}};
        QCOMPARE(outcomes, expected);

        const Mover::UndoCounts counts = Mover::undo(older);
        QCOMPARE(counts.restored, 2);
        QCOMPARE(counts.left, 3);
        QCOMPARE(read(downloads() + "/back.txt"), QByteArray("back"));
        QCOMPARE(read(downloads() + "/taken.txt"), QByteArray("new taken"));
        QCOMPARE(read(downloads() + "/taken (2).txt"), QByteArray("taken"));
        QCOMPARE(read(base() + "/Dest/changed.txt"), QByteArray("edited"));
        QCOMPARE(read(base() + "/Later/again.txt"), QByteArray("again"));
        QVERIFY(QFile::exists(Store::logsDir() + "/undone-" + older)); // kept, marked
        QCOMPARE(Mover::undo(older).restored, 0);
        // The newer refresh is still the latest, and its undo still works.
        QCOMPARE(Mover::undoLatest(), 1);
        QCOMPARE(read(base() + "/Dest/again.txt"), QByteArray("again"));
    }

    // One file put back on its own; the undo of the rest leaves it alone.
    void putBackOne() {
        write(downloads() + "/one.txt", "one");
        write(downloads() + "/two.txt", "two");
        Mover::apply({TestPlanItem(downloads() + "/one.txt", "Dest"),
                      TestPlanItem(downloads() + "/two.txt", "Dest")},
                     base(), true);
        const QString log = QFileInfo(*Store::latestLog()).fileName();
        QCOMPARE(History::entries().size(), 1);
        write(downloads() + "/one.txt", "new one");
        write(base() + "/Dest/one.txt", "edited", QDateTime::currentDateTime().addSecs(60));
        const ReturnStep step = Mover::putBack(log, base() + "/Dest/one.txt");
        QCOMPARE(step.outcome, Return::besideTaken);
        QCOMPARE(read(step.back), QByteArray("edited"));
        QCOMPARE(read(downloads() + "/one.txt"), QByteArray("new one"));
        QCOMPARE(Mover::putBack(log, base() + "/Dest/one.txt").outcome, Return::putBack);
        QCOMPARE(Mover::previewUndo(log).last().outcome, Return::putBack);
        const Mover::UndoCounts counts = Mover::undo(log);
        QCOMPARE(counts.restored, 1);
        QCOMPARE(counts.left, 0);
        QCOMPARE(read(downloads() + "/two.txt"), QByteArray("two"));
    }

    // The history lists every apply newest first from its index: logs
    // written before the index are read once, a damaged one is listed as
    // unreadable and undoes nothing, and an indexed log is not read again.
    void historyIndex() {
        const QDateTime at(QDate(2026, 3, 1), QTime(9, 15, 2), Qt::UTC);
        write(base() + "/Work/a.txt", "a");
        write(base() + "/Work/renamed.txt", "b");
        write(base() + "/Other/c.txt", "c");
        const QString earlier = Store::logsDir() + "/moves-2026-03-01_091502.json";
        Mover::writeLog({{downloads() + "/a.txt", base() + "/Work/a.txt", at},
                         {downloads() + "/b.txt", base() + "/Work/renamed.txt", at},
                         {downloads() + "/c.txt", base() + "/Other/c.txt", at}},
                        earlier);
        write(Store::logsDir() + "/moves-2026-03-02_080000.json", "[{\"from\": ");
        write(Store::logsDir() + "/undone-moves-2026-02-01_080000.json", "[]");
        write(downloads() + "/new.txt", "new");
        Mover::apply({TestPlanItem(downloads() + "/new.txt", "Dest")}, base(), true);

        const QList<HistoryEntry> entries = History::entries();
        QCOMPARE(entries.size(), 4);
        QVERIFY(entries[0].started() > entries[1].started());
        QCOMPARE(entries[0].moved, 1);
        QVERIFY(!entries[1].readable);
        QCOMPARE(entries[2].log, QFileInfo(earlier).fileName());
        QCOMPARE(entries[2].moved, 3);
        QCOMPARE(entries[2].renamed, 1);
        QCOMPARE(entries[2].mainFolder, base() + "/Work");
        QCOMPARE(entries[2].started(), QDateTime(QDate(2026, 3, 1), QTime(9, 15, 2)));
        QVERIFY(entries[3].undone);
        QCOMPARE(Mover::undo(entries[1].log).restored, 0);
        QVERIFY(QFile::exists(Store::logsDir() + "/" + entries[1].log));

        write(earlier, "damaged after it was listed");
        QCOMPARE(History::entries().at(2).moved, 3);
        QCOMPARE(Mover::undo(entries[2].log).restored, 0);
        write(earlier, Json::pretty(Json::encodeList(
                           QList<MoveRecord>{{downloads() + "/a.txt", base() + "/Work/a.txt",
                                              QDateTime::currentDateTimeUtc()}})));
        QCOMPARE(Mover::undo(entries[2].log).restored, 1);
        QVERIFY(History::entries().at(2).undone);
    }

    // A journal left behind is folded into its log; what its lines claim is
    // checked against the disk only for the one move that may not have finished.
    void recoverJournal_data() {
        QTest::addColumn<QString>("tail");
        QTest::addColumn<int>("records");
        QTest::newRow("clean end") << "" << 2;
        QTest::newRow("torn last line") << "{\"from\": \"/x\", \"to" << 2;
        QTest::newRow("garbage line between") << "garbage\n" << 3;
        QTest::newRow("open intent, moved") << "?moved" << 3;
        QTest::newRow("open intent, not moved") << "?stayed" << 2;
        QTest::newRow("closed intent") << "?closed" << 3;
    }
    void recoverJournal() {
        QFETCH(QString, tail);
        QFETCH(int, records);
        const QDateTime at(QDate(2026, 3, 1), QTime(9, 15, 2), Qt::UTC);
        const auto line = [&](const QString& name, bool intent = false) {
            const MoveRecord record{downloads() + "/" + name, base() + "/" + name, at};
            return (intent ? QByteArray("?") : QByteArray()) + Json::compact(Json::encode(record)) +
                   '\n';
        };
        write(base() + "/a", "a");
        write(base() + "/b", "b");
        write(base() + "/moved", "m");
        write(downloads() + "/stayed", "s");
        write(base() + "/c", "c");
        const QString log = Store::logsDir() + "/moves-2026-03-01_091502.json";
        Mover::writeLog({{downloads() + "/a", base() + "/a", at}}, log); // a checkpoint
        QByteArray journal = line("a", true) + line("a") + line("b", true) + line("b");
        if (tail == "?moved")
            journal += line("moved", true);
        else if (tail == "?stayed")
            journal += line("stayed", true);
        else if (tail == "?closed")
            journal += line("c", true) + line("c");
        else if (tail.startsWith("garbage"))
            journal += tail.toUtf8() + line("c");
        else
            journal += tail.toUtf8();
        write(Mover::journalPath(log), journal);

        Mover::recoverJournals();
        QVERIFY(!QFile::exists(Mover::journalPath(log)));
        const auto logged = Json::decodeList<MoveRecord>(*Json::parse(*Files::readSmall(log)));
        QVERIFY(logged);
        QCOMPARE(logged->size(), records);
        QCOMPARE(logged->at(1).to, base() + "/b");
        QCOMPARE(Mover::undoLatest(), records);
        QCOMPARE(read(downloads() + "/a"), QByteArray("a"));
        QCOMPARE(read(downloads() + "/stayed"), QByteArray("s"));
    }
};

QTEST_GUILESS_MAIN(TestMover)
#include "test_mover.moc"
