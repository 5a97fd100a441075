#include "discovery.h"
#include "store.h"
#include "testfiles.h"
#include "testhome.h"
#include "testitems.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

namespace {

ScannedItem item(const QString& path, FileKind kind = FileKind::doc) {
    return TestScannedItem(path).kind(kind).size(1000).modified(
        QDateTime(QDate(2026, 1, 1), QTime(9, 0), Qt::UTC));
}

QString section(const QString& digest, const QString& heading) {
    const qsizetype at = digest.indexOf(heading);
    if (at < 0) return QStringLiteral("<missing>");
    const qsizetype from = at + heading.size();
    const qsizetype end = digest.indexOf(QStringLiteral("\n\n"), from);
    return digest.mid(from, end < 0 ? -1 : end - from);
}

struct Sent {
    QString system;
    QJsonArray content;
    int maxTokens = 0;
};

Model::Send answering(QList<Sent>& sent, Model::Answer answer) {
    return [&sent, answer](const QString&, const QString&, const QString& system,
                           const QJsonArray& content, int maxTokens) {
        sent.append({system, content, maxTokens});
        return QtFuture::makeReadyFuture(answer);
    };
}

MakeSheet sheets(int& made, bool ok = true) {
    return [&made, ok](const QList<ScannedItem>& items) {
        made += 1;
        [&] { QVERIFY(items.size() <= 20); }();
        return QtFuture::makeReadyFuture(ok ? std::optional<QByteArray>("jpeg")
                                            : std::optional<QByteArray>());
    };
}

} // namespace

class TestDiscovery : public QObject {
    Q_OBJECT

    TestHome home;

private slots:
    void init() { QFile::remove(Store::filePath(QStringLiteral("project-notes.json"))); }

    void digestCounts_data() {
        QTest::addColumn<QList<ScannedItem>>("items");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("expected");

        QList<ScannedItem> brand{item("Projects/Pellmark brand", FileKind::folder)};
        for (int i = 0; i < 12; ++i)
            brand.append(item(QStringLiteral("Projects/Pellmark brand/f%1.txt").arg(i)));
        QTest::newRow("own name 3, each child 1") << brand << "Folder names (file count): "
                                                  << "Pellmark brand (15), Projects (1)";
        QTest::newRow("placeholder text in a name")
            << QList<ScannedItem>{item("Projects/%1 Brand", FileKind::folder)}
            << "Folder names (file count): "
            << "%1 Brand (3), Projects (1)";
        QTest::newRow("line break in a name")
            << QList<ScannedItem>{item("Projects/Brand\nrules", FileKind::folder)}
            << "Folder names (file count): "
            << "Brand\\u000arules (3), Projects (1)";
        QTest::newRow("Downloads and Desktop add nothing")
            << QList<ScannedItem>{item("Downloads/a.txt"), item("Desktop/b.txt")}
            << "Folder names (file count): "
            << "";
        QTest::newRow("words") << QList<ScannedItem>{item("Downloads/2024_03_invoice-$vantle.pdf"),
                                                     item("Downloads/5f3a9c1e77.png"),
                                                     item("Downloads/Final Copy of the Logo.png"),
                                                     item("Downloads/Invoice (2).pdf")}
                               << "Recurring words in file names (count): "
                               << "invoice (2), $vantle (1)";
        QTest::newRow("accents composed or not are one word")
            << QList<ScannedItem>{item("Downloads/Cafe\u0301 menu.pdf"),
                                  item("Downloads/Caf\u00e9-menu.pdf")}
            << "Recurring words in file names (count): "
            << "caf\u00e9 (2), menu (2)";
        ScannedItem www = item("Downloads/x.zip");
        www.whereFrom = QStringLiteral("https://www.vantle.example/get/x.zip");
        ScannedItem bare = item("Downloads/y.zip");
        bare.whereFrom = QStringLiteral("https://vantle.example/y");
        ScannedItem junk = item("Downloads/z.zip");
        junk.whereFrom = QStringLiteral("not a url");
        QTest::newRow("sites") << QList<ScannedItem>{www, bare, junk}
                               << "Sites files were downloaded from (count): "
                               << "vantle.example (2)";
    }
    void digestCounts() {
        QFETCH(QList<ScannedItem>, items);
        QFETCH(QString, heading);
        QFETCH(QString, expected);
        QCOMPARE(section(Discovery::digest(items), heading), expected);
    }

    void digestDocuments() {
        QList<ScannedItem> items;
        for (int i = 0; i < 75; ++i) {
            ScannedItem it = item(QStringLiteral("Downloads/doc%1.txt").arg(i));
            it.text = QString(200, QLatin1Char('a' + i % 26));
            it.modified = it.modified.addDays(i);
            items.append(it);
        }
        ScannedItem shortText = item("Downloads/short.txt");
        shortText.text = QString(40, 'x');
        shortText.modified = shortText.modified.addYears(5);
        items.append(shortText);
        const QString digest = Discovery::digest(items);
        const QString docs = digest.mid(digest.indexOf("Text from recent documents:\n") + 28);
        const QStringList lines = docs.split('\n');
        QCOMPARE(lines.size(), 70);
        QCOMPARE(lines.first(), "- doc74.txt: " + QString(140, QLatin1Char('a' + 74 % 26)));
        QCOMPARE(lines.last(), "- doc5.txt: " + QString(140, QLatin1Char('a' + 5)));
        QVERIFY(!digest.contains("short.txt:"));
    }

    void quotedDocument_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quoted"); // empty: not quoted
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("cut between characters") << "a.txt" << QString(139, 'a') + emoji + "tail"
                                                << "- a.txt: " + QString(139, 'a') + emoji;
        QTest::newRow("40 characters are too few") << "a.txt" << emoji.repeated(40) << "";
        QTest::newRow("line break in the name")
            << "a\n- b.txt" << QString(41, 't') << "- a\\u000a- b.txt: " + QString(41, 't');
    }
    void quotedDocument() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, quoted);
        ScannedItem doc = item("Downloads/" + name);
        doc.text = text;
        QCOMPARE(section(Discovery::digest({doc}), "Text from recent documents:\n"), quoted);
    }

    void emptyDigest() {
        QCOMPARE(Discovery::digest({}),
                 "Folder names (file count): \n\nRecurring words in file names (count): "
                 "\n\nSites files were downloaded from (count): \n\nText from recent documents:\n");
    }

    void replies_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("aliases");
        QTest::addColumn<bool>("notesTouched");
        QTest::newRow("aliases filtered")
            << R"(Here: [{"name":"Pellmark","aliases":["pm","pellmark studio","pell","pe😀"],"looks_like":"Blue owl"}] done)"
            << QStringList{"Pellmark"} << QStringList{"pellmark studio, pell"} << true;
        QTest::newRow("blank name dropped, name trimmed")
            << R"([{"name":"   ","looks_like":"x"},{"name":"\tVantle ","aliases":"vantle.example","looks_like":"Blue owl"}])"
            << QStringList{"Vantle"} << QStringList{""} << true;
        QTest::newRow("empty array") << "[]" << QStringList{} << QStringList{} << true;
        QTest::newRow("no array") << "I found nothing." << QStringList{} << QStringList{} << false;
        QTest::newRow("not objects") << R"([1, "two"])" << QStringList{} << QStringList{} << false;
        QTest::newRow("truncated")
            << R"([{"name":"Pellmark"}, {"name":)" << QStringList{} << QStringList{} << false;
        QTest::newRow("non-string name") << R"([{"name":7},{"name":["x"]},{"name":"Ok"}])"
                                         << QStringList{"Ok"} << QStringList{""} << true;
    }
    void replies() {
        QFETCH(QString, reply);
        QFETCH(QStringList, names);
        QFETCH(QStringList, aliases);
        QFETCH(bool, notesTouched);
        Store::saveNotes({{"older", "kept"}});
        const QList<Project> projects = Discovery::takeReply(reply);
        QStringList gotNames, gotAliases;
        QSet<QUuid> ids;
        for (const Project& p : projects) {
            gotNames.append(p.name);
            gotAliases.append(p.aliases);
            ids.insert(p.id);
        }
        QCOMPARE(gotNames, names);
        QCOMPARE(gotAliases, aliases);
        QCOMPARE(ids.size(), projects.size());
        const auto notes = Store::loadNotes();
        QCOMPARE(notes.value("older"), "kept");
        if (notesTouched && reply.contains("Blue owl")) {
            QCOMPARE(notes.value(names.first().toLower()), "Blue owl");
            QCOMPARE(notes.size(), 2);
        }
    }

    void notesMerge() {
        Store::saveNotes({{"pellmark", "old owl"}, {"vantle", "cards"}});
        Discovery::takeReply(R"([{"name":"Pellmark","looks_like":"new owl"},{"name":"Vantle"}])");
        const auto notes = Store::loadNotes();
        QCOMPARE(notes.value("pellmark"), "new owl");
        QCOMPARE(notes.value("vantle"), "cards");
    }

    void run_data() {
        QTest::addColumn<int>("docs");
        QTest::addColumn<int>("bigImages");
        QTest::addColumn<bool>("sheetsWork");
        QTest::addColumn<int>("requests");
        QTest::addColumn<int>("sheetsMade");
        QTest::addColumn<int>("blocks");
        QTest::newRow("19 items") << 19 << 0 << true << 0 << 0 << 0;
        QTest::newRow("no big images") << 30 << 0 << true << 1 << 0 << 1;
        QTest::newRow("45 images") << 0 << 45 << true << 1 << 3 << 5;
        QTest::newRow("100 images") << 0 << 100 << true << 1 << 3 << 5;
        QTest::newRow("sheets fail") << 0 << 30 << false << 1 << 2 << 1;
    }
    void run() {
        QFETCH(int, docs);
        QFETCH(int, bigImages);
        QFETCH(bool, sheetsWork);
        QFETCH(int, requests);
        QFETCH(int, sheetsMade);
        QFETCH(int, blocks);
        QList<ScannedItem> items;
        for (int i = 0; i < docs; ++i)
            items.append(item(QStringLiteral("Downloads/d%1.txt").arg(i)));
        for (int i = 0; i < bigImages; ++i) {
            ScannedItem img = item(QStringLiteral("Downloads/p%1.jpg").arg(i), FileKind::image);
            img.size = 20'001;
            items.append(img);
            ScannedItem small = item(QStringLiteral("Downloads/s%1.jpg").arg(i), FileKind::image);
            small.size = 20'000;
            items.append(small);
        }
        QList<Sent> sent;
        int made = 0;
        Project known;
        known.name = QStringLiteral("Pellmark");
        const auto projects = await(Discovery::run(
            items, {known}, "key", "claude-opus-5-5",
            answering(sent, QStringLiteral(R"([{"name":"Vantle","looks_like":"cards"}])")),
            sheets(made, sheetsWork)));
        QCOMPARE(sent.size(), requests);
        QCOMPARE(made, sheetsMade);
        if (!requests) {
            QVERIFY(projects.isEmpty());
            return;
        }
        QCOMPARE(projects.size(), 1);
        const Sent& s = sent.first();
        QCOMPARE(s.maxTokens, 2000);
        QCOMPARE(s.system, Discovery::prompt);
        QCOMPARE(s.content.size(), blocks);
        QVERIFY(s.content.first().toObject().value("text").toString().endsWith(
            "\n\nProjects they already have: Pellmark"));
        const QString last = s.content.last().toObject().value("text").toString();
        QCOMPARE(last == "The contact sheets above are a random sample of their images.",
                 blocks > 1);
        QCOMPARE(Store::loadNotes().value("vantle"), "cards");
    }

    void failedRequest() {
        Store::saveNotes({{"pellmark", "owl"}});
        QList<ScannedItem> items;
        for (int i = 0; i < 25; ++i)
            items.append(item(QStringLiteral("Downloads/d%1.txt").arg(i)));
        QList<Sent> sent;
        int made = 0;
        const auto projects = await(Discovery::run(
            items, {}, "key", "m",
            answering(sent, Model::Failure{true, "Your API key was rejected"}), sheets(made)));
        QVERIFY(projects.isEmpty());
        QCOMPARE(Store::loadNotes(), (QMap<QString, QString>{{"pellmark", "owl"}}));
    }

    void promptShape() {
        const QString marker = QStringLiteral("Reply with ONLY a JSON array: ");
        QVERIFY(Discovery::prompt.startsWith("You look at a summary of someone's Mac files"));
        const QString example =
            Discovery::prompt.mid(Discovery::prompt.indexOf(marker) + marker.size());
        QVERIFY(!example.contains('\n'));
        const QJsonArray array = QJsonDocument::fromJson(example.toUtf8()).array();
        QCOMPARE(array.size(), 1);
        QCOMPARE(array.first().toObject().keys(),
                 (QStringList{"aliases", "evidence", "looks_like", "name"}));
        QCOMPARE(Discovery::stopWords.size(), 63);
    }
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "test_discovery.moc"
