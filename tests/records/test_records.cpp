#include "files.h"
#include "json.h"
#include "kinds.h"
#include "store.h"
#include "testhome.h"

#include <QDirIterator>
#include <QJsonDocument>
#include <QtTest>

#include <sys/stat.h>

namespace {

PlanItem samplePlanItem(const QString& path) {
    PlanItem item;
    item.id = 7;
    item.src = QUrl::fromLocalFile(path);
    item.destFolder = "Projects/Vantle/Images";
    item.category = "project:Vantle";
    item.confidence = "high";
    item.reason = "Matched Vantle in its name or folder";
    item.newName = "Vantle - card art.png";
    item.kind = FileKind::image;
    item.size = 1234;
    item.approved = true;
    item.renameApproved = false;
    item.suggestedProject = "Brel";
    return item;
}

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestRecords : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;

private slots:
    void init() { home = std::make_unique<TestHome>(); }

    void planItemRoundTrip_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "/home/u/Downloads/a.png";
        QTest::newRow("odd characters") << "/home/u/Down loads/#1 100% ?x ünï.png";
    }
    void planItemRoundTrip() {
        QFETCH(QString, path);
        const PlanItem item = samplePlanItem(path);
        const QJsonObject json = Json::encode(item);
        QVERIFY(json.value("src").toString().startsWith("file:///"));
        QVERIFY(!json.value("src").toString().contains(' '));
        QCOMPARE(Json::decode<PlanItem>(json), std::optional<PlanItem>(item));
        PlanItem bare = item;
        bare.newName.reset();
        bare.suggestedProject.reset();
        const QJsonObject bareJson = Json::encode(bare);
        QVERIFY(!bareJson.contains("newName") && !bareJson.contains("suggestedProject"));
        QCOMPARE(Json::decode<PlanItem>(bareJson), std::optional<PlanItem>(bare));
    }

    void strictDecoding_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("ok");
        const QByteArray good = R"({"from":"/a","to":"/b","at":"2026-03-01T09:15:02Z"})";
        QTest::newRow("good") << good << true;
        QTest::newRow("missing to")
            << QByteArray(R"({"from":"/a","at":"2026-03-01T09:15:02Z"})") << false;
        QTest::newRow("number path")
            << QByteArray(R"({"from":1,"to":"/b","at":"2026-03-01T09:15:02Z"})") << false;
        QTest::newRow("date without zone")
            << QByteArray(R"({"from":"/a","to":"/b","at":"2026-03-01T09:15:02"})") << false;
        QTest::newRow("not a date")
            << QByteArray(R"({"from":"/a","to":"/b","at":"soon"})") << false;
        QTest::newRow("array") << QByteArray("[1]") << false;
    }
    void strictDecoding() {
        QFETCH(QByteArray, json);
        QFETCH(bool, ok);
        const auto value = Json::parse(json);
        QVERIFY(value);
        QCOMPARE(Json::decode<MoveRecord>(*value).has_value(), ok);
    }

    void profileDecoding_data() {
        QTest::addColumn<QByteArray>("patch"); // key=value JSON text replacing one member
        QTest::addColumn<bool>("ok");
        QTest::newRow("as written") << QByteArray() << true;
        QTest::newRow("no lastRun") << QByteArray("lastRun") << true;
        QTest::newRow("wrong bool") << QByteArray("renameFiles=\"yes\"") << false;
        QTest::newRow("missing model") << QByteArray("model") << false;
        QTest::newRow("bad project") << QByteArray("projects=[{\"name\":3}]") << false;
        QTest::newRow("folders not strings") << QByteArray("scanFolders=[1]") << false;
    }
    void profileDecoding() {
        QFETCH(QByteArray, patch);
        QFETCH(bool, ok);
        Profile profile;
        Project project;
        project.name = "Clients/Vantle";
        project.aliases = "vantle.example, vtl";
        profile.projects = {project};
        profile.lastRun = QDateTime(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC);
        QJsonObject json = Json::encode(profile);
        QCOMPARE(json.value("lastRun").toString(), "2026-03-01T09:00:00Z");
        if (!patch.isEmpty()) {
            const qsizetype eq = patch.indexOf('=');
            const QString key = QString::fromUtf8(eq < 0 ? patch : patch.left(eq));
            if (eq < 0)
                json.remove(key);
            else
                json.insert(key,
                            QJsonDocument::fromJson("[" + patch.mid(eq + 1) + "]").array().first());
        }
        const auto decoded = Json::decode<Profile>(json);
        QCOMPARE(decoded.has_value(), ok);
        if (ok && patch.isEmpty()) QCOMPARE(*decoded, profile);
    }

    void derived_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("aliases");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("terms");
        QTest::newRow("plain") << "Vantle"
                               << ""
                               << "Vantle"
                               << "Vantle" << QStringList{"vantle"};
        QTest::newRow("nested") << "Studio/Vantle "
                                << "vtl.example, ab, Vantle"
                                << "Vantle"
                                << "Studio/Vantle"
                                << QStringList{"studio/vantle ", "vantle", "vtl.example"};
        QTest::newRow("colons and gaps") << " a:b // c "
                                         << ""
                                         << "c"
                                         << "a-b/c" << QStringList{" a:b // c "};
        QTest::newRow("climbing") << "../../etc"
                                  << ""
                                  << "etc"
                                  << "etc" << QStringList{"../../etc", "etc"};
    }
    void derived() {
        QFETCH(QString, name);
        QFETCH(QString, aliases);
        QFETCH(QString, display);
        QFETCH(QString, folder);
        QFETCH(QStringList, terms);
        Project project;
        project.name = name;
        project.aliases = aliases;
        QCOMPARE(project.displayName(), display);
        QCOMPARE(project.folderPath(), folder);
        QCOMPARE(project.terms(), terms);
    }

    void groups_data() {
        QTest::addColumn<QString>("dest");
        QTest::addColumn<QString>("group");
        QTest::newRow("project") << "Projects/Vantle/Images"
                                 << "Vantle";
        QTest::newRow("review") << "Tovrin Review/Needs You"
                                << "Needs You";
        QTest::newRow("plain") << "Work Admin"
                               << "Work Admin";
        QTest::newRow("library") << "Library/Memes" << QString::fromUtf8("Library \u00B7 Memes");
        QTest::newRow("empty") << ""
                               << "Other";
    }
    void groups() {
        QFETCH(QString, dest);
        QFETCH(QString, group);
        PlanItem item;
        item.destFolder = dest;
        QCOMPARE(item.group(), group);
    }

    void relPath() {
        ScannedItem item;
        item.url = QUrl::fromLocalFile(QDir::homePath() + "/Downloads/a b.txt");
        QCOMPARE(item.relPath(), "~/Downloads/a b.txt");
        item.url = QUrl::fromLocalFile("/srv/data/x.txt");
        QCOMPARE(item.relPath(), "/srv/data/x.txt");
    }

    void kindsTable() {
        QCOMPARE(Kinds::map().size(), 130);
        QCOMPARE(Kinds::bundleExtensions().size(), 25);
        QCOMPARE(Kinds::hardProtected().size(), 10);
        QCOMPARE(toString(Kinds::kind("/x/Report.PDF", false)), toString(FileKind::pdf));
        QCOMPARE(toString(Kinds::kind("/x/archive.tar.gz", false)),
                 toString(Kinds::map().value("gz")));
        QCOMPARE(toString(Kinds::kind("/x/README", false)), toString(FileKind::other));
        QCOMPARE(toString(Kinds::kind("/x/Photos.app/", true)), toString(FileKind::bundle));
        QCOMPARE(toString(Kinds::kind("/x/Talk.key", true)), toString(FileKind::slides));
        QCOMPARE(toString(Kinds::kind("/x/site", true)), toString(FileKind::project));
        for (auto it = Kinds::map().cbegin(); it != Kinds::map().cend(); ++it) {
            QCOMPARE(it.key(), it.key().toLower());
            QVERIFY(fileKindFromString(toString(*it)) == std::optional<FileKind>(*it));
        }
        QVERIFY(!fileKindFromString("pictures"));
    }

    void storeFallbacks_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray("<missing>");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbage") << QByteArray("\x00\xff{{{", 5);
        QTest::newRow("truncated") << QByteArray(R"([{"name":"a","what":"b")");
        QTest::newRow("wrong shape") << QByteArray(R"({"name":3})");
        QTest::newRow("deeply nested") << QByteArray(100'000, '[');
        QTest::newRow("huge") << QByteArray("<huge>");
    }
    void storeFallbacks() {
        QFETCH(QByteArray, content);
        for (const char* name : {"profile.json", "pending-plan.json", "lessons.json",
                                 "project-notes.json", "config.json"}) {
            const QString path = Store::filePath(name);
            if (content == "<missing>") {
                QFile::remove(path);
            } else if (content == "<huge>") {
                write(path, "[");
                QVERIFY(QFile::resize(path, 70 * 1024 * 1024)); // sparse: cheap to make
            } else {
                write(path, content);
            }
        }
        QCOMPARE(Store::loadProfile(), std::nullopt);
        QCOMPARE(Store::loadPlan(), std::nullopt);
        QVERIFY(Store::loadLessons().isEmpty());
        QVERIFY(Store::loadNotes().isEmpty());
        QCOMPARE(Store::loadKey(), std::nullopt);
        // A corrupt lessons file is replaced, not appended to.
        Store::addLesson({"a.png", "image", "Library/Memes"});
        QCOMPARE(Store::loadLessons().size(), 1);
    }

    void lessonsCapped() {
        QList<Lesson> stored;
        for (int i = 0; i < 198; ++i)
            stored.append({QStringLiteral("f%1").arg(i), "doc", "Work Admin"});
        write(Store::filePath("lessons.json"), Json::pretty(Json::encodeList(stored)));
        for (int i = 198; i < 205; ++i)
            Store::addLesson({QStringLiteral("f%1").arg(i), "doc", "Work Admin"});
        const auto lessons = Store::loadLessons();
        QCOMPARE(lessons.size(), 200);
        QCOMPARE(lessons.first().name, "f5");
        QCOMPARE(lessons.last().name, "f204");
    }

    void notesMerged() {
        Store::saveNotes({{"vantle", "cards"}, {"pellmark", "owl"}});
        Store::saveNotes({{"vantle", "slabs"}});
        QCOMPARE(Store::loadNotes(),
                 (QMap<QString, QString>{{"vantle", "slabs"}, {"pellmark", "owl"}}));
    }

    void privateKey() {
        const mode_t old = ::umask(0);
        Store::saveKey("sk-secret");
        ::umask(old);
        QCOMPARE(Store::loadKey(), std::optional<QString>("sk-secret"));
        QDirIterator it(Store::dir(), QDir::Files | QDir::Hidden);
        int seen = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            struct stat st;
            QCOMPARE(::stat(qPrintable(path), &st), 0);
            // Nothing in the data folder is readable by others, the key least of all.
            QCOMPARE(st.st_mode & 0077, 0u);
            ++seen;
        }
        QVERIFY(seen >= 1);
    }

    void atomicReplace() {
        Profile profile;
        profile.model = "claude-sonnet-5-5";
        Store::saveProfile(profile);
        if (::geteuid() == 0) QSKIP("root writes into read-only folders");
        QFile::setPermissions(Store::dir(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        Profile changed = profile;
        changed.model = "claude-haiku-5-5";
        Store::saveProfile(changed);
        QFile::setPermissions(Store::dir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner);
        QCOMPARE(Store::loadProfile()->model, "claude-sonnet-5-5");
    }

    void importPlan() {
        QCOMPARE(Store::loadImportPlan(), std::nullopt);
        const QList<PlanItem> plan{samplePlanItem(home->path("Downloads/a.png"))};
        write(Store::importPlanPath(), Json::pretty(Json::encodeList(plan)));
        QCOMPARE(Store::loadImportPlan(), std::optional<QList<PlanItem>>(plan));
        Store::setImportPlanAside(QDateTime::fromSecsSinceEpoch(1'700'000'000));
        QVERIFY(!QFile::exists(Store::importPlanPath()));
        QVERIFY(QFile::exists(QFileInfo(Store::importPlanPath()).path() +
                              "/import-plan.loaded-1700000000.json"));
    }

    void latestLog() {
        QCOMPARE(Store::latestLog(), std::nullopt);
        for (const char* name : {"moves-2026-03-01_091502.json", "moves-2026-12-01_000000.json",
                                 "undone-moves-2027-01-01_000000.json", "moves-2028.txt",
                                 "Moves-2029-01-01_000000.json"})
            write(Store::logsDir() + "/" + name, "[]");
        QCOMPARE(Store::latestLog(),
                 std::optional<QString>(Store::logsDir() + "/moves-2026-12-01_000000.json"));
    }

    void atomicWriteLeavesNoTemporary() {
        const QString path = home->path("data/x.json");
        QDir().mkpath(home->path("data"));
        QVERIFY(Files::writeAtomic(path, "one"));
        QVERIFY(Files::writeAtomic(path, "two", Files::Access::ownerOnly));
        QCOMPARE(QDir(home->path("data")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"x.json"});
        QCOMPARE(*Files::readSmall(path), QByteArray("two"));
        QVERIFY(!Files::writeAtomic(home->path("nope/x.json"), "three"));
        QCOMPARE(Files::readSmall(path, 2), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "test_records.moc"
