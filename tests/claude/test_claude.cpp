#include "claudeapi.h"
#include "fakeclaude.h"
#include "localserver.h"
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

QJsonObject answer(int status, const QString& body) {
    return {{"status", status}, {"body", body}};
}

FakeClaude::Options localOptions(bool local) {
    FakeClaude::Options options;
    options.local = local;
    return options;
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

    QString call(const ClaudeAPI& a) { return outcome(await(a.send("Reply with OK.", ping(), 5))); }

private slots:
    void init() {
        server = std::make_unique<FakeClaude::Server>(FakeClaude::Options{});
        QVERIFY(server->listen());
        usage = std::make_unique<Usage>();
        waits.clear();
    }

    // The answer table, direct and through the relay, with the busy waits.
    void answers_data() {
        QTest::addColumn<QJsonArray>("script");
        QTest::addColumn<bool>("relay");
        QTest::addColumn<QList<int>>("expectedWaits");
        QTest::addColumn<QString>("expected");
        const QList<int> none;
        const QString credits = "api!:Your Claude credits ran out. Top up at "
                                "https://console.anthropic.com, then refresh again. Nothing was "
                                "moved.";
        const QString unavailable =
            "api!:Tovrin is temporarily unavailable. Please try again later.";
        const QString busy = "api:Claude is busy right now. Try again in a minute.";
        const QString longBody(300, 'm');
        QTest::newRow("ping") << QJsonArray{} << false << none << "text:OK";
        QTest::newRow("credit wins over 401")
            << QJsonArray{answer(401, "credit balance")} << false << none << credits;
        QTest::newRow("401") << QJsonArray{401} << false << none
                             << "api!:Tovrin couldn't sign in to Claude (error 401). Nothing was "
                                "moved.";
        QTest::newRow("404 model")
            << QJsonArray{answer(404, "model " + longBody)} << false << none
            << "api!:Claude model not available: " + ("model " + longBody).left(140);
        QTest::newRow("404 plain") << QJsonArray{answer(404, QString(300, 'x'))} << false << none
                                   << "api:Claude API error 404: " + QString(160, 'x');
        QTest::newRow("redirect not followed") << QJsonArray{answer(302, "moved")} << false << none
                                               << "api:Claude API error 302: moved";
        QTest::newRow("not json") << QJsonArray{"notjson"} << false << none << "json";
        QTest::newRow("array") << QJsonArray{"array"} << false << none
                               << "api:Unexpected response from Claude.";
        // Credit words in a reply are the reply, not an error.
        QTest::newRow("blocks joined")
            << QJsonArray{answer(200, R"({"content":[{"type":"text","text":"credit "},)"
                                      R"({"type":"image"},{"type":"text","text":"balance"}],)"
                                      R"("usage":{}})")}
            << false << none << "text:credit balance";
        QTest::newRow("four overloads")
            << QJsonArray{429, 429, 429, 429} << false << QList<int>{3, 8, 13, 18} << busy;
        QTest::newRow("credits on 429 is overload")
            << QJsonArray{answer(429, "credit balance")} << false << QList<int>{3} << "text:OK";
        QTest::newRow("direct 503 unavailable waits")
            << QJsonArray{answer(503, "service_unavailable")} << false << QList<int>{3}
            << "text:OK";
        QTest::newRow("relay 503 unavailable")
            << QJsonArray{answer(503, R"({"error":"service_unavailable"})")} << true << none
            << unavailable;
        QTest::newRow("relay 401 before credits")
            << QJsonArray{answer(401, "credit balance")} << true << none << unavailable;
        QTest::newRow("relay 403 signs in")
            << QJsonArray{403} << true << none
            << "api!:Tovrin couldn't sign in to Claude (error 403). Nothing was moved.";
        QTest::newRow("relay busy")
            << QJsonArray{503, 429} << true << QList<int>{3, 8} << "text:OK";
    }
    void answers() {
        QFETCH(QJsonArray, script);
        QFETCH(bool, relay);
        QFETCH(QList<int>, expectedWaits);
        QFETCH(QString, expected);
        server->setScript(script);
        ClaudeAPI a = api();
        int tokens = 0;
        if (relay) {
            a.apiKey = ClaudeAPI::relayKey;
            a.relayUrl = server->url();
            a.relayUrl.setPath("/relay/");
            a.relayToken = [&tokens] {
                ++tokens;
                return RelayToken{QStringLiteral("tok")};
            };
        }
        const QString got = call(a);
        if (expected == "json")
            QVERIFY2(got.startsWith("json:") && got.size() > 5, qPrintable(got));
        else
            QCOMPARE(got, expected);
        QCOMPARE(waits, expectedWaits);
        QCOMPARE(tokens, relay ? 1 : 0); // once per call, not per resend
        QCOMPARE(usage->current().calls, expected.startsWith("text:") ? 1 : 0); // priced once
        const auto requests = server->requests();
        QCOMPARE(requests.size(), std::min<qsizetype>(expectedWaits.size() + 1, 4));
        for (const auto& r : requests) {
            QCOMPARE(r.body, requests.first().body); // every resend is the same request
            QCOMPARE(r.path, relay ? "/relay/v1/messages" : "/v1/messages");
            QCOMPARE(r.headers.value("authorization"), relay ? "Bearer tok" : "");
            QCOMPARE(r.headers.value("x-api-key"), relay ? "" : "sk-test");
        }
    }

    // The key goes over plain http only to this machine.
    void baseUrlFromEnvironment() {
        ClaudeAPI a = api();
        for (const char* host : {"127.0.0.1", "localhost"}) {
            qputenv("ANTHROPIC_BASE_URL",
                    "http://" + QByteArray(host) + ':' + QByteArray::number(server->port()));
            a.baseUrl = ClaudeAPI::defaultBaseUrl();
            QCOMPARE(call(a), "text:OK");
        }
        qputenv("ANTHROPIC_BASE_URL", "http://example.com");
        a.baseUrl = ClaudeAPI::defaultBaseUrl();
        QCOMPARE(call(a), "api!:Tovrin won't send your Claude key to example.com without https. "
                          "Nothing was moved.");
        qunsetenv("ANTHROPIC_BASE_URL");
        QCOMPARE(ClaudeAPI::defaultBaseUrl(), QUrl("https://api.anthropic.com"));
    }

    // The user's own server alone is asked, with no key and no relay; its
    // answers cost nothing, and an address off this computer waits for the
    // user's trust before anything is sent.
    void localServer_data() {
        QTest::addColumn<QString>("address"); // "SERVER" stands for the fake's
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("trusted");
        QTest::addColumn<QJsonArray>("script");
        QTest::addColumn<QString>("expected");
        const QString server = "http://SERVER";
        QTest::newRow("on this computer")
            << server << "sk-test" << false << QJsonArray{} << "text:OK";
        QTest::newRow("named localhost") << "http://localhost:PORT"
                                         << "sk-test" << false << QJsonArray{} << "text:OK";
        QTest::newRow("relay key unused")
            << server << ClaudeAPI::relayKey << false << QJsonArray{} << "text:OK";
        QTest::newRow("model missing")
            << server << "" << false
            << QJsonArray{answer(404, R"({"error":"model 'x' not found"})")}
            << R"(api!:The model server doesn't have that model: {"error":"model 'x' not found"})";
        QTest::newRow("off this computer")
            << "http://files.example:11434"
            << "sk-test" << false << QJsonArray{}
            << "api!:Tovrin sends your files to files.example:11434 only once you switch on “I "
               "trust this server” in Settings. Nothing was moved.";
    }
    void localServer() {
        QFETCH(QString, address);
        QFETCH(QString, key);
        QFETCH(bool, trusted);
        QFETCH(QJsonArray, script);
        QFETCH(QString, expected);
        server = std::make_unique<FakeClaude::Server>(localOptions(true));
        QVERIFY(server->listen());
        server->setScript(script);
        ClaudeAPI a = api("text:3b");
        a.apiKey = key;
        a.baseUrl = QUrl("http://claude.invalid");
        a.relayUrl = QUrl("http://relay.invalid");
        int tokens = 0;
        a.relayToken = [&tokens] {
            ++tokens;
            return RelayToken{QStringLiteral("tok")};
        };
        a.local = LocalModel{};
        a.local->address = QString(address)
                               .replace("SERVER", server->url().authority())
                               .replace("PORT", QString::number(server->port()));
        a.local->trusted = trusted;
        QCOMPARE(call(a), expected);
        QCOMPARE(tokens, 0);
        const bool sent = !address.contains("example");
        QCOMPARE(server->requestCount(), sent ? 1 : 0);
        for (const auto& r : server->requests()) {
            QCOMPARE(r.path, "/v1/messages");
            QVERIFY(!r.headers.contains("x-api-key"));
            QVERIFY(!r.headers.contains("authorization"));
            QCOMPARE(QJsonDocument::fromJson(r.body)["model"].toString(), "text:3b");
        }
        QCOMPARE(usage->current().calls, expected.startsWith("text:") ? 1 : 0);
        QCOMPARE(usage->current().usd, 0.0);
    }

    // "Check" lists the server's models from whichever listing it has, or
    // says in one line why there are none.
    void localModels_data() {
        QTest::addColumn<QString>("server"); // local, claude, closed or none
        QTest::addColumn<QJsonArray>("script");
        QTest::addColumn<QString>("expected");
        const QString names = "small-text:3b,small-vision:7b,larger-text:14b";
        QTest::newRow("own listing") << "local" << QJsonArray{} << names;
        QTest::newRow("shared listing only")
            << "local" << QJsonArray{answer(404, "404 page not found")} << names;
        QTest::newRow("no listing")
            << "claude" << QJsonArray{} << "The server at ADDRESS lists no models.";
        QTest::newRow("nothing listening")
            << "closed" << QJsonArray{}
            << "Couldn't reach the model at ADDRESS. Check that its server is running and try "
               "again.";
        QTest::newRow("no scheme") << "none" << QJsonArray{}
                                   << "That doesn't look like a server address. Try "
                                      "http://localhost:11434.";
    }
    void localModels() {
        QFETCH(QString, server);
        QFETCH(QJsonArray, script);
        QFETCH(QString, expected);
        this->server = std::make_unique<FakeClaude::Server>(localOptions(server != "claude"));
        QVERIFY(this->server->listen());
        this->server->setScript(script);
        QUrl address = this->server->url();
        if (server == "closed") this->server.reset();
        if (server == "none") address = QUrl("localhost:11434");
        const Outcome<QStringList> listed = await(LocalServer::models(address));
        const auto* failure = std::get_if<Model::Failure>(&listed);
        QCOMPARE(failure ? failure->description : std::get<QStringList>(listed).join(','),
                 QString(expected).replace("ADDRESS", address.authority()));
    }

    // Without a relay or its token nothing is sent, and the reason is passed on.
    void relayUnusable() {
        ClaudeAPI a = api();
        a.apiKey = ClaudeAPI::relayKey;
        QVERIFY(call(a).startsWith("relayToken:"));
        a.relayUrl = server->url();
        a.relayToken = [] {
            return RelayToken{ClaudeError::other(ClaudeError::Kind::relayToken, "token expired")};
        };
        QCOMPARE(call(a), "relayToken:token expired");
        QCOMPARE(server->requestCount(), 0);
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
        const QString dropped = call(a);
        QVERIFY2(dropped.startsWith("transport:"), qPrintable(dropped));
        if (!http2) QCOMPARE(dropped, "transport:The connection closed before Claude answered.");
        QCOMPARE(server->requestCount(), 1);
        QCOMPARE(call(a), "text:OK");
        QCOMPARE(server->requestCount(), 2);
    }

    // A cancelled call ends at once, whether in flight or waiting out a busy
    // answer, and sends nothing more.
    void cancel() {
        server->setScript({QJsonObject{{"status", 529}, {"delayMs", 0}}}, 20'000);
        std::function<void()> resume;
        ClaudeAPI a = api();
        a.wait = [&](int, std::function<void()> then) { resume = std::move(then); };
        QFuture<ClaudeReply> waiting = a.send("Reply with OK.", ping(), 5);
        QFuture<ClaudeReply> inFlight = a.send("Reply with OK.", ping(), 5);
        QVERIFY(QTest::qWaitFor([&] { return bool(resume); }, 10'000));
        waiting.cancel();
        inFlight.cancel();
        QVERIFY(
            QTest::qWaitFor([&] { return waiting.isFinished() && inFlight.isFinished(); }, 2000));
        resume();
        QTest::qWait(50);
        QCOMPARE(waiting.resultCount() + inFlight.resultCount(), 0);
        QCOMPARE(server->requestCount(), 2);
    }

    // The worked example from the price list, and the cheap model's rates.
    void cost() {
        const QJsonObject sonnet{{"input_tokens", 1000},
                                 {"output_tokens", 500},
                                 {"cache_read_input_tokens", 2000},
                                 {"cache_creation_input_tokens", 400}};
        QVERIFY(qAbs(Usage::cost(sonnet, "claude-sonnet-5-5") - 0.0084) < 1e-12);
        const QJsonObject haiku{{"input_tokens", 1'000'000}, {"output_tokens", 400'000}};
        QVERIFY(qAbs(Usage::cost(haiku, "claude-haiku-5-5") - 0.30) < 1e-12);
    }
};

QTEST_GUILESS_MAIN(TestClaude)
#include "test_claude.moc"
