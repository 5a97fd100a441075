#include "qmltypes.h"
#include "quick.h"
#include "reviewfixture.h"
#include "reviewlists.h"

#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickView>
#include <QSignalSpy>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Tovrin_CorePlugin)
Q_IMPORT_QML_PLUGIN(Tovrin_ReviewPlugin)

// The review window on screen: which operation each control calls, what each
// tab shows, and that approving moves exactly the approved files.
class TestReviewView : public QObject {
    Q_OBJECT

    std::unique_ptr<ReviewFixture> fixture;
    std::unique_ptr<AppState> state;
    std::unique_ptr<QQuickView> view;

    // Over the state a test made, else over the fixture's plan restored.
    bool open() {
        if (!state) state = fixture->start();
        view = std::make_unique<QQuickView>();
        UiCore::setUp(*view->engine());
        view->setInitialProperties({{QStringLiteral("appState"), QVariant::fromValue(state.get())}});
        view->setResizeMode(QQuickView::SizeRootObjectToView);
        view->setSource(QUrl(QStringLiteral("qrc:/qt/qml/Tovrin/Review/ReviewView.qml")));
        if (view->status() != QQuickView::Ready) {
            qWarning() << view->errors();
            return false;
        }
        view->resize(1240, 780);
        view->show();
        view->requestActivate();
        return QTest::qWaitForWindowActive(view.get());
    }

    QQuickItem* root() const { return view->rootObject(); }
    int tab() const {
        for (QObject* child : root()->children())
            if (child->inherits("ReviewController")) return child->property("tab").toInt();
        return -1;
    }

    // Waits for the item to be shown; a missing item ends the run, since
    // every step after it would only read through a null pointer.
    QQuickItem* find(const QString& name, QQuickItem* in = nullptr) {
        QQuickItem* found = nullptr;
        if (!QTest::qWaitFor([&] {
                found = Quick::find(in ? in : root(), name);
                return found && found->isVisible();
            }))
            qFatal("No visible item named %s", qPrintable(name));
        return found;
    }

    void click(QQuickItem* item) { QVERIFY(Quick::click(item)); }

    void showTab(const QString& title) { click(find(QStringLiteral("tab-") + title)); }

    // Waits until no thumbnail is still loading, then saves the window.
    void screenshot(const QString& name) {
        const auto loading = [this] {
            for (QQuickItem* item : Quick::items(root()))
                if (item->inherits("QQuickImage") && item->property("status").toInt() == 2)
                    return true;
            return false;
        };
        QTRY_VERIFY(!loading());
        QVERIFY(Quick::screenshot(*view, QStringLiteral("review-") + name));
    }

    const PlanItem& now(qint64 id) const { return *ReviewFixture::find(state->plan(), id); }
    bool saved(qint64 id, bool PlanItem::*field) const {
        return ReviewFixture::find(*Store::loadPlan(), id)->*field;
    }
    qint64 firstIn(const QString& category) const {
        for (const PlanItem& item : state->plan())
            if (item.category == category) return item.id;
        return -1;
    }

private slots:
    void initTestCase() { QQuickStyle::setStyle(QStringLiteral("Basic")); }
    void init() { fixture = std::make_unique<ReviewFixture>(); }
    void cleanup() {
        view.reset();
        state.reset();
        fixture.reset();
    }

    void organizeTabAndTabCounts() {
        QVERIFY(open());
        const QList<QPair<QString, int>> expected{
            {QStringLiteral("Organize"), fixture->counts.organize},
            {QStringLiteral("Rename"), fixture->counts.rename},
            {QStringLiteral("Junk"), fixture->counts.junk},
            {QStringLiteral("Needs You"), fixture->counts.needs},
        };
        for (const auto& [title, count] : expected)
            QCOMPARE(Quick::texts(find(QStringLiteral("tab-") + title)),
                     (QStringList{title, QString::number(count)}));
        QCOMPARE(
            find(QStringLiteral("approve"))->property("text").toString(),
            QStringLiteral("Approve %1 changes").arg(fixture->plan.size() - fixture->counts.needs));
        QVERIFY(!Quick::shows(root(), QStringLiteral("emptyState")));
        screenshot(QStringLiteral("organize"));
    }

    void refreshOpensOnItsTab_data() {
        QTest::addColumn<Tidy::Mode>("mode");
        QTest::addColumn<int>("tab");
        QTest::newRow("quick") << Tidy::Mode::quick << 0;
        QTest::newRow("junk only") << Tidy::Mode::junkOnly << 2;
    }
    void refreshOpensOnItsTab() {
        QFETCH(Tidy::Mode, mode);
        QFETCH(int, tab);
        TestHome::onboard();
        state = std::make_unique<AppState>(fixture->services());
        state->start(mode);
        QTRY_COMPARE_WITH_TIMEOUT(state->phase(), Phase::review, 20000);
        QVERIFY(open());
        QCOMPARE(this->tab(), tab);
    }

    void tileClickTogglesApproval() {
        QVERIFY(open());
        const qint64 id = 0;
        QQuickItem* tile = find(QStringLiteral("tile-%1").arg(id));
        click(tile);
        QCOMPARE(now(id).approved, false);
        QCOMPARE(saved(id, &PlanItem::approved), false);
        QTRY_COMPARE(tile->opacity(), 0.45);
        click(tile);
        QCOMPARE(now(id).approved, true);
        QCOMPARE(saved(id, &PlanItem::approved), true);
    }

    void spaceTogglesTheCurrentTile() {
        QVERIFY(open());
        QTest::keyClick(view.get(), Qt::Key_Right);
        QTest::keyClick(view.get(), Qt::Key_Space);
        QCOMPARE(now(1).approved, false);
        QCOMPARE(now(0).approved, true);
    }

    void sidebarRowShowsItsGroupFromAnyTab() {
        QVERIFY(open());
        showTab(QStringLiteral("Junk"));
        QTRY_COMPARE(tab(), 2);
        click(find(QStringLiteral("group-Work Admin")));
        QTRY_COMPARE(tab(), 0);
        screenshot(QStringLiteral("organize-icons"));
        click(find(QStringLiteral("group-Pellmark")));
        QTRY_COMPARE(tab(), 0);
        QQuickItem* grid = find(QStringLiteral("organizeGrid"));
        QTRY_COMPARE(grid->property("count").toInt(), 32);
        QMetaObject::invokeMethod(grid, "positionViewAtEnd");
        screenshot(QStringLiteral("organize-group"));
        click(find(QStringLiteral("group-Everything")));
        QTRY_COMPARE(grid->property("count").toInt(), fixture->counts.organize);
    }

    void renameSwitch() {
        QVERIFY(open());
        showTab(QStringLiteral("Rename"));
        const qint64 id = 0;
        QQuickItem* row = find(QStringLiteral("rename-%1").arg(id));
        screenshot(QStringLiteral("rename"));
        click(find(QStringLiteral("renameTick"), row));
        QCOMPARE(now(id).renameApproved, false);
        QCOMPARE(saved(id, &PlanItem::renameApproved), false);
        QCOMPARE(now(id).approved, true);
        click(find(QStringLiteral("renameTick"), row));
        QCOMPARE(now(id).renameApproved, true);
    }

    void keepWholeJunkGroup() {
        QVERIFY(open());
        showTab(QStringLiteral("Junk"));
        QQuickItem* group = find(QStringLiteral("junkGroup-Installers"));
        screenshot(QStringLiteral("junk"));
        QQuickItem* keep = find(QStringLiteral("keepAll"), group);
        QCOMPARE(keep->property("text").toString(), QStringLiteral("Keep all"));
        click(keep);
        for (const PlanItem& item : state->plan())
            if (item.destFolder.endsWith(QLatin1String("/Installers")))
                QCOMPARE(item.approved, false);
        QTRY_COMPARE(keep->property("text").toString(), QStringLiteral("Include again"));
        click(keep);
        for (const PlanItem& item : state->plan())
            if (item.destFolder.endsWith(QLatin1String("/Installers")))
                QCOMPARE(item.approved, true);
        QTRY_COMPARE(keep->property("text").toString(), QStringLiteral("Keep all"));
    }

    void junkRowTicks() {
        QVERIFY(open());
        showTab(QStringLiteral("Junk"));
        const qint64 id = firstIn(QStringLiteral("junk"));
        QQuickItem* row = find(QStringLiteral("junk-%1").arg(id));
        click(find(QStringLiteral("junkTick"), row));
        QCOMPARE(now(id).approved, false);
        QCOMPARE(saved(id, &PlanItem::approved), false);
    }

    void junkGroupSumsUpPast200() {
        QVERIFY(open());
        showTab(QStringLiteral("Junk"));
        QQuickItem* list = find(QStringLiteral("junkList"));
        // Installers: heading and 5 rows; then the screenshots' heading, 200 rows, the line.
        QMetaObject::invokeMethod(list, "positionViewAtIndex", Q_ARG(int, 6 + 201), Q_ARG(int, 2));
        QQuickItem* more = find(QStringLiteral("junkMore-Screenshots & images"));
        QCOMPARE(Quick::texts(more).value(0),
                 QStringLiteral("+ 50 more like these. Use Keep all to keep the whole group."));
        screenshot(QStringLiteral("junk-more"));
    }

    void spaceTogglesTheCurrentRow_data() {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("downs");
        QTest::addColumn<bool>("rename");
        QTest::newRow("rename") << "Rename"
                                << "renameList" << 0 << true;
        QTest::newRow("junk") << "Junk"
                              << "junkList" << 1 << false;
    }
    void spaceTogglesTheCurrentRow() {
        QFETCH(QString, tab);
        QFETCH(QString, list);
        QFETCH(int, downs);
        QFETCH(bool, rename);
        QVERIFY(open());
        showTab(tab);
        QQuickItem* view = find(list);
        view->forceActiveFocus();
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(this->view.get(), Qt::Key_Down);
        const QString kind = rename ? QStringLiteral("rename-") : QStringLiteral("junk-");
        QQuickItem* current = qvariant_cast<QQuickItem*>(view->property("currentItem"));
        QVERIFY(current && current->objectName().startsWith(kind));
        const qint64 id = current->objectName().mid(kind.size()).toLongLong();
        QTest::keyClick(this->view.get(), Qt::Key_Space);
        QCOMPARE(rename ? now(id).renameApproved : now(id).approved, false);
        QCOMPARE(state->phase(), Phase::review);
    }

    void sendAllTo() {
        QVERIFY(open());
        showTab(QStringLiteral("Needs You"));
        click(find(QStringLiteral("sendAll")));
        QQuickItem* archive = nullptr;
        QTRY_VERIFY((archive = Quick::button(view->contentItem(), QStringLiteral("Archive"))));
        click(archive);
        QTRY_COMPARE(find(QStringLiteral("needsList"))->property("count").toInt(), 0);
        int sent = 0;
        for (const PlanItem& item : state->plan())
            if (item.category == QLatin1String("user")) {
                QCOMPARE(item.destFolder, QStringLiteral("Archive"));
                QVERIFY(item.approved);
                ++sent;
            }
        QCOMPARE(sent, fixture->counts.needs);
        // The bulk row goes with the last item; the header stays.
        QVERIFY(!Quick::shows(root(), QStringLiteral("sendAll")));
    }

    void destinationPicker_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("folder");
        QTest::newRow("a folder") << "Work Admin"
                                  << "Work Admin";
        QTest::newRow("archive") << "Archive"
                                 << "Archive";
        QTest::newRow("needs you folder") << "Needs You folder"
                                          << "Tovrin Review/Needs You";
    }
    void destinationPicker() {
        QFETCH(QString, entry);
        QFETCH(QString, folder);
        QVERIFY(open());
        showTab(QStringLiteral("Needs You"));
        const qint64 id = firstIn(QStringLiteral("needs-you"));
        QQuickItem* row = find(QStringLiteral("needs-%1").arg(id));
        if (entry == QLatin1String("Work Admin")) screenshot(QStringLiteral("needs"));
        click(find(QStringLiteral("destination"), row));
        QQuickItem* choice = nullptr;
        QTRY_VERIFY((choice = Quick::button(view->contentItem(), entry)));
        if (entry == QLatin1String("Work Admin")) screenshot(QStringLiteral("needs-menu"));
        click(choice);
        QCOMPARE(now(id).destFolder, folder);
        QCOMPARE(now(id).category, QStringLiteral("user"));
        QCOMPARE(now(id).approved, true);
        QTRY_COMPARE(find(QStringLiteral("needsList"))->property("count").toInt(),
                     fixture->counts.needs - 1);
    }

    void leaveWhereItIs() {
        QVERIFY(open());
        showTab(QStringLiteral("Needs You"));
        const qint64 id = firstIn(QStringLiteral("needs-you"));
        state->toggle(id);
        QQuickItem* row = find(QStringLiteral("needs-%1").arg(id));
        QQuickItem* menu = find(QStringLiteral("destination"), row);
        QTRY_COMPARE(menu->property("text").toString(), QStringLiteral("Needs You folder  ▾"));
        click(menu);
        QQuickItem* choice = nullptr;
        QTRY_VERIFY(
            (choice = Quick::button(view->contentItem(), QStringLiteral("Leave where it is"))));
        click(choice);
        QCOMPARE(now(id).approved, false);
        QCOMPARE(now(id).category, QStringLiteral("needs-you"));
        QTRY_COMPARE(menu->property("text").toString(), QStringLiteral("Leave where it is  ▾"));
    }

    void addTypedProject() {
        QVERIFY(open());
        showTab(QStringLiteral("Needs You"));
        QQuickItem* add = find(QStringLiteral("addProject"));
        QCOMPARE(add->property("enabled").toBool(), false);
        Quick::type(find(QStringLiteral("projectField")), QStringLiteral("  "));
        QCOMPARE(add->property("enabled").toBool(), false);
        QTest::keyClick(view.get(), Qt::Key_Return);
        QCOMPARE(state->profile().projects.size(), 0);
        QCOMPARE(state->phase(), Phase::review);

        Quick::type(find(QStringLiteral("projectField")), QStringLiteral("Kestrel"));
        QCOMPARE(add->property("enabled").toBool(), true);
        QTest::keyClick(view.get(), Qt::Key_Return);
        QCOMPARE(state->profile().projects.size(), 1);
        QCOMPARE(find(QStringLiteral("addedNote"))->property("text").toString(),
                 QStringLiteral("Added Kestrel · 5 files sorted into it."));
        QCOMPARE(find(QStringLiteral("projectField"))->property("text").toString(), QString());
        QCOMPARE(state->phase(), Phase::review);
        screenshot(QStringLiteral("needs-added"));
    }

    void suggestionBanner() {
        QVERIFY(open());
        QQuickItem* banner = find(QStringLiteral("banner"));
        QQuickItem* suggestion = find(QStringLiteral("suggestion-Kestrel"), banner);
        click(find(QStringLiteral("dismissSuggestion"), suggestion));
        QTRY_COMPARE(banner->isVisible(), false);
        QCOMPARE(state->profile().projects.size(), 0);
        // Hidden for this window only: a new one shows it again.
        view.reset();
        state.reset();
        QVERIFY(open());
        QVERIFY(find(QStringLiteral("suggestion-Kestrel")));
    }

    void addSuggestedProject() {
        QVERIFY(open());
        QQuickItem* suggestion = find(QStringLiteral("suggestion-Kestrel"));
        click(find(QStringLiteral("addSuggestion"), suggestion));
        QCOMPARE(state->profile().projects.size(), 1);
        QCOMPARE(find(QStringLiteral("addedNote"))->property("text").toString(),
                 QStringLiteral("Added Kestrel · 5 files sorted into it."));
        QVERIFY(find(QStringLiteral("banner"))->isVisible());
    }

    // A click, or Return or Enter on the focused button, presses only that
    // button; Return anywhere else applies nothing.
    void approveMovesTheApprovedFiles_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("applied");
        QTest::addColumn<bool>("renames");
        QTest::newRow("approve clicked") << "approve" << 0 << true << true;
        QTest::newRow("organize only clicked") << "organizeOnly" << 0 << true << false;
        QTest::newRow("return on approve") << "approve" << int(Qt::Key_Return) << true << true;
        QTest::newRow("return on organize only")
            << "organizeOnly" << int(Qt::Key_Return) << true << false;
        QTest::newRow("enter on organize only")
            << "organizeOnly" << int(Qt::Key_Enter) << true << false;
        QTest::newRow("return on the grid") << "" << int(Qt::Key_Return) << false << false;
        QTest::newRow("enter on a sidebar row")
            << "group-Everything" << int(Qt::Key_Enter) << false << false;
    }
    void approveMovesTheApprovedFiles() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, applied);
        QFETCH(bool, renames);
        QVERIFY(open());
        state->toggle(0);
        state->toggle(firstIn(QStringLiteral("junk")));
        const QList<PlanItem> plan = state->plan();
        const QString base = state->profile().homeBase;
        QSignalSpy closing(root(), SIGNAL(closeRequested()));
        if (!key) {
            click(find(focus));
        } else {
            if (!focus.isEmpty()) find(focus)->forceActiveFocus(Qt::TabFocusReason);
            QTest::keyClick(view.get(), Qt::Key(key));
        }
        if (!applied) {
            QCOMPARE(closing.count(), 0);
            QCOMPARE(state->phase(), Phase::review);
            QCOMPARE(state->plan(), plan);
            return;
        }
        QCOMPARE(closing.count(), 1);
        QTRY_COMPARE(state->phase(), Phase::done);
        QVERIFY(state->plan().isEmpty());
        int moved = 0;
        for (const PlanItem& item : plan) {
            const QString name = renames && item.renameApproved && item.newName
                                     ? *item.newName
                                     : Review::fileName(item);
            const QString target =
                base + QLatin1Char('/') + item.destFolder + QLatin1Char('/') + name;
            QCOMPARE(QFileInfo::exists(target), item.approved);
            QCOMPARE(QFileInfo::exists(item.src.toLocalFile()), !item.approved);
            moved += item.approved;
        }
        QCOMPARE(state->lastResult()->moved, moved);
    }

    // Tab walks the window top to bottom: the tabs, the sidebar, the banner,
    // the grid, then the two footer buttons.
    void tabOrder() {
        QVERIFY(open());
        const auto focused = [this] {
            const QQuickItem* item = view->activeFocusItem();
            return item ? item->objectName() : QString();
        };
        for (int i = 0; i < 30 && focused() != QLatin1String("tab-Organize"); ++i)
            QTest::keyClick(view.get(), Qt::Key_Tab);
        QStringList chain{focused()};
        for (int i = 0; i < 16; ++i) {
            QTest::keyClick(view.get(), Qt::Key_Tab);
            chain.append(focused());
        }
        QCOMPARE(chain.mid(0, 6),
                 (QStringList{"tab-Organize", "tab-Rename", "tab-Junk", "tab-Needs You",
                              "group-Everything", "group-Personal"}));
        const auto at = [&](const char* name) { return chain.indexOf(QString::fromUtf8(name)); };
        QVERIFY2(at("group-Library · Fonts") > 0, qPrintable(chain.join(u',')));
        QVERIFY(at("group-Library · Fonts") < at("addSuggestion"));
        QVERIFY(at("addSuggestion") < at("dismissSuggestion"));
        QVERIFY(at("dismissSuggestion") < at("tile-0"));
        QVERIFY(at("tile-0") < at("organizeOnly"));
        QVERIFY(at("organizeOnly") < at("approve"));
    }

    void escapeAsksToClose() {
        QVERIFY(open());
        QSignalSpy closing(root(), SIGNAL(closeRequested()));
        QTest::keyClick(view.get(), Qt::Key_Escape);
        QCOMPARE(closing.count(), 1);
        QCOMPARE(state->phase(), Phase::review);
    }

    void emptyPlan() {
        fixture->plan.clear();
        QVERIFY(open());
        QQuickItem* empty = find(QStringLiteral("emptyState"));
        QVERIFY(empty->isVisible());
        QCOMPARE(Quick::texts(empty),
                 (QStringList{QStringLiteral("Nothing waiting"),
                              QStringLiteral("Start a refresh from the menu bar.")}));
        for (const char* title : {"Organize", "Rename", "Junk", "Needs You"})
            QCOMPARE(Quick::texts(find(QStringLiteral("tab-") + QLatin1String(title))).value(1),
                     QStringLiteral("0"));
        QCOMPARE(find(QStringLiteral("approve"))->property("text").toString(),
                 QStringLiteral("Approve 0 changes"));
        screenshot(QStringLiteral("empty"));
    }
};

QTEST_MAIN(TestReviewView)
#include "test_reviewview.moc"
