#include "store.h"
#include "testfiles.h"
#include "testhome.h"
#include "testitems.h"

#include <QDirIterator>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using TestFiles::read;
using TestFiles::write;

const QStringList dataFiles = {"config.json", "profile.json", "pending-plan.json", "lessons.json",
                               "project-notes.json"};

mode_t modeOf(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return 0;
    return st.st_mode & 07777;
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;

private slots:
    void init() { home = std::make_unique<TestHome>(); }

    // Even with a wide-open umask, and over a file once readable by all, no
    // data file or folder may be readable by others: the key lives there.
    void nothingWorldReadable() {
        const mode_t old = ::umask(0);
        const auto restore = qScopeGuard([old] { ::umask(old); });
        write(Store::filePath("config.json"), "{}");
        ::chmod(QFile::encodeName(Store::filePath("config.json")).constData(), 0644);
        // Every writer once, so the data folder holds one of each file.
        Store::saveKey("sk-one");
        Store::saveProfile(Profile());
        Store::savePlan({TestPlanItem("/home/u/a b.png")});
        Store::addLesson({"a.png", "meme", "Library/Memes"});
        Store::saveNotes({{"Vantle", "card art"}});
        Store::logsDir();
        QCOMPARE(Store::loadKey(), std::optional<QString>("sk-one"));
        QCOMPARE(modeOf(Store::dir()), mode_t(0700));
        QDirIterator it(Store::dir(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        int seen = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            QVERIFY2((modeOf(path) & 0077) == 0, qPrintable(path));
            ++seen;
        }
        QCOMPARE(seen, dataFiles.size() + 1); // the files and the logs folder
    }

    // Data files that are no files at all read as missing, never hang or
    // crash, and the next write replaces them with only the new content.
    void unreadableFiles_data() {
        QTest::addColumn<QString>("form");
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("no permission") << "no permission";
        QTest::newRow("dangling link") << "dangling link";
    }
    void unreadableFiles() {
        QFETCH(QString, form);
        if (form == "no permission" && ::geteuid() == 0) QSKIP("root reads everything");
        for (const QString& name : dataFiles) {
            const QString path = Store::filePath(name);
            const QByteArray native = QFile::encodeName(path);
            if (form == "fifo") QCOMPARE(::mkfifo(native.constData(), 0600), 0);
            if (form == "folder") QVERIFY(QDir().mkpath(path));
            if (form == "no permission") {
                write(path, "[]");
                ::chmod(native.constData(), 0);
            }
            if (form == "dangling link") QVERIFY(QFile::link(home->path("nowhere.json"), path));
        }
        QCOMPARE(Store::loadKey(), std::nullopt);
        QCOMPARE(Store::loadProfile(), std::nullopt);
        QCOMPARE(Store::loadPlan(), std::nullopt);
        QVERIFY(Store::loadLessons().isEmpty());
        QVERIFY(Store::loadNotes().isEmpty());

        Store::addLesson({"a.png", "meme", "Library/Memes"});
        Store::saveNotes({{"Vantle", "cards"}});
        if (form == "folder") { // a folder is never replaced by a file
            QVERIFY(QFileInfo(Store::filePath("lessons.json")).isDir());
            return;
        }
        if (form == "no permission") {
            // Replaced by rename, so even an unreadable old file gives way.
            QCOMPARE(Store::loadLessons().size(), 1);
            return;
        }
        QCOMPARE(Store::loadLessons(), (QList<Lesson>{{"a.png", "meme", "Library/Memes"}}));
        QCOMPARE(Store::loadNotes(), (QMap<QString, QString>{{"Vantle", "cards"}}));
    }

    // A correction again for a file replaces its lesson; sending thousands at
    // once keeps the newest 200, one a name, in the order they were made.
    void lessonsKeepNewest() {
        Store::addLessons({{"a.txt", "old", "Work Admin"}, {"b.txt", "old", "Work Admin"}});
        Store::addLessons({{"b.txt", "new", "Archive"}, {"c.txt", "new", "Archive"}});
        QCOMPARE(Store::loadLessons(), (QList<Lesson>{{"a.txt", "old", "Work Admin"},
                                                      {"b.txt", "new", "Archive"},
                                                      {"c.txt", "new", "Archive"}}));
        QList<Lesson> sent, kept;
        for (int i = 0; i < 3000; ++i)
            sent.append({QStringLiteral("f%1.txt").arg(i % 1000), QString::number(i), "Archive"});
        for (int i = 2800; i < 3000; ++i)
            kept.append({QStringLiteral("f%1.txt").arg(i % 1000), QString::number(i), "Archive"});
        Store::addLessons(sent);
        QCOMPARE(Store::loadLessons(), kept);
    }

    // A second import set aside in the same second must not clobber the first.
    void importSetAside() {
        const QDateTime now = QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC);
        write(Store::importPlanPath(), "[1]");
        Store::setAside(Store::importPlanPath(), "loaded", now.addMSecs(900));
        QVERIFY(!QFileInfo::exists(Store::importPlanPath()));
        write(Store::importPlanPath(), "[2]");
        Store::setAside(Store::importPlanPath(), "loaded", now);
        QCOMPARE(read(home->path("Documents/Tovrin App/import-plan.loaded-1700000000.json")),
                 QByteArray("[1]"));
    }

    void latestLog_data() {
        QTest::addColumn<QStringList>("names"); // a trailing "/" makes a folder
        QTest::addColumn<QString>("latest");
        QTest::newRow("newest by name")
            << QStringList{"moves-2026-12-01_000000.json", "moves-2026-03-01_091502.json",
                           "moves-2026-12-01_000001.json", "moves-2025-12-31_235959.json"}
            << "moves-2026-12-01_000001.json";
        QTest::newRow("undone and others ignored")
            << QStringList{"moves-2026-03-01_091502.json", "undone-moves-2027-01-01_000000.json",
                           "Moves-2029-01-01_000000.json", "moves-2030-01-01_000000.json.tmp-x",
                           "moves-2031-01-01_000000.json/"}
            << "moves-2026-03-01_091502.json";
        QTest::newRow("only undone")
            << QStringList{"undone-moves-2026-03-01_091502.json"} << QString();
    }
    void latestLog() {
        QFETCH(QStringList, names);
        QFETCH(QString, latest);
        for (const QString& name : names) {
            if (name.endsWith('/'))
                QDir().mkpath(Store::logsDir() + "/" + name);
            else
                write(Store::logsDir() + "/" + name, "[]");
        }
        QCOMPARE(Store::latestLog(), latest.isEmpty()
                                         ? std::nullopt
                                         : std::optional<QString>(Store::logsDir() + "/" + latest));
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
