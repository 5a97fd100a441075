#include "planner.h"
#include "testhome.h"
#include "testitems.h"
#include "vocabulary.h"

#include <QtTest>

#include <ctime>
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

void setZone(const char* zone) {
    qputenv("TZ", zone);
    tzset();
}

} // namespace

class TestPlanner : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        home_ = std::make_unique<TestHome>();
        profile_.homeBase = home_->path(QStringLiteral("Documents"));
        profile_.projects = {project("Pellmark"), project("Studio/Vantle"),
                             project(" Clients : West / Orbit: Two "), project(QString(150, u'é'))};
    }

    void cleanupTestCase() { setZone("UTC"); }

    void destination_data() {
        QTest::addColumn<QString>("category");
        QTest::addColumn<OptString>("sub");
        QTest::addColumn<FileKind>("kind");
        QTest::addColumn<QString>("expected");

        const QString needs = QStringLiteral("Tovrin Review/Needs You");
        const QString toDelete = QStringLiteral("Tovrin Review/To Delete - Review First/");
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("project by name, any case")
            << "project:pellmark" << none() << FileKind::pdf << "Projects/Pellmark/Docs";
        QTest::newRow("project by display name")
            << "project:Vantle" << none() << FileKind::image << "Projects/Studio/Vantle/Images";
        QTest::newRow("project by full name")
            << "project:STUDIO/VANTLE" << OptString("brand assets") << FileKind::image
            << "Projects/Studio/Vantle/Brand Assets";
        QTest::newRow("project folder path cleaned")
            << "project:Orbit: Two" << none() << FileKind::video
            << "Projects/Clients - West/Orbit- Two/Video";
        QTest::newRow("project new sub") << "project:Pellmark" << OptString("launch  deck")
                                         << FileKind::slides << "Projects/Pellmark/Launch  deck";
        QTest::newRow("project folder cut to 255 bytes")
            << "project:" + QString(150, u'é') << none() << FileKind::pdf
            << "Projects/" + QString(127, u'é') + "/Docs";
        QTest::newRow("unknown project") << "project:Nimbus" << none() << FileKind::pdf << needs;
        QTest::newRow("prefix is case-sensitive")
            << "Project:Pellmark" << none() << FileKind::pdf << needs;
        QTest::newRow("empty project name") << "project:" << none() << FileKind::pdf << needs;
        QTest::newRow("project sub climbing out") << "project:Pellmark" << OptString("..")
                                                  << FileKind::audio << "Projects/Pellmark/Audio";
        QTest::newRow("project sub with slash") << "project:Pellmark" << OptString("a/../../etc")
                                                << FileKind::code << "Projects/Pellmark/Code";
        QTest::newRow("project sub with backslash")
            << "project:Pellmark" << OptString("..\\x") << FileKind::design
            << "Projects/Pellmark/Design";
        QTest::newRow("project sub with control") << "project:Pellmark" << OptString("Re\x01port")
                                                  << FileKind::font << "Projects/Pellmark/Design";
        QTest::newRow("kind sheet")
            << "project:Pellmark" << none() << FileKind::sheet << "Projects/Pellmark/Docs";
        QTest::newRow("kind doc") << "project:Pellmark" << none() << FileKind::doc
                                  << "Projects/Pellmark/Docs";
        QTest::newRow("kind project")
            << "project:Pellmark" << none() << FileKind::project << "Projects/Pellmark/Code";
        QTest::newRow("kind folder")
            << "project:Pellmark" << none() << FileKind::folder << "Projects/Pellmark/Folders";
        QTest::newRow("kind archive")
            << "project:Pellmark" << none() << FileKind::archive << "Projects/Pellmark/Other";
        QTest::newRow("kind bundle")
            << "project:Pellmark" << none() << FileKind::bundle << "Projects/Pellmark/Other";
        QTest::newRow("creator listed")
            << "creator" << OptString("THUMBNAILS") << FileKind::image << "Creator/Thumbnails";
        QTest::newRow("creator new")
            << "creator" << OptString("drone shots") << FileKind::video << "Creator/Drone shots";
        QTest::newRow("creator none") << "creator" << none() << FileKind::video << "Creator/Other";
        QTest::newRow("creator five words")
            << "creator" << OptString("a b c d e") << FileKind::video << "Creator/Other";
        QTest::newRow("personal listed") << "personal" << OptString("finance & receipts")
                                         << FileKind::pdf << "Personal/Finance & Receipts";
        QTest::newRow("personal no letter")
            << "personal" << OptString("2024") << FileKind::pdf << "Personal/Other";
        QTest::newRow("personal dot dot")
            << "personal" << OptString(" .. ") << FileKind::pdf << "Personal/Other";
        QTest::newRow("library listed") << "library" << OptString("after effects templates")
                                        << FileKind::design << "Library/After Effects Templates";
        QTest::newRow("library long") << "library" << OptString(QString(33, QLatin1Char('a')))
                                      << FileKind::design << "Library/Other";
        QTest::newRow("admin") << "admin" << OptString("Taxes") << FileKind::pdf << "Work Admin";
        QTest::newRow("junk default")
            << "junk" << none() << FileKind::image << toDelete + "Screenshots & images";
        QTest::newRow("junk free text") << "junk" << OptString(" Old: exports \n")
                                        << FileKind::image << toDelete + "Old- exports";
        QTest::newRow("junk long free text")
            << "junk" << OptString("a very long sub folder with many many words") << FileKind::image
            << toDelete + "a very long sub folder with many many words";
        QTest::newRow("junk sub cut to 255 bytes")
            << "junk" << OptString(emoji.repeated(100)) << FileKind::image
            << toDelete + emoji.repeated(63);
        QTest::newRow("junk dot dot")
            << "junk" << OptString("..") << FileKind::image << toDelete + "Screenshots & images";
        QTest::newRow("junk climbing") << "junk" << OptString("../../../.ssh") << FileKind::image
                                       << toDelete + "Screenshots & images";
        QTest::newRow("junk backslash")
            << "junk" << OptString("a\\b") << FileKind::image << toDelete + "Screenshots & images";
        QTest::newRow("junk control")
            << "junk" << OptString("a\tb") << FileKind::image << toDelete + "Screenshots & images";
        QTest::newRow("junk blank")
            << "junk" << OptString("  ") << FileKind::image << toDelete + "Screenshots & images";
        QTest::newRow("duplicate") << "duplicate" << OptString("x") << FileKind::pdf
                                   << "Tovrin Review/Duplicates - Review First";
        QTest::newRow("needs-you") << "needs-you" << none() << FileKind::pdf << needs;
        QTest::newRow("unknown word") << "receipts" << none() << FileKind::pdf << needs;
        QTest::newRow("case-sensitive word") << "Creator" << none() << FileKind::pdf << needs;
    }

    void destination() {
        QFETCH(QString, category);
        QFETCH(OptString, sub);
        QFETCH(FileKind, kind);
        QFETCH(QString, expected);
        const ScannedItem file = item(1, home_->path("Downloads/a.bin"), kind);
        QCOMPARE(Planner::destination(file, decision(category, sub), profile_), expected);
    }

    void projectWithoutFolder_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("slashes") << " / / ";
        QTest::newRow("dot dot") << " / .. / ";
        QTest::newRow("dot") << ".";
    }

    void projectWithoutFolder() {
        QFETCH(QString, name);
        Profile profile = profile_;
        profile.projects = {project(name)};
        const ScannedItem file = item(1, home_->path("Downloads/a.pdf"), FileKind::pdf);
        QCOMPARE(Planner::destination(file, decision("project:" + name), profile),
                 FolderLayout::needsYou);
    }

    void archiveYear_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDateTime>("modified");
        QTest::addColumn<QString>("expected");

        const QDateTime newYearsEveUtc(QDate(2021, 12, 31), QTime(20, 0), Qt::UTC);
        QTest::newRow("plain") << QByteArray("UTC")
                               << QDateTime(QDate(2021, 6, 1), QTime(0, 0), Qt::UTC)
                               << "Archive/2021";
        QTest::newRow("west of utc")
            << QByteArray("America/New_York") << newYearsEveUtc << "Archive/2021";
        QTest::newRow("east of utc")
            << QByteArray("Pacific/Auckland") << newYearsEveUtc << "Archive/2022";
        QTest::newRow("early year padded")
            << QByteArray("UTC") << QDateTime(QDate(999, 3, 1), QTime(0, 0), Qt::UTC)
            << "Archive/0999";
    }

    void archiveYear() {
        QFETCH(QByteArray, zone);
        QFETCH(QDateTime, modified);
        QFETCH(QString, expected);
        setZone(zone.constData());
        ScannedItem file = item(1, home_->path("Downloads/old.zip"), FileKind::archive);
        file.modified = modified;
        QCOMPARE(Planner::destination(file, decision("archive"), profile_), expected);
    }

    void pick_data() {
        QTest::addColumn<OptString>("sub");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<OptString>("expected");

        const QStringList library = Planner::librarySubs;
        QTest::newRow("none") << none() << library << none();
        QTest::newRow("list entry any case")
            << OptString("mockups & ui") << library << OptString("Mockups & UI");
        QTest::newRow("list entry wins over rewrite")
            << OptString("oTHER") << Planner::creatorSubs << OptString("Other");
        QTest::newRow("padded entry is new text")
            << OptString("  memes ") << library << OptString("Memes");
        QTest::newRow("first letter only")
            << OptString("drone shots") << library << OptString("Drone shots");
        QTest::newRow("rest unchanged")
            << OptString("iPhone BACKUPS") << library << OptString("IPhone BACKUPS");
        QTest::newRow("colon") << OptString("Q3: plans") << library << OptString("Q3- plans");
        QTest::newRow("four words") << OptString("a b c d") << library << OptString("A b c d");
        QTest::newRow("extra spaces are no words")
            << OptString("a   b   c   d") << library << OptString("A   b   c   d");
        QTest::newRow("five words") << OptString("a b c d e") << library << none();
        QTest::newRow("32 characters") << OptString(QString(32, QLatin1Char('x'))) << library
                                       << OptString(QString("X") + QString(31, QLatin1Char('x')));
        QTest::newRow("33 characters")
            << OptString(QString(33, QLatin1Char('x'))) << library << none();
        QTest::newRow("32 characters with surrogates")
            << OptString(QString(30, QLatin1Char('x')) +
                         QString::fromUtf8("\xF0\x9F\x8E\xAC\xF0\x9F\x8E\xAC"))
            << library
            << OptString("X" + QString(29, QLatin1Char('x')) +
                         QString::fromUtf8("\xF0\x9F\x8E\xAC\xF0\x9F\x8E\xAC"));
        QTest::newRow("32 characters with a combining accent")
            << OptString(QString(31, QLatin1Char('x')) + "e\u0301") << library
            << OptString("X" + QString(30, QLatin1Char('x')) + "e\u0301");
        QTest::newRow("no letter") << OptString("2024") << library << none();
        QTest::newRow("empty") << OptString("") << library << none();
        QTest::newRow("blank") << OptString(" \n ") << library << none();
        QTest::newRow("dot") << OptString(".") << library << none();
        QTest::newRow("dot dot") << OptString("..") << library << none();
        QTest::newRow("slash") << OptString("a/b") << library << none();
        QTest::newRow("climbing") << OptString("../../x") << library << none();
        QTest::newRow("backslash") << OptString("a\\b") << library << none();
        QTest::newRow("control") << OptString("Fon\x1bts") << library << none();
        QTest::newRow("delete char") << OptString("Fonts\x7f") << library << none();
        QTest::newRow("hidden name allowed")
            << OptString(".config") << library << OptString(".config");
        QTest::newRow("unicode letter") << OptString("été") << library << OptString("Été");
    }

    void pick() {
        QFETCH(OptString, sub);
        QFETCH(QStringList, list);
        QFETCH(OptString, expected);
        QCOMPARE(Planner::pick(sub, list), expected);
    }

    void hint_data() {
        QTest::addColumn<OptString>("projectHint");
        QTest::addColumn<OptString>("expected");

        QTest::newRow("none") << none() << none();
        QTest::newRow("too short") << OptString(" ab ") << none();
        QTest::newRow("three characters") << OptString("Abc") << OptString("Abc");
        QTest::newRow("two characters, one an emoji")
            << OptString(QString::fromUtf8("A\xF0\x9F\x98\x80")) << none();
        QTest::newRow("trimmed, case kept")
            << OptString("  Nimbus Labs\n") << OptString("Nimbus Labs");
        QTest::newRow("known name") << OptString("PELLMARK") << none();
        QTest::newRow("known display name") << OptString("vantle") << none();
        QTest::newRow("known full name") << OptString("studio/vantle") << none();
        QTest::newRow("near miss") << OptString("Vantle Two") << OptString("Vantle Two");
    }

    void hint() {
        QFETCH(OptString, projectHint);
        QFETCH(OptString, expected);
        QCOMPARE(Planner::hint(projectHint, profile_), expected);
    }

    void isMeaningless_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("expected");

        QTest::newRow("uuid") << "0aefeea7-a904-45aa-9f16.png" << true;
        QTest::newRow("img") << "IMG_4821.png" << true;
        QTest::newRow("img dash") << "img-20.heic" << true;
        QTest::newRow("img without number") << "imgur-cat.png" << false;
        QTest::newRow("dsc") << "DSC01234.JPG" << true;
        QTest::newRow("other digits") << QString::fromUtf8("img_\xD9\xA4\xD9\xA5.png") << true;
        QTest::newRow("pxl") << "PXL_20240101_123.jpg" << true;
        QTest::newRow("untitled") << "Untitled design (4).png" << true;
        QTest::newRow("image") << "image.png" << true;
        QTest::newRow("image numbered") << "image (12).png" << true;
        QTest::newRow("image with words") << "image of cat.png" << false;
        QTest::newRow("download numbered") << "download (3).jpg" << true;
        QTest::newRow("download plain") << "download" << true;
        QTest::newRow("downloads") << "downloads.zip" << false;
        QTest::newRow("size") << "1920x1080_wallpaper.jpg" << true;
        QTest::newRow("long hex") << "a3f9c0d1e2b4a5f6.bin" << true;
        QTest::newRow("short hex") << "a3f9c0d1e2.bin" << false;
        QTest::newRow("digits") << "20240101_1200.mp4" << true;
        QTest::newRow("five digits") << "12345 notes.txt" << false;
        QTest::newRow("screen shot") << "Screen Shot 2024-01-01 at 10.00.00.png" << true;
        QTest::newRow("screenshot") << "Screenshot_20240101.png" << true;
        QTest::newRow("broken size") << "-1x-1.jpg" << true;
        QTest::newRow("export") << "export (2).csv" << true;
        QTest::newRow("export words") << "export of sales.csv" << false;
        QTest::newRow("final") << "FINAL_v2 really.docx" << true;
        QTest::newRow("copy of") << "Copy of Budget.xlsx" << true;
        QTest::newRow("unnamed") << "unnamed.jpg" << true;
        QTest::newRow("file numbered") << "file (1).pdf" << true;
        QTest::newRow("file words") << "file tax.pdf" << false;
        QTest::newRow("plus") << "+.png" << true;
        QTest::newRow("plus plus") << "++.png" << false;
        QTest::newRow("anchored") << "my IMG_4821.png" << false;
        QTest::newRow("meaningful") << "invoice-march.pdf" << false;
        QTest::newRow("extension not tested") << "report.untitled" << false;
        QTest::newRow("only last extension removed") << "image.tar.gz" << false;
        QTest::newRow("hidden file") << ".untitled" << false;
        QTest::newRow("empty") << "" << false;
    }

    void isMeaningless() {
        QFETCH(QString, name);
        QFETCH(bool, expected);
        QCOMPARE(Naming::isMeaningless(name), expected);
    }

    void sanitize_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<OptString>("expected");

        QTest::newRow("example") << " .hidden: report/final "
                                 << "pdf" << OptString("hidden- report-final.pdf");
        QTest::newRow("extension present") << "Report.PDF"
                                           << "pdf" << OptString("Report.PDF");
        QTest::newRow("extension added, case kept") << "March invoice"
                                                    << "PDF" << OptString("March invoice.PDF");
        QTest::newRow("other extension kept") << "photo.png"
                                              << "jpg" << OptString("photo.png.jpg");
        QTest::newRow("no extension") << "Notes"
                                      << "" << OptString("Notes");
        QTest::newRow("leading dots") << "...x"
                                      << "txt" << OptString("x.txt");
        QTest::newRow("dots only") << "..."
                                   << "txt" << none();
        QTest::newRow("dot") << "."
                             << "" << none();
        QTest::newRow("dot dot") << ".."
                                 << "" << none();
        QTest::newRow("dot dot padded") << " .. "
                                        << "pdf" << none();
        QTest::newRow("empty") << ""
                               << "pdf" << none();
        QTest::newRow("blank") << " \n\t "
                               << "pdf" << none();
        QTest::newRow("climbing") << "../../etc/passwd"
                                  << "" << OptString("-..-etc-passwd");
        QTest::newRow("absolute") << "/tmp/x"
                                  << "txt" << OptString("-tmp-x.txt");
        QTest::newRow("control removed") << "Tax\x01 re\nturn\x7f"
                                         << "pdf" << OptString("Tax return.pdf");
        QTest::newRow("control hides a dot") << "\x02..evil"
                                             << "sh" << OptString("evil.sh");
        // Found by the naming fuzz target: C1 controls slipped through.
        QTest::newRow("C1 controls removed")
            << QStringLiteral("Memo\u0080 to\u009f self") << "txt" << OptString("Memo to self.txt");
        QTest::newRow("only controls") << "\x01\x02\x1f"
                                       << "" << none();
        QTest::newRow("120 kept") << QString(120, QLatin1Char('a')) << "txt"
                                  << OptString(QString(120, QLatin1Char('a')) + ".txt");
        QTest::newRow("121 cut") << QString(121, QLatin1Char('b')) << ""
                                 << OptString(QString(120, QLatin1Char('b')));
        QTest::newRow("cut keeps surrogates")
            << QString(119, QLatin1Char('c')) + QString::fromUtf8("\xF0\x9F\x98\x80") + "zz"
            << ""
            << OptString(QString(119, QLatin1Char('c')) + QString::fromUtf8("\xF0\x9F\x98\x80"));
        QTest::newRow("cut keeps a combining accent")
            << QString(119, QLatin1Char('c')) + "e\u0301"
            << "" << OptString(QString(119, QLatin1Char('c')) + "e\u0301");
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("cut to 255 bytes, extension kept")
            << emoji.repeated(100) << "png" << OptString(emoji.repeated(62) + ".png");
        QTest::newRow("cut to 255 bytes before its own extension")
            << emoji.repeated(100) + ".PNG"
            << "png" << OptString(emoji.repeated(62) + ".PNG");
        // Found by the naming fuzz target: next to Khmer the boundary finder split pairs.
        QTest::newRow("cut beside a Khmer sign")
            << emoji.repeated(5) + "\u17d8" + emoji.repeated(100) << ""
            << OptString(emoji.repeated(5) + "\u17d8" + emoji.repeated(58));
        QTest::newRow("one heavy character cut between its marks")
            << "a" + QString(300, QChar(0x301)) << "txt"
            << OptString("a" + QString(125, QChar(0x301)) + ".txt");
        QTest::newRow("no room beside the extension")
            << "x" << QString(254, QLatin1Char('e')) << none();
        QTest::newRow("bad extension refused") << "name"
                                               << "a/b" << none();
        QTest::newRow("control extension refused") << "name"
                                                   << "t\nt" << none();
    }

    void sanitize() {
        QFETCH(QString, name);
        QFETCH(QString, ext);
        QFETCH(OptString, expected);
        const OptString clean = Naming::sanitize(name, ext);
        QCOMPARE(clean, expected);
        if (clean) {
            QVERIFY(clean->toUtf8().size() <= 255);
            QVERIFY(!clean->contains(QLatin1Char('/')));
            QVERIFY(*clean != QLatin1String(".") && *clean != QLatin1String(".."));
        }
    }

    void extension_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("stem");

        QTest::newRow("plain") << "a.PDF"
                               << "PDF"
                               << "a";
        QTest::newRow("two dots") << "a.tar.gz"
                                  << "gz"
                                  << "a.tar";
        QTest::newRow("none") << "Makefile"
                              << ""
                              << "Makefile";
        QTest::newRow("hidden") << ".bashrc"
                                << ""
                                << ".bashrc";
        QTest::newRow("hidden with extension") << ".env.local"
                                               << "local"
                                               << ".env";
    }

    void extension() {
        QFETCH(QString, name);
        QFETCH(QString, ext);
        QFETCH(QString, stem);
        QCOMPARE(Naming::extension(name), ext);
        QCOMPARE(Naming::withoutExtension(name), stem);
    }

    // One decision per row, planned alone: the category, confidence, reason,
    // approval and rename rules together.
    void planOne_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<FileKind>("kind");
        QTest::addColumn<Decision>("given");
        QTest::addColumn<bool>("renameFiles");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("confidence");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("destFolder");
        QTest::addColumn<OptString>("newName");
        QTest::addColumn<bool>("approved");

        const QString needs = FolderLayout::needsYou;
        const OptString name("Beach sunset");
        QTest::newRow("high creator")
            << "IMG_1.jpg" << FileKind::image << decision("creator", "Thumbnails", "high", name)
            << true << "creator"
            << "high"
            << "because"
            << "Creator/Thumbnails" << OptString("Beach sunset.jpg") << true;
        QTest::newRow("medium stays")
            << "IMG_1.jpg" << FileKind::image << decision("personal", "Photos", "medium") << true
            << "personal"
            << "medium"
            << "because"
            << "Personal/Photos" << none() << true;
        QTest::newRow("low creator")
            << "IMG_1.jpg" << FileKind::image << decision("creator", "Thumbnails", "low", name)
            << true << "needs-you"
            << "low"
            << "Best guess: because" << needs << none() << false;
        QTest::newRow("low library stays")
            << "IMG_1.jpg" << FileKind::image << decision("library", "Memes", "low", name) << true
            << "library"
            << "low"
            << "because"
            << "Library/Memes" << OptString("Beach sunset.jpg") << true;
        QTest::newRow("low duplicate stays")
            << "IMG_1.jpg" << FileKind::image << decision("duplicate", none(), "low") << true
            << "duplicate"
            << "low"
            << "because"
            << "Tovrin Review/Duplicates - Review First" << none() << true;
        QTest::newRow("low needs-you keeps reason")
            << "IMG_1.jpg" << FileKind::image << decision("needs-you", none(), "low") << true
            << "needs-you"
            << "low"
            << "because" << needs << none() << false;
        QTest::newRow("protected junk")
            << "IMG_1.pdf" << FileKind::pdf << decision("junk", "Old", "high", name) << true
            << "needs-you"
            << "low"
            << "Protected file type, never treated as junk" << needs << none() << false;
        QTest::newRow("junk image")
            << "IMG_1.jpg" << FileKind::image << decision("junk", none(), "high", name) << true
            << "junk"
            << "high"
            << "because"
            << "Tovrin Review/To Delete - Review First/Screenshots & images" << none() << true;
        QTest::newRow("unknown category")
            << "a.pdf" << FileKind::pdf << decision("receipts") << true << "needs-you"
            << "high"
            << "because" << needs << none() << false;
        QTest::newRow("unknown project keeps no name")
            << "IMG_1.pdf" << FileKind::pdf << decision("project:Nimbus", none(), "high", name)
            << true << "needs-you"
            << "high"
            << "because" << needs << none() << false;
        QTest::newRow("project text kept")
            << "IMG_1.pdf" << FileKind::pdf << decision("project:pellmark", none(), "high", name)
            << true << "project:pellmark"
            << "high"
            << "because"
            << "Projects/Pellmark/Docs" << OptString("Beach sunset.pdf") << true;
        QTest::newRow("renames off") << "IMG_1.jpg" << FileKind::image
                                     << decision("admin", none(), "high", name) << false << "admin"
                                     << "high"
                                     << "because"
                                     << "Work Admin" << none() << true;
        QTest::newRow("meaningful name kept")
            << "beach.jpg" << FileKind::image << decision("admin", none(), "high", name) << true
            << "admin"
            << "high"
            << "because"
            << "Work Admin" << none() << true;
        QTest::newRow("folder never renamed")
            << "untitled folder" << FileKind::folder << decision("admin", none(), "high", name)
            << true << "admin"
            << "high"
            << "because"
            << "Work Admin" << none() << true;
        QTest::newRow("name that cleans to nothing")
            << "IMG_1.jpg" << FileKind::image
            << decision("admin", none(), "high", OptString(" .. ")) << true << "admin"
            << "high"
            << "because"
            << "Work Admin" << none() << true;
        QTest::newRow("hostile name cleaned")
            << "IMG_1.jpg" << FileKind::image
            << decision("admin", none(), "high", OptString("../../.ssh/authorized_keys\n")) << true
            << "admin"
            << "high"
            << "because"
            << "Work Admin" << OptString("-..-.ssh-authorized_keys.jpg") << true;
        QTest::newRow("no extension") << "untitled" << FileKind::other
                                      << decision("admin", none(), "high", name) << true << "admin"
                                      << "high"
                                      << "because"
                                      << "Work Admin" << OptString("Beach sunset") << true;
    }

    void planOne() {
        QFETCH(QString, file);
        QFETCH(FileKind, kind);
        QFETCH(Decision, given);
        QFETCH(bool, renameFiles);
        QFETCH(QString, category);
        QFETCH(QString, confidence);
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
        QCOMPARE(entry.id, 7);
        QCOMPARE(entry.src, scanned.url);
        QCOMPARE(entry.category, category);
        QCOMPARE(entry.confidence, confidence);
        QCOMPARE(entry.reason, reason);
        QCOMPARE(entry.destFolder, destFolder);
        QCOMPARE(entry.newName, newName);
        QCOMPARE(entry.approved, approved);
        QVERIFY(entry.renameApproved);
        QCOMPARE(toString(entry.kind), toString(kind));
        QCOMPARE(entry.size, scanned.size);
        // The protected-junk replacement drops the hint with the rest of the decision.
        QCOMPARE(entry.suggestedProject,
                 reason.startsWith("Protected") ? none() : OptString("Nimbus"));
    }

    void planSkipsAndSorts() {
        const QString downloads = home_->path("Downloads/");
        const QList<ScannedItem> items = {
            item(1, downloads + "b.txt"),         item(2, downloads + "a.txt"),
            item(3, downloads + "B.txt"),         item(4, downloads + "_.txt"),
            item(5, downloads + "c.txt"),         item(6, downloads + "a.txt"),
            item(8, downloads + "undecided.txt"),
        };
        const QHash<qint64, Decision> decisions = {
            {1, decision("admin")},     {2, decision("admin")},   {3, decision("admin")},
            {4, decision("admin")},     {5, decision("archive")}, {6, decision("admin")},
            {99, decision("personal")},
        };
        const QList<PlanItem> plan = Planner::plan(items, decisions, profile_);
        QStringList order;
        for (const PlanItem& entry : plan)
            order.append(QString::number(entry.id) + ":" + entry.destFolder + "/" +
                         entry.src.fileName());
        // "Archive" < "Work Admin"; "B" < "_" < "a" < "b" by code unit; equal keys in scan order.
        QCOMPARE(order,
                 QStringList({"5:Archive/2024/c.txt", "3:Work Admin/B.txt", "4:Work Admin/_.txt",
                              "2:Work Admin/a.txt", "6:Work Admin/a.txt", "1:Work Admin/b.txt"}));
    }

    void planRepeatedIdOnce() {
        const QString path = home_->path("Downloads/a.txt");
        const QList<PlanItem> plan =
            Planner::plan({item(1, path), item(1, path)}, {{1, decision("admin")}}, profile_);
        QCOMPARE(plan.size(), 1);
    }

    void alreadyInPlace_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("file");
        QTest::addColumn<Decision>("given");
        QTest::addColumn<bool>("planned");

        const QString base = QStringLiteral("Documents/");
        QTest::newRow("in place") << base + "Work Admin"
                                  << "contract.pdf" << decision("admin") << false;
        QTest::newRow("in place, meaningless name kept")
            << base + "Work Admin"
            << "IMG_2.pdf" << decision("admin") << false;
        QTest::newRow("in place with new name")
            << base + "Work Admin"
            << "IMG_2.pdf" << decision("admin", none(), "high", OptString("Lease")) << true;
        QTest::newRow("in place, project") << base + "Projects/Studio/Vantle/Docs"
                                           << "brief.pdf" << decision("project:vantle") << false;
        QTest::newRow("in place, needs you")
            << base + "Tovrin Review/Needs You"
            << "what.bin" << decision("needs-you", none(), "low") << false;
        QTest::newRow("parent of destination")
            << base + "Projects/Pellmark"
            << "brief.pdf" << decision("project:Pellmark") << true;
        QTest::newRow("inside destination") << base + "Work Admin/2024"
                                            << "contract.pdf" << decision("admin") << true;
        QTest::newRow("destination case differs") << base + "work admin"
                                                  << "contract.pdf" << decision("admin") << true;
        QTest::newRow("elsewhere") << "Downloads"
                                   << "contract.pdf" << decision("admin") << true;
    }

    void alreadyInPlace() {
        QFETCH(QString, folder);
        QFETCH(QString, file);
        QFETCH(Decision, given);
        QFETCH(bool, planned);

        TestHome home;
        QVERIFY(QDir().mkpath(home.path(folder)));
        const QString path = home.path(folder + "/" + file);
        QFile touch(path);
        QVERIFY(touch.open(QIODevice::WriteOnly));
        touch.close();

        for (const QString& homeBase : {home.path("Documents"), home.path("Documents/"),
                                        home.path("Downloads/../Documents")}) {
            Profile profile = profile_;
            profile.homeBase = homeBase;
            const ScannedItem scanned = item(3, path, FileKind::pdf);
            const QList<PlanItem> plan = Planner::plan({scanned}, {{3, given}}, profile);
            QCOMPARE(plan.size(), planned ? 1 : 0);
        }
    }

private:
    std::unique_ptr<TestHome> home_;
    Profile profile_;
};

QTEST_GUILESS_MAIN(TestPlanner)
#include "test_planner.moc"
