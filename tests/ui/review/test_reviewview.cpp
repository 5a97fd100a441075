#include "quick.h"
#include "reviewlists.h"
#include "store.h"
#include "testapp.h"
#include "testfiles.h"
#include "testitems.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSignalSpy>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ReviewPlugin)

namespace {

// Pictures and pages each in a colour of their own, so that tiles in a
// screenshot can be told apart.
void photo(const QString& file, int seed) {
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(seed * 37 % 360, 110, 220));
    image.save(file, "JPG", 85);
}

void document(const QString& file, int seed) {
    QPdfWriter pdf(file);
    QPainter paint(&pdf);
    const QRect page = paint.viewport();
    paint.fillRect(0, 0, page.width(), page.height() / 6,
                   QColor::fromHsv(seed * 47 % 360, 60, 220));
}

struct Batch {
    const char* file;
    const char* dest;
    const char* category;
    FileKind kind;
    int count;
    qint64 size; // 0: the file's own
    const char* reason;
    const char* newName = nullptr;
};

// A plan like a real refresh leaves behind, over real files under HOME:
// photos and documents with real pixels, renames, junk groups of several
// sizes (one past the 200 rows a group lists), duplicates and 16 files that
// need the user, five of them for a project not yet known. An item's id is
// its place in the plan.
QList<PlanItem> realisticPlan() {
    QList<PlanItem> items;
    const QString junk = QStringLiteral("Tovrin Review/To Delete - Review First/");
    const Batch batches[] = {
        {"Desktop/IMG_%1.jpg", "Projects/Pellmark/Images", "project:Pellmark", FileKind::image, 18,
         0, "A product photo for Pellmark", "Pellmark product shot %1.jpg"},
        {"Downloads/brief-%1.pdf", "Projects/Pellmark/Docs", "project:Pellmark", FileKind::pdf, 14,
         0, "A brief for the Pellmark launch"},
        {"Downloads/receipt-%1.pdf", "Personal/Finance & Receipts", "personal", FileKind::pdf, 40,
         0, "A receipt from a shop", "Receipt %1.pdf"},
        {"Downloads/timesheet-%1.xlsx", "Work Admin", "admin", FileKind::sheet, 22, 0,
         "A monthly timesheet"},
        {"Downloads/backup-%1.zip", "Archive/2021", "archive", FileKind::archive, 26, 0,
         "An old backup archive"},
        {"Desktop/Screenshot %1.png", "Screenshots & images", "junk", FileKind::image, 250, 180'000,
         "A screenshot nobody opened again"},
        {"Desktop/Setup-%1.dmg", "Installers", "junk", FileKind::installer, 5, 90'000'000,
         "An installer that was already used"},
        {"Downloads/report copy %1.pdf", "Tovrin Review/Duplicates - Review First", "duplicate",
         FileKind::pdf, 12, 0, "An exact copy of report.pdf"},
        {"Downloads/notes-%1.txt", "Tovrin Review/Needs You", "needs-you", FileKind::doc, 16, 2'000,
         "Best guess: meeting notes"},
    };
    for (const Batch& batch : batches) {
        const QString category = QString::fromUtf8(batch.category);
        const bool isJunk = category == QLatin1String("junk");
        const bool needs = category == QLatin1String("needs-you");
        for (int i = 0; i < batch.count; ++i) {
            const QString file = QDir::homePath() + u'/' + QString::fromUtf8(batch.file).arg(i + 1);
            QDir().mkpath(QFileInfo(file).absolutePath());
            if (batch.kind == FileKind::pdf)
                document(file, i);
            else if (batch.kind == FileKind::image && !isJunk)
                photo(file, i);
            else
                TestFiles::write(file, "x");
            TestPlanItem item(file, (isJunk ? junk : QString()) + QString::fromUtf8(batch.dest),
                              category);
            item.id(items.size()).kind(batch.kind).reason(QString::fromUtf8(batch.reason));
            if (batch.size) item.size(batch.size);
            if (batch.newName) item.newName(QString::fromUtf8(batch.newName).arg(i + 1));
            if (needs) {
                item.approved(false).confidence(QStringLiteral("low"));
                if (i < 5)
                    item.suggestedProject(QStringLiteral("Kestrel"))
                        .reason(QStringLiteral("Best guess: notes for the Kestrel pitch"));
            }
            items.append(item);
        }
    }
    return items;
}

} // namespace

// The review window over a realistic plan restored at start-up: what each
// control changes in the saved plan, and that approving moves exactly the
// approved files.
class TestReviewView : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    QList<PlanItem> plan;
    std::unique_ptr<TestView> view;

    void open(const QString& tab = QStringLiteral("organize")) {
        Store::savePlan(plan);
        app->start();
        view = std::make_unique<TestView>(QStringLiteral("Review/ReviewView"), app->state.get(),
                                          QSize(1240, 780));
        QVERIFY(view->click("tab-" + tab));
        // The tab's list and the sidebar's, as the view drives them.
        const auto models = view->root()->findChildren<QAbstractItemModel*>();
        QVERIFY(models.size() >= 2);
        for (QAbstractItemModel* model : models)
            new QAbstractItemModelTester(
                model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
    }
    AppState& state() const { return *app->state; }
    QQuickItem* find(const QString& name) const { return view->find(name); }
    void click(QQuickItem* item) { QVERIFY(Quick::click(item)); }
    // Clicks the entry of the menu that just opened.
    void choose(const QString& entry) {
        const auto button = [&] {
            for (QQuickItem* item : Quick::items(view->window.contentItem()))
                if (item->isVisible() && item->inherits("QQuickAbstractButton") &&
                    item->property("text").toString() == entry)
                    return item;
            return static_cast<QQuickItem*>(nullptr);
        };
        QTRY_VERIFY(button());
        click(button());
    }
    void screenshot(const QString& name) { QVERIFY(view->screenshot("review-" + name)); }
    // The plan is written off the main thread; a read may come before the write.
    static QList<PlanItem> saved() { return Store::loadPlan().value_or(QList<PlanItem>{}); }
    static int keptScreenshots() {
        int kept = 0;
        for (const PlanItem& item : saved())
            kept += !item.approved && item.destFolder.endsWith(QLatin1String("& images"));
        return kept;
    }
    static int approvedNeeds() {
        int approved = 0;
        for (const PlanItem& item : saved())
            approved += item.approved && (item.category == "user" || item.category == "needs-you");
        return approved;
    }
    // Every list in the window shows what a window opened now would show:
    // edits that move items in and out of lists lose or repeat none.
    void listsMatchPlan() const {
        for (const QAbstractItemModel* model : view->root()->findChildren<QAbstractItemModel*>()) {
            const QVariant tab = model->property("tab");
            if (!tab.isValid()) continue;
            const int idRole = model->roleNames().key("itemId");
            QList<qint64> shown, expected;
            for (int row = 0; row < model->rowCount(); ++row)
                shown.append(model->index(row, 0).data(idRole).toLongLong());
            for (int row : Review::rows(state().plan(), tab.value<Review::Tab>(),
                                        model->property("group").toString()))
                expected.append(state().plan().at(row).id);
            QCOMPARE(shown, expected);
        }
    }
    qint64 firstIn(const QString& category) const {
        for (const PlanItem& item : state().plan())
            if (item.category == category) return item.id;
        return -1;
    }

private slots:
    void init() {
        app = std::make_unique<TestApp>();
        plan = realisticPlan();
    }
    void cleanup() {
        view.reset();
        app.reset();
    }

    // A click or Space on the current tile or row unticks that one only,
    // and the list keeps its place.
    void untickOne_data() {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("key");
        QTest::newRow("organize") << "organize"
                                  << "organizeGrid" << 0;
        QTest::newRow("space on a tile") << "organize"
                                         << "organizeGrid" << int(Qt::Key_Right);
        QTest::newRow("rename") << "rename"
                                << "renameList" << int(Qt::Key_Down);
        QTest::newRow("junk") << "junk"
                              << "junkList" << int(Qt::Key_Down);
    }
    void untickOne() {
        QFETCH(QString, tab);
        QFETCH(QString, list);
        QFETCH(int, key);
        open(tab);
        QList<PlanItem> expected = state().plan();
        QQuickItem* items = find(list);
        items->forceActiveFocus();
        QSignalSpy reset(items->property("model").value<QAbstractItemModel*>(),
                         &QAbstractItemModel::modelReset);
        if (key) {
            view->key(key);
            view->key(Qt::Key_Space);
        } else {
            click(find("tile-1"));
        }
        const auto* current = items->property("currentItem").value<QQuickItem*>();
        const qint64 id = current->objectName().section(u'-', -1).toLongLong();
        QVERIFY(id > 0);
        (tab == "rename" ? expected[id].renameApproved : expected[id].approved) = false;
        QTRY_COMPARE(saved(), expected);
        QCOMPARE(reset.count(), 0);
        if (!key) QTRY_COMPARE(current->opacity(), 0.45);
        screenshot(QString::fromUtf8(QTest::currentDataTag()).replace(u' ', u'-'));
    }

    void sidebarRowShowsItsGroupFromAnyTab() {
        open("junk");
        click(find("group-Work Admin"));
        QQuickItem* grid = find("organizeGrid");
        QTRY_COMPARE(grid->property("count").toInt(), 22);
        screenshot("organize-icons");
        click(find("group-Pellmark"));
        QTRY_COMPARE(grid->property("count").toInt(), 32);
        QMetaObject::invokeMethod(grid, "positionViewAtEnd");
        screenshot("organize-group");
    }

    // One button keeps a whole junk group, past the 200 rows it lists.
    void keepWholeJunkGroup() {
        open("junk");
        click(view->find("junkGroup-Screenshots & images", "keepAll"));
        QTRY_COMPARE(keptScreenshots(), 250);
        // The installers collapsed to their heading; then the screenshots'
        // heading, 200 rows, the line.
        click(view->find("junkGroup-Installers", "collapse"));
        QMetaObject::invokeMethod(find("junkList"), "positionViewAtIndex", Q_ARG(int, 1 + 201),
                                  Q_ARG(int, 2));
        QCOMPARE(Quick::texts(find("junkMore-Screenshots & images")).value(0),
                 QStringLiteral("+ 50 more like these. Use Keep all to keep the whole group."));
        screenshot("junk-more");
    }

    // Each choice for files that need the user is saved, and a folder
    // chosen is taught for the next refresh; leaving files where they are
    // unticks them and teaches nothing.
    void needsChoices_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("sent");
        QTest::newRow("a folder") << "destination"
                                  << "Work Admin" << 1;
        QTest::newRow("leave where it is") << "destination"
                                           << "Leave where it is" << 0;
        QTest::newRow("send all") << "sendAll"
                                  << "Archive" << 16;
        QTest::newRow("leave all") << "leaveAll"
                                   << "" << 0;
    }
    void needsChoices() {
        QFETCH(QString, control);
        QFETCH(QString, entry);
        QFETCH(int, sent);
        open("needs");
        const qint64 id = firstIn("needs-you");
        state().toggle(id);
        QTRY_COMPARE(approvedNeeds(), 1); // written, so no later read sees it land
        if (control == "destination")
            click(view->find(QStringLiteral("needs-%1").arg(id), control));
        else
            click(find(control));
        if (sent == 1) screenshot("needs-menu");
        if (!entry.isEmpty()) choose(entry);
        QTRY_COMPARE(find("needsList")->property("count").toInt(), 16 - sent);
        listsMatchPlan();
        QTRY_COMPARE(approvedNeeds(), sent);
        QTRY_COMPARE(Store::loadLessons().size(), sent);
        if (sent) QTRY_COMPARE(saved().value(id).destFolder, entry);
    }

    // Return adds the typed project, trimmed, sorts its files, applies nothing.
    void addTypedProject() {
        open("needs");
        screenshot("needs");
        find("projectField")->forceActiveFocus();
        for (const char c : std::string_view("  \n Kestrel \n"))
            c == '\n' ? view->key(Qt::Key_Return) : QTest::keyClick(&view->window, c);
        QCOMPARE(Store::loadProfile()->projects.size(), 1);
        QCOMPARE(Store::loadProfile()->projects[0].name, QStringLiteral("Kestrel"));
        QCOMPARE(view->text("addedNote"),
                 QStringLiteral("Added Kestrel · 5 files sorted into it."));
        QTRY_COMPARE(Quick::texts(find("tab-needs")).value(1), QString::number(16 - 5));
        listsMatchPlan();
        QCOMPARE(state().phase(), Phase::review);
        screenshot("needs-added");
    }

    // A click, or Return on the focused button, presses only that button;
    // Return or Enter anywhere else applies nothing; Escape asks to close.
    void approveMovesTheApprovedFiles_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("applied");
        QTest::addColumn<bool>("renames");
        QTest::newRow("approve clicked") << "approve" << 0 << true << true;
        QTest::newRow("organize only clicked") << "organizeOnly" << 0 << true << false;
        QTest::newRow("return on approve") << "approve" << int(Qt::Key_Return) << true << true;
        QTest::newRow("return on the grid")
            << "organizeGrid" << int(Qt::Key_Return) << false << false;
        QTest::newRow("enter on a sidebar row")
            << "group-Everything" << int(Qt::Key_Enter) << false << false;
        QTest::newRow("escape closes") << "organizeGrid" << int(Qt::Key_Escape) << false << false;
    }
    void approveMovesTheApprovedFiles() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, applied);
        QFETCH(bool, renames);
        open();
        state().toggle(0);
        state().toggle(firstIn("junk"));
        const QList<PlanItem> before = state().plan();
        QSignalSpy closing(view->root(), SIGNAL(closeRequested()));
        if (key) {
            find(focus)->forceActiveFocus(Qt::TabFocusReason);
            view->key(key);
        } else {
            click(find(focus));
        }
        QCOMPARE(closing.count(), int(applied || key == Qt::Key_Escape));
        QTRY_COMPARE(state().phase(), applied ? Phase::done : Phase::review);
        if (!applied) return;
        const QString base = state().profile().homeBase + u'/';
        for (const PlanItem& item : before) {
            const QString name = renames && item.newName ? *item.newName : Review::fileName(item);
            QCOMPARE(QFileInfo::exists(base + item.destFolder + u'/' + name), item.approved);
            QCOMPARE(QFileInfo::exists(item.src.toLocalFile()), !item.approved);
        }
    }

    void emptyPlan() {
        plan.clear();
        open();
        QCOMPARE(Quick::texts(find("emptyState")).value(0), QStringLiteral("Nothing waiting"));
        screenshot("empty");
    }
};

QTEST_MAIN(TestReviewView)
#include "test_reviewview.moc"
