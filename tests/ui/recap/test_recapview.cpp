#include "appstate.h"
#include "format.h"
#include "qmltypes.h"
#include "quick.h"
#include "store.h"
#include "testhome.h"
#include "testitems.h"

#include <QAbstractAnimation>
#include <QFile>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickView>
#include <QSignalSpy>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <memory>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_RecapPlugin)

namespace {

// Animation time that moves only when the test says so. While nothing but
// pauses is pending, Qt waits for them on a real timer, so then real time passes.
class ManualClock : public QAnimationDriver {
public:
    void step(int ms) {
        for (int left = ms; left > 0; left -= 16) {
            if (!isRunning()) {
                QTest::qWait(std::min(left, 16));
                continue;
            }
            now_ += std::min(left, 16);
            advance();
            QCoreApplication::processEvents(); // what the animations left for later
        }
    }
    // Counted from the latest start, as the animation timer expects.
    qint64 elapsed() const override { return now_ - started_; }

protected:
    void start() override {
        started_ = now_;
        QAnimationDriver::start();
    }

private:
    qint64 now_ = 0;
    qint64 started_ = 0;
};

// Files to put into a plan: where they go and what they are.
struct Planned {
    QString name;
    QString dest;
    QString category = QStringLiteral("personal");
    qint64 size = 4;
    std::optional<QString> newName;
    FileKind kind = FileKind::doc;
};

// One slide as the user sees it: its name and its texts, top to bottom.
struct Shown {
    QString slide;
    QStringList texts;
};

Planned planned(const QString& name, const QString& dest,
                const QString& category = QStringLiteral("personal"), qint64 size = 4,
                std::optional<QString> newName = std::nullopt, FileKind kind = FileKind::doc) {
    return {name, dest, category, size, std::move(newName), kind};
}

QList<Planned> many(const QString& dest, int n) {
    QList<Planned> files;
    for (int i = 0; i < n; ++i)
        files.append(
            planned(QStringLiteral("%1-%2.txt").arg(QString(dest).replace('/', '-')).arg(i), dest));
    return files;
}

} // namespace

Q_DECLARE_METATYPE(QList<Planned>)
Q_DECLARE_METATYPE(QList<Shown>)

// The slideshow over the recap of a real apply in a throw-away home.
class TestRecapView : public QObject {
    Q_OBJECT

    ManualClock clock;
    std::unique_ptr<TestHome> home;
    std::unique_ptr<AppState> state;
    std::unique_ptr<QQuickView> view;

    bool manual = false;

    void useRealTime() {
        if (manual) clock.uninstall();
        manual = false;
    }

    void makeState() {
        TestHome::onboard();
        AppServices services;
        services.settingsPath = home->path(QStringLiteral(".config/Tovrin/Tovrin.conf"));
        state = std::make_unique<AppState>(services);
    }

    // A plan of those files on the Desktop, each approved, each rename approved.
    void savePlan(const QList<Planned>& files) {
        QList<PlanItem> plan;
        for (const Planned& file : files) {
            const QString path = home->write(QStringLiteral("Desktop/") + file.name, "data");
            TestPlanItem item(path, file.dest,
                              file.category == QLatin1String("missing") ? QStringLiteral("junk")
                                                                        : file.category);
            item.id(plan.size() + 1).kind(file.kind).size(file.size);
            if (file.newName) item.newName(*file.newName);
            plan.append(item);
        }
        Store::savePlan(plan);
    }

    void applied(const QList<Planned>& files, bool includeRenames) {
        savePlan(files);
        makeState();
        QCOMPARE(state->phase(), Phase::review);
        for (const Planned& file : files)
            if (file.category == QLatin1String("missing"))
                QVERIFY(QFile::remove(home->path(QStringLiteral("Desktop/") + file.name)));
        state->apply(includeRenames);
        QTRY_COMPARE_WITH_TIMEOUT(state->phase(), Phase::done, 20000);
    }

    void open() {
        view = std::make_unique<QQuickView>();
        UiCore::setUp(*view->engine());
        view->setInitialProperties({{QStringLiteral("appState"), QVariant::fromValue(state.get())}});
        view->setResizeMode(QQuickView::SizeRootObjectToView);
        view->resize(760, 520);
        view->setSource(QUrl(QStringLiteral("qrc:/qt/qml/Tovrin/Recap/RecapView.qml")));
        QVERIFY2(
            view->rootObject(),
            qPrintable(view->errors().isEmpty() ? QString() : view->errors().first().toString()));
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }

    QObject* root() const { return view->rootObject(); }
    QString slide() const { return root()->property("slide").toString(); }
    QObject* timer() const { return root()->findChild<QObject*>(QStringLiteral("autoAdvance")); }
    QQuickItem* current() const {
        auto* stack = root()->findChild<QQuickItem*>(QStringLiteral("slides"));
        return stack->property("current").value<QQuickItem*>();
    }
    QStringList texts() const { return Quick::texts(current()); }
    // Texts of the current slide that do not lie wholly inside the window.
    QStringList offWindow() const {
        QStringList off;
        const QRectF window(QPointF(0, 0), view->size());
        for (QQuickItem* item : Quick::items(current()))
            if (item->isVisible() && item->inherits("QQuickText") &&
                !window.contains(item->mapRectToScene(item->boundingRect())))
                off.append(item->property("text").toString());
        return off;
    }
    void clickAt(QQuickItem* item) { QVERIFY(Quick::click(item)); }

    static QList<Planned> fullPlan() {
        QList<Planned> files = many(QStringLiteral("Personal/Documents"), 2);
        files.append(planned(QStringLiteral("IMG_1.png"), QStringLiteral("Personal/Photos"),
                             QStringLiteral("personal"), 4, QStringLiteral("Beach Sunset.png"),
                             FileKind::image));
        files.append(planned(QStringLiteral("scan.pdf"), QStringLiteral("Library/Fonts"),
                             QStringLiteral("library"), 4, QStringLiteral("Bank Statement.pdf"),
                             FileKind::pdf));
        files.append(planned(QStringLiteral("a.otf"), QStringLiteral("Library/Fonts"),
                             QStringLiteral("library")));
        files.append(planned(
            QStringLiteral("setup.dmg"), QStringLiteral("Tovrin Review/To Delete - Review First"),
            QStringLiteral("junk"), 1'200'000'000, std::nullopt, FileKind::installer));
        return files;
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QQuickStyle::setStyle(QStringLiteral("Basic"));
    }

    void init() {
        home = std::make_unique<TestHome>();
        clock.install();
        manual = true;
    }

    void cleanup() {
        useRealTime();
        view.reset();
        state.reset();
        home.reset();
    }

    void slidesInOrder_data() {
        QTest::addColumn<QList<Planned>>("files");
        QTest::addColumn<bool>("includeRenames");
        QTest::addColumn<QList<Shown>>("show");
        QTest::addColumn<QString>("shots");

        const QString intro1 = QStringLiteral("This Sunday,");
        const QString intro2 = QStringLiteral("you made room.");
        const Shown intro{QStringLiteral("intro"), {intro1, intro2}};
        const Shown finale{
            QStringLiteral("finale"),
            {"Breathe.", "You're starting the week fresh.", "Open in Finder", "Done"}};
        auto moved = [](int n) {
            return Shown{QStringLiteral("moved"),
                         {"Your Mac just exhaled.", Format::count(n), "files found a home."}};
        };

        QTest::newRow("everything, with an example rename")
            << fullPlan() << true
            << QList<Shown>{intro,
                            moved(6),
                            {"groups",
                             {"Where everything went", "Personal", "3", "Library · Fonts", "2"}},
                            {"renamed",
                             {"2", "names made clear.", "IMG_1.png", "Beach Sunset.png"}},
                            {"clear",
                             {Format::fileSize(1'200'000'000), "ready to clear out.",
                              "Nothing was deleted. It's waiting in your review folder whenever "
                              "you're ready."}},
                            finale}
            << "recap";

        QList<Planned> plain = fullPlan();
        plain.removeLast(); // no junk
        QTest::newRow("renames left out, no junk")
            << plain << false
            << QList<Shown>{intro,
                            moved(5),
                            {"groups",
                             {"Where everything went", "Personal", "3", "Library · Fonts", "2"}},
                            finale}
            << "";

        // Twelve groups, 12 files down to 1: the largest six, then the rest in one row.
        QList<Planned> wide;
        const QStringList dests{"Personal/Documents",  "Creator/Videos",     "Work Admin/Tax",
                                "Archive/2023",        "Library/Fonts",      "Library/Books",
                                "Projects/Alpha/Docs", "Projects/Beta/Docs", "Projects/Gamma/Art",
                                "Projects/Delta/Docs", "Library/Music",      "Projects/Eta/Docs"};
        const QStringList rows{"Where everything went",
                               "Personal",
                               "12",
                               "Creator",
                               "11",
                               "Work Admin",
                               "10",
                               "Archive",
                               "9",
                               "Library · Fonts",
                               "8",
                               "Library · Books",
                               "7",
                               "+ 6 more",
                               "21"};
        for (qsizetype i = 0; i < dests.size(); ++i)
            wide += many(dests[i], int(dests.size() - i));
        QTest::newRow("twelve groups")
            << wide << true << QList<Shown>{intro, moved(78), {"groups", rows}, finale}
            << "recap-12-groups";

        const QString longName = QStringLiteral(
            "Sunrise over the lake at the cabin, the whole family on the jetty, the dog chasing "
            "ducks in the reeds at first light.png");
        QTest::newRow("a 120-character new name")
            << QList<Planned>{planned(QStringLiteral("IMG_2.png"),
                                      QStringLiteral("Personal/Photos"), QStringLiteral("personal"),
                                      4, longName, FileKind::image)}
            << true
            << QList<Shown>{intro,
                            moved(1),
                            {"groups", {"Where everything went", "Personal", "1"}},
                            {"renamed", {"1", "names made clear.", "IMG_2.png", longName}},
                            finale}
            << "recap-long-rename";

        QTest::newRow("all skipped: intro and finale only")
            << QList<Planned>{planned(QStringLiteral("gone.zip"),
                                      QStringLiteral("Tovrin Review/To Delete - Review First"),
                                      QStringLiteral("missing"))}
            << true << QList<Shown>{intro, finale} << "";
    }

    void slidesInOrder() {
        QFETCH(QList<Planned>, files);
        QFETCH(bool, includeRenames);
        QFETCH(QList<Shown>, show);
        QFETCH(QString, shots);
        applied(files, includeRenames);
        open();
        QStringList expected;
        for (const Shown& s : show)
            expected.append(s.slide);
        QCOMPARE(root()->property("slides").toStringList(), expected);

        for (qsizetype i = 0; i < show.size(); ++i) {
            // Every count, rise and bar has come to rest; the show has not moved on.
            clock.step(show[i].slide == QLatin1String("finale") ? 4300 : 3000);
            QCOMPARE(root()->property("index").toInt(), int(i));
            QCOMPARE(slide(), show[i].slide);
            QCOMPARE(texts(), show[i].texts);
            QCOMPARE(offWindow(), QStringList());
            auto* hint = root()->findChild<QQuickItem*>(QStringLiteral("hint"));
            QCOMPARE(hint->isVisible(), show[i].slide != QLatin1String("finale"));
            QCOMPARE(hint->property("text").toString(), QStringLiteral("Click to continue"));
            if (!shots.isEmpty())
                QVERIFY(Quick::screenshot(
                    *view, QStringLiteral("%1-%2-%3").arg(shots).arg(i).arg(slide())));
            if (i + 1 < show.size()) clickAt(current());
        }
        clickAt(current()); // the finale stays
        clock.step(1000);
        QCOMPARE(slide(), QStringLiteral("finale"));
        QCOMPARE(timer()->property("running").toBool(), false);
    }

    void barsAgainstTheLargest() {
        QList<Planned> files = many(QStringLiteral("Personal/Documents"), 10);
        files += many(QStringLiteral("Creator/Videos"), 5);
        applied(files, true);
        open();
        clickAt(current());
        clickAt(current());
        clock.step(4000);
        QCOMPARE(slide(), QStringLiteral("groups"));
        QList<QQuickItem*> fills;
        for (QQuickItem* item : Quick::items(current()))
            if (item->objectName() == QLatin1String("fill")) fills.append(item);
        QCOMPARE(fills.size(), 2);
        const double track = fills[0]->parentItem()->width();
        QVERIFY(std::abs(fills[0]->width() - track) < track * 0.002);
        QVERIFY(std::abs(fills[1]->width() - track / 2) < track * 0.002);
    }

    void noRecapShowsOnlyTheFinale() {
        makeState();
        open();
        QCOMPARE(root()->property("slides").toStringList(), QStringList{"finale"});
        QCOMPARE(slide(), QStringLiteral("finale"));
        QCOMPARE(root()->property("onFinale").toBool(), true);
        QCOMPARE(timer()->property("running").toBool(), false);
        QVERIFY(!root()->findChild<QQuickItem*>(QStringLiteral("hint"))->isVisible());
    }

    void finaleButtons() {
        makeState();
        open();
        clock.step(4500);
        auto* open = current()->findChild<QQuickItem*>(QStringLiteral("openInFinder"));
        QCOMPARE(open->parentItem()->parentItem()->parentItem()->opacity(), 1.0); // risen
        QSignalSpy folder(root(), SIGNAL(openFolderRequested(QString)));
        QSignalSpy close(root(), SIGNAL(closeRequested()));
        clickAt(open);
        QCOMPARE(folder.size(), 1);
        QCOMPARE(folder.first().first().toString(), home->path(QStringLiteral("Documents")));
        QCOMPARE(close.size(), 0);
        clickAt(current()->findChild<QQuickItem*>(QStringLiteral("done")));
        QCOMPARE(close.size(), 1);
    }

    // The wait between slides runs on the real clock.
    void timerWalksToTheFinaleAndStops() {
        applied(fullPlan(), true);
        useRealTime();
        open();
        QCOMPARE(timer()->property("interval").toInt(), 4200);
        QCOMPARE(timer()->property("running").toBool(), true);
        timer()->setProperty("interval", 100);
        QSignalSpy steps(root(), SIGNAL(indexChanged()));
        QTRY_COMPARE(slide(), QStringLiteral("finale"));
        QCOMPARE(steps.size(), 5);
        QCOMPARE(timer()->property("running").toBool(), false);
        QTest::qWait(400); // four more waits would have passed
        QCOMPARE(steps.size(), 5);
    }

    void clickRestartsTheWait() {
        applied(fullPlan(), true);
        useRealTime();
        open();
        timer()->setProperty("interval", 3000);
        QTest::qWait(1000);
        clickAt(current());
        QCOMPARE(slide(), QStringLiteral("moved")); // at once
        // The first wait would have ended 2 seconds after the click.
        QTest::qWait(2500);
        QCOMPARE(slide(), QStringLiteral("moved"));
        QTRY_COMPARE(slide(), QStringLiteral("groups"));
    }

    void recapArrivesWhileOpen() {
        savePlan(many(QStringLiteral("Personal/Documents"), 2));
        makeState();
        open();
        QCOMPARE(slide(), QStringLiteral("finale"));
        state->apply(false);
        QTRY_COMPARE_WITH_TIMEOUT(state->phase(), Phase::done, 20000);
        QCOMPARE(root()->property("slides").toStringList(),
                 (QStringList{"intro", "moved", "groups", "finale"}));
        QCOMPARE(slide(), QStringLiteral("intro"));
        QCOMPARE(timer()->property("running").toBool(), true);
    }
};

QTEST_MAIN(TestRecapView)
#include "test_recapview.moc"
