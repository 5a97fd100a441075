#include "claudeapi.h"
#include "fakeclaude.h"
#include "testfiles.h"
#include "testhome.h"
#include "usage.h"

#include <QJsonDocument>
#include <QtTest>

namespace {

QJsonArray ping() {
    return {QJsonObject{{"type", "text"}, {"text", "ping"}}};
}

QString outcome(const ClaudeReply& reply) {
    if (reply.ok()) return "text:" + reply.text();
    const ClaudeError* error = reply.error();
    static const char* kinds[] = {"api", "transport", "json", "relayToken"};
    return QString::fromLatin1(kinds[int(error->kind)]) + (error->isFatal() ? "!" : "") + ":" +
           error->description();
}

} // namespace

class TestClaude : public QObject {
    Q_OBJECT

    TestHome home;
    std::unique_ptr<FakeClaude::Server> server;
    std::unique_ptr<Usage> usage;
    QList<int> waits;

    ClaudeAPI api(const QString& model = QStringLiteral("claude-haiku-5-5")) {
        ClaudeAPI a;
        a.apiKey = QStringLiteral("sk-test");
        a.model = model;
        a.baseUrl = server->url();
        a.usage = usage.get();
        a.wait = [this](int seconds, std::function<void()> then) {
            waits.append(seconds);
            QTimer::singleShot(0, then);
        };
        return a;
    }

private slots:
    void init() {
        server = std::make_unique<FakeClaude::Server>(FakeClaude::Options{});
        QVERIFY(server->listen());
        usage = std::make_unique<Usage>();
        waits.clear();
    }

    void answers_data() {
        QTest::addColumn<QJsonArray>("script");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ping") << QJsonArray{} << "text:OK";
        QTest::newRow("credits")
            << QJsonArray{"credit"}
            << "api!:Your Claude credits ran out. Top up at https://console.anthropic.com, then "
               "refresh again. Nothing was moved.";
        QTest::newRow("401") << QJsonArray{401}
                             << "api!:Tovrin couldn't sign in to Claude (error 401). Nothing was "
                                "moved.";
        QTest::newRow("403") << QJsonArray{403}
                             << "api!:Tovrin couldn't sign in to Claude (error 403). Nothing was "
                                "moved.";
        const QString longBody(300, 'm');
        QTest::newRow("404 model")
            << QJsonArray{QJsonObject{{"status", 404}, {"body", "model " + longBody}}}
            << "api!:Claude model not available: " + ("model " + longBody).left(140);
        QTest::newRow("404 plain")
            << QJsonArray{QJsonObject{{"status", 404}, {"body", QString(300, 'x')}}}
            << "api:Claude API error 404: " + QString(160, 'x');
        QTest::newRow("400") << QJsonArray{QJsonObject{{"status", 400}, {"body", "bad"}}}
                             << "api:Claude API error 400: bad";
        QTest::newRow("redirect not followed")
            << QJsonArray{QJsonObject{{"status", 302}, {"body", "moved"}}}
            << "api:Claude API error 302: moved";
        QTest::newRow("201") << QJsonArray{QJsonObject{{"status", 201}, {"body", "{}"}}}
                             << "api:Claude API error 201: {}";
        QTest::newRow("non-ascii body")
            << QJsonArray{QJsonObject{{"status", 418}, {"body", QString::fromLatin1("a\xff")}}}
            << "api:Claude API error 418: a\u00ff";
        QTest::newRow("not json") << QJsonArray{"notjson"} << "json";
        QTest::newRow("array") << QJsonArray{"array"} << "api:Unexpected response from Claude.";
        QTest::newRow("blocks joined")
            << QJsonArray{QJsonObject{
                   {"status", 200},
                   {"body", R"({"content":[{"type":"text","text":"a"},{"type":"image"},)"
                            R"({"type":"text","text":"b"}],"usage":{"input_tokens":10}})"}}}
            << "text:ab";
        QTest::newRow("credit words in a reply")
            << QJsonArray{QJsonObject{
                   {"status", 200},
                   {"body", R"({"content":[{"type":"text","text":"your credit balance"}]})"}}}
            << "text:your credit balance";
        QTest::newRow("empty content")
            << QJsonArray{QJsonObject{{"status", 200}, {"body", R"({"content":[]})"}}} << "text:";
    }
    void answers() {
        QFETCH(QJsonArray, script);
        QFETCH(QString, expected);
        server->setScript(script);
        const QString got = outcome(await(api().send("Reply with OK.", ping(), 5)));
        if (expected == "json" || expected == "transport")
            QVERIFY2(got.startsWith(expected + ":") && got.size() > expected.size() + 1,
                     qPrintable(got));
        else
            QCOMPARE(got, expected);
        QVERIFY(waits.isEmpty());
        QCOMPARE(server->requestCount(), 1);
    }

    // A connection closed unanswered is a failure passed on, never a second
    // request sent behind our back: that one could be billed twice.
    void droppedConnection_data() {
        QTest::addColumn<bool>("http2");
        QTest::newRow("HTTP/1.1") << false;
        QTest::newRow("HTTP/2") << true;
    }
    void droppedConnection() {
        QFETCH(bool, http2);
        server->setScript({"drop"});
        ClaudeAPI a = api();
        a.http2Direct = http2;
        // Qt's HTTP/2 notices the closed connection only when the transfer times out.
        a.transferTimeoutMs = 1000;
        const QString dropped = outcome(await(a.send("Reply with OK.", ping(), 5)));
        QVERIFY2(dropped.startsWith("transport:"), qPrintable(dropped));
        if (!http2) QCOMPARE(dropped, "transport:The connection closed before Claude answered.");
        QCOMPARE(server->requestCount(), 1);
        QCOMPARE(outcome(await(a.send("Reply with OK.", ping(), 5))), "text:OK");
        QCOMPARE(server->requestCount(), 2);
    }

    void busy_data() {
        QTest::addColumn<QJsonArray>("script");
        QTest::addColumn<QList<int>>("expectedWaits");
        QTest::addColumn<QString>("expected");
        QTest::newRow("four overloads")
            << QJsonArray{429, 429, 429, 429} << QList<int>{3, 8, 13, 18}
            << "api:Claude is busy right now. Try again in a minute.";
        QTest::newRow("529 then ok") << QJsonArray{529} << QList<int>{3} << "text:OK";
        QTest::newRow("500s then ok")
            << QJsonArray{500, 503, 529} << QList<int>{3, 8, 13} << "text:OK";
        QTest::newRow("credits on 429 is overload")
            << QJsonArray{QJsonObject{{"status", 429}, {"body", "credit balance"}}} << QList<int>{3}
            << "text:OK";
    }
    void busy() {
        QFETCH(QJsonArray, script);
        QFETCH(QList<int>, expectedWaits);
        QFETCH(QString, expected);
        server->setScript(script);
        QCOMPARE(outcome(await(api().send("Reply with OK.", ping(), 5))), expected);
        QCOMPARE(waits, expectedWaits);
        QCOMPARE(server->requestCount(), int(std::min<qsizetype>(expectedWaits.size() + 1, 4)));
        // Every resend is the same request.
        const auto requests = server->requests();
        for (const auto& r : requests)
            QCOMPARE(r.body, requests.first().body);
    }

    void requestShape() {
        const QJsonArray content{QJsonObject{{"type", "text"}, {"text", "hello"}}};
        await(api("claude-sonnet-5-5").send("system text", content, 6000));
        const auto requests = server->requests();
        QCOMPARE(requests.size(), 1);
        const auto& r = requests.first();
        QCOMPARE(r.method, "POST");
        QCOMPARE(r.path, "/v1/messages");
        QCOMPARE(r.headers.value("x-api-key"), "sk-test");
        QCOMPARE(r.headers.value("anthropic-version"), "2023-06-01");
        QCOMPARE(r.headers.value("content-type"), "application/json");
        const QJsonObject body = QJsonDocument::fromJson(r.body).object();
        QCOMPARE(body.keys(), (QStringList{"max_tokens", "messages", "model", "system"}));
        QCOMPARE(body.value("model").toString(), "claude-sonnet-5-5");
        QCOMPARE(body.value("max_tokens").toInt(), 6000);
        QCOMPARE(body.value("system").toString(), "system text");
        QCOMPARE(body.value("messages").toArray(),
                 (QJsonArray{QJsonObject{{"role", "user"}, {"content", content}}}));
    }

    // The key goes over plain http only to this machine.
    void baseUrlFromEnvironment_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("expected");
        QTest::newRow("127.0.0.1") << "http://127.0.0.1:PORT"
                                   << "text:OK";
        QTest::newRow("localhost") << "http://localhost:PORT"
                                   << "text:OK";
        QTest::newRow("elsewhere") << "http://example.com"
                                   << "api!:Tovrin won't send your Claude key to example.com "
                                      "without https. Nothing was moved.";
    }
    void baseUrlFromEnvironment() {
        QFETCH(QString, base);
        QFETCH(QString, expected);
        qputenv("ANTHROPIC_BASE_URL",
                base.replace("PORT", QString::number(server->port())).toUtf8());
        ClaudeAPI a = api();
        a.baseUrl = ClaudeAPI::defaultBaseUrl();
        QCOMPARE(outcome(await(a.send("Reply with OK.", ping(), 5))), expected);
        qunsetenv("ANTHROPIC_BASE_URL");
        QCOMPARE(ClaudeAPI::defaultBaseUrl(), QUrl("https://api.anthropic.com"));
    }

    void relay_data() {
        QTest::addColumn<QJsonArray>("script");
        QTest::addColumn<QString>("expected");
        const QString unavailable =
            "api!:Tovrin is temporarily unavailable. Please try again later.";
        QTest::newRow("ok") << QJsonArray{} << "text:OK";
        QTest::newRow("503 unavailable")
            << QJsonArray{QJsonObject{{"status", 503}, {"body", "service_unavailable"}}}
            << unavailable;
        QTest::newRow("401") << QJsonArray{401} << unavailable;
        QTest::newRow("other 503 waits") << QJsonArray{503} << "text:OK";
    }
    void relay() {
        QFETCH(QJsonArray, script);
        QFETCH(QString, expected);
        server->setScript(script);
        ClaudeAPI a = api();
        a.apiKey = ClaudeAPI::relayKey;
        a.relayUrl = server->url();
        a.relayToken = [] { return RelayToken{QStringLiteral("tok")}; };
        QCOMPARE(outcome(await(a.send("Reply with OK.", ping(), 5))), expected);
        const auto r = server->requests().first();
        QCOMPARE(r.headers.value("authorization"), "Bearer tok");
        QVERIFY(!r.headers.contains("x-api-key"));
        QVERIFY(!r.headers.contains("anthropic-version"));
    }

    void relayNotSetUp() {
        ClaudeAPI a = api();
        a.apiKey = ClaudeAPI::relayKey;
        a.relayUrl = QUrl();
        const ClaudeReply reply = await(a.send("Reply with OK.", ping(), 5));
        QVERIFY(!reply.ok());
        QVERIFY(!reply.error()->isAPIError());
        QCOMPARE(server->requestCount(), 0);
    }

    void concurrentCallsCountOnce() {
        server->setScript({}, 50);
        QList<QFuture<ClaudeReply>> calls;
        for (int i = 0; i < 12; ++i)
            calls.append(api().send("Reply with OK.", ping(), 5));
        for (auto& call : calls)
            QVERIFY(await(call).ok());
        QCOMPARE(usage->current().calls, 12);
        QVERIFY(server->peakConcurrent() > 1);
        // Failures change nothing.
        server->setScript({401, "array", "notjson"});
        for (int i = 0; i < 3; ++i)
            await(api().send("x", ping(), 5));
        QCOMPARE(usage->current().calls, 12);
    }

    // Answers no HTTP server of ours produces, judged directly.
    void judge_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("relay");
        QTest::addColumn<QString>("expected");
        const QString unavailable = "Tovrin is temporarily unavailable. Please try again later.";
        QTest::newRow("not http") << 0 << QByteArray() << false << "Claude API error 0: ";
        QTest::newRow("1xx") << 100 << QByteArray("x") << false << "Claude API error 100: x";
        QTest::newRow("bad utf-8")
            << 400 << QByteArray("\xc3(") << false << "Claude API error 400: \ufffd(";
        QTest::newRow("404 Model is not model")
            << 404 << QByteArray("Model gone") << false << "Claude API error 404: Model gone";
        QTest::newRow("credit wins over 401")
            << 401 << QByteArray("credit balance") << false
            << "Your Claude credits ran out. Top up at https://console.anthropic.com, then "
               "refresh again. Nothing was moved.";
        QTest::newRow("relay 401 before credits")
            << 401 << QByteArray("credit balance") << true << unavailable;
        QTest::newRow("relay 403 signs in") << 403 << QByteArray() << true
                                            << "Tovrin couldn't sign in to Claude (error 403). "
                                               "Nothing was moved.";
        QTest::newRow("relay 503 unavailable")
            << 503 << QByteArray(R"({"error":"service_unavailable"})") << true << unavailable;
        QTest::newRow("relay 503 other") << 503 << QByteArray("later") << true << "wait";
        QTest::newRow("direct 503 unavailable")
            << 503 << QByteArray("service_unavailable") << false << "wait";
        QTest::newRow("599") << 599 << QByteArray() << false << "wait";
        QTest::newRow("200") << 200 << QByteArray("credit balance") << false << "success";
    }
    void judge() {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, relay);
        QFETCH(QString, expected);
        const Claude::Verdict verdict = Claude::judge(status, body, relay);
        const QString got = verdict.step == Claude::Step::busyWait ? "wait"
                            : verdict.step == Claude::Step::success
                                ? "success"
                                : verdict.error.errorDescription();
        QCOMPARE(got, expected);
    }

    void usageRecorded_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("calls");
        QTest::addColumn<double>("usd");
        QTest::newRow("usage") << R"({"content":[],"usage":{"input_tokens":1000000}})" << 1 << 2.0;
        QTest::newRow("empty usage") << R"({"content":[],"usage":{}})" << 1 << 0.0;
        QTest::newRow("no usage") << R"({"content":[{"type":"text","text":"hi"}]})" << 0 << 0.0;
        QTest::newRow("usage not an object") << R"({"content":[],"usage":[1,2]})" << 0 << 0.0;
        QTest::newRow("bad content") << R"({"content":[1],"usage":{"input_tokens":5}})" << 0 << 0.0;
    }
    void usageRecorded() {
        QFETCH(QString, body);
        QFETCH(int, calls);
        QFETCH(double, usd);
        server->setScript({QJsonObject{{"status", 200}, {"body", body}}});
        await(api("claude-sonnet-5-5").send("x", ping(), 5));
        QCOMPARE(usage->current().calls, calls);
        QCOMPARE(usage->current().usd, usd);
    }

    void transferTimeoutIsATransportFailure() {
        server->setScript({}, 3000);
        ClaudeAPI a = api();
        a.transferTimeoutMs = 200;
        const ClaudeReply reply = await(a.send("Reply with OK.", ping(), 5));
        QVERIFY(reply.error());
        QCOMPARE(reply.error()->kind, ClaudeError::Kind::transport);
        QVERIFY(!reply.error()->isAPIError());
        QVERIFY(!reply.error()->description().isEmpty());
        QCOMPARE(usage->current().calls, 0);
    }

    void cancelDuringTheBusyWait() {
        server->setScript({529});
        std::function<void()> resume;
        ClaudeAPI a = api();
        a.wait = [&](int, std::function<void()> then) { resume = std::move(then); };
        QFuture<ClaudeReply> call = a.send("Reply with OK.", ping(), 5);
        QVERIFY(QTest::qWaitFor([&] { return bool(resume); }, 10'000));
        call.cancel();
        QVERIFY(QTest::qWaitFor([&] { return call.isFinished(); }, 1000));
        resume();
        QVERIFY(call.isCanceled());
        QCOMPARE(call.resultCount(), 0);
        QTest::qWait(50);
        QCOMPARE(server->requestCount(), 1);
    }

    void cancelAbortsTheRequestInFlight() {
        server->setScript({}, 20'000);
        QFuture<ClaudeReply> call = api().send("Reply with OK.", ping(), 5);
        QVERIFY(QTest::qWaitFor([&] { return server->requestCount() == 1; }, 10'000));
        call.cancel();
        QVERIFY(QTest::qWaitFor([&] { return call.isFinished(); }, 2000));
        QCOMPARE(call.resultCount(), 0);
        QCOMPARE(usage->current().calls, 0);
        server->setScript({});
        QCOMPARE(outcome(await(api().send("Reply with OK.", ping(), 5))), "text:OK");
    }

    void relayTokenFailurePassesOn() {
        ClaudeAPI a = api();
        a.apiKey = ClaudeAPI::relayKey;
        a.relayUrl = server->url();
        a.relayToken = [] {
            return RelayToken{ClaudeError::other(ClaudeError::Kind::relayToken, "token expired")};
        };
        const ClaudeReply reply = await(a.send("Reply with OK.", ping(), 5));
        QCOMPARE(reply.error()->description(), "token expired");
        QVERIFY(!reply.error()->isFatal());
        QCOMPARE(server->requestCount(), 0);
    }

    void relayPathIsAppended() {
        ClaudeAPI a = api();
        a.apiKey = ClaudeAPI::relayKey;
        QUrl relay = server->url();
        relay.setPath("/relay/");
        a.relayUrl = relay;
        int fetched = 0;
        a.relayToken = [&fetched] {
            ++fetched;
            return RelayToken{QStringLiteral("tok")};
        };
        server->setScript({429, 529});
        QCOMPARE(await(a.send("Reply with OK.", ping(), 5)).text(), "OK");
        QCOMPARE(server->requests().first().path, "/relay/v1/messages");
        QCOMPARE(server->requestCount(), 3);
        QCOMPARE(fetched, 1); // once per call, not per resend
    }

    void cost_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QJsonObject>("tokens");
        QTest::addColumn<double>("usd");
        QTest::newRow("worked example") << "claude-sonnet-5-5"
                                        << QJsonObject{{"input_tokens", 1000},
                                                       {"output_tokens", 500},
                                                       {"cache_read_input_tokens", 2000},
                                                       {"cache_creation_input_tokens", 400}}
                                        << 0.0084;
        QTest::newRow("haiku") << "claude-haiku-5-5"
                               << QJsonObject{{"input_tokens", 1'000'000}, {"output_tokens", 0}}
                               << 0.10;
        // $0.50 per million output tokens: 0.10 in + 0.20 out.
        QTest::newRow("haiku output")
            << "claude-haiku-5-5"
            << QJsonObject{{"input_tokens", 1'000'000}, {"output_tokens", 400'000}} << 0.30;
        QTest::newRow("opus and others")
            << "claude-opus-5-5" << QJsonObject{{"output_tokens", 1'000'000}} << 20.0;
        QTest::newRow("wrong types count 0")
            << "claude-haiku-5-5" << QJsonObject{{"input_tokens", "many"}, {"output_tokens", 1.5}}
            << 0.0;
    }
    void cost() {
        QFETCH(QString, model);
        QFETCH(QJsonObject, tokens);
        QFETCH(double, usd);
        QVERIFY(qAbs(Usage::cost(tokens, model) - usd) < 1e-12);
    }
};

QTEST_GUILESS_MAIN(TestClaude)
#include "test_claude.moc"
