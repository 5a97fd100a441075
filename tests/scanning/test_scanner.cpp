#include "kinds.h"
#include "scanner.h"
#include "testfiles.h"

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>
#include <zip.h>

namespace {

using TestFiles::write;

// A zip written with libzip; each member's bytes given whole.
void writeZip(const QString& path, const QList<std::pair<QByteArray, QByteArray>>& members) {
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    QVERIFY(zip);
    QList<QByteArray> keep = {};
    for (const auto& [name, data] : members) {
        keep.append(data);
        zip_source_t* source =
            zip_source_buffer(zip, keep.last().constData(), zip_uint64_t(keep.last().size()), 0);
        QVERIFY(zip_file_add(zip, name.constData(), source, ZIP_FL_OVERWRITE) >= 0);
    }
    QCOMPARE(zip_close(zip), 0);
}

void writePdf(const QString& path, const QStringList& pages) {
    QPdfWriter writer(path);
    QPainter painter(&writer);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0) writer.newPage();
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 24));
        painter.drawText(QPointF(500, 1000), pages[i]);
    }
}

QList<ScannedItem> scan(const QStringList& roots, const QStringList& exclude = {},
                        std::optional<QDateTime> since = std::nullopt) {
    ScanOptions options;
    for (const QString& r : roots)
        options.roots.append(QUrl::fromLocalFile(r));
    for (const QString& e : exclude)
        options.exclude.append(QUrl::fromLocalFile(e));
    options.since = since;
    return Scanner::run(options, {});
}

QStringList names(const QList<ScannedItem>& items) {
    QStringList out;
    for (const ScannedItem& item : items)
        out.append(item.name);
    out.sort();
    return out;
}

const ScannedItem* find(const QList<ScannedItem>& items, const QString& name) {
    for (const ScannedItem& item : items)
        if (item.name == name) return &item;
    return nullptr;
}

} // namespace

class TestScanner : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;
    QString root() const { return tmp.path() + "/Downloads"; }

private slots:
    void init() {
        QDir(tmp.path()).removeRecursively();
        QDir().mkpath(root());
    }

    void walkRules() {
        const QString r = root();
        write(r + "/Site/package.json", "{}");
        write(r + "/Site/index.js", "x");
        QDir().mkpath(r + "/Photos.app/Contents");
        QDir().mkpath(r + "/Talk.key");
        write(r + "/Old Stuff/a.png", "x");
        for (const char* skipped : {"node_modules", "Adobe", "Tovrin Review", ".git", "Library"})
            QDir().mkpath(r + "/" + skipped);
        write(r + "/.DS_Store", "x");
        write(r + "/._photo.jpg", "x");
        write(r + "/Icon\r", "x");
        write(r + "/.com.google.Chrome.a1B2c3", "partial");
        write(r + "/.env", "SECRET=1");
        write(r + "/note.txt", "hello");
        write(r + "/SCAN.PDF", "%PDF");
        QVERIFY(QFile::link(r + "/note.txt", r + "/link.txt"));
        QVERIFY(QFile::link(r + "/Old Stuff", r + "/link dir"));
        QVERIFY(QFile::link(r + "/missing", r + "/dangling"));
        QVERIFY(QFile::link(r + "/loop b", r + "/loop a"));
        QVERIFY(QFile::link(r + "/loop a", r + "/loop b"));
        QDir().mkpath(r + "/Projects/inner");
        QDir().mkpath(r + "/Projects Old");

        const auto items = scan({r}, {r + "/Projects"});
        QCOMPARE(names(items),
                 (QStringList{".com.google.Chrome.a1B2c3", "Old Stuff", "Photos.app",
                              "Projects Old", "SCAN.PDF", "Site", "Talk.key", "note.txt"}));
        QCOMPARE(toString(find(items, "SCAN.PDF")->kind), "pdf");
        QCOMPARE(toString(find(items, "Site")->kind), "project");
        QCOMPARE(toString(find(items, "Photos.app")->kind), "bundle");
        QCOMPARE(toString(find(items, "Talk.key")->kind), "slides");
        QCOMPARE(find(items, "Talk.key")->size, 0);
        QCOMPARE(toString(find(items, "Old Stuff")->kind), "folder");
        QCOMPARE(find(items, "Old Stuff")->text,
                 std::optional<QString>("Folder with 1 items (1 image). Contents: a.png"));
        QVERIFY(find(items, ".com.google.Chrome.a1B2c3")->junkHints.contains("partial-download"));
        for (qsizetype i = 0; i < items.size(); ++i)
            QCOMPARE(items[i].id, i);
        // A root that is itself excluded is still listed.
        write(r + "/Projects/plan.txt", "x");
        QCOMPARE(names(scan({r + "/Projects"}, {r + "/Projects"})), QStringList{"plan.txt"});
    }

    void since() {
        const QDateTime cut(QDate(2026, 5, 1), QTime(12, 0), Qt::UTC);
        write(root() + "/at.txt", "a", cut);
        write(root() + "/before.txt", "b", cut.addSecs(-1));
        QDir().mkpath(root() + "/old folder");
        struct utimbuf times = {cut.addSecs(-5).toSecsSinceEpoch(),
                                cut.addSecs(-5).toSecsSinceEpoch()};
        QCOMPARE(::utime(QFile::encodeName(root() + "/old folder").constData(), &times), 0);
        QCOMPARE(names(scan({root()}, {}, cut)), QStringList{"at.txt"});
        QCOMPARE(names(scan({root()})).size(), 3);
    }

    void vanishing() {
        // Files removed while the walk runs are skipped, and a copy that is gone
        // before hashing can never be marked.
        for (int i = 0; i < 300; ++i)
            write(root() + QStringLiteral("/f%1.txt").arg(i, 3, 10, QChar('0')), "same");
        QDir().mkpath(tmp.path() + "/Desktop");
        write(tmp.path() + "/Desktop/kept.txt", "same");
        ScanOptions options;
        options.roots = {QUrl::fromLocalFile(root()), QUrl::fromLocalFile(tmp.path() + "/Desktop")};
        ScanProgress last;
        const auto items = Scanner::run(options, [&](ScanProgress p) {
            last = p;
            if (p.found == 100 && p.lookedInto == 0) QDir(root()).removeRecursively();
        });
        QVERIFY(items.size() >= 100);
        QCOMPARE(last.found, int(items.size()));
        QCOMPARE(last.lookedInto, int(items.size()));
        for (const ScannedItem& item : items)
            QVERIFY2(!item.junkHints.contains("exact-duplicate"), qPrintable(item.name));
    }

    // Only regular files and folders are listed: nobody writes to a pipe.
    void specialFiles() {
        const QString fifo = root() + "/pipe.txt";
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        write(root() + "/note.txt", "hello");
        QCOMPARE(names(scan({root()})), QStringList{"note.txt"});
        // Nor is one ever opened for a sample.
        QCOMPARE(Scanner::snippet(fifo, "txt", 10), std::nullopt);
        QCOMPARE(Scanner::unzip(fifo, "word/document.xml"), std::optional<QString>(QString()));
    }

    void oddNames() {
        const QStringList odd = {"with space.txt",
                                 "new\nline.txt",
                                 QString(251, 'l') +
                                     ".txt", // the longest name most file systems allow
                                 QString::fromUtf8("ünïcödé ✓.txt"),
                                 "-dash.txt",
                                 "#hash%.txt"};
        for (const QString& name : odd)
            write(root() + "/" + name, "content");
        // A name that is not valid UTF-8 cannot be addressed by its text path.
        const QByteArray raw = QFile::encodeName(root()) + "/bad\xff\xfe.txt";
        const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        write(root() + "/unreadable.txt", "secret");
        QFile::setPermissions(root() + "/unreadable.txt", QFileDevice::Permissions());
        auto items = scan({root()});
        QStringList expected = odd + QStringList{"unreadable.txt"};
        expected.sort();
        QCOMPARE(names(items), expected);
        for (const ScannedItem& item : items)
            QVERIFY2(QFileInfo::exists(item.path()), qPrintable(item.path()));
        QCOMPARE(::unlink(raw.constData()), 0);
        if (::geteuid() != 0) QCOMPARE(find(items, "unreadable.txt")->text, std::nullopt);
    }

    void textSamples() {
        write(root() + "/a.html", "<p>Hello</p>\n\n  world");
        QCOMPARE(Scanner::snippet(root() + "/a.html", "html", 22),
                 std::optional<QString>("Hello world"));
        const QString path = root() + "/log.txt";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(70'000'000)); // sparse
        QCOMPARE(Scanner::snippet(path, "txt", 70'000'000), std::nullopt);
        // A character cut at the 6,000-byte boundary becomes a replacement character.
        const QString cut = root() + "/cut.txt";
        write(cut, QByteArray(5999, ' ') + "\xc3\xa9");
        QCOMPARE(Scanner::snippet(cut, "txt", 6001),
                 std::optional<QString>(QString(QChar(0xfffd))));
    }

    void pdf() {
        writePdf(root() + "/four.pdf", {"alpha", "beta", "gamma", "delta"});
        writePdf(root() + "/blank.pdf", {""});
        auto text = [&](const QString& name) {
            const QString path = root() + "/" + name;
            return Scanner::snippet(path, "pdf", QFileInfo(path).size());
        };
        QCOMPARE(text("four.pdf"), std::optional<QString>("alpha beta gamma"));
        QCOMPARE(text("blank.pdf"), std::optional<QString>(QString()));
    }

    void office() {
        writeZip(root() + "/a.docx",
                 {{"word/document.xml", "<w:t>Lease</w:t> <w:t>agreement</w:t>"}});
        writeZip(root() + "/s.pptx", {{"ppt/slides/slide1.xml", "<a>One</a>"},
                                      {"ppt/slideLayouts/slideLayout1.xml", "<a>Layout</a>"},
                                      {"ppt/slides/slide2.xml", "<a>Two</a>"},
                                      {"ppt/slides/_rels/slide1.xml.rels", "<r>rel</r>"}});
        writeZip(root() + "/t.xlsx", {{"xl/sharedStrings.xml", "<si>Budget</si>"}});
        auto text = [&](const QString& name, const QString& ext) {
            const QString path = root() + "/" + name;
            return Scanner::snippet(path, ext, QFileInfo(path).size()).value_or("<none>");
        };
        QCOMPARE(text("a.docx", "docx"), "Lease agreement");
        QCOMPARE(text("s.pptx", "pptx"), "One Two");
        QCOMPARE(text("t.xlsx", "xlsx"), "Budget");
    }

    void hostileArchives() {
        // 50 MB of zeros compress to a few kilobytes; only 300,000 bytes come out.
        writeZip(root() + "/bomb.docx", {{"word/document.xml", QByteArray(50'000'000, 'A')}});
        QVERIFY(QFileInfo(root() + "/bomb.docx").size() < 1'000'000);
        const auto bomb = Scanner::unzip(root() + "/bomb.docx", "word/document.xml");
        QVERIFY(bomb);
        QCOMPARE(bomb->size(), 300'000);

        QList<std::pair<QByteArray, QByteArray>> many;
        for (int i = 0; i < 5000; ++i)
            many.append({QByteArray("ppt/slides/slide") + QByteArray::number(i) + ".xml",
                         QByteArray(100, 'b')});
        writeZip(root() + "/many.pptx", many);
        const auto slides = Scanner::unzip(root() + "/many.pptx", "ppt/slides/slide*.xml");
        QVERIFY(slides);
        QCOMPARE(slides->size(), 300'000);

        // More members than any document holds: refused before the library
        // builds its directory, even though the wanted member comes first.
        QList<std::pair<QByteArray, QByteArray>> crowd = {{"word/document.xml", "<w>hi</w>"}};
        for (int i = 0; i < 12'000; ++i)
            crowd.append({"m" + QByteArray::number(i), QByteArray()});
        writeZip(root() + "/crowd.docx", crowd);
        QCOMPARE(Scanner::unzip(root() + "/crowd.docx", "word/document.xml"),
                 std::optional<QString>(QString()));
        crowd.resize(9'000);
        writeZip(root() + "/fewer.docx", crowd);
        QCOMPARE(Scanner::unzip(root() + "/fewer.docx", "word/document.xml"),
                 std::optional<QString>("<w>hi</w>"));

        // A declared size far beyond the real data: truncate the archive body.
        QFile file(root() + "/bomb.docx");
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() / 2));
        file.close();
        QVERIFY(Scanner::unzip(root() + "/bomb.docx", "word/document.xml").has_value());
    }

    void hints_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("dmg") << "Tool.dmg" << 10ll << QStringList{"installer"};
        QTest::newRow("AppImage") << "Tool-1.2-x86_64.AppImage" << 10ll << QStringList{"installer"};
        QTest::newRow("deb") << "tool_1.2_amd64.deb" << 10ll << QStringList{"installer"};
        QTest::newRow("unpacked") << "project.zip" << 10ll
                                  << QStringList{"already-extracted-archive"};
        QTest::newRow("beside a file") << "other.zip" << 10ll << QStringList{};
        QTest::newRow("empty") << "notes.txt" << 0ll << QStringList{"empty-file"};
    }
    void hints() {
        QFETCH(QString, name);
        QFETCH(qint64, size);
        QFETCH(QStringList, expected);
        QDir().mkpath(root() + "/project");
        write(root() + "/other", "file");
        ScannedItem item;
        item.url = QUrl::fromLocalFile(root() + "/" + name);
        item.name = name;
        item.ext = QFileInfo(name).suffix().toLower();
        item.kind = Kinds::kind(item.path(), false);
        item.size = size;
        QCOMPARE(Scanner::hints(item), expected);
    }

    void duplicates() {
        const QString desk = tmp.path() + "/Desktop";
        const QByteArray same = "identical content";
        write(root() + "/a.pdf", same);
        write(root() + "/a (1).pdf", same);
        write(root() + "/b.pdf", same);
        // Neither a copy-style name: the shorter name stays, though its path sorts last.
        write(root() + "/report.pdf", "final draft");
        write(root() + "/report-final-v2.pdf", "final draft");
        write(root() + "/photo.jpg", "jpeg bytes");
        write(desk + "/photo.jpg", "jpeg bytes");
        write(root() + "/same size.txt", QByteArray(same.size(), 'z'));
        write(root() + "/e1.txt", "");
        write(root() + "/e2.txt", "");
        // Equal size and first block, different tail.
        QByteArray big(300'000, 'q');
        write(root() + "/big1.bin", big);
        big[299'999] = 'r';
        write(root() + "/big2.bin", big);
        write(root() + "/big3.bin", big);
        QDir().mkpath(root() + "/d1");
        QDir().mkpath(root() + "/d2");

        const auto items = scan({root(), desk});
        QStringList marked;
        for (const ScannedItem& item : items)
            if (item.junkHints.contains("exact-duplicate")) marked.append(item.path());
        marked.sort();
        // Of two photos alike, the one whose path sorts first (on the Desktop) stays.
        QCOMPARE(marked,
                 (QStringList{root() + "/a (1).pdf", root() + "/b.pdf", root() + "/big3.bin",
                              root() + "/photo.jpg", root() + "/report-final-v2.pdf"}));
        const ScannedItem* copy = find(items, "a (1).pdf");
        QCOMPARE(copy->junkHints, (QStringList{"copy-style-name", "exact-duplicate"}));
    }
};

QTEST_MAIN(TestScanner)
#include "test_scanner.moc"
