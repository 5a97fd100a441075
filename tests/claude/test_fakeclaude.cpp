#include "claudeapi.h"
#include "testfiles.h"

#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The stand-in server as demos run it: its own process, a script of answers
// and a request log, reached through ANTHROPIC_BASE_URL.
class TestFakeClaude : public QObject {
    Q_OBJECT

private slots:
    void executableOverTheEnvironment() {
        QTemporaryDir dir;
        const QString logFile = dir.filePath("requests.jsonl");
        QProcess process;
        process.start(FAKE_CLAUDE_EXE, {"--script", "429", "--log", logFile});
        QVERIFY(QTest::qWaitFor([&] { return process.canReadLine(); }, 10'000));
        const QString first = QString::fromUtf8(process.readLine()).trimmed();
        QVERIFY2(first.startsWith("listening 127.0.0.1:"), qPrintable(first));

        qputenv("ANTHROPIC_BASE_URL", "http://127.0.0.1:" + first.section(':', -1).toUtf8());
        Usage usage;
        QList<int> waits;
        ClaudeAPI api;
        api.apiKey = "sk-test";
        api.model = "claude-haiku-5-5";
        api.baseUrl = ClaudeAPI::defaultBaseUrl();
        api.usage = &usage;
        api.wait = [&waits](int seconds, std::function<void()> then) {
            waits.append(seconds);
            QTimer::singleShot(0, then);
        };
        qunsetenv("ANTHROPIC_BASE_URL");
        const QJsonArray ping{QJsonObject{{"type", "text"}, {"text", "ping"}}};
        QCOMPARE(await(api.send("Reply with OK.", ping, 5)).text(), "OK");
        QCOMPARE(waits, QList<int>{3});
        QCOMPARE(usage.current().calls, 1);

        process.terminate();
        QVERIFY(process.waitForFinished(10'000));
        const QList<QByteArray> lines = TestFiles::read(logFile).trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        const QJsonObject logged = QJsonDocument::fromJson(lines.at(0)).object();
        QCOMPARE(logged["headers"]["x-api-key"].toString(), "sk-test");
        QCOMPARE(logged["body"], QJsonDocument::fromJson(lines.at(1)).object()["body"]);
    }
};

QTEST_GUILESS_MAIN(TestFakeClaude)
#include "test_fakeclaude.moc"
