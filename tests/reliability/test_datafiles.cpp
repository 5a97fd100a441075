// Every data file broken every way: the application starts, falls back
// quietly, moves nothing, and never throws away a file the user could still
// want to read.
#include "appstate.h"
#include "store.h"
#include "testfiles.h"
#include "testhome.h"
#include "usage.h"

#include <QDirIterator>
#include <QtTest>

namespace {

using TestFiles::read;
using TestFiles::write;

enum class Damage { truncated, garbage, wrongTypes, huge, deeplyNested, empty };

void damage(const QString& path, Damage how) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    switch (how) {
    case Damage::truncated:
        file.write(R"([{"id": 1, "src": "file:///tmp/a", "destF)");
        break;
    case Damage::garbage:
        file.write(QByteArray("\x00\xff\xfe{]]\x01 not json", 17));
        break;
    case Damage::wrongTypes:
        file.write(R"({"onboarded": "yes", "projects": 5, "homeBase": [1, 2], "from": {},
                      "items": null, "totalUSD": "lots", "months": [true]})");
        break;
    case Damage::huge:
        QVERIFY(file.resize(100 * 1024 * 1024));
        break; // sparse
    case Damage::deeplyNested:
        file.write(QByteArray(200'000, '[') + QByteArray(200'000, ']'));
        break;
    case Damage::empty:
        break;
    }
}

} // namespace

class TestDataFiles : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;

private slots:
    void init() { home = std::make_unique<TestHome>(); }
    void cleanup() { home.reset(); }

    void startsAndFallsBack_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Damage>("how");
        const QStringList files{"config.json",
                                "profile.json",
                                "pending-plan.json",
                                "lessons.json",
                                "project-notes.json",
                                "usage.json",
                                "logs/moves-2026-12-06_090000.json",
                                "import"};
        const QList<std::pair<const char*, Damage>> kinds{
            {"truncated", Damage::truncated},    {"garbage", Damage::garbage},
            {"wrong types", Damage::wrongTypes}, {"100 MB", Damage::huge},
            {"nested", Damage::deeplyNested},    {"empty", Damage::empty}};
        for (const QString& file : files)
            for (const auto& [name, how] : kinds)
                QTest::addRow("%s, %s", qPrintable(file), name) << file << how;
    }

    void startsAndFallsBack() {
        QFETCH(QString, file);
        QFETCH(Damage, how);
        // A file that the undo could wrongly move.
        const QString bystander = home->write("Downloads/keep.txt", "mine");
        const bool isImport = file == QLatin1String("import");
        const QString path = isImport ? Store::importPlanPath() : Store::filePath(file);
        damage(path, how);
        const QByteArray damaged = read(path);

        AppServices services;
        Usage usage;
        services.usage = &usage;
        services.settingsPath = home->path(".config/Tovrin/Tovrin.conf");
        AppState state(services);
        QCOMPARE(state.phase(), Phase::idle);
        QVERIFY(state.plan().isEmpty());
        QVERIFY(!state.profile().onboarded);
        QVERIFY(Store::loadLessons().isEmpty());
        QVERIFY(Store::loadNotes().isEmpty());
        QVERIFY(!usage.summary().isEmpty());

        state.undoLast();
        QTRY_VERIFY(!state.isBusy());
        QCOMPARE(state.message(), std::optional(QStringLiteral("Nothing to undo.")));
        QCOMPARE(read(bystander), QByteArray("mine"));

        // What the user or another program wrote is never destroyed: it is
        // where it was, or set aside beside it, bytes intact.
        const QDir folder(QFileInfo(path).path());
        const QStringList names = folder.entryList(QDir::Files);
        const bool kept = std::any_of(names.cbegin(), names.cend(), [&](const QString& name) {
            const QString candidate = folder.filePath(name);
            return how == Damage::huge ? QFileInfo(candidate).size() == 100 * 1024 * 1024
                                       : read(candidate) == damaged;
        });
        QVERIFY2(kept, qPrintable(names.join(", ")));
        if (isImport) QVERIFY(!QFile::exists(path)); // not retried at every launch
    }
};

QTEST_GUILESS_MAIN(TestDataFiles)
#include "test_datafiles.moc"
