#include "claudeapi.h"
#include "fakeclaude.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonDocument>
#include <QProcess>

#include <benchmark/benchmark.h>

namespace {

constexpr int batchItems = 40;

// Forty item lines shaped like the classifier's text jobs, each with a
// text sample near its 450-character cap.
QJsonArray batchContent() {
    const QString sample =
        QString(
            "Quarterly planning notes: budget, hiring, launch dates and the open questions for the "
            "design review next week. ")
            .repeated(4);
    QStringList lines;
    for (int i = 0; i < batchItems; ++i) {
        const QJsonObject item{
            {"id", 5000 + i},
            {"path", QStringLiteral("Downloads/IMG_%1 notes (%2).pdf").arg(i).arg(i % 7)},
            {"kind", "pdf"},
            {"size_kb", 120 + i},
            {"modified", "2026-11-02"},
            {"from", "https://example.org/files"},
            {"text", sample.left(450)}};
        lines.append(QString::fromUtf8(QJsonDocument(item).toJson(QJsonDocument::Compact)));
    }
    return {QJsonObject{{"type", "text"}, {"text", lines.join('\n')}}};
}

const QString system = QStringLiteral(
    "You sort files.\n\nTheir projects and brands:\n- Vantle\n\nCategories (use exactly one):\n");

// What the fake server answers for one batch: a Messages reply whose text is
// a 40-object decision array.
QByteArray batchReply(const QJsonArray& content) {
    FakeClaude::Request request{"POST",
                                "/v1/messages",
                                {{"x-api-key", "k"},
                                 {"anthropic-version", "2023-06-01"},
                                 {"content-type", "application/json"}},
                                Claude::requestBody("claude-haiku-5-5", system, content, 6000)};
    return FakeClaude::answer(request, 1).body;
}

void BM_BuildAndParseBatch(benchmark::State& state) {
    const QJsonArray content = batchContent();
    const QByteArray reply = batchReply(content);
    for (auto _ : state) {
        const QByteArray body = Claude::requestBody("claude-haiku-5-5", system, content, 6000);
        auto parsed = Claude::parseSuccess(reply);
        const auto& success = std::get<Claude::Success>(parsed);
        const double cost = Usage::cost(*success.usage, "claude-haiku-5-5");
        benchmark::DoNotOptimize(body.size());
        benchmark::DoNotOptimize(cost);
    }
    state.counters["body_bytes"] =
        double(Claude::requestBody("claude-haiku-5-5", system, content, 6000).size());
    state.counters["reply_bytes"] = double(reply.size());
}
BENCHMARK(BM_BuildAndParseBatch)->Unit(benchmark::kMicrosecond);

// The fake server's own cost per batch, which bounds the throughput below.
void BM_FakeServerAnswer(benchmark::State& state) {
    const QJsonArray content = batchContent();
    for (auto _ : state)
        benchmark::DoNotOptimize(batchReply(content).size());
}
BENCHMARK(BM_FakeServerAnswer)->Unit(benchmark::kMicrosecond);

// The fake server runs as its own process so only our side is measured.
class FakeServerProcess {
public:
    FakeServerProcess() {
        process_.start(QStringLiteral(FAKE_CLAUDE_EXE), {});
        if (!process_.waitForStarted() || !process_.waitForReadyRead(10'000)) return;
        const QString line = QString::fromUtf8(process_.readLine()).trimmed();
        url_ = QUrl(QStringLiteral("http://") + line.section(QLatin1Char(' '), 1));
    }
    ~FakeServerProcess() {
        process_.terminate();
        process_.waitForFinished(5000);
    }
    QUrl url() const { return url_; }

private:
    QProcess process_;
    QUrl url_;
};

void BM_SendSixInFlight(benchmark::State& state) {
    FakeServerProcess server;
    if (server.url().isEmpty()) {
        state.SkipWithError("fake server did not start");
        return;
    }
    Usage usage;
    ClaudeAPI api;
    api.apiKey = QStringLiteral("bench");
    api.model = QStringLiteral("claude-haiku-5-5");
    api.baseUrl = server.url();
    api.usage = &usage;
    const QJsonArray content = batchContent();
    const int perRound = int(state.range(0));
    int failures = 0;

    for (auto _ : state) {
        QEventLoop loop;
        int started = 0;
        int done = 0;
        std::function<void()> next = [&] {
            if (started == perRound) return;
            ++started;
            api.send(system, content, 6000).then(&loop, [&](const ClaudeReply& reply) {
                if (!reply.ok()) ++failures;
                ++done;
                if (done == perRound) loop.quit();
                next();
            });
        };
        for (int i = 0; i < 6; ++i)
            next();
        loop.exec();
    }
    state.SetItemsProcessed(state.iterations() * perRound);
    state.counters["failures"] = failures;
}
BENCHMARK(BM_SendSixInFlight)
    ->Arg(60)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
