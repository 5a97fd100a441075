#include "rules.h"
#include "testhome.h"
#include "testitems.h"

#include <QtTest>

#include <memory>

namespace {

// Writes the file for real so the item's path is one the scanner could have produced.
ScannedItem itemAt(const TestHome& home, const QString& relative) {
    return TestScannedItem(home.write(relative)).id(1);
}

} // namespace

class TestRules : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { home_ = std::make_unique<TestHome>(); }

    void junkDecision_data() {
        QTest::addColumn<QStringList>("hints");
        QTest::addColumn<FileKind>("kind");
        QTest::addColumn<bool>("keepInstallers");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("sub");
        QTest::addColumn<QString>("reason");

        const QString none;
        QTest::newRow("no hints") << QStringList{} << FileKind::image << false << none << none
                                  << none;
        QTest::newRow("duplicate beats partial")
            << QStringList{"partial-download", "exact-duplicate"} << FileKind::partial << false
            << "duplicate" << none << "Exact copy of a file you're keeping";
        QTest::newRow("duplicate of a protected pdf")
            << QStringList{"exact-duplicate"} << FileKind::pdf << false << "duplicate" << none
            << "Exact copy of a file you're keeping";
        QTest::newRow("protected empty pdf")
            << QStringList{"empty-file"} << FileKind::pdf << false << none << none << none;
        QTest::newRow("protected installer bundle")
            << QStringList{"installer"} << FileKind::bundle << false << none << none << none;
        QTest::newRow("partial") << QStringList{"partial-download", "empty-file"}
                                 << FileKind::partial << false << "junk"
                                 << "Unfinished downloads"
                                 << "Leftover from a download that never finished";
        QTest::newRow("empty beats installer")
            << QStringList{"installer", "empty-file"} << FileKind::installer << false << "junk"
            << "Empty files"
            << "Empty file";
        QTest::newRow("installer")
            << QStringList{"installer"} << FileKind::installer << false << "junk"
            << "Installers"
            << "App installer";
        QTest::newRow("installer kept")
            << QStringList{"installer"} << FileKind::installer << true << none << none << none;
        QTest::newRow("kept installer falls to unzipped")
            << QStringList{"installer", "already-extracted-archive"} << FileKind::installer << true
            << "junk"
            << "Already unzipped"
            << "Its unzipped folder is right next to it";
        QTest::newRow("hints that are no rule")
            << QStringList{"screenshot-name", "tiny-image", "copy-style-name"} << FileKind::image
            << false << none << none << none;
        QTest::newRow("whole words only")
            << QStringList{"exact-duplicates", "partial", "EMPTY-FILE", " installer"}
            << FileKind::other << false << none << none << none;
    }

    void junkDecision() {
        QFETCH(QStringList, hints);
        QFETCH(FileKind, kind);
        QFETCH(bool, keepInstallers);
        QFETCH(QString, category);
        QFETCH(QString, sub);
        QFETCH(QString, reason);

        ScannedItem item = itemAt(*home_, QStringLiteral("Downloads/thing"));
        item.kind = kind;
        item.junkHints = hints;
        const std::optional<Decision> decision = Rules::junkDecision(item, keepInstallers);
        if (category.isEmpty()) {
            QVERIFY(!decision);
            return;
        }
        QVERIFY(decision);
        QCOMPARE(decision->category, category);
        QCOMPARE(decision->sub, sub.isEmpty() ? std::nullopt : std::optional<QString>(sub));
        QCOMPARE(decision->reason, reason);
        QCOMPARE(decision->confidence, QStringLiteral("high"));
        QVERIFY(!decision->newName);
        QVERIFY(!decision->projectHint);
    }

    void keywordDecision_data() {
        QTest::addColumn<QList<Project>>("projects");
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("whereFrom");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("reason");

        const QList<Project> two = {project("Pellmark"), project("Vantle")};
        const QString none;
        QTest::newRow("no projects")
            << QList<Project>{} << "Downloads/pellmark.pdf" << none << "pellmark" << none << none;
        QTest::newRow("name match")
            << two << "Downloads/Pellmark Brief.pdf" << none << none << "project:Pellmark"
            << "Matched Pellmark in its name or folder";
        QTest::newRow("folder match")
            << two << "Desktop/vantle/notes.txt" << none << none << "project:Vantle"
            << "Matched Vantle in its name or folder";
        QTest::newRow("both named")
            << two << "Downloads/pellmark-vantle-deck.key" << none << none << none << none;
        QTest::newRow("one named one mentioned")
            << two << "Downloads/pellmark.txt" << none << "notes for vantle" << none << none;
        QTest::newRow("origin is a name match")
            << two << "Downloads/a1.zip"
            << "https://cdn.example.com/VANTLE/a1.zip" << none << "project:Vantle"
            << "Matched Vantle in its name or folder";
        QTest::newRow("content match")
            << two << "Downloads/notes.txt" << none << "Minutes of the PELLMARK kickoff"
            << "project:Pellmark"
            << "Mentions Pellmark inside";
        QTest::newRow("name wins over content")
            << two << "Downloads/pellmark.txt" << none << "pellmark again"
            << "project:Pellmark"
            << "Matched Pellmark in its name or folder";
        QTest::newRow("short alias ignored")
            << QList<Project>{project("Orbit", "ab, x")} << "Downloads/ab-x.pdf" << none << none
            << none << none;
        QTest::newRow("alias trimmed and lower-cased")
            << QList<Project>{project("Orbit", " Pelican Co ,Moonbase")}
            << "Downloads/pelican co invoice.pdf" << none << none << "project:Orbit"
            << "Matched Orbit in its name or folder";
        QTest::newRow("home folder is not part of the name")
            << QList<Project>{project(QFileInfo(home_->path()).fileName())} << "Downloads/plain.txt"
            << none << none << none << none;
        QTest::newRow("scan folder is not part of the name")
            << QList<Project>{project("Orbit", "down, desk")} << "Downloads/plain.txt" << none
            << none << none << none;
    }

    void keywordDecision() {
        QFETCH(QList<Project>, projects);
        QFETCH(QString, relative);
        QFETCH(QString, whereFrom);
        QFETCH(QString, text);
        QFETCH(QString, category);
        QFETCH(QString, reason);

        ScannedItem item = itemAt(*home_, relative);
        if (!whereFrom.isEmpty()) item.whereFrom = whereFrom;
        if (!text.isEmpty()) item.text = text;
        const std::optional<Decision> decision =
            Rules::keywordDecision(item, projects, Profile().scanFolders);
        if (category.isEmpty()) {
            QVERIFY(!decision);
            return;
        }
        QVERIFY(decision);
        QCOMPARE(decision->category, category);
        QCOMPARE(decision->reason, reason);
        QCOMPARE(decision->confidence, QStringLiteral("high"));
        QVERIFY(!decision->sub);
        QVERIFY(!decision->newName);
        QVERIFY(!decision->projectHint);
    }

private:
    std::unique_ptr<TestHome> home_;
};

QTEST_GUILESS_MAIN(TestRules)
#include "test_rules.moc"
