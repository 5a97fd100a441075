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

MakeSheet sheets(int& made) {
    return [&made](const QList<ScannedItem>&) {
        made += 1;
        return QtFuture::makeReadyFuture(std::optional<QByteArray>("jpeg"));
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
