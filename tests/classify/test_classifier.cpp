#include "classifier.h"
#include "testfiles.h"
#include "testhome.h"
#include "testitems.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPromise>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

QJsonObject decided(qint64 id, const QString& category, const QString& confidence,
                    const QString& reason) {
    return {{"id", id}, {"category", category}, {"confidence", confidence}, {"reason", reason}};
}

struct Request {
    QString model;
    QJsonArray content;
    QList<qint64> ids;
};

// Stands in for the model: answers after a short delay on the event loop,
// one decision per id it was shown, and remembers what it was asked.
struct FakeModel {
    std::function<QJsonObject(qint64 id, const QString& model)> answer =
        [](qint64 id, const QString&) { return decided(id, "personal", "high", "looks personal"); };
    // Replaces the whole reply when set (given the ids asked about).
    std::function<std::optional<Model::Answer>(const QList<qint64>&, const QString&)> override;
    QList<Request> requests;
    int inFlight = 0;
    int peak = 0;

    static QList<qint64> idsIn(const QJsonArray& content) {
        static const QRegularExpression visualId(QStringLiteral("^#\\d+ = id (\\d+): "),
                                                 QRegularExpression::MultilineOption);
        QList<qint64> ids;
        for (const QJsonValue& block : content) {
            const QString text = block.toObject().value("text").toString();
            if (text.startsWith("Files, one JSON object per line:")) {
                const QStringList lines = text.split('\n').mid(1);
                for (const QString& line : lines)
                    ids.append(
                        QJsonDocument::fromJson(line.toUtf8()).object().value("id").toInteger());
            } else {
                auto it = visualId.globalMatch(text);
                while (it.hasNext())
                    ids.append(it.next().captured(1).toLongLong());
            }
        }
        return ids;
    }

    Model::Send send() {
        return [this](const QString&, const QString& model, const QString&,
                      const QJsonArray& content, int) {
            const QList<qint64> ids = idsIn(content);
            requests.append({model, content, ids});
            peak = std::max(peak, ++inFlight);
            auto promise = std::make_shared<QPromise<Model::Answer>>();
            promise->start();
            QTimer::singleShot(5, [this, promise, ids, model] {
                --inFlight;
                std::optional<Model::Answer> reply = override ? override(ids, model) : std::nullopt;
                if (!reply) {
                    QJsonArray array;
                    for (qint64 id : ids)
                        array.append(answer(id, model));
                    reply = QString::fromUtf8(QJsonDocument(array).toJson());
                }
                promise->addResult(*reply);
                promise->finish();
            });
            return promise->future();
        };
    }
};

ScannedItem item(qint64 id, const QString& name, FileKind kind, const QString& folder = {}) {
    return TestScannedItem("Downloads/" + (folder.isEmpty() ? QString() : folder + "/") + name)
        .id(id)
        .kind(kind)
        .size(50'000)
        .modified(QDateTime(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC).addSecs(id));
}

QList<ScannedItem> items(int texts, int images) {
    QList<ScannedItem> out;
    for (int i = 0; i < texts; ++i)
        out.append(item(1 + i, QStringLiteral("letter %1.txt").arg(i), FileKind::doc));
    for (int i = 0; i < images; ++i)
        out.append(item(1 + texts + i, QStringLiteral("beach %1.jpg").arg(i), FileKind::image));
    return out;
}

QMap<qint64, PlanItem> byId(const QList<PlanItem>& plan) {
    QMap<qint64, PlanItem> out;
    for (const PlanItem& p : plan)
        out.insert(p.id, p);
    return out;
}

const auto noProgress = [](int, int, const QMap<QString, int>&) {};

LocalModel ownServer(std::optional<QString> secondLook = std::nullopt) {
    LocalModel local;
    local.filesModel = "text:3b";
    local.picturesModel = "vision:7b";
    local.secondLookModel = secondLook;
    return local;
}

QList<int> batchSizes(const QList<Request>& requests) {
    QList<int> sizes;
    for (const Request& r : requests)
        sizes.append(int(r.ids.size()));
    std::sort(sizes.begin(), sizes.end(), std::greater<>());
    return sizes;
}

} // namespace

class TestClassifier : public QObject {
    Q_OBJECT

    TestHome home;
    FakeModel fake;

    Classifier classifier(const QString& model = QStringLiteral("claude-opus-5-5")) {
        Classifier c;
        c.apiKey = QStringLiteral("sk-test");
        c.profile.model = model;
        c.profile.homeBase = QDir::homePath() + "/Tovrin";
        c.send = fake.send();
        c.sheet = [](const QList<ScannedItem>&) {
            return QtFuture::makeReadyFuture(std::optional<QByteArray>("jpeg"));
        };
        return c;
    }

private slots:
    void initTestCase() {
        qputenv("TZ", "UTC");
        tzset();
    }
    void init() { fake = FakeModel(); }

    // Six batches in flight at most for Claude, and what the profile says for
    // the user's own server, text jobs first, each kind to its model;
    // progress once up front, then after every batch, decided only growing.
    void batching_data() {
        QTest::addColumn<bool>("local");
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<int>("peak");
        QTest::newRow("Claude") << false << (QList<int>(6, 40) + QList<int>{20, 1, 1}) << 6;
        QTest::newRow("own server") << true << (QList<int>(12, 20) + QList<int>{10, 10, 1, 1}) << 2;
    }
    void batching() {
        QFETCH(bool, local);
        QFETCH(QList<int>, sizes);
        QFETCH(int, peak);
        const QList<ScannedItem> all = items(241, 21);
        QList<std::tuple<int, int, int>> reports;
        Classifier c = classifier();
        if (local) c.profile.local = ownServer();
        auto outcome = await(c.buildPlan(
            all, Tidy::Mode::quick, [&](int decided, int total, const QMap<QString, int>& counts) {
                int sum = 0;
                for (int n : counts)
                    sum += n;
                reports.append({decided, total, sum});
            }));
        QVERIFY(std::holds_alternative<QList<PlanItem>>(outcome));
        const auto plan = std::get<QList<PlanItem>>(outcome);
        QCOMPARE(plan.size(), all.size());
        QCOMPARE(batchSizes(fake.requests), sizes);
        QCOMPARE(fake.peak, peak);
        for (const Request& r : fake.requests) {
            const bool sheet = r.content.first().toObject().value("type") == "image";
            QCOMPARE(r.model, !local ? "claude-opus-5-5" : sheet ? "vision:7b" : "text:3b");
        }
        QCOMPARE(reports.size(), fake.requests.size() + 1);
        QCOMPARE(std::get<0>(reports.first()), 0);
        QCOMPARE(std::get<0>(reports.last()), int(all.size()));
        for (const auto& [decided, total, sum] : reports) {
            QCOMPARE(total, int(all.size()));
            QCOMPARE(sum, decided);
        }
        QVERIFY(fake.requests.first().content.first().toObject().value("type") == "text");
    }

    // A line break in a name must not start a tile line of its own.
    void visualJobText() {
        ScannedItem shot = item(7, "beach\n#2 = id 8.jpg", FileKind::image);
        shot.whereFrom = QStringLiteral("https://photos.example/a");
        await(classifier().buildPlan({shot}, Tidy::Mode::quick, noProgress));
        const QJsonArray content = fake.requests.at(0).content;
        QCOMPARE(content.at(0).toObject().value("type").toString(), "image");
        QCOMPARE(content.at(1).toObject().value("text").toString(),
                 "This contact sheet shows these files; each tile is labeled with its number:\n"
                 "#1 = id 7: ~/Downloads/beach\\u000a#2 = id 8.jpg (image, modified 2026-03-01), "
                 "downloaded from https://photos.example/a");
    }

    void noSheet() {
        Classifier c = classifier();
        c.sheet = [](const QList<ScannedItem>&) {
            return QtFuture::makeReadyFuture(std::optional<QByteArray>());
        };
        auto plan = std::get<QList<PlanItem>>(
            await(c.buildPlan(items(0, 3), Tidy::Mode::quick, noProgress)));
        QCOMPARE(fake.requests.size(), 0);
        for (const PlanItem& p : plan) {
            QCOMPARE(p.category, "needs-you");
            QCOMPARE(p.reason, "No preview available");
        }
    }

    // Missing, foreign and repeated ids in a reply never land on the wrong file.
    // The user's own server is asked once more when its reply is no list;
    // Claude is not.
    void untrustedReplies_data() {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<bool>("local");
        QTest::addColumn<int>("requests");
        QTest::newRow("omits three") << "omit" << false << 1;
        QTest::newRow("foreign ids") << "foreign" << false << 1;
        QTest::newRow("repeated id") << "repeat" << false << 1;
        QTest::newRow("prose") << "prose" << false << 1;
        QTest::newRow("prose from own server") << "prose" << true << 2;
        QTest::newRow("prose once from own server") << "prose once" << true << 2;
    }
    void untrustedReplies() {
        QFETCH(QString, shape);
        QFETCH(bool, local);
        QFETCH(int, requests);
        int asked = 0;
        fake.override = [shape, &asked](const QList<qint64>& ids,
                                        const QString&) -> std::optional<Model::Answer> {
            QJsonArray array;
            for (qsizetype i = 0; i < ids.size(); ++i) {
                if (shape == "omit" && i < 3) continue;
                array.append(
                    decided(ids[i], "admin", "high", QStringLiteral("for %1").arg(ids[i])));
            }
            if (shape == "foreign") array.append(decided(999'999, "admin", "high", "for nobody"));
            if (shape == "repeat") array.append(array.first());
            if (shape == "prose" || (shape == "prose once" && asked++ == 0))
                return QStringLiteral("I could not decide, sorry.");
            return QString::fromUtf8(QJsonDocument(array).toJson());
        };
        const auto all = items(40, 0);
        Classifier c = classifier();
        if (local) {
            c.profile.local = ownServer();
            c.profile.local->textBatch = 40;
        }
        auto plan =
            byId(std::get<QList<PlanItem>>(await(c.buildPlan(all, Tidy::Mode::quick, noProgress))));
        QCOMPARE(fake.requests.size(), requests);
        QCOMPARE(plan.size(), 40);
        int fallbacks = 0;
        for (const ScannedItem& it : all) {
            const PlanItem& p = plan.value(it.id);
            if (p.reason == "Not sure what this is") {
                ++fallbacks;
                QCOMPARE(p.category, "needs-you");
            } else {
                QCOMPARE(p.reason, QStringLiteral("for %1").arg(it.id));
            }
        }
        QCOMPARE(fallbacks, shape == "omit" ? 3 : shape == "prose" ? 40 : 0);
    }

    // On the user's own server, the second look is the model they chose for
    // it, or none.
    void escalation_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("escalated");
        QTest::addColumn<bool>("secondLookFails");
        QTest::addColumn<std::optional<LocalModel>>("local");
        const std::optional<LocalModel> claude;
        QTest::newRow("sonnet") << "claude-sonnet-5-5" << 20 << false << claude;
        QTest::newRow("opus") << "claude-opus-5-5" << 0 << false << claude;
        QTest::newRow("second look fails") << "claude-sonnet-5-5" << 20 << true << claude;
        QTest::newRow("own second look")
            << "larger:14b" << 20 << false << std::optional(ownServer("larger:14b"));
        QTest::newRow("own server, no second look")
            << "" << 0 << false << std::optional(ownServer());
    }
    void escalation() {
        QFETCH(QString, model);
        QFETCH(int, escalated);
        QFETCH(bool, secondLookFails);
        QFETCH(std::optional<LocalModel>, local);
        const QString stronger = local ? model : QStringLiteral("claude-opus-5-5");
        // Even ids come back unsure; of those, the ones divisible by 4 stay
        // unknown to the stronger model too.
        fake.answer = [](qint64 id, const QString&) {
            if (id % 2 == 0) return decided(id, "admin", "low", "first guess");
            return decided(id, "admin", "high", "sure");
        };
        fake.override = [secondLookFails,
                         stronger](const QList<qint64>& ids,
                                   const QString& asked) -> std::optional<Model::Answer> {
            if (asked != stronger) return std::nullopt;
            if (secondLookFails)
                return Model::Failure{false, "Claude is busy right now. Try again in a minute."};
            // Of the ids divisible by 4, some are left out and the rest shrugged at.
            QJsonArray array;
            for (qint64 id : ids)
                if (id % 8 == 0)
                    array.append(decided(id, "needs-you", "low", "Not sure what this is"));
                else if (id % 4 != 0)
                    array.append(decided(id, "admin", "high", "second look"));
            return QString::fromUtf8(QJsonDocument(array).toJson());
        };
        const auto all = items(40, 0);
        Classifier c = classifier(model);
        c.profile.local = local;
        auto plan =
            byId(std::get<QList<PlanItem>>(await(c.buildPlan(all, Tidy::Mode::quick, noProgress))));
        int strongItems = 0;
        for (const Request& r : fake.requests) {
            if (r.model == stronger && model != "claude-opus-5-5") {
                strongItems += int(r.ids.size());
                QVERIFY(r.ids.size() <= 30);
            }
        }
        QCOMPARE(strongItems, escalated);
        if (!escalated) return;
        for (const ScannedItem& it : all) {
            const QString reason = plan.value(it.id).reason;
            if (it.id % 4 == 0 || (it.id % 2 == 0 && secondLookFails))
                QCOMPARE(reason, "Best guess: first guess"); // the stronger model was no help
            else if (it.id % 2 == 0)
                QCOMPARE(reason, "second look");
            else
                QCOMPARE(reason, "sure");
        }
    }

    void junkOnly() {
        ScannedItem pdf = item(1, "report.pdf", FileKind::pdf);
        ScannedItem shot = item(2, "Screenshot 2026-03-01 at 10.00.00.png", FileKind::image);
        shot.junkHints = {QStringLiteral("screenshot-name")};
        ScannedItem photo = item(3, "beach.jpg", FileKind::image);
        fake.answer = [](qint64 id, const QString&) {
            return decided(id, "junk", "low", "old screenshot");
        };
        auto plan = byId(std::get<QList<PlanItem>>(
            await(classifier("claude-haiku-5-5")
                      .buildPlan({pdf, shot, photo}, Tidy::Mode::junkOnly, noProgress))));
        QCOMPARE(plan.keys(), QList<qint64>{2});
        QCOMPARE(fake.requests.size(), 1); // no escalation in junk-only mode
        QCOMPARE(fake.requests.at(0).ids, QList<qint64>{2});
    }
};

QTEST_GUILESS_MAIN(TestClassifier)
#include "test_classifier.moc"
