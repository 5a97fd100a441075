#include "mover.h"
#include "quick.h"
#include "store.h"
#include "testapp.h"
#include "testfiles.h"
#include "testitems.h"

#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_SetupPlugin)

using TestFiles::read;
using TestFiles::write;

// The history window over two past refreshes, the newer of which moved one
// of the older one's files on.
class TestHistory : public QObject {
    Q_OBJECT

private slots:
    // The older refresh's preview says which files stay and why; one file is
    // put back on its own, then the rest of that refresh is undone without
    // touching what stays.
    void undoOlderRefreshFromTheWindow() {
        TestApp app;
        TestHome::onboard();
        const QString downloads = app.home.path("Downloads");
        const QString work = Profile::defaultHomeBase() + "/Work";
        QList<PlanItem> first;
        for (const char* name : {"again", "back", "changed", "gone", "taken"}) {
            write(downloads + "/" + name + ".txt", name);
            first.append(TestPlanItem(downloads + "/" + name + ".txt", "Work"));
        }
        QVERIFY(Mover::apply(first, Profile::defaultHomeBase(), true));
        const QString older = QFileInfo(*Store::latestLog()).fileName();
        QVERIFY(Mover::apply({TestPlanItem(work + "/again.txt", "Later")},
                             Profile::defaultHomeBase(), true));
        write(work + "/changed.txt", "edited", QDateTime::currentDateTime().addSecs(60));
        QVERIFY(QFile::remove(work + "/gone.txt"));
        write(downloads + "/taken.txt", "new taken");

        AppState& state = app.start();
        TestView view(QStringLiteral("Setup/HistoryView"), &state);
        QVERIFY(view.click("entry-" + older));
        QTRY_COMPARE(view.text("previewSummary"),
                     QString("2 files go back · 3 stay where they are"));
        for (const char* reason :
             {"A later refresh moved it on", "Changed since", "No longer where it was put",
              "Its old place is taken: goes back as taken (2).txt"})
            QTRY_VERIFY2(Quick::texts(view.root()).contains(reason), reason);
        QVERIFY(view.screenshot("history-preview"));

        QVERIFY(view.click("putBack")); // the first row: the file whose place is taken
        QTRY_COMPARE(view.text("message"), QString("Put taken.txt back."));
        QCOMPARE(read(downloads + "/taken (2).txt"), QByteArray("taken"));
        QCOMPARE(read(downloads + "/taken.txt"), QByteArray("new taken"));
        QTRY_VERIFY(Quick::texts(view.root()).contains("Already put back"));

        QVERIFY(view.click("undoRefresh"));
        QTRY_COMPARE(view.text("message"),
                     QString("Restored 1 of 4 files; the rest stayed where they are."));
        QCOMPARE(read(downloads + "/back.txt"), QByteArray("back"));
        QCOMPARE(read(Profile::defaultHomeBase() + "/Later/again.txt"), QByteArray("again"));
        QCOMPARE(read(work + "/changed.txt"), QByteArray("edited"));
        QTRY_COMPARE(view.find("entry-" + older, "state")->property("text").toString(),
                     QString("Undone"));
        QCOMPARE(state.phase(), Phase::idle);
        QVERIFY(view.screenshot("history-undone"));
    }
};

QTEST_MAIN(TestHistory)
#include "test_history.moc"
