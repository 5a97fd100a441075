#include "discovery.h"
#include "store.h"
#include "testhome.h"

#include <QtTest>

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
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "test_discovery.moc"
