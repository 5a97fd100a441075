// A refresh's classification of 25,000 text items and 2,000 images against
// the fake Messages server answering after a fixed delay, next to the ideal
// wall time of its requests at six in flight.
#include "classifier.h"
#include "claudesender.h"
#include "resources.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QImage>
#include <QProcess>

#include <cstdio>

namespace {

QList<ScannedItem> makeItems(int texts, int images) {
    QList<ScannedItem> items;
    const QDateTime when = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < texts + images; ++i) {
        ScannedItem item;
        item.id = i;
        const bool image = i >= texts;
        item.name =
            image ? QStringLiteral("IMG_%1.jpg").arg(i) : QStringLiteral("notes %1.txt").arg(i);
        item.url = QUrl::fromLocalFile(QDir::homePath() + "/Downloads/" + item.name);
        item.ext = image ? "jpg" : "txt";
        item.kind = image ? FileKind::image : FileKind::doc;
        item.size = 20'000;
        item.modified = when.addSecs(-i);
        if (!image)
            item.text = QStringLiteral("Meeting notes about the quarterly plan, item %1").arg(i);
        items.append(item);
    }
    return items;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int delayMs = 200;
    QProcess server;
    server.start(QCoreApplication::applicationDirPath() +
                     "/../../tools/fake-claude/tovrin-fake-claude",
                 {"--delay-ms", QString::number(delayMs)});
    if (!server.waitForReadyRead(10'000)) return 1;
    const QByteArray line = server.readLine().trimmed(); // "listening 127.0.0.1:PORT"
    qputenv("ANTHROPIC_BASE_URL", "http://" + line.mid(line.indexOf(' ') + 1));

    QByteArray jpeg;
    {
        QImage image(1300, 1040, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG", 72);
    }
    Classifier classifier;
    classifier.apiKey = "sk-bench";
    classifier.profile.model = "claude-opus-5-5"; // one pass: the ideal is plain arithmetic
    classifier.send = ClaudeSender::make();
    classifier.sheet = [jpeg](const QList<ScannedItem>&) {
        return QtFuture::makeReadyFuture(std::optional<QByteArray>(jpeg));
    };

    const QList<ScannedItem> items = makeItems(25'000, 2'000);
    const double cpuBefore = Resources::cpuSeconds();
    QElapsedTimer timer;
    timer.start();
    auto future =
        classifier.buildPlan(items, Tidy::Mode::quick, [](int, int, const QMap<QString, int>&) {});
    QEventLoop loop;
    QFutureWatcher<Outcome<QList<PlanItem>>> watcher;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(future);
    if (!future.isFinished()) loop.exec();
    const double wall = timer.nsecsElapsed() / 1e9;
    const double cpu = Resources::cpuSeconds() - cpuBefore;
    const int requests = (25'000 + 39) / 40 + (2'000 + 19) / 20;
    const double ideal = requests / 6.0 * delayMs / 1000.0;
    const auto outcome = future.result();
    const auto* plan = std::get_if<QList<PlanItem>>(&outcome);
    std::printf("requests %d\nplanned %lld\nwall_seconds %.2f\nideal_seconds %.2f\nratio %.3f\n"
                "cpu_seconds %.2f\ncpu_share %.3f\n",
                requests, plan ? static_cast<long long>(plan->size()) : -1LL, wall, ideal,
                wall / ideal, cpu, cpu / wall);
    server.kill();
    server.waitForFinished();
    return plan ? 0 : 1;
}
