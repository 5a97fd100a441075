#include "files.h"
#include "json.h"
#include "store.h"
#include "testfiles.h"
#include "testhome.h"
#include "testitems.h"

#include <QDirIterator>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using TestFiles::read;
using TestFiles::write;

const QStringList dataFiles = {"config.json", "profile.json", "pending-plan.json", "lessons.json",
                               "project-notes.json"};

PlanItem planItem(const QString& path) {
    return TestPlanItem(path, "Library/Memes", "library")
        .id(3)
        .confidence("medium")
        .reason("A meme")
        .kind(FileKind::image)
        .size(99)
        .renameApproved(false);
}

mode_t modeOf(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return 0;
    return st.st_mode & 07777;
}

// Every writer once, so the data folder holds one of each file.
void writeEverything() {
    Store::saveKey("sk-one");
    Profile profile;
    profile.lastRun = QDateTime(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC);
    Store::saveProfile(profile);
    Store::savePlan({planItem("/home/u/a b.png")});
    Store::addLesson({"a.png", "meme", "Library/Memes"});
    Store::saveNotes({{"Vantle", "card art"}});
}

QMap<QString, QByteArray> snapshot() {
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(Store::dir()).entryList(QDir::Files | QDir::Hidden))
        files.insert(name, read(Store::filePath(name)));
    return files;
}

class Umask {
public:
    explicit Umask(mode_t mask) : old_(::umask(mask)) {}
    ~Umask() { ::umask(old_); }

private:
    mode_t old_;
};

} // namespace

class TestStore : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;

private slots:
    void init() { home = std::make_unique<TestHome>(); }
    void cleanup() {
        // Leave nothing read-only behind for QTemporaryDir to trip on.
        QFile::setPermissions(home->path(".local/share/Tovrin"), QFileDevice::ReadOwner |
                                                                     QFileDevice::WriteOwner |
                                                                     QFileDevice::ExeOwner);
        home.reset();
    }

    void dataFolderCreated() {
        const Umask open(0);
        const QString expected = home->path(".local/share/Tovrin");
        QVERIFY(!QFileInfo::exists(expected));
        QCOMPARE(Store::dir(), expected);
        QVERIFY(QFileInfo(expected).isDir());
        QCOMPARE(Store::logsDir(), expected + "/logs");
        QVERIFY(QFileInfo(expected + "/logs").isDir());
        QCOMPARE(modeOf(expected), mode_t(0700));
        QCOMPARE(modeOf(expected + "/logs"), mode_t(0700));
        QCOMPARE(Store::filePath("profile.json"), expected + "/profile.json");
    }

    void key() {
        const Umask open(0);
        QCOMPARE(Store::loadKey(), std::nullopt);
        write(Store::filePath("config.json"), "{}");
        ::chmod(QFile::encodeName(Store::filePath("config.json")).constData(), 0644);
        const QString secret = QString::fromUtf8("sk-ant-\"quoted\" \\ ünï");
        Store::saveKey(secret);
        const QString path = Store::filePath("config.json");
        QCOMPARE(modeOf(path), mode_t(0600));
        const auto value = Json::parse(read(path));
        QVERIFY(value && value->isObject());
        QCOMPARE(value->toObject(), QJsonObject({{"apiKey", secret}}));
        QVERIFY(!read(path).contains('\n'));
        QCOMPARE(Store::loadKey(), std::optional<QString>(secret));
    }

    void keyFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("key"); // empty: no key
        QTest::newRow("key") << QByteArray(R"({"apiKey":"sk-1"})") << "sk-1";
        QTest::newRow("other strings too")
            << QByteArray(R"({"apiKey":"sk-1","note":"x"})") << "sk-1";
        QTest::newRow("number") << QByteArray(R"({"apiKey":12})") << QString();
        QTest::newRow("other value not a string")
            << QByteArray(R"({"apiKey":"sk-1","n":1})") << QString();
        QTest::newRow("array") << QByteArray(R"(["sk-1"])") << QString();
        QTest::newRow("no such key") << QByteArray(R"({"key":"sk-1"})") << QString();
        QTest::newRow("null") << QByteArray(R"({"apiKey":null})") << QString();
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void keyFile() {
        QFETCH(QByteArray, content);
        QFETCH(QString, key);
        write(Store::filePath("config.json"), content);
        QCOMPARE(Store::loadKey(), key.isEmpty() ? std::nullopt : std::optional<QString>(key));
    }

    // With a wide-open umask no data file, final or temporary, may be readable by others.
    void nothingWorldReadable() {
        const Umask open(0);
        writeEverything();
        Store::logsDir();
        std::atomic<bool> done = false;
        std::atomic<int> temporaries = 0;
        std::atomic<int> exposed = 0;
        const QByteArray folder = QFile::encodeName(Store::dir());
        std::thread watcher([&] {
            while (!done) {
                for (const QString& name :
                     QDir(Store::dir()).entryList(QDir::Files | QDir::Hidden)) {
                    if (!name.contains(".tmp-")) continue;
                    ++temporaries;
                    struct stat st {};
                    if (::stat(folder + '/' + QFile::encodeName(name), &st) == 0 &&
                        (st.st_mode & 0077) != 0)
                        ++exposed;
                }
            }
        });
        Profile big;
        for (int i = 0; i < 500; ++i)
            big.projects.append(Project{QUuid::createUuid(), QString("Project %1").arg(i), "a, b"});
        for (int i = 0; i < 60; ++i) {
            Store::saveProfile(big);
            Store::saveKey(QString("sk-%1").arg(i));
        }
        done = true;
        watcher.join();
        QCOMPARE(exposed.load(), 0);
        qInfo("saw %d temporary files while writing", temporaries.load());
        QDirIterator it(Store::dir(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        int seen = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            QVERIFY2((modeOf(path) & 0077) == 0, qPrintable(path));
            ++seen;
        }
        QCOMPARE(seen, dataFiles.size() + 1); // the files and the logs folder
        QCOMPARE(sorted(QDir(Store::dir()).entryList(QDir::Files | QDir::Hidden)),
                 sorted(dataFiles));
    }

    void profile() {
        QCOMPARE(Store::loadProfile(), std::nullopt);
        Profile profile;
        profile.onboarded = true;
        profile.projects = {Project{QUuid::createUuid(), "Studio/Vantle", "vtl"}};
        profile.lastRun = QDateTime(QDate(2026, 3, 1), QTime(9, 0, 5), Qt::UTC);
        Store::saveProfile(profile);
        QCOMPARE(Store::loadProfile(), std::optional<Profile>(profile));
        const QByteArray text = read(Store::filePath("profile.json"));
        QVERIFY(text.contains("\n    \"model\": \"claude-haiku-5-5\""));
        QVERIFY(text.contains("\"lastRun\": \"2026-03-01T09:00:05Z\""));
        profile.lastRun.reset();
        Store::saveProfile(profile);
        QVERIFY(!read(Store::filePath("profile.json")).contains("lastRun"));
        QCOMPARE(Store::loadProfile(), std::optional<Profile>(profile));
        QJsonObject object = Json::encode(profile);
        object.remove("model");
        write(Store::filePath("profile.json"), Json::pretty(object));
        QCOMPARE(Store::loadProfile(), std::nullopt);
    }

    void plan() {
        QCOMPARE(Store::loadPlan(), std::nullopt);
        Store::savePlan({});
        QCOMPARE(read(Store::filePath("pending-plan.json")), QByteArray("[]"));
        QCOMPARE(Store::loadPlan(), std::optional<QList<PlanItem>>(QList<PlanItem>{}));
        const QList<PlanItem> items = {planItem(home->path("Downloads/#1 100% ?.png")),
                                       planItem(QString::fromUtf8("/home/u/日本 x.png"))};
        Store::savePlan(items);
        const QByteArray text = read(Store::filePath("pending-plan.json"));
        QVERIFY(!text.contains('\n') && !text.contains(": "));
        QVERIFY(text.contains("\"src\":\"file:///"));
        QCOMPARE(Store::loadPlan(), std::optional<QList<PlanItem>>(items));
        // One unreadable item makes the whole plan unreadable rather than half a plan.
        write(Store::filePath("pending-plan.json"),
              text.left(text.size() - 1) + R"(,{"id":1,"kind":"image"}])");
        QCOMPARE(Store::loadPlan(), std::nullopt);
    }

    void unreadableFiles_data() {
        QTest::addColumn<QString>("form");
        QTest::newRow("missing") << "missing";
        QTest::newRow("empty") << "empty";
        QTest::newRow("binary") << "binary";
        QTest::newRow("truncated") << "truncated";
        QTest::newRow("wrong shape") << "wrong shape";
        QTest::newRow("scalar") << "scalar";
        QTest::newRow("deeply nested") << "deeply nested";
        QTest::newRow("huge") << "huge";
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
            if (form == "empty") write(path, "");
            if (form == "binary") write(path, QByteArray("\x00\xff{{\xfe", 5));
            if (form == "truncated") write(path, R"([{"name":"a","what":"b")");
            if (form == "wrong shape")
                write(path, name == "lessons.json" || name == "pending-plan.json"
                                ? QByteArray(R"({"name":"a"})")
                                : QByteArray(R"([{"apiKey":"k"}])"));
            if (form == "scalar") write(path, "\"text\"");
            if (form == "deeply nested") write(path, QByteArray(100'000, '['));
            if (form == "huge") {
                write(path, "[");
                QVERIFY(QFile::resize(path, qint64(65) * 1024 * 1024)); // sparse
            }
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

        // The next write replaces what could not be read with only the new content.
        if (form == "folder") return; // a folder is never replaced by a file
        Store::addLesson({"a.png", "meme", "Library/Memes"});
        Store::saveNotes({{"Vantle", "cards"}});
        if (form == "no permission") {
            // Replaced by rename, so even an unreadable old file gives way.
            QCOMPARE(Store::loadLessons().size(), 1);
            return;
        }
        QCOMPARE(Store::loadLessons(), (QList<Lesson>{{"a.png", "meme", "Library/Memes"}}));
        QCOMPARE(Store::loadNotes(), (QMap<QString, QString>{{"Vantle", "cards"}}));
    }

    // A write that cannot happen leaves the old file whole and no debris:
    // a folder that refuses new entries, or a write cut short by a full disk.
    void failedWriteKeepsOldFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("readOnlyFolder");
        for (const QString& name : dataFiles) {
            QTest::addRow("%s, read-only folder", qPrintable(name)) << name << true;
            QTest::addRow("%s, write cut short", qPrintable(name)) << name << false;
        }
    }
    void failedWriteKeepsOldFile() {
        QFETCH(QString, file);
        QFETCH(bool, readOnlyFolder);
        if (readOnlyFolder && ::geteuid() == 0) QSKIP("root writes into read-only folders");
        writeEverything();
        const QMap<QString, QByteArray> before = snapshot();
        Profile changed;
        changed.model = "claude-sonnet-5-5";
        const auto rewrite = [&] {
            if (file == "config.json") Store::saveKey("sk-two");
            if (file == "profile.json") Store::saveProfile(changed);
            if (file == "pending-plan.json") Store::savePlan({planItem("/home/u/other.png")});
            if (file == "lessons.json") Store::addLesson({"b.png", "x", "Creator"});
            if (file == "project-notes.json") Store::saveNotes({{"Vantle", "slabs"}});
        };
        if (readOnlyFolder) {
            QVERIFY(QFile::setPermissions(Store::dir(),
                                          QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            rewrite();
            QVERIFY(QFile::setPermissions(Store::dir(), QFileDevice::ReadOwner |
                                                            QFileDevice::WriteOwner |
                                                            QFileDevice::ExeOwner));
        } else {
            // A file size limit makes write() fail part-way, as a full disk would.
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit old{};
            QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
            rlimit tight = old;
            tight.rlim_cur = 8;
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &tight), 0);
            rewrite();
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &old), 0);
            std::signal(SIGXFSZ, oldHandler);
        }
        QCOMPARE(snapshot(), before);
        QCOMPARE(Store::loadKey(), std::optional<QString>("sk-one"));
        QVERIFY(Store::loadProfile().has_value());
    }

    void atomicWrites() {
        const QString folder = home->path("data");
        QDir().mkpath(folder);
        const QString path = folder + "/x.json";
        QVERIFY(Files::writeAtomic(path, "one"));
        QVERIFY(Files::writeAtomic(path, "two", Files::Access::ownerOnly));
        QCOMPARE(modeOf(path), mode_t(0600));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"x.json"});
        QCOMPARE(Files::readSmall(path), std::optional<QByteArray>("two"));
        QVERIFY(!Files::writeAtomic(home->path("nope/x.json"), "three"));
        // A folder in the way is not replaced.
        QDir().mkpath(folder + "/sub.json/inner");
        QVERIFY(!Files::writeAtomic(folder + "/sub.json", "four"));
        QVERIFY(QFileInfo(folder + "/sub.json/inner").isDir());
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"x.json"});
    }

    void boundedReads_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<bool>("read");
        QTest::newRow("empty") << qint64(0) << qint64(10) << true;
        QTest::newRow("at the limit") << qint64(10) << qint64(10) << true;
        QTest::newRow("one over") << qint64(11) << qint64(10) << false;
        QTest::newRow("several buffers") << qint64(300'000) << qint64(300'000) << true;
    }
    void boundedReads() {
        QFETCH(qint64, size);
        QFETCH(qint64, limit);
        QFETCH(bool, read);
        const QString path = home->path("f.bin");
        QByteArray bytes(size, 'x');
        for (qint64 i = 0; i < size; ++i)
            bytes[i] = char(i * 7);
        write(path, bytes);
        const std::optional<QByteArray> got = Files::readSmall(path, limit);
        QCOMPARE(got.has_value(), read);
        if (read) QCOMPARE(*got, bytes);
    }

    void lessons_data() {
        QTest::addColumn<QStringList>("added"); // file names, in order
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("one") << QStringList{"a"} << QStringList{"a"};
        QTest::newRow("latest wins at the end")
            << QStringList{"a", "b", "a"} << QStringList{"b", "a"};
        QTest::newRow("case-sensitive")
            << QStringList{"a.png", "A.png"} << QStringList{"a.png", "A.png"};
        QStringList two01, kept200, two05, kept5;
        for (int i = 0; i < 201; ++i)
            two01 << QString("f%1").arg(i);
        kept200 = two01.mid(1);
        for (int i = 0; i < 205; ++i)
            two05 << QString("f%1").arg(i);
        QTest::newRow("201st drops the first") << two01 << kept200;
        QTest::newRow("205 keep the newest 200") << two05 << two05.mid(5);
        QStringList repeated = two01;
        repeated << "f0";
        QTest::newRow("an old name comes back") << repeated << (two01.mid(2) << "f0");
    }
    void lessons() {
        QFETCH(QStringList, added);
        QFETCH(QStringList, kept);
        for (const QString& name : added)
            Store::addLesson({name, "what " + name, "Work Admin"});
        QStringList names;
        for (const Lesson& lesson : Store::loadLessons()) {
            names << lesson.name;
            QCOMPARE(lesson.what, "what " + lesson.name);
        }
        QCOMPARE(names, kept);
        QVERIFY(!read(Store::filePath("lessons.json")).contains('\n'));
    }

    void lessonReplacesCorrection() {
        Store::addLesson({"a.png", "meme", "Library/Memes"});
        Store::addLesson({"b.png", "logo", "Creator"});
        Store::addLesson({"a.png", "card art", "Projects/Vantle/Images"});
        QCOMPARE(Store::loadLessons(),
                 (QList<Lesson>{{"b.png", "logo", "Creator"},
                                {"a.png", "card art", "Projects/Vantle/Images"}}));
    }

    void notes_data() {
        QTest::addColumn<QByteArray>("before"); // empty: no file
        QTest::addColumn<QStringList>("added"); // name=note pairs
        QTest::addColumn<QStringList>("after");
        QTest::newRow("new file") << QByteArray() << QStringList{"A=x"} << QStringList{"A=x"};
        QTest::newRow("merged") << QByteArray(R"({"A":"old","B":"kept"})") << QStringList{"A=new"}
                                << QStringList{"A=new", "B=kept"};
        QTest::newRow("several") << QByteArray(R"({"A":"a"})") << QStringList{"B=b", "C=c"}
                                 << QStringList{"A=a", "B=b", "C=c"};
        QTest::newRow("corrupt replaced")
            << QByteArray("{\"A\":") << QStringList{"B=b"} << QStringList{"B=b"};
        QTest::newRow("non-string note replaced")
            << QByteArray(R"({"A":1,"C":"c"})") << QStringList{"B=b"} << QStringList{"B=b"};
        QTest::newRow("array replaced")
            << QByteArray(R"(["A"])") << QStringList{"B=b"} << QStringList{"B=b"};
        QTest::newRow("odd names")
            << QByteArray() << QStringList{QString::fromUtf8("Ünï/x: \"q\"=é")}
            << QStringList{QString::fromUtf8("Ünï/x: \"q\"=é")};
    }
    void notes() {
        QFETCH(QByteArray, before);
        QFETCH(QStringList, added);
        QFETCH(QStringList, after);
        if (!before.isEmpty()) write(Store::filePath("project-notes.json"), before);
        auto toMap = [](const QStringList& pairs) {
            QMap<QString, QString> map;
            for (const QString& pair : pairs)
                map.insert(pair.section('=', 0, 0), pair.section('=', 1));
            return map;
        };
        Store::saveNotes(toMap(added));
        QCOMPARE(Store::loadNotes(), toMap(after));
        QVERIFY(!read(Store::filePath("project-notes.json")).contains('\n'));
    }

    void importPlan() {
        QCOMPARE(Store::importPlanPath(), home->path("Documents/Tovrin App/import-plan.json"));
        QCOMPARE(Store::loadImportPlan(), std::nullopt);
        Store::setAside(Store::importPlanPath(), "loaded",
                        QDateTime::fromSecsSinceEpoch(1'700'000'000));
        QVERIFY(!QFileInfo::exists(home->path("Documents/Tovrin App")) ||
                QDir(home->path("Documents/Tovrin App")).isEmpty());

        const QList<PlanItem> plan{planItem(home->path("Downloads/a b#.png"))};
        write(Store::importPlanPath(), Json::pretty(Json::encodeList(plan)));
        QCOMPARE(Store::loadImportPlan(), std::optional<QList<PlanItem>>(plan));
        Store::setAside(Store::importPlanPath(), "loaded",
                        QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC).addMSecs(900));
        QVERIFY(!QFileInfo::exists(Store::importPlanPath()));
        const QString aside = home->path("Documents/Tovrin App/import-plan.loaded-1700000000.json");
        QCOMPARE(read(aside), Json::pretty(Json::encodeList(plan)));

        // A second import in the same second must not clobber the first one set aside.
        write(Store::importPlanPath(), "[]");
        Store::setAside(Store::importPlanPath(), "loaded",
                        QDateTime::fromSecsSinceEpoch(1'700'000'000));
        QCOMPARE(read(aside), Json::pretty(Json::encodeList(plan)));

        write(Store::importPlanPath(), "[{\"id\":1}]");
        QCOMPARE(Store::loadImportPlan(), std::nullopt);
    }

    void latestLog_data() {
        QTest::addColumn<QStringList>("names"); // a trailing "/" makes a folder
        QTest::addColumn<QString>("latest");
        QTest::newRow("none") << QStringList{} << QString();
        QTest::newRow("one") << QStringList{"moves-2026-03-01_091502.json"}
                             << "moves-2026-03-01_091502.json";
        QTest::newRow("newest by name")
            << QStringList{"moves-2026-12-01_000000.json", "moves-2026-03-01_091502.json",
                           "moves-2026-12-01_000001.json", "moves-2025-12-31_235959.json"}
            << "moves-2026-12-01_000001.json";
        QTest::newRow("undone and others ignored")
            << QStringList{"moves-2026-03-01_091502.json",  "undone-moves-2027-01-01_000000.json",
                           "moves-2028-01-01_000000.txt",   "Moves-2029-01-01_000000.json",
                           "moves-2029-01-01_000000.JSON",  "moves-2030-01-01_000000.json.tmp-x",
                           "moves-2031-01-01_000000.json/", "notes.json"}
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

private:
    static QStringList sorted(QStringList list) {
        list.sort();
        return list;
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
