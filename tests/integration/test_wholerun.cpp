// The whole application without its windows: a fake HOME full of real files,
// the real Claude client pointed at the local fake Messages server, and the
// state driven through a refresh, the review, apply and undo.
#include "appstate.h"
#include "contactsheet.h"
#include "fakeclaude.h"
#include "format.h"
#include "json.h"
#include "store.h"
#include "testfiles.h"
#include "testhome.h"
#include "usage.h"

#include <QDirIterator>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

namespace {

using TestFiles::read;
using TestFiles::snapshot;
using TestFiles::Tree;
using TestFiles::write;

void fillClutter(const TestHome& home) {
    const QString desktop = home.path("Desktop/");
    const QString downloads = home.path("Downloads/");
    for (int i = 0; i < 60; ++i)
        write(downloads + QStringLiteral("notes %1.txt").arg(i),
              "Meeting notes for the garden project, week " + QByteArray::number(i));
    write(desktop + "budget.csv", "month,amount\njan,120\nfeb,95\n");
    write(desktop + "budget copy.csv", "month,amount\njan,120\nfeb,95\n");
    write(downloads + "empty.txt", "");
    write(downloads + "film.mp4.crdownload", QByteArray(2048, 'v'));
    write(downloads + "tool-setup.deb", QByteArray(4096, 'd'));
    for (int i = 0; i < 25; ++i) {
        QImage image(320, 200, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 13 % 360, 180, 220));
        QPainter(&image).drawText(20, 100, QStringLiteral("Screen %1").arg(i));
        QVERIFY(image.save(
            desktop +
            QStringLiteral("Screenshot 2026-12-0%1 at 10.%2.png").arg(1 + i % 5).arg(10 + i)));
    }
    QPdfWriter pdf(downloads + "invoice 2291.pdf");
    QPainter painter(&pdf);
    painter.drawText(200, 400, QStringLiteral("Invoice 2291 for garden supplies"));
}

// The files each classification request describes, by path under home.
QSet<QString> describedFiles(const QList<FakeClaude::Request>& requests) {
    static const QRegularExpression tile(QStringLiteral("^#\\d+ = id \\d+: (.*) \\("));
    QSet<QString> paths;
    for (const FakeClaude::Request& request : requests) {
        const QJsonArray messages =
            QJsonDocument::fromJson(request.body).object().value("messages").toArray();
        for (const QJsonValue& block : messages.at(0).toObject().value("content").toArray()) {
            const QStringList lines = block.toObject().value("text").toString().split('\n');
            for (const QString& line : lines.mid(1)) {
                const QJsonObject file = QJsonDocument::fromJson(line.toUtf8()).object();
                if (file.contains("path")) paths.insert(file.value("path").toString());
                if (const auto match = tile.match(line); match.hasMatch())
                    paths.insert(match.captured(1));
            }
        }
    }
    return paths;
}

// Where the plan puts each file, by name.
QHash<QString, QString> destinations(const QList<PlanItem>& plan) {
    QHash<QString, QString> out;
    for (const PlanItem& item : plan)
        out.insert(item.src.fileName(), item.destFolder + item.newName.value_or(QString()));
    return out;
}

bool inside(const QString& path, const QString& folder) {
    return QDir::cleanPath(path).startsWith(QDir::cleanPath(folder) + QLatin1Char('/'));
}

} // namespace

class TestWholeRun : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<FakeClaude::Server> server;
    std::unique_ptr<Usage> usage;
    QStringList opened;

    std::unique_ptr<AppState> makeState() {
        AppServices s;
        // The real client; only its waits between busy retries are shortened.
        s.wait = [](int, std::function<void()> then) { QTimer::singleShot(1, then); };
        s.sheet = ContactSheet::make;
        s.usage = usage.get();
        s.settingsPath = home->path(QStringLiteral(".config/Tovrin/Tovrin.conf"));
        auto state = std::make_unique<AppState>(s);
        state->setOpenWindow([this](const QString& id) { opened.append(id); });
        return state;
    }

    QStringList scanRoots() const { return {home->path("Desktop"), home->path("Downloads")}; }

    static void settle(AppState& state) { QTRY_VERIFY_WITH_TIMEOUT(!state.isBusy(), 60'000); }

    // A plan for every file, each bound inside the home base, approved and applied.
    static void applyAll(AppState& state, qsizetype files) {
        QCOMPARE(state.phase(), Phase::review);
        QCOMPARE(state.plan().size(), files);
        const QString base = state.profile().homeBase;
        QList<qint64> ids;
        for (const PlanItem& item : state.plan()) {
            QVERIFY2(inside(base + QLatin1Char('/') + item.destFolder, base),
                     qPrintable(item.destFolder));
            ids.append(item.id);
        }
        state.setApproved(ids, true);
        state.apply(true);
        settle(state);
        QCOMPARE(state.phase(), Phase::done);
    }

private slots:
    void init() {
        home = std::make_unique<TestHome>();
        usage = std::make_unique<Usage>();
        opened.clear();
        server = std::make_unique<FakeClaude::Server>(FakeClaude::Options{});
        QVERIFY(server->listen());
        qputenv("ANTHROPIC_BASE_URL", server->url().toString().toUtf8());
        fillClutter(*home);
        TestHome::onboard();
        Store::saveKey(QStringLiteral("sk-test-key"));
    }
    void cleanup() {
        server.reset();
        // Lets the client's network thread see the closed connections and let
        // go of them; torn down mid-close at exit, Qt leaks its channels.
        QTest::qWait(200);
        home.reset();
        qunsetenv("ANTHROPIC_BASE_URL");
    }

    void refreshReviewApplyUndo() {
        const Tree before = snapshot(scanRoots());
        auto state = makeState();
        state->start(Tidy::Mode::quick);
        settle(*state);
        QCOMPARE(state->message(), std::nullopt);
        const QList<PlanItem> plan = state->plan();
        applyAll(*state, before.size());
        QVERIFY(opened.contains(QStringLiteral("recap")));
        const QString base = state->profile().homeBase;

        // Every move went where its plan item said, bytes intact; what did
        // not move is still where it was.
        const std::optional<QString> log = Store::latestLog();
        QVERIFY(log);
        const auto records = Json::decodeList<MoveRecord>(*Json::parse(read(*log)));
        QVERIFY(records);
        QHash<QString, PlanItem> bySource;
        for (const PlanItem& item : plan)
            bySource.insert(item.src.toLocalFile(), item);
        for (const MoveRecord& record : *records) {
            QVERIFY(bySource.contains(record.from));
            const PlanItem& item = bySource[record.from];
            QCOMPARE(QFileInfo(record.to).path(), QDir::cleanPath(base + '/' + item.destFolder));
            QCOMPARE(read(record.to), before[record.from]);
            QVERIFY(!QFile::exists(record.from));
            if (item.renameApproved && item.newName)
                QVERIFY(QFileInfo(record.to).fileName().startsWith(
                    QFileInfo(*item.newName).completeBaseName()));
        }
        const Tree after = snapshot(scanRoots());
        QCOMPARE(after.size() + records->size(), before.size());
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            QCOMPARE(it.value(), before[it.key()]);

        QCOMPARE(state->lastResult().value().moved, records->size());
        const RecapData recap = state->recap().value();
        QCOMPARE(recap.result, *state->lastResult());
        QCOMPARE(recap.duplicates, 1); // "budget copy.csv"
        QVERIFY(state->profile().lastRun);

        state->undoLast();
        settle(*state);
        QCOMPARE(state->message(),
                 std::optional(
                     QStringLiteral("Restored %1 files to where they were.").arg(records->size())));
        QCOMPARE(snapshot(scanRoots()), before);
        QVERIFY(snapshot({base}).isEmpty());

        // The key stays in its own file: no log, plan, ledger or setting repeats it.
        QDirIterator files(home->path(), QDir::Files | QDir::Hidden | QDir::System,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            if (QFileInfo(path).fileName() != QLatin1String("config.json"))
                QVERIFY2(!read(path).contains("sk-test-key"), qPrintable(path));
        }
    }

    // With a model on this computer and no key: a server that is not running
    // is named, and once it runs, every request goes to it alone, with no
    // key, fewer at once and in smaller batches; the run is booked as local
    // and free, and apply and undo leave every file as it was.
    void ownServer() {
        QVERIFY(QFile::remove(Store::filePath("config.json")));
        FakeClaude::Options options;
        options.local = true;
        auto local = std::make_unique<FakeClaude::Server>(options);
        QVERIFY(local->listen());
        Profile profile = *Store::loadProfile();
        profile.local = LocalModel{};
        profile.local->address = local->url().toString();
        profile.local->filesModel = "small-text:3b";
        profile.local->picturesModel = "small-vision:7b";
        profile.local->secondLookModel = "larger-text:14b";
        Store::saveProfile(profile);
        const QString where = local->url().authority();
        local.reset();
        const Tree before = snapshot(scanRoots());
        auto state = makeState();
        state->start(Tidy::Mode::quick);
        settle(*state);
        QCOMPARE(state->message(), "Couldn't reach the model at " + where +
                                       ". Check that its server is running and try again.");

        local = std::make_unique<FakeClaude::Server>(options);
        QVERIFY(local->listen(QUrl("http://" + where).port()));
        state->start(Tidy::Mode::quick);
        settle(*state);
        QCOMPARE(state->message(), std::nullopt);
        QVERIFY(state->apiKey().isEmpty());
        applyAll(*state, before.size());
        state->undoLast();
        settle(*state);
        QCOMPARE(snapshot(scanRoots()), before);

        QCOMPARE(server->requestCount(), 0);
        QVERIFY(local->peakConcurrent() <= 2);
        QSet<QString> models;
        for (const FakeClaude::Request& request : local->requests()) {
            QVERIFY(!request.headers.contains("x-api-key"));
            QVERIFY(!request.headers.contains("authorization"));
            const QJsonObject body = QJsonDocument::fromJson(request.body).object();
            models.insert(body["model"].toString());
            const QJsonArray content = body["messages"][0]["content"].toArray();
            const QString text = content.last()["text"].toString();
            if (text.startsWith("Files, one JSON object per line:"))
                QVERIFY(text.count('\n') <= 20);
            if (content.first()["type"] == "image" && text.startsWith("This contact sheet"))
                QVERIFY(text.count('\n') <= 10);
        }
        QCOMPARE(models, (QSet<QString>{"small-text:3b", "small-vision:7b", "larger-text:14b"}));
        const UsageLog log = UsageLedger::load();
        QVERIFY(log.runs.last().local);
        QVERIFY(log.runs.last().calls > 3);
        QCOMPARE(log.totalUSD, 0.0);
        QCOMPARE(log.months.value(UsageLedger::monthKey(QDateTime::currentDateTime())).files, 0);
    }

    // A file seen again unchanged is decided as before without asking:
    // after an undo (the files that came back count as new, wherever they
    // went back to) or as a copy of a file already filed away. A lesson
    // about a file, or a cache that does not read back, has it asked again.
    // Only the files asked about are counted as sent, and priced beforehand.
    void decisionsRemembered_data() {
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("askedAgain");
        QTest::addColumn<QStringList>("again");
        QTest::newRow("undo") << "undo" << false << QStringList();
        QTest::newRow("lesson") << "lesson" << false << QStringList{"~/Downloads/notes 7.txt"};
        QTest::newRow("unreadable cache") << "unreadable" << true << QStringList();
        QTest::newRow("copy of a filed file") << "copy" << false << QStringList();
    }
    void decisionsRemembered() {
        QFETCH(QString, step);
        QFETCH(bool, askedAgain);
        QFETCH(QStringList, again);
        write(home->path("Documents/letter.txt"), "Dear garden club, the seeds arrived.");
        auto state = makeState();
        state->start(Tidy::Mode::quick);
        settle(*state);
        const QList<PlanItem> first = state->plan();
        if (step == "lesson")
            for (const PlanItem& item : first)
                if (item.src.fileName() == "notes 7.txt")
                    state->setDestination(item.id, "Work Admin/Garden");
        applyAll(*state, first.size());
        const QString cache = Store::filePath("decisions.cache");
        for (const QString& written : {cache, Store::filePath("usage.json")})
            QCOMPARE(QFileInfo(written).permissions() & (QFile::ReadGroup | QFile::ReadOther),
                     QFile::Permissions());
        const QSet<QString> asked = describedFiles(server->requests());
        const qsizetype before = server->requests().size();

        if (step == "copy") {
            const QString copy = home->path("Desktop/notes 7.txt");
            write(copy, "Meeting notes for the garden project, week 7",
                  QDateTime::currentDateTime().addSecs(60));
        } else {
            state->undoLast();
            settle(*state);
        }
        if (step == "unreadable") write(cache, "not what was written");
        state->start(Tidy::Mode::quick);
        settle(*state);

        const QSet<QString> askedNow = describedFiles(server->requests().mid(before));
        QCOMPARE(askedNow, askedAgain ? asked : QSet<QString>(again.begin(), again.end()));
        const QHash<QString, QString> placed = destinations(state->plan());
        QCOMPARE(placed.size(), step == "copy" ? 1 : first.size());
        const QHash<QString, QString> placedFirst = destinations(first);
        for (auto it = placed.cbegin(); it != placed.cend(); ++it)
            QCOMPARE(it.value(), placedFirst.value(it.key()));
        const RunUsage run = UsageLedger::load().runs.last();
        QCOMPARE(run.cached, step == "copy" ? 1 : asked.size() - askedNow.size());
        QCOMPARE(run.sent.files, askedNow.size());
        // Answered wholly from earlier decisions, the refresh is estimated at
        // what it spent before classifying, which is all it spends.
        if (askedNow.isEmpty()) QCOMPARE(state->estimate(), std::optional(run.usd));
    }

    // Closing the app mid-review and starting it again brings back the
    // same plan with the user's edits.
    void restartInReview() {
        QList<PlanItem> edited;
        {
            auto state = makeState();
            state->start(Tidy::Mode::quick);
            settle(*state);
            QCOMPARE(state->phase(), Phase::review);
            const QList<PlanItem> plan = state->plan();
            state->toggle(plan[0].id);
            state->setDestination(plan[1].id, QString());
            const auto renamable = std::find_if(plan.cbegin(), plan.cend(),
                                                [](const PlanItem& item) { return item.newName; });
            if (renamable != plan.cend()) state->toggleRename(renamable->id);
            edited = state->plan();
            QVERIFY(edited != plan);
        }
        auto state = makeState();
        QCOMPARE(state->phase(), Phase::review);
        QCOMPARE(state->plan(), edited);
    }

    // Replies that try to steer files out of the home base, with giant strings
    // and ids nobody asked about: the refresh still ends in a plan, applying
    // it moves nothing outside the home base, and undo puts everything back.
    void hostileReplies() {
        QJsonArray script{200};
        for (int i = 0; i < 30; ++i)
            script.append(QStringLiteral("hostile"));
        server->setScript(script);
        const Tree before = snapshot(scanRoots());
        auto state = makeState();
        state->start(Tidy::Mode::quick);
        settle(*state);
        applyAll(*state, before.size());
        const QString base = state->profile().homeBase;
        const auto records = Json::decodeList<MoveRecord>(*Json::parse(read(*Store::latestLog())));
        QVERIFY(records && !records->isEmpty());
        for (const MoveRecord& record : *records) {
            QVERIFY2(inside(record.to, base), qPrintable(record.to));
            QVERIFY(QFileInfo(record.to).fileName().size() <= 255);
            QCOMPARE(read(record.to), before[record.from]);
        }
        QCOMPARE(snapshot(scanRoots()).size() + records->size(), before.size());
        QCOMPARE(snapshot({base}).size(), records->size());

        state->undoLast();
        settle(*state);
        QCOMPARE(snapshot(scanRoots()), before);
    }

    // The batches still waiting when credits run out are hung up on at once,
    // and the run is booked with every call Claude answered.
    void fatalAnswerCancelsTheRest() {
        server->setScript(
            {QJsonObject{{"delayMs", 0}}, QJsonObject{{"delayMs", 0}},
             QJsonObject{{"status", 400}, {"body", "credit balance"}, {"delayMs", 0}}},
            60'000);
        auto state = makeState();
        state->start(Tidy::Mode::quick);
        settle(*state);
        QVERIFY(state->message()->startsWith("Your Claude credits ran out."));
        QVERIFY(server->requestCount() > 3);
        QTRY_COMPARE(server->waiting(), 0);
        QCOMPARE(UsageLedger::load().runs.last().calls, 2); // the ping and discovery
        QCOMPARE(usage->current().calls, 0);
    }

    // A stop while batches wait on a slow Claude hangs up on them at once and
    // sends nothing more; the run is booked as stopped with what it cost and
    // the files it sent, and leaves no plan behind.
    void stopMidRun() {
        for (int i = 0; i < 400; ++i)
            write(home->path(QStringLiteral("Downloads/log %1.txt").arg(i)),
                  "a line of log " + QByteArray::number(i));
        // The ping, discovery and the first batch answer; the rest hang.
        server->setScript(
            {QJsonObject{{"delayMs", 0}}, QJsonObject{{"delayMs", 0}}, QJsonObject{{"delayMs", 0}}},
            60'000);
        auto state = makeState();
        state->start(Tidy::Mode::quick);
        QTRY_COMPARE(usage->current().calls, 3);
        QTRY_COMPARE(server->waiting(), 6); // the seventh batch took the first one's place
        const int sent = server->requestCount();
        state->stop();
        settle(*state);
        QTRY_COMPARE(server->waiting(), 0);
        QTest::qWait(300);
        QCOMPARE(server->requestCount(), sent);

        const UsageLog log = UsageLedger::load();
        const RunUsage run = log.runs.last();
        QVERIFY(run.stopped);
        QCOMPARE(run.calls, 3);
        QVERIFY(run.usd > 0);
        QCOMPARE(state->lastRunCost(), std::optional(run.usd));
        QCOMPARE(run.files, 7 * 40);
        QCOMPARE(log.months.value(UsageLedger::monthKey(QDateTime::currentDateTime())).files,
                 run.files);
        QCOMPARE(state->phase(), Phase::idle);
        QCOMPARE(state->message(),
                 std::optional(QStringLiteral("Stopped. This refresh cost %1 for 280 files sent "
                                              "to Claude.")
                                   .arg(Format::cost(run.usd))));
        QTRY_COMPARE(Store::loadPlan(), std::optional(QList<PlanItem>()));
        QVERIFY(!state->profile().lastRun);
    }

    // An estimate above the limit holds the refresh before its first
    // classification request, until the user goes on or stops.
    void pausesAboveLimit_data() {
        QTest::addColumn<bool>("goOn");
        QTest::newRow("go on") << true;
        QTest::newRow("stop") << false;
    }
    void pausesAboveLimit() {
        QFETCH(bool, goOn);
        Profile profile = *Store::loadProfile();
        profile.costLimit = 0.000'001;
        Store::saveProfile(profile);
        auto state = makeState();
        state->start(Tidy::Mode::quick);
        QTRY_VERIFY(state->paused());
        QVERIFY(state->estimate() > profile.costLimit);
        QVERIFY(state->estimateText().startsWith("About "));
        const int asked = server->requestCount();
        QTest::qWait(200);
        QCOMPARE(server->requestCount(), asked);
        for (const FakeClaude::Request& request : server->requests())
            QVERIFY(!request.body.contains("Files, one JSON object per line"));

        goOn ? state->proceed() : state->stop();
        settle(*state);
        QCOMPARE(state->phase(), goOn ? Phase::review : Phase::idle);
        QCOMPARE(UsageLedger::load().runs.last().stopped, !goOn);
        QCOMPARE(server->requestCount() > asked, goOn);
    }

    void failures_data() {
        QTest::addColumn<QJsonArray>("script");
        QTest::addColumn<QString>("message");
        QJsonArray busy, dropped;
        for (int i = 0; i < 8; ++i) {
            busy.append(529);
            dropped.append(QStringLiteral("drop"));
        }
        QTest::newRow("busy bursts") << busy << "Claude is busy right now. Try again in a minute.";
        QTest::newRow("out of credits")
            << QJsonArray{QStringLiteral("credit")}
            << "Your Claude credits ran out. Top up at https://console.anthropic.com, then "
               "refresh again. Nothing was moved.";
        QTest::newRow("dropped connections")
            << dropped << "Couldn't reach Claude. Check your internet connection and try again.";
    }

    void failures() {
        QFETCH(QJsonArray, script);
        QFETCH(QString, message);
        server->setScript(script);
        const Tree before = snapshot(scanRoots());
        auto state = makeState();
        state->start(Tidy::Mode::quick);
        settle(*state);
        QCOMPARE(state->phase(), Phase::idle);
        QCOMPARE(state->message(), std::optional(message));
        QVERIFY(state->plan().isEmpty());
        QCOMPARE(snapshot(scanRoots()), before);
        QVERIFY(!QDir(state->profile().homeBase).exists() ||
                snapshot({state->profile().homeBase}).isEmpty());
    }
};

QTEST_MAIN(TestWholeRun)
#include "test_wholerun.moc"
