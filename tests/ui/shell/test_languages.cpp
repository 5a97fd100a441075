#include "language.h"
#include "menupanel.h"
#include "quick.h"
#include "store.h"
#include "testapp.h"
#include "testitems.h"
#include "windowmanager.h"

#include <QQmlEngine>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ShellPlugin)

// Every window and menu panel in German and French, as the user meets them
// from the first launch to the recap: each is saved as
// build/screenshots/<language>/<window>.png, and no text in it may be cut
// short or spill out of its box, card or window.
class TestLanguages : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    QString language;
    QStringList problems;

    void check(QQuickWindow* window, const QString& name) {
        if (!window || !QTest::qWaitForWindowExposed(window)) {
            problems.append(name + QStringLiteral(": not shown"));
            return;
        }
        if (!Quick::screenshot(*window, language + u'/' + name))
            problems.append(name + QStringLiteral(": no screenshot"));
        for (const QString& text : Quick::clipped(window->contentItem()))
            problems.append(name + QStringLiteral(": ") + text);
        // A page that scrolls is also seen from its end.
        for (QQuickItem* item : Quick::items(window->contentItem()))
            if (item->inherits("QQuickFlickable") && !item->inherits("QQuickItemView") &&
                item->property("contentHeight").toReal() > item->height()) {
                item->setProperty("contentY",
                                  item->property("contentHeight").toReal() - item->height());
                Quick::screenshot(*window, language + u'/' + name + QStringLiteral("-end"));
                item->setProperty("contentY", 0);
            }
    }
    // The menu panel as a window of its own, the size of the panel showing.
    static QString panel(const MenuPanel& menu) {
        QObject* view = menu.window()->findChild<QObject*>(QStringLiteral("menu"));
        auto* item = view->property("panel").value<QQuickItem*>();
        return item ? item->objectName() : QString();
    }
    // A plan with something in every tab, a project to suggest among the
    // files that need the user.
    QList<PlanItem> plan() {
        const auto file = [this](const QString& name) {
            return app->home.write(QStringLiteral("Downloads/") + name, "x");
        };
        const QString review = QStringLiteral("Tovrin Review/");
        QList<PlanItem> items{
            TestPlanItem(file("IMG_4821.png"), "Personal/Photos").newName("Beach at dusk.png"),
            TestPlanItem(file("brief.pdf"), "Projects/Pellmark/Docs", "project:Pellmark"),
            TestPlanItem(file("invoice.pdf"), "Work Admin"),
            TestPlanItem(file("tool_1.2_amd64.deb"), review + "To Delete - Review First", "junk")
                .kind(FileKind::installer)
                .size(48'000'000),
            TestPlanItem(file("brief copy.pdf"), review + "Duplicates - Review First", "duplicate"),
            TestPlanItem(file("odd.bin"), review + "Needs You", "needs-you").approved(false)};
        for (int i = 0; i < 3; ++i)
            items.append(TestPlanItem(file(QStringLiteral("pitch-%1.txt").arg(i)),
                                      review + "Needs You", "needs-you")
                             .approved(false)
                             .suggestedProject("Kestrel"));
        for (int i = 0; i < items.size(); ++i)
            items[i].id = i + 1;
        return items;
    }

private slots:
    void init() { problems.clear(); }
    void cleanup() {
        app.reset();
        Language::install(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void everyWindowFits_data() {
        QTest::addColumn<QString>("locale");
        QTest::newRow("de") << "de_DE";
        QTest::newRow("fr") << "fr_FR";
    }
    void everyWindowFits() {
        QFETCH(QString, locale);
        language = QLocale(locale).name().left(2);
        app = std::make_unique<TestApp>();
        Language::install(QLocale(locale));
        QQmlEngine engine;
        Quick::setUp(engine);

        // The first launch: the welcome and both steps of the onboarding.
        {
            AppState& state = app->start();
            MenuPanel menu(engine, state, MenuPanel::Style::window);
            menu.show();
            check(menu.window(), QStringLiteral("menu-welcome"));
            WindowManager windows(engine, state);
            QQuickWindow* onboarding = windows.open(QStringLiteral("onboarding"));
            check(onboarding, QStringLiteral("onboarding-connect"));
            Quick::wait(onboarding->contentItem(), "keyField")->setProperty("text", "demo");
            QVERIFY(Quick::click(Quick::wait(onboarding->contentItem(), "continueButton")));
            Quick::wait(onboarding->contentItem(), "startButton");
            check(onboarding, QStringLiteral("onboarding-preferences"));
        }

        // A plan waiting for review, then applied.
        TestHome::onboard({QStringLiteral("Pellmark")});
        Store::savePlan(plan());
        AppState& state = app->start();
        MenuPanel menu(engine, state, MenuPanel::Style::window);
        menu.show();
        WindowManager windows(engine, state);
        check(menu.window(), QStringLiteral("menu-review-ready"));
        QQuickWindow* review = windows.open(QStringLiteral("review"));
        QVERIFY(review && QTest::qWaitForWindowExposed(review));
        review->resize(review->minimumSize());
        QStringList tabs;
        for (QQuickItem* item : Quick::items(review->contentItem()))
            if (item->objectName().startsWith(QLatin1String("tab-")))
                tabs.append(item->objectName());
        QCOMPARE(tabs.size(), 4);
        for (int tab = 0; tab < tabs.size(); ++tab) {
            QVERIFY(Quick::click(Quick::find(review->contentItem(), tabs[tab])));
            check(review, QStringLiteral("review-%1").arg(tab + 1));
        }
        check(windows.open(QStringLiteral("settings")), QStringLiteral("settings"));
        check(windows.open(QStringLiteral("zen")), QStringLiteral("zen"));

        state.apply(true);
        QVERIFY(app->settle());
        QTRY_COMPARE(panel(menu), QStringLiteral("donePanel"));
        check(menu.window(), QStringLiteral("menu-done"));
        QQuickWindow* recap = windows.open(QStringLiteral("recap"));
        QVERIFY(recap && QTest::qWaitForWindowExposed(recap));
        QObject* show = recap->findChild<QObject*>(QStringLiteral("view"));
        show->findChild<QObject*>(QStringLiteral("autoAdvance"))
            ->setProperty("interval", 3'600'000);
        for (int i = 0;; ++i) {
            const QString slide = show->property("slide").toString();
            // Every line has risen into place, the finale's buttons last.
            QTest::qWait(slide == QLatin1String("finale") ? 4300 : 2500);
            check(recap, QStringLiteral("recap-%1-%2").arg(i).arg(slide));
            if (slide == QLatin1String("finale")) break;
            QVERIFY(Quick::click(recap->contentItem()));
        }

        QVERIFY(Quick::click(Quick::wait(menu.window()->contentItem(), "done")));
        check(menu.window(), QStringLiteral("menu-idle"));
        state.start(Tidy::Mode::quick);
        check(menu.window(), QStringLiteral("menu-scanning"));
        QVERIFY(app->settle());

        QVERIFY2(problems.isEmpty(), qPrintable(u'\n' + problems.join(u'\n')));
    }
};

QTEST_MAIN(TestLanguages)
#include "test_languages.moc"
