// tovrin-cli driven as a process over a throw-away home of real files, with
// the fake Messages server on this machine, while this process plays the app.
#include "appstate.h"
#include "busylock.h"
#include "fakeclaude.h"
#include "store.h"
#include "testfiles.h"
#include "testhome.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include <memory>

namespace {

using TestFiles::snapshot;
using TestFiles::Tree;
using TestFiles::write;

struct Ran {
    int exit = -1;
    QByteArray out;
    QByteArray err;

    QJsonValue json() const {
        const QJsonDocument document = QJsonDocument::fromJson(out);
        return document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
    }
};

// Waits with the event loop running, so the fake server and the state here
// go on answering while the tool works.
Ran cli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(TOVRIN_CLI), args);
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 120'000))
        qFatal("tovrin-cli never finished");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

void fillClutter(const TestHome& home) {
    for (int i = 0; i < 12; ++i)
        write(home.path(QStringLiteral("Downloads/notes %1.txt").arg(i)),
              "Meeting notes for the garden project, week " + QByteArray::number(i));
    write(home.path("Desktop/budget.csv"), "month,amount\njan,120\nfeb,95\n");
    write(home.path("Desktop/budget copy.csv"), "month,amount\njan,120\nfeb,95\n");
    write(home.path("Downloads/empty.txt"), "");
    write(home.path("Downloads/tool-setup.deb"), QByteArray(4096, 'd'));
    for (const char* name : {"untitled 3.txt", "download (2).txt", "export 7.txt", "IMG_0001.txt"})
        write(home.path(QStringLiteral("Desktop/") + name), QByteArray("Draft, kept as ") + name);
}

QStringList names(const QJsonArray& items) {
    QStringList found;
    for (const QJsonValue& item : items)
        found.append(QUrl(item.toObject().value("src").toString()).fileName());
    return found;
}

// Every file of a plan as `plan --json` lists it, by tab.
QStringList planned(const QJsonObject& plan) {
    QStringList found;
    for (const QJsonValue& group : plan.value("organize").toArray())
        found += names(group.toObject().value("items").toArray());
    for (const QJsonValue& group : plan.value("junk").toArray())
        found += names(group.toObject().value("items").toArray());
    found += names(plan.value("needsYou").toArray());
    found.sort();
    return found;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<FakeClaude::Server> server;

    QStringList roots() const { return {home->path("Desktop"), home->path("Downloads")}; }

private slots:
    void init() {
        home = std::make_unique<TestHome>();
        server = std::make_unique<FakeClaude::Server>(FakeClaude::Options{});
        QVERIFY(server->listen());
        qputenv("ANTHROPIC_BASE_URL", server->url().toString().toUtf8());
        fillClutter(*home);
        // As a desktop session has it; without, Qt warns on every start.
        QVERIFY(QDir().mkpath(home->path("run")));
        QFile::setPermissions(home->path("run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", home->path("run").toUtf8());
        TestHome::onboard();
        Store::saveKey(QStringLiteral("sk-test-key"));
    }
    void cleanup() {
        server.reset();
        home.reset();
        qunsetenv("ANTHROPIC_BASE_URL");
    }

    // scan, refresh, plan, apply with renames, history, undo: every file back
    // where it was, byte for byte, and each --json parses. The app, open all
    // along, follows the plan and the apply made beside it.
    void refreshApplyUndo() {
        const Tree before = snapshot(roots());
        AppState app;
        QCOMPARE(app.phase(), Phase::idle);

        const Ran scan = cli({"scan", "--json"});
        QCOMPARE(scan.exit, 0);
        QStringList scanned;
        for (const QJsonValue& item : scan.json().toArray()) {
            const QJsonObject object = item.toObject();
            scanned.append(object.value("path").toString());
            if (object.value("name") == "budget copy.csv")
                QCOMPARE(object.value("duplicateOf").toString(), home->path("Desktop/budget.csv"));
        }
        scanned.sort();
        QCOMPARE(scanned, before.keys());

        const Ran refresh = cli({"refresh", "--json"});
        QCOMPARE(refresh.exit, 0);
        const QJsonObject made = refresh.json().toObject();
        QCOMPARE(made.value("files").toInt(), before.size());
        QVERIFY(made.value("cost").toDouble() > 0);
        const Ran plan = cli({"plan", "--json"});
        QCOMPARE(plan.exit, 0);
        const QJsonObject pending = plan.json().toObject();
        QJsonObject planOfRefresh = made;
        planOfRefresh.remove("cost");
        QCOMPARE(pending, planOfRefresh);
        QCOMPARE(planned(pending).size(), before.size());
        QVERIFY(!pending.value("rename").toArray().isEmpty());
        // Saved as the app saves it: the app takes it up for review.
        QTRY_COMPARE(app.phase(), Phase::review);
        QCOMPARE(app.plan(), *Store::loadPlan());
        QVERIFY(cli({"plan"}).out.contains("Organize: "));

        const Ran apply = cli({"apply", "--renames", "--json"});
        QCOMPARE(apply.exit, 0);
        const int moved = apply.json().toObject().value("moved").toInt();
        QCOMPARE(moved, pending.value("approved").toInt());
        QVERIFY(apply.json().toObject().value("renamed").toInt() > 0);
        QVERIFY(snapshot(roots()) != before);
        QTRY_COMPARE(app.phase(), Phase::idle);
        QVERIFY(app.plan().isEmpty());
        QTRY_COMPARE(app.history().size(), 1);

        const QJsonArray history = cli({"history", "--json"}).json().toArray();
        QCOMPARE(history.size(), 1);
        QCOMPARE(history[0].toObject().value("moved").toInt(), moved);
        const QJsonObject usage = cli({"usage", "--json"}).json().toObject();
        QCOMPARE(usage.value("runs").toArray().size(), 1);
        QCOMPARE(usage.value("files").toInt(), before.size());

        const Ran undo = cli({"undo"});
        QCOMPARE(undo.exit, 0);
        QCOMPARE(undo.out, QStringLiteral("Restored %1 files to where they were.\n").arg(moved));
        QCOMPARE(snapshot(roots()), before);
        QTRY_VERIFY(app.history().value(0).undone);
        QCOMPARE(cli({"undo", "1"}).exit, 1);
    }

    // A refresh, apply or undo waits for no one: while another process runs
    // one, each is refused with one line and status 2, the app's too; a
    // holder killed mid-run lets go.
    void busyElsewhere() {
        server->setScript({QJsonObject{{"delayMs", 600'000}}});
        QProcess first;
        first.start(QStringLiteral(TOVRIN_CLI), {"refresh"});
        QTRY_COMPARE_WITH_TIMEOUT(server->waiting(), 1, 60'000);
        QVERIFY(BusyLock::heldElsewhere());
        for (const QStringList& args : QList<QStringList>{{"refresh"}, {"apply"}, {"undo"}}) {
            const Ran refused = cli(args);
            QCOMPARE(refused.exit, 2);
            QCOMPARE(refused.err.count('\n'), 1);
        }
        AppState app;
        app.start(Tidy::Mode::quick);
        QCOMPARE(app.phase(), Phase::idle);
        QVERIFY(app.message());

        first.kill();
        QVERIFY(first.waitForFinished());
        server->setScript({});
        QCOMPARE(cli({"refresh"}).exit, 0);
        QTRY_COMPARE(app.phase(), Phase::review);
    }

    void arguments_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("says");
        QTest::newRow("no command") << QStringList() << 2 << "Usage: tovrin-cli COMMAND";
        QTest::newRow("unknown command") << QStringList{"tidy"} << 2 << "no command tidy";
        QTest::newRow("unknown mode") << QStringList{"refresh", "--mode", "fast"} << 2 << "no mode";
        QTest::newRow("mode without value") << QStringList{"refresh", "--mode"} << 2 << "--mode";
        QTest::newRow("month out of range")
            << QStringList{"usage", "--month", "2026-13"} << 2 << "YYYY-MM";
        QTest::newRow("both rename flags")
            << QStringList{"apply", "--renames", "--no-renames"} << 2 << "together";
        QTest::newRow("no plan to apply") << QStringList{"apply"} << 1 << "No plan";
        QTest::newRow("nothing to undo") << QStringList{"undo"} << 1 << "Nothing to undo";
        QTest::newRow("no such refresh") << QStringList{"undo", "3"} << 2 << "No refresh 3";
        QTest::newRow("scan of a file")
            << QStringList{"scan", "Desktop/budget.csv"} << 1 << "Not a folder";
        for (const char* command : {"scan", "refresh", "plan", "apply", "undo", "history", "usage"})
            QTest::addRow("%s --help", command)
                << QStringList{command, "--help"} << 0
                << QStringLiteral("Usage: tovrin-cli %1 ").arg(command);
    }
    void arguments() {
        QFETCH(QStringList, args);
        QFETCH(int, exit);
        QFETCH(QString, says);
        QDir::setCurrent(home->path());
        const Ran ran = cli(args);
        QCOMPARE(ran.exit, exit);
        QVERIFY2((exit == 0 ? ran.out : ran.err).contains(says.toUtf8()), ran.out + ran.err);
        QCOMPARE(server->requestCount(), 0);
    }
};

QTEST_MAIN(TestCli)
#include "test_cli.moc"
