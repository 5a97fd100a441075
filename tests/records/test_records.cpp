#include "json.h"
#include "kinds.h"
#include "testhome.h"
#include "testitems.h"

#include <QtTest>

#include <algorithm>

namespace {

PlanItem samplePlanItem(const QString& path) {
    return TestPlanItem(path, "Projects/Vantle/Images", "project:Vantle")
        .id(7)
        .reason("Matched Vantle in its name or folder")
        .newName("Vantle - card art.png")
        .kind(FileKind::image)
        .size(1234)
        .renameApproved(false)
        .suggestedProject("Brel");
}

Profile sampleProfile() {
    Profile profile;
    profile.onboarded = true;
    Project project;
    project.name = "Clients/Vantle";
    project.aliases = "vantle.example, vtl";
    profile.projects = {project, Project{QUuid::createUuid(), "Brel", ""}};
    profile.renameFiles = false;
    profile.keepInstallers = true;
    profile.autoTidy = true;
    profile.homeBase = "/home/u/Tidy";
    profile.scanFolders = {"Desktop", "Inbox"};
    profile.model = "claude-sonnet-5-5";
    profile.lastRun = QDateTime(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC);
    return profile;
}

// One well-formed object of each persisted record, as a file would hold it.
QJsonObject goodObject(const QString& type) {
    if (type == "Project") return Json::encode(sampleProfile().projects.first());
    if (type == "Profile") return Json::encode(sampleProfile());
    if (type == "PlanItem") return Json::encode(samplePlanItem("/home/u/Downloads/a.png"));
    if (type == "Lesson") return Json::encode(Lesson{"a.png", "meme", "Library/Memes"});
    return Json::encode(
        MoveRecord{"/a", "/b", QDateTime(QDate(2026, 3, 1), QTime(9, 15, 2), Qt::UTC)});
}

bool decodes(const QString& type, const QJsonValue& value) {
    if (type == "Project") return Json::decode<Project>(value).has_value();
    if (type == "Profile") return Json::decode<Profile>(value).has_value();
    if (type == "PlanItem") return Json::decode<PlanItem>(value).has_value();
    if (type == "Lesson") return Json::decode<Lesson>(value).has_value();
    return Json::decode<MoveRecord>(value).has_value();
}

const QStringList recordTypes = {"Project", "Profile", "PlanItem", "Lesson", "MoveRecord"};
const QStringList optionalKeys = {"lastRun", "newName", "suggestedProject"};

QJsonValue jsonValue(const QByteArray& text) {
    return QJsonDocument::fromJson("[" + text + "]").array().first();
}

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

std::optional<QDateTime> dateOf(const QByteArray& text) {
    const QJsonObject object = goodObject("MoveRecord");
    QJsonObject changed = object;
    changed.insert("at", jsonValue(text));
    const std::optional<MoveRecord> record = Json::decode<MoveRecord>(changed);
    if (!record) return std::nullopt;
    return record->at;
}

} // namespace

class TestRecords : public QObject {
    Q_OBJECT

private slots:
    void fileKindStrings() {
        const QStringList raw = {"pdf",     "image",  "video",   "audio",     "design", "doc",
                                 "sheet",   "slides", "archive", "installer", "code",   "font",
                                 "partial", "bundle", "project", "folder",    "other"};
        for (int i = 0; i < raw.size(); ++i) {
            const auto kind = static_cast<FileKind>(i);
            QCOMPARE(toString(kind), raw[i]);
            QVERIFY(fileKindFromString(raw[i]) == std::optional<FileKind>(kind));
        }
        for (const char* bad : {"PDF", "", "pictures", " pdf", "folder "})
            QVERIFY(!fileKindFromString(bad));
    }

    void keysAreFieldNames_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("Project") << "Project" << QStringList{"aliases", "id", "name"};
        QTest::newRow("Profile") << "Profile"
                                 << QStringList{"autoTidy", "homeBase",    "keepInstallers",
                                                "lastRun",  "model",       "onboarded",
                                                "projects", "renameFiles", "scanFolders"};
        QTest::newRow("PlanItem") << "PlanItem"
                                  << QStringList{"approved",   "category", "confidence",
                                                 "destFolder", "id",       "kind",
                                                 "newName",    "reason",   "renameApproved",
                                                 "size",       "src",      "suggestedProject"};
        QTest::newRow("Lesson") << "Lesson" << QStringList{"dest", "name", "what"};
        QTest::newRow("MoveRecord") << "MoveRecord" << QStringList{"at", "from", "to"};
    }
    void keysAreFieldNames() {
        QFETCH(QString, type);
        QFETCH(QStringList, keys);
        QCOMPARE(sorted(goodObject(type).keys()), keys);
    }

    void planItemRoundTrip_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("src");
        QTest::addColumn<bool>("optionals");
        QTest::newRow("plain") << "/home/u/Downloads/a.png"
                               << "file:///home/u/Downloads/a.png" << true;
        QTest::newRow("no optionals") << "/home/u/Downloads/a.png"
                                      << "file:///home/u/Downloads/a.png" << false;
        QTest::newRow("space") << "/home/u/My Files/a b.png"
                               << "file:///home/u/My%20Files/a%20b.png" << true;
        QTest::newRow("hash") << "/home/u/#1.png"
                              << "file:///home/u/%231.png" << true;
        QTest::newRow("percent") << "/home/u/100%.png"
                                 << "file:///home/u/100%25.png" << false;
        QTest::newRow("question mark") << "/home/u/why?.png"
                                       << "file:///home/u/why%3F.png" << true;
        QTest::newRow("non-ASCII") << QString::fromUtf8("/home/u/ünï/日本.png")
                                   << "file:///home/u/%C3%BCn%C3%AF/%E6%97%A5%E6%9C%AC.png" << true;
        QTest::newRow("emoji and escapes")
            << QString::fromUtf8("/home/u/😀 %20 ;,&=+$.png")
            << "file:///home/u/%F0%9F%98%80%20%2520%20;,&=+$.png" << false;
    }
    void planItemRoundTrip() {
        QFETCH(QString, path);
        QFETCH(QString, src);
        QFETCH(bool, optionals);
        PlanItem item = samplePlanItem(path);
        if (!optionals) {
            item.newName.reset();
            item.suggestedProject.reset();
        }
        const QJsonObject json = Json::encode(item);
        QCOMPARE(json.value("src").toString(), src);
        QCOMPARE(json.contains("newName"), optionals);
        QCOMPARE(json.contains("suggestedProject"), optionals);
        const auto reread = Json::parse(Json::compact(json));
        QVERIFY(reread);
        const std::optional<PlanItem> decoded = Json::decode<PlanItem>(*reread);
        QVERIFY(decoded);
        QCOMPARE(*decoded, item);
        QCOMPARE(decoded->src.toLocalFile(), path);
    }

    // The directly written plan reads back as the general encoder's document.
    void compactPlan_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "Card art";
        QTest::newRow("quotes and backslashes") << "say \"hi\" \\ C:\\dir\\";
        QTest::newRow("control characters")
            << QString("a\nb\rc\td\be\ff") + QChar(1) + QChar(0x1f) + QChar(0);
        QTest::newRow("non-ASCII") << QString::fromUtf8("ünï 日本 😀 \u2028");
        QTest::newRow("slashes and markup") << "</script> & <b> / \x7f";
        QTest::newRow("empty") << "";
        QTest::newRow("lone surrogates") << QString("a") + QChar(0xd800) + "b" + QChar(0xdc00) +
                                                QString::fromUtf8("😀") + QChar(0xdbff);
    }
    void compactPlan() {
        QFETCH(QString, text);
        // File names come from the file system as valid UTF-8, never with lone surrogates.
        PlanItem full = samplePlanItem("/home/u/" + QString::fromUtf8(text.toUtf8()) + ".png");
        full.reason = text;
        full.newName = text;
        full.destFolder = text;
        full.id = std::numeric_limits<qint64>::max();
        full.size = -1;
        PlanItem bare = samplePlanItem("/home/u/b.png");
        bare.newName.reset();
        bare.suggestedProject.reset();
        bare.category = text;
        for (const QList<PlanItem>& plan :
             {QList<PlanItem>{}, QList<PlanItem>{full}, QList<PlanItem>{bare, full, bare}}) {
            const QByteArray direct = Json::compactPlan(plan);
            const auto parsed = Json::parse(direct);
            QVERIFY2(parsed, direct.constData());
            QCOMPARE(*parsed, *Json::parse(Json::compact(Json::encodeList(plan))));
            QCOMPARE(Json::decodeList<PlanItem>(*parsed), std::optional<QList<PlanItem>>(plan));
            QVERIFY(!direct.contains('\n'));
        }
    }

    void otherRoundTrips() {
        for (const Profile& profile : {Profile(), sampleProfile()}) {
            const auto decoded =
                Json::decode<Profile>(*Json::parse(Json::pretty(Json::encode(profile))));
            QVERIFY(decoded);
            QCOMPARE(*decoded, profile);
        }
        QVERIFY(!Json::encode(Profile()).contains("lastRun"));
        QCOMPARE(Json::encode(sampleProfile()).value("lastRun").toString(), "2026-03-01T09:00:00Z");

        const Project project = sampleProfile().projects.first();
        const QString id = Json::encode(project).value("id").toString();
        QCOMPARE(id, project.id.toString(QUuid::WithoutBraces).toUpper());
        QCOMPARE(Json::decode<Project>(Json::encode(project)), std::optional<Project>(project));

        const QList<Lesson> lessons = {{"a.png", "meme", "Library/Memes"},
                                       {QString::fromUtf8("ß \"q\".pdf"), "", ""}};
        QCOMPARE(Json::decodeList<Lesson>(*Json::parse(Json::compact(Json::encodeList(lessons)))),
                 std::optional<QList<Lesson>>(lessons));

        const QList<MoveRecord> moves = {
            {"/a b", "/c#d", QDateTime(QDate(2026, 3, 1), QTime(9, 15, 2), Qt::UTC)},
            {"/e", "/f", QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59), Qt::UTC)}};
        QCOMPARE(Json::decodeList<MoveRecord>(*Json::parse(Json::pretty(Json::encodeList(moves)))),
                 std::optional<QList<MoveRecord>>(moves));
        QCOMPARE(Json::decodeList<MoveRecord>(QJsonArray()),
                 std::optional<QList<MoveRecord>>(QList<MoveRecord>{}));
    }

    // Every required key, missing or of the wrong type, fails its record;
    // optional keys may be absent.
    void strictDecoding_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("value"); // empty: remove the key
        QTest::addColumn<bool>("ok");
        for (const QString& type : recordTypes) {
            QTest::addRow("%s as written", qPrintable(type))
                << type << QString() << QByteArray() << true;
            const QJsonObject good = goodObject(type);
            for (const QString& key : good.keys()) {
                const bool optional = optionalKeys.contains(key);
                QTest::addRow("%s without %s", qPrintable(type), qPrintable(key))
                    << type << key << QByteArray() << optional;
                const QJsonValue v = good.value(key);
                const QByteArray wrong = v.isString()  ? "17"
                                         : v.isBool()  ? "\"true\""
                                         : v.isArray() ? "{}"
                                                       : "\"7\"";
                QTest::addRow("%s with wrong %s", qPrintable(type), qPrintable(key))
                    << type << key << wrong << false;
                QTest::addRow("%s with null %s", qPrintable(type), qPrintable(key))
                    << type << key << QByteArray("null") << optional;
            }
        }
        QTest::newRow("unknown kind") << "PlanItem"
                                      << "kind" << QByteArray("\"pictures\"") << false;
        QTest::newRow("upper-case kind") << "PlanItem"
                                         << "kind" << QByteArray("\"IMAGE\"") << false;
        QTest::newRow("every kind word") << "PlanItem"
                                         << "kind" << QByteArray("\"bundle\"") << true;
        QTest::newRow("fractional size") << "PlanItem"
                                         << "size" << QByteArray("1.5") << false;
        QTest::newRow("huge size") << "PlanItem"
                                   << "size" << QByteArray("1e30") << false;
        QTest::newRow("negative id") << "PlanItem"
                                     << "id" << QByteArray("-3") << true;
        QTest::newRow("largest size") << "PlanItem"
                                      << "size" << QByteArray("9007199254740992") << true;
        QTest::newRow("relative src") << "PlanItem"
                                      << "src" << QByteArray("\"file:a.png\"") << false;
        QTest::newRow("src with host") << "PlanItem"
                                       << "src" << QByteArray("\"file://nas/a.png\"") << false;
        QTest::newRow("src with fragment") << "PlanItem"
                                           << "src" << QByteArray("\"file:///a#b.png\"") << false;
        QTest::newRow("src with query") << "PlanItem"
                                        << "src" << QByteArray("\"file:///a?b.png\"") << false;
        QTest::newRow("web src") << "PlanItem"
                                 << "src" << QByteArray("\"https://x.example/a.png\"") << false;
        QTest::newRow("bare path src") << "PlanItem"
                                       << "src" << QByteArray("\"/home/u/a.png\"") << false;
        QTest::newRow("empty src") << "PlanItem"
                                   << "src" << QByteArray("\"\"") << false;
        QTest::newRow("bad escape src") << "PlanItem"
                                        << "src" << QByteArray("\"file:///a%zz\"") << false;
        QTest::newRow("lone surrogate src") << "PlanItem"
                                            << "src" << QByteArray("\"file:///a\\ud800\"") << false;
        QTest::newRow("not a uuid") << "Project"
                                    << "id" << QByteArray("\"project-1\"") << false;
        QTest::newRow("lower-case uuid")
            << "Project"
            << "id" << QByteArray("\"3f2504e0-4f89-41d3-9a0c-0305e82c3301\"") << true;
        QTest::newRow("null uuid")
            << "Project"
            << "id" << QByteArray("\"00000000-0000-0000-0000-000000000000\"") << false;
        QTest::newRow("bad project inside") << "Profile"
                                            << "projects" << QByteArray("[{\"name\":3}]") << false;
        QTest::newRow("no projects") << "Profile"
                                     << "projects" << QByteArray("[]") << true;
        QTest::newRow("folder not a string")
            << "Profile"
            << "scanFolders" << QByteArray("[\"Desktop\",1]") << false;
        QTest::newRow("no folders") << "Profile"
                                    << "scanFolders" << QByteArray("[]") << true;
        QTest::newRow("bad lastRun") << "Profile"
                                     << "lastRun" << QByteArray("\"yesterday\"") << false;
        QTest::newRow("numeric bool") << "Profile"
                                      << "onboarded" << QByteArray("1") << false;
    }
    void strictDecoding() {
        QFETCH(QString, type);
        QFETCH(QString, key);
        QFETCH(QByteArray, value);
        QFETCH(bool, ok);
        QJsonObject object = goodObject(type);
        if (value.isEmpty())
            object.remove(key);
        else if (!key.isEmpty())
            object.insert(key, jsonValue(value));
        QCOMPARE(decodes(type, object), ok);
        // One bad element spoils the whole list, as a file is read whole.
        const QJsonArray list{goodObject(type), object};
        if (type != "Profile") {
            bool listOk = false;
            if (type == "Project") listOk = Json::decodeList<Project>(list).has_value();
            if (type == "PlanItem") listOk = Json::decodeList<PlanItem>(list).has_value();
            if (type == "Lesson") listOk = Json::decodeList<Lesson>(list).has_value();
            if (type == "MoveRecord") listOk = Json::decodeList<MoveRecord>(list).has_value();
            QCOMPARE(listOk, ok);
        }
    }

    void notObjects_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("array") << QByteArray("[]");
        QTest::newRow("string") << QByteArray("\"x\"");
        QTest::newRow("number") << QByteArray("3");
        QTest::newRow("null") << QByteArray("null");
        QTest::newRow("empty object") << QByteArray("{}");
    }
    void notObjects() {
        QFETCH(QByteArray, json);
        for (const QString& type : recordTypes)
            QVERIFY2(!decodes(type, jsonValue(json)), qPrintable(type));
        QVERIFY(!Json::decodeList<Lesson>(jsonValue(json)) || json == "[]");
    }

    void dates_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("utc"); // empty: does not decode
        QTest::newRow("Z") << QByteArray("\"2026-03-01T09:00:00Z\"") << "2026-03-01T09:00:00Z";
        QTest::newRow("offset") << QByteArray("\"2026-03-01T10:30:00+01:30\"")
                                << "2026-03-01T09:00:00Z";
        QTest::newRow("fraction dropped")
            << QByteArray("\"2026-03-01T09:00:00.750Z\"") << "2026-03-01T09:00:00Z";
        QTest::newRow("across midnight")
            << QByteArray("\"2026-03-01T01:00:00+02:00\"") << "2026-02-28T23:00:00Z";
        QTest::newRow("no zone") << QByteArray("\"2026-03-01T09:00:00\"") << QString();
        QTest::newRow("date only") << QByteArray("\"2026-03-01\"") << QString();
        QTest::newRow("words") << QByteArray("\"soon\"") << QString();
        QTest::newRow("empty") << QByteArray("\"\"") << QString();
        QTest::newRow("seconds number") << QByteArray("1772355600") << QString();
        QTest::newRow("month 13") << QByteArray("\"2026-13-01T09:00:00Z\"") << QString();
        QTest::newRow("before year 1") << QByteArray("\"0001-01-01T00:00:00+01:00\"") << QString();
    }
    void dates() {
        QFETCH(QByteArray, text);
        QFETCH(QString, utc);
        const std::optional<QDateTime> date = dateOf(text);
        QCOMPARE(date.has_value(), !utc.isEmpty());
        if (date) {
            QCOMPARE(Json::isoDate(*date), utc);
            QCOMPARE(dateOf('"' + utc.toUtf8() + '"'), date);
        }
    }

    void datesWrittenInUtc() {
        const QDateTime local(QDate(2026, 7, 1), QTime(12, 0, 0, 999), QTimeZone(7200));
        QCOMPARE(Json::isoDate(local), "2026-07-01T10:00:00Z");
        QCOMPARE(Json::isoDate(distantPast()), "0001-01-01T00:00:00Z");
    }

    void projectNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("aliases");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("terms");
        QTest::newRow("plain") << "Vantle"
                               << ""
                               << "Vantle"
                               << "Vantle" << QStringList{"vantle"};
        QTest::newRow("trailing space")
            << "Agency/ Client"
            << ""
            << "Client"
            << "Agency/Client" << QStringList{"agency/ client", "client"};
        QTest::newRow("just a slash") << "/"
                                      << ""
                                      << "/"
                                      << "" << QStringList{};
        QTest::newRow("colon") << "Acme: Web/ Site"
                               << ""
                               << "Site"
                               << "Acme- Web/Site" << QStringList{"acme: web/ site", "site"};
        QTest::newRow("short and empty aliases") << "Ox"
                                                 << "ox, OxCart ,,"
                                                 << "Ox"
                                                 << "Ox" << QStringList{"oxcart"};
        QTest::newRow("aliases trimmed of tabs")
            << "Pellmark"
            << "\tPM Studio\t, pellmark, owl"
            << "Pellmark"
            << "Pellmark" << QStringList{"pellmark", "pm studio", "owl"};
        QTest::newRow("trailing slash")
            << "Studio/Vantle/"
            << ""
            << "Vantle"
            << "Studio/Vantle" << QStringList{"studio/vantle/", "vantle"};
        QTest::newRow("line breaks") << "Brel\n/Cards\n"
                                     << ""
                                     << "Cards\n"
                                     << "Brel/Cards" << QStringList{"brel\n/cards\n", "cards\n"};
        QTest::newRow("short once trimmed") << "Ab "
                                            << "\tox\t, ab "
                                            << "Ab"
                                            << "Ab" << QStringList{};
        QTest::newRow("blank") << "   "
                               << ""
                               << ""
                               << "" << QStringList{};
        QTest::newRow("dot parts")
            << "../Studio/./Vantle"
            << ""
            << "Vantle"
            << "Studio/Vantle" << QStringList{"../studio/./vantle", "vantle"};
        QTest::newRow("characters, not code units")
            << "Orbit" << QString::fromUtf8("o\xF0\x9F\x98\x80, e\u0301x, cafe\u0301") << "Orbit"
            << "Orbit" << QStringList{"orbit", "cafe\u0301"};
        QTest::newRow("non-ASCII case")
            << QString::fromUtf8("ÉCOLE") << "" << QString::fromUtf8("ÉCOLE")
            << QString::fromUtf8("ÉCOLE") << QStringList{QString::fromUtf8("école")};
    }
    void projectNames() {
        QFETCH(QString, name);
        QFETCH(QString, aliases);
        QFETCH(QString, display);
        QFETCH(QString, folder);
        QFETCH(QStringList, terms);
        const Project project{QUuid::createUuid(), name, aliases};
        QCOMPARE(project.displayName(), display);
        QCOMPARE(project.folderPath(), folder);
        QCOMPARE(sorted(project.terms()), sorted(terms));
    }

    void groups_data() {
        QTest::addColumn<QString>("dest");
        QTest::addColumn<QString>("group");
        QTest::newRow("project") << "Projects/Pellmark/Images"
                                 << "Pellmark";
        QTest::newRow("projects alone") << "Projects"
                                        << "Projects";
        QTest::newRow("review") << "Tovrin Review/Duplicates - Review First"
                                << "Duplicates - Review First";
        QTest::newRow("review alone") << "Tovrin Review"
                                      << "Tovrin Review";
        QTest::newRow("library") << "Library/Fonts" << QString::fromUtf8("Library \u00B7 Fonts");
        QTest::newRow("library alone") << "Library"
                                       << "Library";
        QTest::newRow("personal") << "Personal/Finance & Receipts"
                                  << "Personal";
        QTest::newRow("empty") << ""
                               << "Other";
        QTest::newRow("slashes only") << "//"
                                      << "Other";
        QTest::newRow("empty parts") << "/Projects//Vantle/"
                                     << "Vantle";
        QTest::newRow("case matters") << "projects/Vantle"
                                      << "projects";
    }
    void groups() {
        QFETCH(QString, dest);
        QFETCH(QString, group);
        PlanItem item;
        item.destFolder = dest;
        QCOMPARE(item.group(), group);
    }

    void relPath_data() {
        QTest::addColumn<QString>("relative"); // to the home folder, or absolute
        QTest::addColumn<QString>("shown");
        QTest::newRow("inside") << "/Downloads/x.pdf"
                                << "~/Downloads/x.pdf";
        QTest::newRow("spaces") << "/Downloads/a b.txt"
                                << "~/Downloads/a b.txt";
        QTest::newRow("home itself") << ""
                                     << "~";
        QTest::newRow("sibling with same prefix") << "2/x.pdf"
                                                  << "<home>2/x.pdf";
        QTest::newRow("outside") << "/Volumes/Disk/a.txt"
                                 << "/Volumes/Disk/a.txt";
    }
    void relPath() {
        QFETCH(QString, relative);
        QFETCH(QString, shown);
        TestHome home;
        const QString homePath = QDir::homePath();
        const QString path = relative.startsWith("/Volumes") ? relative : homePath + relative;
        ScannedItem item;
        item.url = QUrl::fromLocalFile(path);
        QCOMPARE(item.relPath(), QString(shown).replace("<home>", homePath));
    }

    void textHelpers() {
        QCOMPARE(trimSpacesTabs(" \t a b \t"), "a b");
        QCOMPARE(trimSpacesTabs("\na\n"), "\na\n");
        QCOMPARE(trimSpacesTabs(" \t "), "");
        const QString emoji = QString::fromUtf8("a😀b");
        QCOMPARE(leftChars(emoji, 2), QString::fromUtf8("a😀"));
        QCOMPARE(leftChars(emoji, 1), "a");
        QCOMPARE(leftChars(emoji, 10), emoji);
        QCOMPARE(leftChars("", 3), "");
    }

    void kindOf_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("isDir");
        QTest::addColumn<FileKind>("kind");
        QTest::newRow("upper-case pdf") << "/d/report.PDF" << false << FileKind::pdf;
        QTest::newRow("jpeg") << "/d/photo.jpeg" << false << FileKind::image;
        QTest::newRow("upper-case jpg") << "/d/IMG_1.JPG" << false << FileKind::image;
        QTest::newRow("no extension") << "/d/notes" << false << FileKind::other;
        QTest::newRow("m2ts") << "/d/movie.m2ts" << false << FileKind::video;
        QTest::newRow("crdownload") << "/d/file.crdownload" << false << FileKind::partial;
        QTest::newRow("part") << "/d/file.part" << false << FileKind::partial;
        QTest::newRow("download") << "/d/file.download" << false << FileKind::partial;
        QTest::newRow("tmp") << "/d/file.tmp" << false << FileKind::partial;
        QTest::newRow("last extension only") << "/d/archive.tar.gz" << false << FileKind::archive;
        QTest::newRow("pdf inside zip name") << "/d/report.pdf.zip" << false << FileKind::archive;
        QTest::newRow("ends with a dot") << "/d/name." << false << FileKind::other;
        QTest::newRow("hidden file") << "/d/.json" << false << FileKind::other;
        QTest::newRow("dot in folder only") << "/d.pdf/notes" << false << FileKind::other;
        QTest::newRow("unknown extension") << "/d/a.xyz" << false << FileKind::other;
        QTest::newRow("keynote bundle") << "/d/Keynote.key" << true << FileKind::slides;
        QTest::newRow("pages bundle") << "/d/Letter.pages" << true << FileKind::doc;
        QTest::newRow("rtfd bundle") << "/d/Notes.RTFD" << true << FileKind::doc;
        QTest::newRow("numbers bundle") << "/d/Budget.numbers" << true << FileKind::sheet;
        QTest::newRow("sketch bundle") << "/d/Logo.sketch" << true << FileKind::design;
        QTest::newRow("prproj bundle") << "/d/Cut.prproj" << true << FileKind::design;
        QTest::newRow("aep bundle") << "/d/Motion.aep" << true << FileKind::design;
        QTest::newRow("photo library") << "/d/Photos.photoslibrary" << true << FileKind::bundle;
        QTest::newRow("app") << "/d/Tool.app" << true << FileKind::bundle;
        QTest::newRow("app with slash") << "/d/Tool.app/" << true << FileKind::bundle;
        QTest::newRow("folder without extension") << "/d/web-app" << true << FileKind::project;
        QTest::newRow("package not a bundle")
            << "/d/archive.xcarchive" << true << FileKind::project;
        QTest::newRow("zip-named folder") << "/d/site.zip" << true << FileKind::project;
        QTest::newRow("app that is a file") << "/d/Bundle.app" << false << FileKind::other;
    }
    void kindOf() {
        QFETCH(QString, path);
        QFETCH(bool, isDir);
        QFETCH(FileKind, kind);
        QCOMPARE(toString(Kinds::kind(path, isDir)), toString(kind));
        QCOMPARE(toString(Kinds::kind(QUrl::fromLocalFile(path), isDir)), toString(kind));
    }

    void kindOfEncodedUrl() {
        QCOMPARE(toString(Kinds::kind(QUrl("file:///d/My%20Deck.KEY"), true)), "slides");
        QCOMPARE(toString(Kinds::kind(QUrl("file:///d/a%2Epdf"), false)), "pdf");
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "test_records.moc"
