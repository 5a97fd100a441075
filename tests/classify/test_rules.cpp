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
        const auto row = [](const char* tag, const QStringList& hints, FileKind kind,
                            bool keepInstallers, const QString& category = {},
                            const QString& sub = {}, const QString& reason = {}) {
            QTest::newRow(tag) << hints << kind << keepInstallers << category << sub << reason;
        };
        const QString copy = QStringLiteral("Exact copy of a file you're keeping");
        row("no hints", {}, FileKind::image, false);
        row("duplicate beats partial", {"partial-download", "exact-duplicate"}, FileKind::partial,
            false, "duplicate", {}, copy);
        row("duplicate of a protected pdf", {"exact-duplicate"}, FileKind::pdf, false, "duplicate",
            {}, copy);
        row("protected empty pdf", {"empty-file"}, FileKind::pdf, false);
        row("partial", {"partial-download", "empty-file"}, FileKind::partial, false, "junk",
            "Unfinished downloads", "Leftover from a download that never finished");
        row("empty beats installer", {"installer", "empty-file"}, FileKind::installer, false,
            "junk", "Empty files", "Empty file");
        row("installer", {"installer"}, FileKind::installer, false, "junk", "Installers",
            "App installer");
        row("installer kept", {"installer"}, FileKind::installer, true);
        row("kept installer falls to unzipped", {"installer", "already-extracted-archive"},
            FileKind::installer, true, "junk", "Already unzipped",
            "Its unzipped folder is right next to it");
        row("hints that are no rule", {"screenshot-name", "tiny-image", "copy-style-name"},
            FileKind::image, false);
        row("whole words only", {"exact-duplicates", "partial", "EMPTY-FILE", " installer"},
            FileKind::other, false);
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
    }

    void keywordDecision_data() {
        QTest::addColumn<QList<Project>>("projects");
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("whereFrom");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* tag, const QList<Project>& projects,
                            const QString& relative, const QString& whereFrom, const QString& text,
                            const QString& category = {}, const QString& reason = {}) {
            QTest::newRow(tag) << projects << relative << whereFrom << text << category << reason;
        };
        const QList<Project> two = {project("Pellmark"), project("Vantle")};
        const QString byName = QStringLiteral("Matched %1 in its name or folder");
        row("no projects", {}, "Downloads/pellmark.pdf", {}, "pellmark");
        row("name match", two, "Downloads/Pellmark Brief.pdf", {}, {}, "project:Pellmark",
            byName.arg("Pellmark"));
        row("both named", two, "Downloads/pellmark-vantle-deck.key", {}, {});
        row("origin is a name match", two, "Downloads/a1.zip",
            "https://cdn.example.com/VANTLE/a1.zip", {}, "project:Vantle", byName.arg("Vantle"));
        row("content match", two, "Downloads/notes.txt", {}, "Minutes of the PELLMARK kickoff",
            "project:Pellmark", "Mentions Pellmark inside");
        row("name wins over content", two, "Downloads/pellmark.txt", {}, "pellmark again",
            "project:Pellmark", byName.arg("Pellmark"));
        row("short alias ignored", {project("Orbit", "ab, x")}, "Downloads/ab-x.pdf", {}, {});
        row("alias trimmed and lower-cased", {project("Orbit", " Pelican Co ,Moonbase")},
            "Downloads/pelican co invoice.pdf", {}, {}, "project:Orbit", byName.arg("Orbit"));
        row("home folder is not part of the name", {project(QFileInfo(home_->path()).fileName())},
            "Downloads/plain.txt", {}, {});
        row("scan folder is not part of the name", {project("Orbit", "down, desk")},
            "Downloads/plain.txt", {}, {});
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
            Rules::keywordDecision(item, projects, UserFolders::roots(Profile().scanFolders));
        if (category.isEmpty()) {
            QVERIFY(!decision);
            return;
        }
        QVERIFY(decision);
        QCOMPARE(decision->category, category);
        QCOMPARE(decision->reason, reason);
    }

private:
    std::unique_ptr<TestHome> home_;
};

QTEST_GUILESS_MAIN(TestRules)
#include "test_rules.moc"
