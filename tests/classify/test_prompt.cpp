#include "prompt.h"
#include "store.h"
#include "testhome.h"
#include "testitems.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <time.h>

namespace {

// The whole system prompt for a profile without projects and a data dir
// without notes or lessons, as the model must see it.
const QString bareSystem = QString::fromUtf8(
    R"(You sort files on one person's Mac into folders by what each file actually is, not just its name.

Their projects and brands:
- (none listed)

Categories (use exactly one):
- project:<exact project name from the list>: anything belonging to that project (logos, mockups, UI, renders, decks, docs, edits, contracts).
- creator: their streaming/YouTube/social content not tied to a project (thumbnails, overlays, banners, clips, edits, stream assets).
- personal: life admin and personal media (bills, receipts, IDs, photos of people or places, travel, home, music).
- admin: invoices, contracts, taxes and business paperwork not tied to one project.
- Items with kind "folder" are whole folders. They move as one unit and are never junk. Use the folder name and its listed contents to decide where the whole folder belongs (a project, creator, personal, library, or archive). Only use needs-you for a folder if its contents give no clue at all.
- library: you can tell WHAT it is but not which project it belongs to (a business or coin logo, an app mockup, a saved web page, a barcode or print file, inspiration or reference images, a meme, a generic screenshot, a font, a 3D asset).
- archive: old material with no clear home.
- junk: ONLY clearly throwaway, non-brand items: random UI screenshots, memes, blank or broken images, one-off reference grabs. Anything showing a project's brand or product, people, receipts, transactions, or that might matter is NOT junk.
- needs-you: ONLY when you truly can't tell what it is, or it looks personal or sensitive (IDs, contracts, medical, legal, financial statements). Prefer library over needs-you whenever you can describe the file.

sub (folder inside the category):
- project: Images | Video | Docs | Design | Audio | Brand Assets | Code | Other
- creator: Thumbnails | Overlays & Branding | Banners | Clips & Edits | Raw Footage | Audio | Other
- personal: Finance & Receipts | Documents | Photos | Health | Home | Travel | Music | Other
- library: Logos & Brand Marks | Mockups & UI | Saved Web Pages | Print & Production | Reference & Inspiration | Memes | Screenshots | Fonts | 3D & Assets | Audio | After Effects Templates | Design Layers | Transitions & Presets | Other
- junk: Screenshots & images
- otherwise null
If none of these sub folders fits well, you may name a new one in 2-4 plain words (e.g. "After Effects Templates", "Merch", "Event Footage").
Files that clearly go together (same art style, same mascot, same event, same download batch) should end up in the same place.

confidence: high (clear evidence), medium (decent guess), low (unsure).
new_name: only when the current name is meaningless (UUIDs, IMG_1234, untitled, image (3), 1500x500 (7), download, export, Screenshot 2026-...). Name it by what is actually in it: the subject, scene, people, product, or key text you can see or read, in 3-8 specific words. If it belongs to a project, start with the project name and " - ". Examples: "Vantle - holographic dragon card art", "KOVA - surfer holding electrolyte pack", "Electric bill September 2026", "Sunset over the ocean with surfboard", "Brel - prompt trading screen". Never generic words like "image", "photo", "file", "screenshot" alone. No dates unless the date is the content. No extension. Never invent details you can't see. Otherwise null.
project_hint: if the file clearly belongs to a project, brand, coin or client that is NOT in the list above (a name you can read in the image, the text, the file name or where it was downloaded from), give that name. Otherwise null.
reason: under 12 words.


Reply with ONLY a JSON array, one object per file:
[{"id": 12, "category": "project:Example", "sub": "Images", "confidence": "high", "new_name": null, "project_hint": null, "reason": "Example logo on a card mockup"}])");

const QString noProjects = QStringLiteral("- (none listed)");
const QString replyFormatStart = QStringLiteral("\n\nReply with ONLY a JSON array");

void writeData(const QString& name, const QByteArray& bytes) {
    QFile file(Store::filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray lessonsJson(int first, int count) {
    QJsonArray array;
    for (int i = first; i < first + count; ++i)
        array.append(QJsonObject{{"name", QStringLiteral("file %1.pdf").arg(i)},
                                 {"what", QStringLiteral("pdf")},
                                 {"dest", QStringLiteral("Personal/Documents")}});
    return QJsonDocument(array).toJson();
}

QString lessonLines(int first, int count) {
    QStringList lines;
    for (int i = first; i < first + count; ++i)
        lines.append(QStringLiteral("- \"file %1.pdf\" (pdf) -> Personal/Documents").arg(i));
    return QStringLiteral("This person previously sorted these files themselves. Follow the same "
                          "patterns for similar files:\n") +
           lines.join('\n');
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

ScannedItem item(const QString& path) {
    return TestScannedItem(path).id(7).kind(FileKind::pdf).size(4096);
}

} // namespace

class TestPrompt : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void systemPrompt_data();
    void systemPrompt();
    void lessons_data();
    void lessons();
    void notesAndLessonsReadAnew();
    void describe_data();
    void describe();
    void describeIsOneCompactLine();
    void parse_data();
    void parse();
    void parseHugeReplies_data();
    void parseHugeReplies();
};

void TestPrompt::initTestCase() {
    // Fourteen hours ahead of UTC: noon UTC is already the next day locally.
    qputenv("TZ", "Pacific/Kiritimati");
    tzset();
}

void TestPrompt::systemPrompt_data() {
    QTest::addColumn<QList<Project>>("projects");
    QTest::addColumn<QByteArray>("notesFile");
    QTest::addColumn<QString>("lines");

    QTest::newRow("no projects") << QList<Project>{} << QByteArray() << noProjects;
    QTest::newRow("no projects, notes ignored")
        << QList<Project>{} << QByteArray(R"({"pellmark":"cards"})") << noProjects;
    QTest::newRow("plain name") << QList<Project>{project("Pellmark")} << QByteArray()
                                << QStringLiteral("- Pellmark");
    QTest::newRow("aliases") << QList<Project>{project("Pellmark", "PM, pell")} << QByteArray()
                             << QStringLiteral("- Pellmark (also called: PM, pell)");
    QTest::newRow("note by lower-cased name")
        << QList<Project>{project("Pellmark")} << QByteArray(R"({"pellmark":"dark card art"})")
        << QStringLiteral("- Pellmark. Its files look like: dark card art");
    QTest::newRow("aliases and note")
        << QList<Project>{project("Pellmark", "PM")}
        << QByteArray(R"({"pellmark":"dark card art","other":"x"})")
        << QStringLiteral("- Pellmark (also called: PM). Its files look like: dark card art");
    QTest::newRow("note by trimmed name")
        << QList<Project>{project(" Pellmark ")} << QByteArray(R"({"pellmark":"dark card art"})")
        << QStringLiteral("-  Pellmark . Its files look like: dark card art");
    QTest::newRow("note stored under mixed case is not found")
        << QList<Project>{project("Pellmark")} << QByteArray(R"({"Pellmark":"dark card art"})")
        << QStringLiteral("- Pellmark");
    QTest::newRow("name kept as stored")
        << QList<Project>{project("Clients/ Acme Co ", "  ")} << QByteArray()
        << QStringLiteral("- Clients/ Acme Co  (also called:   )");
    QTest::newRow("several in list order")
        << QList<Project>{project("Zeta"), project("Alpha", "A"), project("Kova")}
        << QByteArray(R"({"kova":"surf drinks","zeta":"logos"})")
        << QStringLiteral("- Zeta. Its files look like: logos\n- Alpha (also called: A)\n"
                          "- Kova. Its files look like: surf drinks");
    QTest::newRow("corrupt notes file")
        << QList<Project>{project("Pellmark")} << QByteArray(R"({"pellmark":"dark)")
        << QStringLiteral("- Pellmark");
    QTest::newRow("line breaks escaped")
        << QList<Project>{project("Pell\nmark", "PM\r")}
        << QByteArray(R"({"pell\nmark":"owl\u2028cards"})")
        << QStringLiteral(
               R"(- Pell\u000amark (also called: PM\u000d). Its files look like: owl\u2028cards)");
    QTest::newRow("notes file not an object")
        << QList<Project>{project("Pellmark")} << QByteArray(R"(["pellmark"])")
        << QStringLiteral("- Pellmark");
}

void TestPrompt::systemPrompt() {
    QFETCH(QList<Project>, projects);
    QFETCH(QByteArray, notesFile);
    QFETCH(QString, lines);
    TestHome home;
    if (!notesFile.isNull()) writeData(QStringLiteral("project-notes.json"), notesFile);
    Profile profile;
    profile.projects = projects;

    QString expected = bareSystem;
    expected.replace(expected.indexOf(noProjects), noProjects.size(), lines);
    QCOMPARE(Prompt::system(profile), expected);
}

void TestPrompt::lessons_data() {
    QTest::addColumn<QByteArray>("lessonsFile");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no file") << QByteArray() << QString();
    QTest::newRow("empty array") << QByteArray("[]") << QString();
    QTest::newRow("one") << lessonsJson(0, 1) << lessonLines(0, 1);
    QTest::newRow("forty") << lessonsJson(0, 40) << lessonLines(0, 40);
    QTest::newRow("fifty-five keeps the last forty") << lessonsJson(0, 55) << lessonLines(15, 40);
    QTest::newRow("text kept verbatim")
        << QByteArray(R"([{"name":"%1 \"q\".png","what":"image, 10 KB","dest":"Library/%2"}])")
        << QStringLiteral("This person previously sorted these files themselves. Follow the same "
                          "patterns for similar files:\n- \"%1 \"q\".png\" (image, 10 KB) -> "
                          "Library/%2");
    QTest::newRow("line breaks escaped")
        << QByteArray(R"([{"name":"a\n- \"b.png\" (x) -> Junk","what":"w\r","dest":"d\u0085"}])")
        << QStringLiteral("This person previously sorted these files themselves. Follow the same "
                          R"(patterns for similar files:
- "a\u000a- "b.png" (x) -> Junk" (w\u000d) -> d\u0085)");
    QTest::newRow("truncated file") << lessonsJson(0, 3).chopped(5) << QString();
    QTest::newRow("not an array") << QByteArray(R"({"name":"a"})") << QString();
    QTest::newRow("binary garbage") << QByteArray("\x00\xff\xfe[", 4) << QString();
}

void TestPrompt::lessons() {
    QFETCH(QByteArray, lessonsFile);
    QFETCH(QString, expected);
    TestHome home;
    if (!lessonsFile.isNull()) writeData(QStringLiteral("lessons.json"), lessonsFile);

    QCOMPARE(Prompt::lessonsText(), expected);
    QString system = bareSystem;
    system.insert(system.indexOf(replyFormatStart), expected);
    QCOMPARE(Prompt::system(Profile()), system);
}

void TestPrompt::notesAndLessonsReadAnew() {
    TestHome home;
    Profile profile;
    profile.projects = {project("Kova")};
    QVERIFY(!Prompt::system(profile).contains("Its files look like"));

    Store::saveNotes({{"kova", "surf drinks"}});
    Store::addLesson({"a.pdf", "pdf", "Work Admin"});
    const QString after = Prompt::system(profile);
    QVERIFY(after.contains("- Kova. Its files look like: surf drinks\n\nCategories"));
    QVERIFY(after.contains("words.\nThis person previously sorted these files themselves. "
                           "Follow the same patterns for similar files:\n- \"a.pdf\" (pdf) -> "
                           "Work Admin\n\nReply with ONLY"));

    QVERIFY(QFile::remove(Store::filePath("lessons.json")));
    QVERIFY(!Prompt::system(profile).contains("previously sorted"));
}

void TestPrompt::describe_data() {
    QTest::addColumn<ScannedItem>("scanned");
    QTest::addColumn<QJsonObject>("expected");

    const QString home = QDir::homePath();
    const ScannedItem base = item(home + "/Downloads/bill.pdf");
    const QJsonObject fixed{{"id", 7},
                            {"path", "~/Downloads/bill.pdf"},
                            {"kind", "pdf"},
                            {"size_kb", 4},
                            {"modified", "2026-03-02"}};

    QTest::newRow("fixed keys only") << base << fixed;

    ScannedItem it = base;
    it.size = 1023;
    QJsonObject obj = fixed;
    obj["size_kb"] = 0;
    QTest::newRow("1023 bytes is 0 KB") << it << obj;

    it.size = 1024;
    obj["size_kb"] = 1;
    QTest::newRow("1024 bytes is 1 KB") << it << obj;

    it.size = 7'000'000'000'000;
    obj["size_kb"] = qint64(6'835'937'500);
    QTest::newRow("huge size stays exact") << it << obj;

    it = base;
    it.id = 9'007'199'254'740'993;
    obj = fixed;
    obj["id"] = qint64(9'007'199'254'740'993);
    QTest::newRow("id above 2^53") << it << obj;

    it = base;
    it.modified = QDateTime(QDate(2026, 3, 1), QTime(9, 59), Qt::UTC);
    obj = fixed;
    obj["modified"] = "2026-03-01";
    QTest::newRow("local date before midnight") << it << obj;

    it = base;
    it.url = QUrl::fromLocalFile("/srv/share/Scan 1.pdf");
    obj = fixed;
    obj["path"] = "/srv/share/Scan 1.pdf";
    QTest::newRow("outside home keeps full path") << it << obj;

    it = base;
    it.kind = FileKind::folder;
    it.isDir = true;
    obj = fixed;
    obj["kind"] = "folder";
    QTest::newRow("folder kind") << it << obj;

    it = base;
    it.whereFrom = QString();
    obj = fixed;
    obj["downloaded_from"] = "";
    QTest::newRow("empty origin still listed") << it << obj;

    it.whereFrom = "https://example.com/a?b=\"c\"";
    obj["downloaded_from"] = "https://example.com/a?b=\"c\"";
    QTest::newRow("origin") << it << obj;

    it = base;
    it.text = QString();
    QTest::newRow("empty text left out") << it << fixed;

    it.text = QString(2000, 'x');
    obj = fixed;
    obj["text"] = QString(450, 'x');
    QTest::newRow("text cut to 450") << it << obj;

    it.text = QString(450, 'y');
    obj["text"] = QString(450, 'y');
    QTest::newRow("text of exactly 450") << it << obj;

    // 449 letters then emoji: the pair counts as one character and stays whole.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x8C\x8A");
    it.text = QString(449, 'z') + emoji + emoji + "tail";
    obj["text"] = QString(449, 'z') + emoji;
    QTest::newRow("surrogate pair at the cut") << it << obj;

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

void TestPrompt::describeIsOneCompactLine() {
    ScannedItem it = item(QDir::homePath() + "/Desktop/a\nb.txt");
    it.text = "x\ny";
    const QString line = Prompt::describe(it);
    QVERIFY(!line.contains('\n'));
    QVERIFY(!line.contains(": "));
    QVERIFY(line.startsWith('{'));
    QVERIFY(line.endsWith('}'));
    QVERIFY(line.contains(R"("path":"~/Desktop/a\nb.txt")"));
}

void TestPrompt::parse_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("expected");

    const QString full =
        R"([{"id": 12, "category": "project:Pellmark", "sub": "Images", "confidence": "high", )"
        R"("new_name": "Pellmark - dragon card", "project_hint": "Kova", "reason": "logo"}])";
    const QStringList fullDecision = {R"(12 "project:Pellmark" sub="Images" conf="high" )"
                                      R"(new="Pellmark - dragon card" reason="logo" hint="Kova")"};
    auto one = [](const QString& category, const QString& conf = "low",
                  const QString& reason = "") {
        return QStringList{QStringLiteral("1 \"%1\" sub=none conf=\"%2\" new=none "
                                          "reason=\"%3\" hint=none")
                               .arg(category, conf, reason)};
    };

    QTest::newRow("bare array") << full << fullDecision;
    QTest::newRow("code fence and prose")
        << "Sure! Here you go:\n```json\n" + full + "\n```\nLet me know if { anything."
        << fullDecision;
    QTest::newRow("array inside an object")
        << R"({"items": [{"id": 1, "category": "junk"}]})" << one("junk");
    QTest::newRow("empty array") << "[]" << QStringList();
    QTest::newRow("empty reply") << "" << QStringList();
    QTest::newRow("prose only") << "I could not look at these files." << QStringList();
    QTest::newRow("only an opening bracket")
        << R"([{"id": 1, "category": "junk"})" << QStringList();
    QTest::newRow("closing before opening") << "] nothing here [" << QStringList();
    QTest::newRow("truncated mid object")
        << R"([{"id": 1, "category": "junk"}, {"id": 2, "category": "cre)" << QStringList();
    QTest::newRow("truncated after a bracket in a string")
        << R"([{"id": 1, "category": "junk", "reason": "see [1]"}, {"id": 2)" << QStringList();
    QTest::newRow("two arrays")
        << R"([{"id": 1, "category": "junk"}] and [{"id": 2, "category": "junk"}])"
        << QStringList();
    QTest::newRow("bracket in prose after")
        << R"([{"id": 1, "category": "junk"}] (see note [2]))" << QStringList();
    QTest::newRow("array of numbers") << "[1, 2, 3]" << QStringList();
    QTest::newRow("one element not an object")
        << R"([{"id": 1, "category": "junk"}, null])" << QStringList();
    QTest::newRow("nested array element")
        << R"([[{"id": 1, "category": "junk"}]])" << QStringList();
    QTest::newRow("NaN is not JSON") << R"([{"id": NaN, "category": "junk"}])" << QStringList();
    QTest::newRow("number overflow is not JSON")
        << R"([{"id": 1e999, "category": "junk"}])" << QStringList();
    QTest::newRow("trailing comma") << R"([{"id": 1, "category": "junk"},])" << QStringList();

    QTest::newRow("empty object skipped")
        << R"([{}, {"id": 1, "category": "junk"}])" << one("junk");
    QTest::newRow("id missing") << R"([{"category": "junk"}])" << QStringList();
    QTest::newRow("id as string") << R"([{"id": "12", "category": "junk"}])" << QStringList();
    QTest::newRow("id null") << R"([{"id": null, "category": "junk"}])" << QStringList();
    QTest::newRow("id true") << R"([{"id": true, "category": "junk"}])" << QStringList();
    QTest::newRow("id array") << R"([{"id": [1], "category": "junk"}])" << QStringList();
    QTest::newRow("category missing") << R"([{"id": 1}])" << QStringList();
    QTest::newRow("category number") << R"([{"id": 1, "category": 3}])" << QStringList();
    QTest::newRow("category null") << R"([{"id": 1, "category": null}])" << QStringList();
    QTest::newRow("category object")
        << R"([{"id": 1, "category": {"name": "junk"}}])" << QStringList();
    QTest::newRow("bad object does not stop the rest")
        << R"([{"id": "x", "category": "junk"}, {"id": 1, "category": "junk"}])" << one("junk");

    QTest::newRow("fraction keeps integer part")
        << R"([{"id": 12.9, "category": "junk"}])"
        << QStringList{R"(12 "junk" sub=none conf="low" new=none reason="" hint=none)"};
    QTest::newRow("negative fraction toward zero")
        << R"([{"id": -3.7, "category": "junk"}])"
        << QStringList{R"(-3 "junk" sub=none conf="low" new=none reason="" hint=none)"};
    QTest::newRow("exponent id") << R"([{"id": 1e0, "category": "junk"}])" << one("junk");
    QTest::newRow("id above 2^53 stays exact")
        << R"([{"id": 9007199254740993, "category": "junk"}])"
        << QStringList{
               R"(9007199254740993 "junk" sub=none conf="low" new=none reason="" hint=none)"};
    QTest::newRow("largest qint64")
        << R"([{"id": 9223372036854775807, "category": "junk"}])"
        << QStringList{
               R"(9223372036854775807 "junk" sub=none conf="low" new=none reason="" hint=none)"};
    QTest::newRow("id beyond qint64 skipped")
        << R"([{"id": 9223372036854775808, "category": "junk"}, {"id": 1e300, "category": "x"},)"
           R"( {"id": -1e300, "category": "x"}, {"id": 1, "category": "junk"}])"
        << one("junk");

    QTest::newRow("category trimmed of spaces and tabs")
        << "[{\"id\": 1, \"category\": \" \\t creator\\t \"}]" << one("creator");
    QTest::newRow("line breaks are not trimmed")
        << R"([{"id": 1, "category": "\ncreator "}])" << one("\ncreator");
    QTest::newRow("blank category kept empty") << R"([{"id": 1, "category": "  "}])" << one("");
    QTest::newRow("confidence null is low")
        << R"([{"id": 1, "category": "junk", "confidence": null}])" << one("junk");
    QTest::newRow("confidence number is low")
        << R"([{"id": 1, "category": "junk", "confidence": 0.9}])" << one("junk");
    QTest::newRow("confidence any case, trimmed")
        << R"([{"id": 1, "category": "junk", "confidence": " High\t"}, )"
           R"({"id": 2, "category": "junk", "confidence": "MEDIUM"}])"
        << one("junk", "high") +
               QStringList{R"(2 "junk" sub=none conf="medium" new=none reason="" hint=none)"};
    QTest::newRow("unknown confidence is low")
        << R"([{"id": 1, "category": "junk", "confidence": "Very High"}])" << one("junk");
    QTest::newRow("reason of wrong type is empty")
        << R"([{"id": 1, "category": "junk", "reason": ["a"]}])" << one("junk");
    QTest::newRow("optional texts of wrong type are none")
        << R"([{"id": 1, "category": "junk", "sub": 4, "new_name": false, "project_hint": {}}])"
        << one("junk");
    QTest::newRow("empty optional texts are kept")
        << R"([{"id": 1, "category": "junk", "sub": "", "new_name": "", "project_hint": ""}])"
        << QStringList{R"(1 "junk" sub="" conf="low" new="" reason="" hint="")"};
    QTest::newRow("unknown keys ignored")
        << R"([{"id": 1, "category": "junk", "extra": [[[]]], "confidence": "high"}])"
        << one("junk", "high");
    QTest::newRow("later duplicate replaces earlier")
        << R"([{"id": 1, "category": "creator", "reason": "first"},)"
           R"( {"id": 1, "category": "junk", "reason": "second"}])"
        << one("junk", "low", "second");
    QTest::newRow("duplicate after truncation to integer")
        << R"([{"id": 1, "category": "creator"}, {"id": 1.5, "category": "junk"}])" << one("junk");
    QTest::newRow("ids the request never had stay")
        << R"([{"id": 0, "category": "a"}, {"id": -5, "category": "b"}, {"id": 99, "category": "c"}])"
        << QStringList{R"(-5 "b" sub=none conf="low" new=none reason="" hint=none)",
                       R"(0 "a" sub=none conf="low" new=none reason="" hint=none)",
                       R"(99 "c" sub=none conf="low" new=none reason="" hint=none)"};
    QTest::newRow("non-ASCII text")
        << QString::fromUtf8(R"([{"id": 1, "category": "project:Café ✨", "reason": "\u00e9"}])")
        << QStringList{QString::fromUtf8(
               R"(1 "project:Café ✨" sub=none conf="low" new=none reason="é" hint=none)")};
    QTest::newRow("lone surrogate escape")
        << R"([{"id": 1, "category": "junk", "reason": "\ud800"}])"
        << one("junk", "low", QString(QChar(0xD800)));
}

void TestPrompt::parse() {
    QFETCH(QString, reply);
    QFETCH(QStringList, expected);
    QCOMPARE(render(Prompt::parse(reply)), expected);
}

void TestPrompt::parseHugeReplies_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("count");
    QTest::addColumn<qsizetype>("reasonSize");

    const QString big(10 * 1024 * 1024, 'r');
    QTest::newRow("10 MB reason, cut")
        << R"([{"id": 1, "category": "junk", "reason": ")" + big + R"("}])" << 1 << qsizetype(300);
    QTest::newRow("10 MB of prose around the array")
        << big + R"([{"id": 1, "category": "junk"}])" + big << 1 << qsizetype(0);
    QTest::newRow("deeply nested arrays")
        << QString(200'000, '[') + QString(200'000, ']') << 0 << qsizetype(0);
    QTest::newRow("deeply nested value in an object")
        << R"([{"id": 1, "category": "junk", "sub": )" + QString(100'000, '[') +
               QString(100'000, ']') + "}]"
        << 0 << qsizetype(0);
    QTest::newRow("unbalanced nesting") << QString(500'000, '[') + ']' << 0 << qsizetype(0);

    QString many = "[";
    for (int i = 0; i < 50'000; ++i)
        many += QStringLiteral(R"({"id": %1, "category": "junk"},)").arg(i % 1000);
    many += R"({"id": 1000, "category": "junk"}])";
    QTest::newRow("50,000 objects, 1,001 ids") << many << 1001 << qsizetype(0);
}

void TestPrompt::parseHugeReplies() {
    QFETCH(QString, reply);
    QFETCH(int, count);
    QFETCH(qsizetype, reasonSize);
    const QHash<qint64, Decision> decisions = Prompt::parse(reply);
    QCOMPARE(decisions.size(), count);
    if (count > 0) QCOMPARE(decisions.value(1).reason.size(), reasonSize);
}

QTEST_GUILESS_MAIN(TestPrompt)
#include "test_prompt.moc"
