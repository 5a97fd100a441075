// A real tree scanned, classified through the real client against the local
// fake Messages server, and planned.
#include "classifier.h"
#include "claudesender.h"
#include "contactsheet.h"
#include "fakeclaude.h"
#include "rules.h"
#include "scanner.h"
#include "testfiles.h"
#include "testhome.h"

#include <QImage>
#include <QJsonDocument>
#include <QtTest>

namespace {

using TestFiles::write;

struct Counts {
    int text = 0;
    int visual = 0;
};

} // namespace

class TestPipeline : public QObject {
    Q_OBJECT

    TestHome home;
    QList<ScannedItem> items;
    Counts expected;

    Classifier classifier(FakeClaude::Server& server) {
        qputenv("ANTHROPIC_BASE_URL", server.url().toString().toUtf8());
        Classifier c;
        c.apiKey = QStringLiteral("sk-test");
        c.profile.homeBase = home.path("Documents");
        c.profile.model = QStringLiteral("claude-haiku-5-5");
        c.send = ClaudeSender::make(
            [](int, std::function<void()> then) { QTimer::singleShot(1, then); });
        c.sheet = ContactSheet::make;
        return c;
    }

private slots:
    void initTestCase() {
        const QString downloads = home.path("Downloads");
        const QString desktop = home.path("Desktop");
        for (int i = 0; i < 1500; ++i)
            write(QStringLiteral("%1/notes %2.txt").arg(i % 2 ? downloads : desktop).arg(i),
                  "Meeting notes number " + QByteArray::number(i));
        for (int i = 0; i < 300; ++i) {
            QImage image(80 + i % 40, 90, QImage::Format_RGB32);
            image.fill(QColor::fromHsv(i % 360, 200, 200));
            QVERIFY(image.save(QStringLiteral("%1/IMG_%2.png").arg(downloads).arg(i)));
        }
        for (int i = 0; i < 30; ++i)
            write(QStringLiteral("%1/Tool %2.dmg").arg(downloads).arg(i), "installer");
        for (int i = 0; i < 40; ++i)
            write(QStringLiteral("%1/notes %2 copy.txt").arg(desktop).arg(i * 2),
                  "Meeting notes number " + QByteArray::number(i * 2));
        QDir().mkpath(downloads + "/Helper.app/Contents");
        write(downloads + "/Site/package.json", "{}");

        ScanOptions options;
        options.roots = {QUrl::fromLocalFile(desktop), QUrl::fromLocalFile(downloads)};
        items = Scanner::run(options, {});
        QCOMPARE(items.size(), 1500 + 300 + 30 + 40 + 2);
        for (const ScannedItem& item : items) {
            if (Rules::junkDecision(item, false) || (item.isDir && item.kind != FileKind::folder))
                continue;
            (item.kind == FileKind::image ? expected.visual : expected.text) += 1;
        }
        QCOMPARE(expected.visual, 300);
    }

    void wholeRun() {
        FakeClaude::Server server(FakeClaude::Options{});
        QVERIFY(server.listen());
        server.setScript({}, 20);
        auto outcome = await(classifier(server).buildPlan(
            items, Tidy::Mode::quick, [](int, int, const QMap<QString, int>&) {}));
        QVERIFY(std::holds_alternative<QList<PlanItem>>(outcome));
        const auto plan = std::get<QList<PlanItem>>(outcome);

        Counts main;
        int strong = 0;
        for (const auto& request : server.requests()) {
            const QJsonObject body = QJsonDocument::fromJson(request.body).object();
            const bool visual = QJsonDocument(body).toJson().contains("\"image\"");
            if (body.value("model").toString() == "claude-opus-5-5")
                ++strong;
            else
                (visual ? main.visual : main.text) += 1;
        }
        QCOMPARE(main.text, (expected.text + 39) / 40);
        QCOMPARE(main.visual, (expected.visual + 19) / 20);
        QVERIFY(server.peakConcurrent() <= 6);
        QVERIFY(strong > 0); // the fake answers some items with low confidence

        // Every scanned item but the app bundle and the project folder (left
        // out unless a project claims them) has a decision and a place.
        QCOMPARE(plan.size(), items.size() - 2);
        const QString base = home.path("Documents") + "/";
        for (const PlanItem& item : plan) {
            QVERIFY(!item.destFolder.isEmpty());
            const QString dest = QDir::cleanPath(base + item.destFolder);
            QVERIFY2(dest.startsWith(base), qPrintable(dest));
        }
    }
};

QTEST_MAIN(TestPipeline)
#include "test_pipeline.moc"
