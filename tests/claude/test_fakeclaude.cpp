#include "claudeapi.h"
#include "fakeclaude.h"
#include "testfiles.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString classifySystem = QStringLiteral(
    "You sort files.\n\nTheir projects and brands:\n- Vantle (also called: vantlecards)\n"
    "- KOVA. Its files look like: surf drinks\n\nCategories (use exactly one):\n...");

QJsonArray textBlock(const QString& text) {
    return {QJsonObject{{"type", "text"}, {"text", text}}};
}

QString textLine(qint64 id, const QString& path, const QString& kind) {
    return QString::fromUtf8(
        QJsonDocument(QJsonObject{{"id", id}, {"path", path}, {"kind", kind}, {"size_kb", 12}})
            .toJson(QJsonDocument::Compact));
}

QJsonArray decisions(const QString& reply) {
    const QJsonDocument document = QJsonDocument::fromJson(reply.toUtf8());
    return document.isArray() ? document.array() : QJsonArray{};
}

struct Raw {
    int status = 0;
    QByteArray body;
};

// A request with hand-picked headers and body, for what our client never sends.
Raw post(const QUrl& url, const QList<std::pair<QByteArray, QByteArray>>& headers,
         const QByteArray& body) {
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    for (const auto& [name, value] : headers)
        request.setRawHeader(name, value);
    QNetworkReply* reply = manager.post(request, body);
    if (!QTest::qWaitFor([&] { return reply->isFinished(); }, 10'000)) qFatal("no answer");
    Raw raw{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll()};
    delete reply;
    return raw;
}

} // namespace

class TestFakeClaude : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    ClaudeAPI client(const QUrl& base, Usage* usage, QList<int>* waits) {
        ClaudeAPI api;
        api.apiKey = QStringLiteral("sk-test");
        api.model = QStringLiteral("claude-haiku-5-5");
        api.baseUrl = base;
        api.usage = usage;
        api.wait = [waits](int seconds, std::function<void()> then) {
            waits->append(seconds);
            QTimer::singleShot(0, then);
        };
        return api;
    }

private slots:
    void textJobDecisions() {
        FakeClaude::Server server({});
        QVERIFY(server.listen());
        QStringList lines;
        for (int i = 0; i < 40; ++i)
            lines.append(
                textLine(1000 + i, QStringLiteral("Downloads/file %1 notes.txt").arg(i), "doc"));
        lines[0] = textLine(1000, "Desktop/Vantle card mockup.pdf", "pdf");
        lines[1] = textLine(1001, "Downloads/IMG_1234.pdf", "pdf");
        lines[2] = textLine(1002, "Downloads/invoice 2026-03.pdf", "pdf");
        lines[3] = textLine(1003, "Downloads/old stuff", "folder");
        Usage usage;
        QList<int> waits;
        const ClaudeReply reply =
            await(client(server.url(), &usage, &waits)
                      .send(classifySystem, textBlock(lines.join('\n')), 6000));
        QVERIFY(reply.ok());
        const QJsonArray answer = decisions(reply.text());
        QCOMPARE(answer.size(), 40);

        static const QStringList categories{"creator", "personal", "library",  "admin",
                                            "archive", "junk",     "needs-you"};
        QSet<QString> confidences;
        for (int i = 0; i < 40; ++i) {
            const QJsonObject d = answer.at(i).toObject();
            QCOMPARE(d.value("id").toInteger(), 1000 + i);
            QCOMPARE(d.keys(), (QStringList{"category", "confidence", "id", "new_name",
                                            "project_hint", "reason", "sub"}));
            const QString category = d.value("category").toString();
            QVERIFY2(categories.contains(category) || category == "project:Vantle",
                     qPrintable(category));
            QVERIFY(d.value("project_hint").isNull());
            QVERIFY(!d.value("reason").toString().isEmpty());
            confidences.insert(d.value("confidence").toString());
        }
        QCOMPARE(confidences, (QSet<QString>{"high", "medium", "low"}));
        QCOMPARE(answer.at(0)["category"].toString(), "project:Vantle");
        QVERIFY(answer.at(0)["new_name"].isNull());
        QVERIFY(!answer.at(1)["new_name"].toString().isEmpty());
        QCOMPARE(answer.at(2)["category"].toString(), "admin");
        QCOMPARE(answer.at(3)["category"].toString(), "archive");
        QCOMPARE(usage.current().calls, 1);

        // The same items always get the same answer.
        const ClaudeReply again =
            await(client(server.url(), &usage, &waits)
                      .send(classifySystem, textBlock(lines.join('\n')), 6000));
        QCOMPARE(again.text(), reply.text());
    }

    void visualJobDecisions() {
        FakeClaude::Server server({});
        QVERIFY(server.listen());
        const QString text = "Contact sheet 1:\n"
                             "#1 = id 7: Desktop/Screenshot 2026-01-02 at 10.00.00.png (image, "
                             "modified 2026-01-02)\n"
                             "#2 = id 8: Downloads/kova surfer.jpg (image, modified 2026-02-03)\n"
                             "#3 = id 9: Downloads/PXL_20260101.mp4 (video, modified 2026-01-01)";
        Usage usage;
        QList<int> waits;
        const ClaudeReply reply =
            await(client(server.url(), &usage, &waits).send(classifySystem, textBlock(text), 6000));
        const QJsonArray answer = decisions(reply.text());
        QCOMPARE(answer.size(), 3);
        QCOMPARE(answer.at(0)["id"].toInteger(), 7);
        QCOMPARE(answer.at(0)["category"].toString(), "junk");
        QCOMPARE(answer.at(1)["category"].toString(), "project:KOVA");
        QCOMPARE(answer.at(1)["sub"].toString(), "Images");
        QVERIFY(answer.at(2)["new_name"].isString());
    }

    void discoveryAnswer() {
        FakeClaude::Server server({});
        QVERIFY(server.listen());
        const QString digest = "Folder names (file count): Vantle (12), Misc (2), Brel (5)\n"
                               "Projects they already have: KOVA";
        Usage usage;
        QList<int> waits;
        const ClaudeReply reply =
            await(client(server.url(), &usage, &waits)
                      .send("Name projects. Give looks_like for each.", textBlock(digest), 2000));
        const QJsonArray projects = decisions(reply.text());
        QStringList names;
        for (const QJsonValue& p : projects) {
            names.append(p["name"].toString());
            QVERIFY(p["aliases"].isArray());
            QVERIFY(!p["looks_like"].toString().isEmpty());
        }
        QCOMPARE(names, (QStringList{"Vantle", "Brel", "KOVA"}));
    }

    void rejectsMalformedRequests_data() {
        using Headers = QList<std::pair<QByteArray, QByteArray>>;
        QTest::addColumn<QString>("path");
        QTest::addColumn<Headers>("headers");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        const Headers good{{"x-api-key", "k"},
                           {"anthropic-version", "2023-06-01"},
                           {"content-type", "application/json"}};
        const QByteArray body =
            R"({"model":"m","max_tokens":5,"system":"s","messages":[{"role":"user",)"
            R"("content":[{"type":"text","text":"ping"}]}]})";
        QTest::newRow("good") << "/v1/messages" << good << body << 200;
        QTest::newRow("wrong path") << "/v1/complete" << good << body << 404;
        QTest::newRow("no key") << "/v1/messages" << Headers{good.at(1), good.at(2)} << body << 400;
        QTest::newRow("old version")
            << "/v1/messages"
            << Headers{good.at(0), {"anthropic-version", "2020-01-01"}, good.at(2)} << body << 400;
        QTest::newRow("form type")
            << "/v1/messages" << Headers{good.at(0), good.at(1), {"content-type", "text/plain"}}
            << body << 400;
        QTest::newRow("bearer") << "/v1/messages"
                                << Headers{{"authorization", "Bearer t"}, good.at(2)} << body
                                << 200;
        QByteArray fifth = body;
        fifth.replace("\"system\"", "\"temperature\":1,\"system\"");
        QTest::newRow("fifth member") << "/v1/messages" << good << fifth << 400;
        QByteArray noSystem = body;
        noSystem.replace("\"system\":\"s\",", "\"stop\":\"s\",");
        QTest::newRow("no system") << "/v1/messages" << good << noSystem << 400;
        QByteArray twoTurns = body;
        twoTurns.replace("]}]}", "]},{\"role\":\"user\",\"content\":[]}]}");
        QTest::newRow("two turns") << "/v1/messages" << good << twoTurns << 400;
        QTest::newRow("not json") << "/v1/messages" << good << QByteArray("{model") << 400;
    }
    void rejectsMalformedRequests() {
        using Headers = QList<std::pair<QByteArray, QByteArray>>;
        QFETCH(QString, path);
        QFETCH(Headers, headers);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        FakeClaude::Server server({});
        QVERIFY(server.listen());
        QUrl url = server.url();
        url.setPath(path);
        const Raw raw = post(url, headers, body);
        QCOMPARE(raw.status, status);
        const QJsonObject answer = QJsonDocument::fromJson(raw.body).object();
        if (status == 200)
            QCOMPARE(answer["content"][0]["text"].toString(), "OK");
        else
            QCOMPARE(answer["type"].toString(), "error");
    }

    void logsRequestsAndFollowsTheControlFile() {
        const QString control = dir.filePath("control.json");
        const QString logFile = dir.filePath("requests.jsonl");
        QFile::remove(logFile);
        QFile file(control);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"script": [529, 200, 401]})");
        file.close();

        FakeClaude::Options options;
        options.controlFile = control;
        options.logFile = logFile;
        FakeClaude::Server server(options);
        QVERIFY(server.listen());
        Usage usage;
        QList<int> waits;
        const ClaudeAPI api = client(server.url(), &usage, &waits);
        QCOMPARE(await(api.send("Reply with OK.", textBlock("ping"), 5)).text(), "OK");
        QCOMPARE(waits, QList<int>{3});
        const ClaudeReply denied = await(api.send("Reply with OK.", textBlock("ping"), 5));
        QVERIFY(denied.error() && denied.error()->isFatal());

        // A changed control file starts its script again.
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(R"({"script": ["credit"]})");
        file.close();
        const ClaudeReply credits = await(api.send("Reply with OK.", textBlock("ping"), 5));
        QVERIFY(credits.error()->description().contains("credits ran out"));

        QFile log(logFile);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = log.readAll().trimmed().split('\n');
        QCOMPARE(lines.size(), 4);
        const QJsonObject first = QJsonDocument::fromJson(lines.first()).object();
        QCOMPARE(first["n"].toInt(), 1);
        QCOMPARE(first["path"].toString(), "/v1/messages");
        QCOMPARE(first["headers"]["x-api-key"].toString(), "sk-test");
        QCOMPARE(first["body"]["max_tokens"].toInt(), 5);
        QCOMPARE(first["peak"].toInt(), 1);
    }

    void recordsPeakConcurrency() {
        FakeClaude::Server server({});
        QVERIFY(server.listen());
        server.setScript({}, 150);
        Usage usage;
        QList<int> waits;
        const ClaudeAPI api = client(server.url(), &usage, &waits);
        QList<QFuture<ClaudeReply>> calls;
        for (int i = 0; i < 6; ++i)
            calls.append(api.send("Reply with OK.", textBlock("ping"), 5));
        for (const QFuture<ClaudeReply>& call : calls)
            QCOMPARE(await(call).text(), "OK");
        QCOMPARE(server.peakConcurrent(), 6);
        QCOMPARE(usage.current().calls, 6);
    }

    // The executable, reached the way demos reach it: through ANTHROPIC_BASE_URL.
    void executableOverTheEnvironment() {
        const QString logFile = dir.filePath("process.jsonl");
        QProcess process;
        process.start(QStringLiteral(FAKE_CLAUDE_EXE), {"--script", "429", "--log", logFile});
        QVERIFY(process.waitForStarted());
        QVERIFY(QTest::qWaitFor([&] { return process.canReadLine(); }, 10'000));
        const QString first = QString::fromUtf8(process.readLine()).trimmed();
        QVERIFY2(first.startsWith("listening 127.0.0.1:"), qPrintable(first));
        const QString port = first.section(':', -1);

        qputenv("ANTHROPIC_BASE_URL", "http://127.0.0.1:" + port.toUtf8());
        Usage usage;
        QList<int> waits;
        ClaudeAPI api = client(ClaudeAPI::defaultBaseUrl(), &usage, &waits);
        qunsetenv("ANTHROPIC_BASE_URL");
        QCOMPARE(await(api.send("Reply with OK.", textBlock("ping"), 5)).text(), "OK");
        QCOMPARE(waits, QList<int>{3});
        QCOMPARE(usage.current().calls, 1);

        process.terminate();
        QVERIFY(process.waitForFinished(10'000));
        QFile log(logFile);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = log.readAll().trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(QJsonDocument::fromJson(lines.at(0)).object()["body"],
                 QJsonDocument::fromJson(lines.at(1)).object()["body"]);
    }

    void executableRejectsABadPort() {
        QProcess process;
        process.start(QStringLiteral(FAKE_CLAUDE_EXE), {"--port", "70000"});
        QVERIFY(process.waitForFinished(10'000));
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(process.readAllStandardError().contains("cannot listen"));
    }
};

QTEST_GUILESS_MAIN(TestFakeClaude)
#include "test_fakeclaude.moc"
