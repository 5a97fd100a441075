#include "format.h"
#include "groupmodel.h"
#include "junkmodel.h"
#include "reviewcontroller.h"
#include "reviewfixture.h"
#include "reviewmodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList column(const QAbstractItemModel& model, int role) {
    QStringList values;
    for (int row = 0; row < model.rowCount(); ++row)
        values.append(model.index(row, 0).data(role).toString());
    return values;
}

int rowOf(const QAbstractItemModel& model, int role, const QVariant& value) {
    for (int row = 0; row < model.rowCount(); ++row)
        if (model.index(row, 0).data(role) == value) return row;
    return -1;
}

} // namespace

// The models behind the tabs and the sidebar, over a realistic plan: what
// each list holds, and that edits move single rows without losing the place.
class TestReviewModels : public QObject {
    Q_OBJECT

    std::unique_ptr<ReviewFixture> fixture;
    std::unique_ptr<AppState> state;

    template <typename Model> std::unique_ptr<Model> model() {
        auto made = std::make_unique<Model>();
        new QAbstractItemModelTester(
            made.get(), QAbstractItemModelTester::FailureReportingMode::QtTest, made.get());
        made->setState(state.get());
        return made;
    }

    std::unique_ptr<ReviewModel> tab(Review::Tab which, const QString& group = {}) {
        auto made = model<ReviewModel>();
        made->setTab(which);
        made->setGroup(group);
        return made;
    }

private slots:
    void init() {
        fixture = std::make_unique<ReviewFixture>();
        state = fixture->start();
        QCOMPARE(state->phase(), Phase::review);
        QCOMPARE(state->plan().size(), fixture->plan.size());
    }
    void cleanup() {
        state.reset();
        fixture.reset();
    }

    void tabCounts_data() {
        QTest::addColumn<Review::Tab>("tab");
        QTest::newRow("organize") << Review::Tab::organize;
        QTest::newRow("rename") << Review::Tab::rename;
        QTest::newRow("junk") << Review::Tab::junk;
        QTest::newRow("needs") << Review::Tab::needs;
    }
    void tabCounts() {
        QFETCH(Review::Tab, tab);
        const int expected[] = {fixture->counts.organize, fixture->counts.rename,
                                fixture->counts.junk, fixture->counts.needs};
        const auto items = this->tab(tab);
        QCOMPARE(items->rowCount(), expected[int(tab)]);
        QCOMPARE(items->count(), expected[int(tab)]);
        // Plan order, as rows into the plan.
        for (int row = 1; row < items->rowCount(); ++row)
            QVERIFY(items->planRow(row - 1) < items->planRow(row));
    }

    void groupFilterAndSidebar() {
        const auto groups = model<GroupModel>();
        QCOMPARE(column(*groups, GroupModel::NameRole),
                 (QStringList{QStringLiteral("Personal"), QStringLiteral("Pellmark"),
                              QStringLiteral("Archive"), QStringLiteral("Work Admin"),
                              QStringLiteral("Library · Fonts")}));
        QCOMPARE(column(*groups, GroupModel::CountRole),
                 (QStringList{"40", "32", "26", "22", "9"}));

        const auto pellmark = tab(Review::Tab::organize, QStringLiteral("Pellmark"));
        QCOMPARE(pellmark->rowCount(), 32);
        QCOMPARE(pellmark->index(0).data(ReviewModel::NameRole).toString(),
                 QStringLiteral("Pellmark product shot 1.jpg"));
        QCOMPARE(pellmark->index(0).data(ReviewModel::FileNameRole).toString(),
                 QStringLiteral("IMG_4800.jpg"));
        pellmark->setGroup(QString());
        QCOMPARE(pellmark->rowCount(), fixture->counts.organize);
    }

    void toggleKeepsRowsAndSaves() {
        const auto items = tab(Review::Tab::organize);
        const qint64 id = items->idAt(3);
        QSignalSpy changed(items.get(), &QAbstractItemModel::dataChanged);
        QSignalSpy reset(items.get(), &QAbstractItemModel::modelReset);
        state->toggle(id);
        QCOMPARE(items->index(3).data(ReviewModel::ApprovedRole).toBool(), false);
        QCOMPARE(reset.count(), 0);
        QVERIFY(changed.count() >= 1);
        QCOMPARE(ReviewFixture::find(*Store::loadPlan(), id)->approved, false);
    }

    void destinationMovesOneRowAcross() {
        const auto needs = tab(Review::Tab::needs);
        const auto organize = tab(Review::Tab::organize);
        const auto groups = model<GroupModel>();
        const qint64 id = needs->idAt(2);
        QSignalSpy removed(needs.get(), &QAbstractItemModel::rowsRemoved);
        QSignalSpy inserted(organize.get(), &QAbstractItemModel::rowsInserted);
        state->setDestination(id, QStringLiteral("Work Admin"));
        QCOMPARE(removed.count(), 1);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(needs->rowCount(), fixture->counts.needs - 1);
        QCOMPARE(organize->rowCount(), fixture->counts.organize + 1);
        QCOMPARE(
            groups->index(rowOf(*groups, GroupModel::NameRole, QStringLiteral("Work Admin")), 0)
                .data(GroupModel::CountRole)
                .toInt(),
            23);

        // "Needs You folder" is a choice of folder too: out of the tab.
        state->setDestination(needs->idAt(0), QStringLiteral("Tovrin Review/Needs You"));
        QCOMPARE(needs->rowCount(), fixture->counts.needs - 2);

        // "Leave where it is" keeps the item in its tab, unticked.
        const qint64 other = needs->idAt(0);
        state->toggle(other);
        QCOMPARE(needs->index(0).data(ReviewModel::DestinationTextRole).toString(),
                 QStringLiteral("Needs You folder"));
        state->setDestination(other, QString());
        QCOMPARE(needs->rowCount(), fixture->counts.needs - 2);
        QCOMPARE(needs->index(0).data(ReviewModel::DestinationTextRole).toString(),
                 QStringLiteral("Leave where it is"));
        QCOMPARE(needs->index(0).data(ReviewModel::ApprovedRole).toBool(), false);
    }

    void aNewPlanResets() {
        const auto items = tab(Review::Tab::junk);
        QSignalSpy reset(items.get(), &QAbstractItemModel::modelReset);
        state->apply(true);
        QTRY_COMPARE(state->phase(), Phase::done);
        QVERIFY(reset.count() >= 1);
        QCOMPARE(items->rowCount(), 0);
    }

    void junkGroupsListAtMost200() {
        const auto junk = model<JunkModel>();
        QCOMPARE(column(*junk, JunkModel::KindRole).count(QStringLiteral("heading")), 4);
        // Installers (450 MB), screenshots (45 MB), partial downloads, duplicates.
        const int screenshots =
            rowOf(*junk, JunkModel::GroupNameRole, QStringLiteral("Screenshots & images"));
        QCOMPARE(junk->index(0).data(JunkModel::GroupNameRole).toString(),
                 QStringLiteral("Installers"));
        QCOMPARE(screenshots, 1 + 5);
        const QModelIndex heading = junk->index(screenshots);
        QCOMPARE(heading.data(JunkModel::CountTextRole).toString(),
                 QStringLiteral("250 of 250 files"));
        QCOMPARE(heading.data(JunkModel::SizeTextRole).toString(), Format::fileSize(250 * 180'000));
        QCOMPARE(heading.data(JunkModel::ReasonRole).toString(),
                 QStringLiteral("A screenshot nobody opened again"));
        const QModelIndex more = junk->index(screenshots + 201);
        QCOMPARE(more.data(JunkModel::KindRole).toString(), QStringLiteral("more"));
        QCOMPARE(more.data(JunkModel::MoreTextRole).toString(),
                 QStringLiteral("+ 50 more like these. Use Keep all to keep the whole group."));
        QCOMPARE(junk->index(screenshots + 200).data(JunkModel::KindRole).toString(),
                 QStringLiteral("item"));
        QCOMPARE(junk->groupIds(screenshots).size(), 250);
        QCOMPARE(junk->rowCount(), 4 + 5 + 200 + 1 + 7 + 12);
    }

    void junkCountsFollowTheTicks() {
        const auto junk = model<JunkModel>();
        const int installers = 0;
        state->toggle(junk->idAt(installers + 1));
        state->toggle(junk->idAt(installers + 2));
        const QModelIndex heading = junk->index(installers);
        QCOMPARE(heading.data(JunkModel::CountTextRole).toString(), QStringLiteral("3 of 5 files"));
        QCOMPARE(heading.data(JunkModel::SizeTextRole).toString(),
                 Format::fileSize(3 * 90'000'000));
        QCOMPARE(heading.data(JunkModel::AnyApprovedRole).toBool(), true);
        state->setApproved(junk->groupIds(installers), false);
        QCOMPARE(junk->index(installers).data(JunkModel::AnyApprovedRole).toBool(), false);
        QCOMPARE(junk->index(installers).data(JunkModel::CountTextRole).toString(),
                 QStringLiteral("0 of 5 files"));
        state->setApproved(junk->groupIds(installers), true);
        QCOMPARE(junk->index(installers).data(JunkModel::CountTextRole).toString(),
                 QStringLiteral("5 of 5 files"));
    }

    void collapsingAGroupRemovesItsRows() {
        const auto junk = model<JunkModel>();
        const int before = junk->rowCount();
        QSignalSpy removed(junk.get(), &QAbstractItemModel::rowsRemoved);
        junk->toggleCollapsed(0);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(junk->rowCount(), before - 5);
        QCOMPARE(junk->index(0).data(JunkModel::CollapsedRole).toBool(), true);
        QCOMPARE(junk->index(1).data(JunkModel::GroupNameRole).toString(),
                 QStringLiteral("Screenshots & images"));
        junk->toggleCollapsed(0);
        QCOMPARE(junk->rowCount(), before);
    }

    void panelTexts() {
        ReviewController panel;
        panel.setAppState(state.get());
        const QVariantList tabs = panel.tabs();
        QCOMPARE(tabs.size(), 4);
        QCOMPARE(tabs[3].toMap().value("title").toString(), QStringLiteral("Needs You"));
        QCOMPARE(tabs[2].toMap().value("countText").toString(), QStringLiteral("274"));
        QCOMPARE(
            panel.approveText(),
            QStringLiteral("Approve %1 changes").arg(fixture->plan.size() - fixture->counts.needs));
        QCOMPARE(panel.groupTitle(), QStringLiteral("Everything"));
        panel.setTab(Review::Tab::junk);
        panel.showGroup(QStringLiteral("Work Admin"));
        QCOMPARE(panel.tab(), Review::Tab::organize);
        QCOMPARE(panel.groupTitle(), QStringLiteral("Work Admin"));
        QCOMPARE(panel.organizeSubtitle(),
                 QStringLiteral("22 files · sorted by what's inside, not the name"));
        QVERIFY(panel.destinationChoices().contains(QStringLiteral("Personal/Finance & Receipts")));
        QVERIFY(!panel.destinationChoices().contains(QStringLiteral("Tovrin Review/Needs You")));
    }

    void anEmptiedGroupStaysChosen() {
        ReviewController panel;
        panel.setAppState(state.get());
        const QString fonts = QStringLiteral("Library · Fonts");
        panel.showGroup(fonts);
        const auto shown = tab(Review::Tab::organize, fonts);
        QCOMPARE(shown->rowCount(), 9);
        while (shown->rowCount() > 0)
            state->setDestination(shown->idAt(0), QStringLiteral("Work Admin"));
        QCOMPARE(panel.groupTitle(), fonts);
        QCOMPARE(panel.organizeSubtitle(),
                 QStringLiteral("0 files · sorted by what's inside, not the name"));
    }

    void suggestionsAndAddedProjects() {
        ReviewController panel;
        panel.setAppState(state.get());
        QCOMPARE(panel.suggestions().size(), 1);
        QCOMPARE(panel.suggestions()[0].toMap().value("name").toString(),
                 QStringLiteral("Kestrel"));
        QCOMPARE(panel.suggestions()[0].toMap().value("countText").toString(), QStringLiteral("5"));
        QVERIFY(panel.bannerShown());

        panel.dismiss(QStringLiteral("Kestrel"));
        QVERIFY(panel.suggestions().isEmpty());
        QVERIFY(!panel.bannerShown());

        panel.setNewProject(QStringLiteral(" \t "));
        QVERIFY(!panel.canAdd());
        panel.addTyped();
        QVERIFY(panel.addedNote().isEmpty());
        QCOMPARE(state->profile().projects.size(), 0);

        panel.setNewProject(QStringLiteral("  Kestrel\t"));
        QVERIFY(panel.canAdd());
        panel.addTyped();
        QCOMPARE(panel.addedNote(), QStringLiteral("Added Kestrel · 5 files sorted into it."));
        QCOMPARE(panel.newProject(), QString());
        QVERIFY(panel.bannerShown());
        QCOMPARE(state->profile().projects.size(), 1);
        QCOMPARE(panel.tabs()[3].toMap().value("countText").toString(), QStringLiteral("11"));
    }

    void bulkDestinations() {
        ReviewController panel;
        panel.setAppState(state.get());
        const auto needs = tab(Review::Tab::needs);
        panel.sendAllTo(panel.needsYouFolder());
        QCOMPARE(needs->rowCount(), 0);
        for (const PlanItem& item : state->plan())
            if (item.category == QLatin1String("user"))
                QCOMPARE(item.destFolder, QStringLiteral("Tovrin Review/Needs You"));
        QCOMPARE(Store::loadLessons().size(), fixture->counts.needs);
    }

    void leaveAllUnticks() {
        ReviewController panel;
        panel.setAppState(state.get());
        const auto needs = tab(Review::Tab::needs);
        state->toggle(needs->idAt(0));
        panel.leaveAll();
        QCOMPARE(needs->rowCount(), fixture->counts.needs);
        for (int row = 0; row < needs->rowCount(); ++row)
            QCOMPARE(needs->index(row).data(ReviewModel::ApprovedRole).toBool(), false);
        QCOMPARE(Store::loadLessons().size(), 0);
    }
};

QTEST_MAIN(TestReviewModels)
#include "test_reviewmodels.moc"
