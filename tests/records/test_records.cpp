#include "format.h"
#include "json.h"
#include "language.h"
#include "testitems.h"

#include <QtTest>

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
    profile.projects = {Project{QUuid::createUuid(), "Clients/Vantle", "vantle.example, vtl"}};
    profile.lastRun = QDateTime(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC);
    profile.local = LocalModel{};
    profile.local->filesModel = "text:3b";
    profile.local->picturesModel = "vision:7b";
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
const QStringList optionalKeys = {"lastRun", "newName", "suggestedProject", "local"};

QJsonValue jsonValue(const QByteArray& text) {
    return QJsonDocument::fromJson("[" + text + "]").array().first();
}

} // namespace

class TestRecords : public QObject {
    Q_OBJECT

private slots:
    // Counts, sizes, dollars and days as the user's locale writes them, and
    // the singular of a count in the user's language.
    void textsFollowLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("en") << "en_US" << QStringList{"25,000", "1.2 MB", "1 byte",
                                                      "<$0.01", "$1.50",  "Dec 8"};
        QTest::newRow("de") << "de_DE" << QStringList{"25.000",       "1,2 MB",      "1 Byte",
                                                      "<0,01\u00a0$", "1,50\u00a0$", "8. Dez."};
        QTest::newRow("fr") << "fr_FR" << QStringList{"25\u202f000",  "1,2 Mo",      "1 octet",
                                                      "<0,01\u00a0$", "1,50\u00a0$", "8 d\u00e9c."};
    }
    void textsFollowLocale() {
        QFETCH(QString, locale);
        QFETCH(QStringList, texts);
        Language::install(QLocale(locale));
        const QStringList shown{Format::count(25'000), Format::fileSize(1'200'000),
                                Format::fileSize(1),   Format::cost(0.004),
                                Format::cost(1.5),     Format::date(QDate(2026, 12, 8))};
        Language::install(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(shown, texts);
    }

    // The directly written plan reads back whole, and as the general encoder's document.
    void planRoundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes and backslashes") << "say \"hi\" \\ C:\\dir\\";
        QTest::newRow("control characters")
            << QString("a\nb\rc\td\be\ff") + QChar(1) + QChar(0x1f) + QChar(0);
        QTest::newRow("non-ASCII") << QString::fromUtf8("ünï 日本 😀 \u2028");
        QTest::newRow("lone surrogates") << QString("a") + QChar(0xd800) + "b" + QChar(0xdc00) +
                                                QString::fromUtf8("😀") + QChar(0xdbff);
    }
    void planRoundTrip() {
        QFETCH(QString, text);
        // File names come from the file system as valid UTF-8, never with lone surrogates.
        const QString path = "/home/u/" + QString::fromUtf8(text.toUtf8()) + ".png";
        PlanItem full = samplePlanItem(path);
        full.reason = text;
        full.newName = text;
        full.destFolder = text;
        full.id = std::numeric_limits<qint64>::max();
        PlanItem bare = samplePlanItem("/home/u/b.png");
        bare.newName.reset();
        bare.suggestedProject.reset();
        bare.category = text;
        const QList<PlanItem> plan{bare, full, bare};
        const QByteArray direct = Json::compactPlan(plan);
        const auto parsed = Json::parse(direct);
        QVERIFY2(parsed, direct.constData());
        QCOMPARE(*parsed, *Json::parse(Json::compact(Json::encodeList(plan))));
        const auto decoded = Json::decodeList<PlanItem>(*parsed);
        QCOMPARE(decoded, std::optional<QList<PlanItem>>(plan));
        QCOMPARE(decoded->at(1).src.toLocalFile(), path);
    }

    // A profile as an older Tovrin wrote it loads as it was and writes back
    // the same; the user's own server keeps its settings, with the sizes it
    // leaves out at their defaults and the ones out of reach brought back.
    void profileFromDisk_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<std::optional<LocalModel>>("local");
        const QByteArray before =
            R"({"onboarded":true,"projects":[],"renameFiles":true,"keepInstallers":false,)"
            R"("autoTidy":false,"homeBase":"/home/u/Documents","scanFolders":["Desktop"],)"
            R"("model":"claude-haiku-5-5","lastRun":"2026-03-01T09:00:00Z")";
        QTest::newRow("written before there was a choice")
            << before + "}" << std::optional<LocalModel>();
        LocalModel minimal;
        minimal.filesModel = "text:3b";
        minimal.picturesModel = "vision:7b";
        QTest::newRow("own server, sizes left out")
            << before + R"(,"local":{"address":"http://localhost:11434","filesModel":"text:3b",)"
                        R"("picturesModel":"vision:7b"}})"
            << std::optional(minimal);
        LocalModel bounded = minimal;
        bounded.address = "http://10.0.0.5:8080";
        bounded.trusted = true;
        bounded.secondLookModel = "larger:14b";
        bounded.inFlight = 1;
        bounded.textBatch = LocalModel::maxTextBatch;
        QTest::newRow("own server, sizes out of reach")
            << before + R"(,"local":{"address":"http://10.0.0.5:8080","filesModel":"text:3b",)"
                        R"("picturesModel":"vision:7b","secondLookModel":"larger:14b",)"
                        R"("trusted":true,"inFlight":0,"textBatch":5000}})"
            << std::optional(bounded);
    }
    void profileFromDisk() {
        QFETCH(QByteArray, file);
        QFETCH(std::optional<LocalModel>, local);
        const std::optional<Profile> profile = Json::decode<Profile>(*Json::parse(file));
        QVERIFY(profile);
        QCOMPARE(profile->local, local);
        QCOMPARE(profile->model, "claude-haiku-5-5");
        if (!local) QCOMPARE(QJsonDocument(Json::encode(*profile)), QJsonDocument::fromJson(file));
    }

    // Every required key, missing or of the wrong type, fails its record, and
    // one bad element the whole list; optional keys may be absent.
    void strictDecoding_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("value"); // empty: remove the key
        QTest::addColumn<bool>("ok");
        for (const QString& type : recordTypes) {
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
            }
        }
        const QList<std::pair<const char*, QByteArray>> badSources = {
            {"relative", "\"file:a.png\""},
            {"host", "\"file://nas/a.png\""},
            {"web", "\"https://x.example/a.png\""},
            {"bare path", "\"/home/u/a.png\""},
            {"bad escape", "\"file:///a%zz\""}};
        const QString planItem = QStringLiteral("PlanItem");
        for (const auto& [name, value] : badSources)
            QTest::addRow("%s src", name) << planItem << QString("src") << value << false;
        QTest::newRow("unknown kind")
            << planItem << QString("kind") << QByteArray("\"x\"") << false;
        QTest::newRow("fractional size")
            << planItem << QString("size") << QByteArray("1.5") << false;
        QTest::newRow("null uuid")
            << QString("Project") << QString("id")
            << QByteArray("\"00000000-0000-0000-0000-000000000000\"") << false;
    }
    void strictDecoding() {
        QFETCH(QString, type);
        QFETCH(QString, key);
        QFETCH(QByteArray, value);
        QFETCH(bool, ok);
        QJsonObject object = goodObject(type);
        if (value.isEmpty())
            object.remove(key);
        else
            object.insert(key, jsonValue(value));
        QCOMPARE(decodes(type, object), ok);
        const QJsonArray list{goodObject(type), object};
        if (type == "PlanItem") QCOMPARE(Json::decodeList<PlanItem>(list).has_value(), ok);
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "test_records.moc"
