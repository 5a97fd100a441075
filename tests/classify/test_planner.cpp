#include "planner.h"
#include "testhome.h"
#include "testitems.h"
#include "vocabulary.h"

#include <QtTest>

#include <memory>

using OptString = std::optional<QString>;

namespace {

Decision decision(const QString& category, const OptString& sub = std::nullopt,
                  const QString& confidence = QStringLiteral("high"),
                  const OptString& newName = std::nullopt) {
    return {category, sub, confidence, newName, QStringLiteral("because"), std::nullopt};
}

ScannedItem item(qint64 id, const QString& path, FileKind kind = FileKind::other) {
    return TestScannedItem(path).id(id).kind(kind).size(10).modified(
        QDateTime(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC));
}

OptString none() {
    return std::nullopt;
}

} // namespace

class TestPlanner : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        home_ = std::make_unique<TestHome>();
        profile_.homeBase = home_->path(QStringLiteral("Documents"));
        profile_.projects = {project("Pellmark"), project("Studio/Vantle"),
                             project(" Clients : West / Orbit: Two "), project(QString(150, u'é')),
                             project(" / .. / ")};
    }

    // Whatever the model says, the folder stays inside the home base.
    void destination_data() {
        QTest::addColumn<QString>("category");
        QTest::addColumn<OptString>("sub");
        QTest::addColumn<FileKind>("kind");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* tag, const QString& category, const OptString& sub,
                            FileKind kind, const QString& expected) {
            QTest::newRow(tag) << category << sub << kind << expected;
        };
        const QString needs = FolderLayout::needsYou;
        const QString toDelete = QStringLiteral("Tovrin Review/To Delete - Review First/");
        row("project by full name, listed sub", "project:STUDIO/VANTLE", "brand assets",
            FileKind::image, "Projects/Studio/Vantle/Brand Assets");
        row("project folder path cleaned", "project:Orbit: Two", none(), FileKind::video,
            "Projects/Clients - West/Orbit- Two/Video");
        row("project folder cut to 255 bytes", "project:" + QString(150, u'é'), none(),
            FileKind::pdf, "Projects/" + QString(127, u'é') + "/Docs");
        row("project without a folder", "project: / .. / ", none(), FileKind::pdf, needs);
        row("unknown project", "project:Nimbus", none(), FileKind::pdf, needs);
        row("project sub climbing out", "project:Pellmark", "a/../../etc", FileKind::code,
            "Projects/Pellmark/Code");
        row("creator new, first letter up", "creator", "drone shots", FileKind::video,
            "Creator/Drone shots");
        row("creator five words", "creator", "a b c d e", FileKind::video, "Creator/Other");
        row("junk climbing", "junk", "../../../.ssh", FileKind::image,
            toDelete + "Screenshots & images");
        row("duplicate", "duplicate", "x", FileKind::pdf,
            "Tovrin Review/Duplicates - Review First");
        row("unknown word", "receipts", none(), FileKind::pdf, needs);
    }
    void destination() {
        QFETCH(QString, category);
        QFETCH(OptString, sub);
        QFETCH(FileKind, kind);
        QFETCH(QString, expected);
        const ScannedItem file = item(1, home_->path("Downloads/a.bin"), kind);
        QCOMPARE(Planner::destination(file, decision(category, sub), profile_), expected);
    }

    // A name counts as meaningless, and may be replaced, only when it is one
    // a camera, a browser or an app made up.
    void isMeaningless() {
        const QList<std::pair<QString, bool>> names = {
            {"0aefeea7-a904-45aa-9f16.png", true},
            {"my IMG_4821.png", false},
            {"Untitled design (4).png", true},
            {"report.untitled", false},
        };
        for (const auto& [name, expected] : names)
            QVERIFY2(Naming::isMeaningless(name) == expected, qPrintable(name));
    }

    void sanitize_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<OptString>("expected");
        const auto row = [](const char* tag, const QString& name, const QString& ext,
                            const OptString& expected) {
            QTest::newRow(tag) << name << ext << expected;
        };
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        row("hidden, colon, slashes", " .hidden: report/final\\v2 ", "pdf",
            "hidden- report-final-v2.pdf");
        row("extension added, case kept", "March invoice", "PDF", "March invoice.PDF");
        row("control hides a dot", "\x02..evil", "sh", "evil.sh");
        row("cut to 255 bytes, extension kept", emoji.repeated(100), "png",
            emoji.repeated(62) + ".png");
        row("cut beside a Khmer sign", emoji.repeated(5) + "\u17d8" + emoji.repeated(100), "",
            emoji.repeated(5) + "\u17d8" + emoji.repeated(58));
        row("no room beside the extension", "x", QString(254, QLatin1Char('e')), none());
    }
    void sanitize() {
        QFETCH(QString, name);
        QFETCH(QString, ext);
        QFETCH(OptString, expected);
        QCOMPARE(Naming::sanitize(name, ext), expected);
    }

    // One decision per row, planned alone: the category, confidence, reason,
    // approval and rename rules together.
    void planOne_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<FileKind>("kind");
        QTest::addColumn<Decision>("given");
        QTest::addColumn<bool>("renameFiles");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("destFolder");
        QTest::addColumn<OptString>("newName");
        QTest::addColumn<bool>("approved");
        const auto row = [](const char* tag, const QString& file, FileKind kind,
                            const Decision& given, bool renameFiles, const QString& category,
                            const QString& reason, const QString& destFolder,
                            const OptString& newName, bool approved) {
            QTest::newRow(tag) << file << kind << given << renameFiles << category << reason
                               << destFolder << newName << approved;
        };
        const QString needs = FolderLayout::needsYou;
        const OptString name("Beach sunset");
        const FileKind image = FileKind::image;
        row("high creator", "IMG_1.jpg", image, decision("creator", "Thumbnails", "high", name),
            true, "creator", "because", "Creator/Thumbnails", "Beach sunset.jpg", true);
        row("medium stays", "IMG_1.jpg", image, decision("personal", "Photos", "medium"), true,
            "personal", "because", "Personal/Photos", none(), true);
        row("low creator", "IMG_1.jpg", image, decision("creator", "Thumbnails", "low", name), true,
            "needs-you", "Best guess: because", needs, none(), false);
        row("low library stays", "IMG_1.jpg", image, decision("library", "Memes", "low", name),
            true, "library", "because", "Library/Memes", "Beach sunset.jpg", true);
        row("protected junk", "IMG_1.pdf", FileKind::pdf, decision("junk", "Old", "high", name),
            true, "needs-you", "Protected file type, never treated as junk", needs, none(), false);
        row("renames off", "IMG_1.jpg", image, decision("admin", none(), "high", name), false,
            "admin", "because", "Work Admin", none(), true);
        row("meaningful name kept", "beach.jpg", image, decision("admin", none(), "high", name),
            true, "admin", "because", "Work Admin", none(), true);
        row("folder never renamed", "untitled folder", FileKind::folder,
            decision("admin", none(), "high", name), true, "admin", "because", "Work Admin", none(),
            true);
        row("hostile name cleaned", "IMG_1.jpg", image,
            decision("admin", none(), "high", OptString("../../.ssh/authorized_keys\n")), true,
            "admin", "because", "Work Admin", "-..-.ssh-authorized_keys.jpg", true);
    }
    void planOne() {
        QFETCH(QString, file);
        QFETCH(FileKind, kind);
        QFETCH(Decision, given);
        QFETCH(bool, renameFiles);
        QFETCH(QString, category);
        QFETCH(QString, reason);
        QFETCH(QString, destFolder);
        QFETCH(OptString, newName);
        QFETCH(bool, approved);

        Profile profile = profile_;
        profile.renameFiles = renameFiles;
        given.projectHint = QStringLiteral("Nimbus");
        const ScannedItem scanned = item(7, home_->path("Downloads/" + file), kind);
        const QList<PlanItem> plan = Planner::plan({scanned}, {{7, given}}, profile);
        QCOMPARE(plan.size(), 1);
        const PlanItem& entry = plan.first();
        QCOMPARE(entry.src, scanned.url);
        QCOMPARE(entry.category, category);
        QCOMPARE(entry.reason, reason);
        QCOMPARE(entry.destFolder, destFolder);
        QCOMPARE(entry.newName, newName);
        QCOMPARE(entry.approved, approved);
    }

    // A file already where it belongs is left out of the plan, unless it is to be renamed.
    void alreadyInPlace_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<Decision>("given");
        QTest::addColumn<bool>("planned");
        QTest::newRow("in place") << "Documents/Work Admin" << decision("admin") << false;
        QTest::newRow("in place with new name")
            << "Documents/Work Admin" << decision("admin", none(), "high", OptString("Lease"))
            << true;
        QTest::newRow("parent of destination")
            << "Documents/Projects/Pellmark" << decision("project:Pellmark") << true;
        QTest::newRow("destination case differs")
            << "Documents/work admin" << decision("admin") << true;
        QTest::newRow("elsewhere") << "Downloads" << decision("admin") << true;
    }
    void alreadyInPlace() {
        QFETCH(QString, folder);
        QFETCH(Decision, given);
        QFETCH(bool, planned);
        TestHome home;
        const QString path = home.write(folder + "/IMG_2.pdf");
        for (const QString& homeBase : {home.path("Documents"), home.path("Documents/"),
                                        home.path("Downloads/../Documents")}) {
            Profile profile = profile_;
            profile.homeBase = homeBase;
            const ScannedItem scanned = item(3, path, FileKind::pdf);
            QCOMPARE(Planner::plan({scanned}, {{3, given}}, profile).size(), planned ? 1 : 0);
        }
    }

private:
    std::unique_ptr<TestHome> home_;
    Profile profile_;
};

QTEST_GUILESS_MAIN(TestPlanner)
#include "test_planner.moc"
