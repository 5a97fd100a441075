#include "format.h"
#include "quick.h"
#include "store.h"
#include "testapp.h"
#include "testitems.h"

#include <QSignalSpy>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_RecapPlugin)

// The slideshow over the recap of a real apply in a throw-away home.
class TestRecapView : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    std::unique_ptr<TestView> view;
    int ids = 0;

    TestPlanItem file(const QString& name, const QString& dest,
                      const QString& category = QStringLiteral("personal")) {
        return TestPlanItem(app->home.write(QStringLiteral("Desktop/") + name), dest, category)
            .id(++ids);
    }
    // The window over a state that restored that plan and applied it.
    void open(const QList<PlanItem>& plan) {
        TestHome::onboard();
        Store::savePlan(plan);
        app->start();
        app->state->apply(true);
        QVERIFY(app->settle());
        view = std::make_unique<TestView>(QStringLiteral("Recap/RecapView"), app->state.get(),
                                          QSize(760, 520));
    }
    QObject* root() const { return view->root(); }
    QString slide() const { return root()->property("slide").toString(); }
    QStringList slides() const { return root()->property("slides").toStringList(); }
    QObject* timer() const { return root()->findChild<QObject*>("autoAdvance"); }
    QQuickItem* current() const {
        return root()->findChild<QQuickItem*>("slides")->property("current").value<QQuickItem*>();
    }
    // Texts of the current slide that do not lie wholly inside the window.
    QStringList offWindow() const {
        QStringList off;
        const QRectF window(QPointF(0, 0), view->window.size());
        for (QQuickItem* item : Quick::items(current()))
            if (item->isVisible() && item->inherits("QQuickText") &&
                !window.contains(item->mapRectToScene(item->boundingRect())))
                off.append(item->property("text").toString());
        return off;
    }

private slots:
    void init() { app = std::make_unique<TestApp>(); }
    void cleanup() {
        view.reset();
        app.reset();
    }

    // Twelve groups of 12 files down to 1, a 120-character new name and junk:
    // every slide at rest shows the apply's numbers inside the window; a
    // click moves on, the finale stays.
    void slidesInOrder() {
        const QString longName = QStringLiteral(
            "Sunrise over the lake at the cabin, the whole family on the jetty, the dog chasing "
            "ducks in the reeds at first light.png");
        const QStringList dests{"Personal/Documents",  "Creator/Videos",     "Work Admin/Tax",
                                "Archive/2023",        "Library/Fonts",      "Library/Books",
                                "Projects/Alpha/Docs", "Projects/Beta/Docs", "Projects/Gamma/Art",
                                "Projects/Delta/Docs", "Library/Music",      "Projects/Eta/Docs"};
        QList<PlanItem> plan{file("IMG_2.png", "Personal/Photos").newName(longName),
                             file("setup.dmg", "Tovrin Review/To Delete - Review First", "junk")
                                 .size(1'200'000'000)};
        for (int i = 0; i < dests.size(); ++i)
            for (int n = i == 0; n < dests.size() - i; ++n)
                plan.append(file(QStringLiteral("%1-%2.txt").arg(i).arg(n), dests[i]));
        open(plan);
        timer()->setProperty("interval", 3'600'000);
        QCOMPARE(slides(), (QStringList{"intro", "moved", "groups", "renamed", "clear", "finale"}));
        const QMap<QString, QString> numbers{{"intro", "you made room."},
                                             {"moved", Format::count(79)},
                                             {"groups", "+ 6 more"},
                                             {"renamed", longName},
                                             {"clear", Format::fileSize(1'200'000'000)},
                                             {"finale", "Done"}};
        for (int i = 0; i < 6; ++i) {
            QTest::qWait(slide() == QLatin1String("finale") ? 4300 : 3000);
            QCOMPARE(root()->property("index").toInt(), i);
            QVERIFY2(Quick::texts(current()).contains(numbers.value(slide())), qPrintable(slide()));
            QCOMPARE(offWindow(), QStringList());
            QVERIFY(view->screenshot(QStringLiteral("recap-%1-%2").arg(i).arg(slide())));
            QVERIFY(Quick::click(current()));
        }
        QCOMPARE(slide(), QStringLiteral("finale"));
        QSignalSpy folder(root(), SIGNAL(openFolderRequested(QString)));
        QVERIFY(Quick::click(current()->findChild<QQuickItem*>("openInFileManager")));
        QCOMPARE(folder.value(0).value(0).toString(), app->home.path(QStringLiteral("Documents")));
        QSignalSpy close(root(), SIGNAL(closeRequested()));
        QVERIFY(Quick::click(current()->findChild<QQuickItem*>("done")));
        QCOMPARE(close.size(), 1);
    }

    // The show walks to the finale by itself and stops there.
    void advancesAndStops() {
        open({file("a.txt", "Personal/Documents"), file("b.txt", "Personal/Documents")});
        QCOMPARE(slides(), (QStringList{"intro", "moved", "groups", "finale"}));
        QSignalSpy steps(root(), SIGNAL(indexChanged()));
        timer()->setProperty("interval", 100);
        QTRY_COMPARE(slide(), QStringLiteral("finale"));
        QTest::qWait(400); // four more waits would have passed
        QCOMPARE(steps.size(), 3);
        QCOMPARE(timer()->property("running").toBool(), false);
    }
};

QTEST_MAIN(TestRecapView)
#include "test_recapview.moc"
