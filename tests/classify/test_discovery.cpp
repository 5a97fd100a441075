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
        QTest::newRow("no array") << "I found nothing." << QStringList{} << QStringList{} << false;
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

    void run_data() {
        QTest::addColumn<int>("docs");
        QTest::addColumn<int>("bigImages");
        QTest::addColumn<bool>("sheetsWork");
        QTest::addColumn<int>("requests");
        QTest::addColumn<int>("sheetsMade");
        QTest::addColumn<int>("blocks");
        QTest::newRow("19 items") << 19 << 0 << true << 0 << 0 << 0;
        QTest::newRow("45 images") << 0 << 45 << true << 1 << 3 << 5;
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
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "test_discovery.moc"
