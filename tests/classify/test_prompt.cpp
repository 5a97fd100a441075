#include "prompt.h"
#include "store.h"
#include "testfiles.h"
#include "testhome.h"
#include "testitems.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <time.h>

namespace {

const QString lessonsHeading =
    QStringLiteral("This person previously sorted these files themselves. Follow the same "
                   "patterns for similar files:\n");

// The part of the system prompt that lists the user's projects.
QString projectLines(const QString& system) {
    const QString start = QStringLiteral("Their projects and brands:\n");
    const qsizetype from = system.indexOf(start) + start.size();
    return system.mid(from, system.indexOf(QStringLiteral("\n\nCategories"), from) - from);
}

QString opt(const std::optional<QString>& value) {
    return value ? QLatin1Char('"') + *value + QLatin1Char('"') : QStringLiteral("none");
}

// One readable line per decision, ordered by id, so table rows stay short.
QStringList render(const QHash<qint64, Decision>& decisions) {
    QList<qint64> ids = decisions.keys();
    std::sort(ids.begin(), ids.end());
    QStringList lines;
    for (qint64 id : ids) {
        const Decision& d = decisions[id];
        lines.append(QStringLiteral("%1 \"%2\" sub=%3 conf=\"%4\" new=%5 reason=\"%6\" hint=%7")
                         .arg(QString::number(id), d.category, opt(d.sub), d.confidence,
                              opt(d.newName), d.reason, opt(d.projectHint)));
    }
    return lines;
}

} // namespace

class TestPrompt : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void projects_data();
    void projects();
    void lessons_data();
    void lessons();
    void describe_data();
    void describe();
    void parse_data();
    void parse();
    void parseHugeReplies();
};

void TestPrompt::initTestCase() {
    // Fourteen hours ahead of UTC: noon UTC is already the next day locally.
    qputenv("TZ", "Pacific/Kiritimati");
    tzset();
}

// The user's own words reach the model as data, each on its own line.
void TestPrompt::projects_data() {
    QTest::addColumn<QList<Project>>("projects");
    QTest::addColumn<QByteArray>("notesFile");
    QTest::addColumn<QString>("lines");
    QTest::newRow("several in list order")
        << QList<Project>{project("Zeta"), project("Alpha", "A"), project("Kova")}
        << QByteArray(R"({"kova":"surf drinks","zeta":"logos","Alpha":"x"})")
        << QStringLiteral("- Zeta. Its files look like: logos\n- Alpha (also called: A)\n"
                          "- Kova. Its files look like: surf drinks");
    QTest::newRow("line breaks escaped")
        << QList<Project>{project("Pell\nmark", "PM\r")}
        << QByteArray(R"({"pell\nmark":"owl\u2028cards"})")
        << QStringLiteral(
               R"(- Pell\u000amark (also called: PM\u000d). Its files look like: owl\u2028cards)");
}

void TestPrompt::projects() {
    QFETCH(QList<Project>, projects);
    QFETCH(QByteArray, notesFile);
    QFETCH(QString, lines);
    TestHome home;
    TestFiles::write(Store::filePath("project-notes.json"), notesFile);
    Profile profile;
    profile.projects = projects;
    const QString system = Prompt::system(profile);
    QCOMPARE(projectLines(system), lines);
    QVERIFY(system.contains("\nreason: under 12 words.\n"));
}

void TestPrompt::lessons_data() {
    QTest::addColumn<QByteArray>("lessonsFile");
    QTest::addColumn<QString>("expected");
    QJsonArray many;
    QStringList lastForty;
    for (int i = 0; i < 55; ++i) {
        many.append(QJsonObject{
            {"name", QStringLiteral("f%1.pdf").arg(i)}, {"what", "pdf"}, {"dest", "Work Admin"}});
        if (i >= 15) lastForty.append(QStringLiteral("- \"f%1.pdf\" (pdf) -> Work Admin").arg(i));
    }
    QTest::newRow("55 keep the last forty")
        << QJsonDocument(many).toJson() << lessonsHeading + lastForty.join('\n');
    QTest::newRow("line breaks escaped")
        << QByteArray(R"([{"name":"a\n- \"b.png\" (x) -> Junk","what":"w\r","dest":"d\u0085"}])")
        << lessonsHeading + R"(- "a\u000a- "b.png" (x) -> Junk" (w\u000d) -> d\u0085)";
    QTest::newRow("truncated file") << QByteArray(R"([{"name":"a","what":"b")") << QString();
}

void TestPrompt::lessons() {
    QFETCH(QByteArray, lessonsFile);
    QFETCH(QString, expected);
    TestHome home;
    TestFiles::write(Store::filePath("lessons.json"), lessonsFile);
    QCOMPARE(Prompt::lessonsText(), expected);
    const QString system = Prompt::system(Profile());
    QVERIFY(system.contains("words.\n" + expected + "\n\nReply with ONLY"));
}

void TestPrompt::describe_data() {
    QTest::addColumn<ScannedItem>("scanned");
    QTest::addColumn<QJsonObject>("expected");

    const ScannedItem base = TestScannedItem(QDir::homePath() + "/Downloads/bill.pdf")
                                 .id(7)
                                 .kind(FileKind::pdf)
                                 .size(4096);
    const QJsonObject fixed{{"id", 7},
                            {"path", "~/Downloads/bill.pdf"},
                            {"kind", "pdf"},
                            {"size_kb", 4},
                            {"modified", "2026-03-02"}};
    QTest::newRow("fixed keys only") << base << fixed;

    ScannedItem it = base;
    it.modified = QDateTime(QDate(2026, 3, 1), QTime(9, 59), Qt::UTC);
    it.url = QUrl::fromLocalFile("/srv/share/Scan\n1.pdf");
    it.whereFrom = "https://example.com/a?b=\"c\"";
    QJsonObject obj = fixed;
    obj["modified"] = "2026-03-01";
    obj["path"] = "/srv/share/Scan\n1.pdf";
    obj["downloaded_from"] = "https://example.com/a?b=\"c\"";
    QTest::newRow("local date, outside home, origin") << it << obj;

    // 449 letters then emoji: the pair counts as one character and stays whole.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x8C\x8A");
    it = base;
    it.text = QString(449, 'z') + emoji + emoji + "tail";
    obj = fixed;
    obj["text"] = QString(449, 'z') + emoji;
    QTest::newRow("text cut to 450 characters") << it << obj;

    it.text = QStringLiteral("line one\nline \"two\"\t\u00e9\u2028\u0085") + QChar(0) + "end";
    obj["text"] = *it.text;
    QTest::newRow("control characters escaped") << it << obj;
}

void TestPrompt::describe() {
    QFETCH(ScannedItem, scanned);
    QFETCH(QJsonObject, expected);
    const QString line = Prompt::describe(scanned);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(doc.object(), expected);
    QVERIFY(std::none_of(line.cbegin(), line.cend(), [](QChar c) {
        return c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line;
    }));
}

void TestPrompt::parse_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("expected");

    const QString full =
        R"([{"id": 12, "category": "project:Pellmark", "sub": "Images", "confidence": "high", )"
        R"("new_name": "Pellmark - dragon card", "project_hint": "Kova", "reason": "logo"}])";
    const QStringList fullDecision = {R"(12 "project:Pellmark" sub="Images" conf="high" )"
                                      R"(new="Pellmark - dragon card" reason="logo" hint="Kova")"};
    auto one = [](const QString& category, const QString& conf = "low", const QString& reason = "",
                  qint64 id = 1) {
        return QStringList{QStringLiteral("%1 \"%2\" sub=none conf=\"%3\" new=none "
                                          "reason=\"%4\" hint=none")
                               .arg(QString::number(id), category, conf, reason)};
    };

    QTest::newRow("code fence and prose")
        << "Sure! Here you go:\n```json\n" + full + "\n```\nLet me know if { anything."
        << fullDecision;
    QTest::newRow("truncated mid object")
        << R"([{"id": 1, "category": "junk"}, {"id": 2, "category": "cre)" << QStringList();
    QTest::newRow("bad objects do not stop the rest")
        << R"([{}, {"id": "12", "category": "junk"}, {"id": 2}, {"id": 1, "category": "junk"}])"
        << one("junk");
    QTest::newRow("id above 2^53 stays exact")
        << R"([{"id": 9007199254740993, "category": "junk"}])"
        << one("junk", "low", "", 9'007'199'254'740'993);
    QTest::newRow("confidence any case, trimmed")
        << R"([{"id": 1, "category": "junk", "confidence": " High\t"}])" << one("junk", "high");
    QTest::newRow("unknown confidence is low")
        << R"([{"id": 1, "category": "junk", "confidence": "Very High"}])" << one("junk");
    QTest::newRow("later duplicate replaces earlier")
        << R"([{"id": 1, "category": "creator", "reason": "first"},)"
           R"( {"id": 1, "category": "junk", "reason": "second"}])"
        << one("junk", "low", "second");
}

void TestPrompt::parse() {
    QFETCH(QString, reply);
    QFETCH(QStringList, expected);
    QCOMPARE(render(Prompt::parse(reply)), expected);
}

void TestPrompt::parseHugeReplies() {
    const QString big(10 * 1024 * 1024, 'r');
    const auto cut =
        Prompt::parse(R"([{"id": 1, "category": "junk", "reason": ")" + big + R"("}])");
    QCOMPARE(cut.value(1).reason.size(), 300);
    QVERIFY(Prompt::parse(QString(200'000, '[') + QString(200'000, ']')).isEmpty());
    QVERIFY(Prompt::parse(QString(500'000, '[') + ']').isEmpty());
}

QTEST_GUILESS_MAIN(TestPrompt)
#include "test_prompt.moc"
