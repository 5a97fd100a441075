#include "groupmodel.h"
#include "junkmodel.h"
#include "reviewmodel.h"
#include "store.h"
#include "testapp.h"
#include "testplan.h"

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

} // namespace

// The models behind the tabs and the sidebar, each under the model tester,
// over a realistic plan: what each list holds, and that edits move single
// rows so the view keeps its place.
class TestReviewModels : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> app;
    std::unique_ptr<TestPlan> plan;

    AppState& state() const { return *app->state; }

    template <typename Model> std::unique_ptr<Model> model() {
        auto made = std::make_unique<Model>();
        new QAbstractItemModelTester(
            made.get(), QAbstractItemModelTester::FailureReportingMode::QtTest, made.get());
        made->setState(app->state.get());
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
        app = std::make_unique<TestApp>();
        plan = std::make_unique<TestPlan>();
        Store::savePlan(plan->items);
        app->start();
    }
    void cleanup() {
        app.reset();
        plan.reset();
    }

    void tabsInPlanOrder() {
        const int expected[] = {plan->counts.organize, plan->counts.rename, plan->counts.junk,
                                plan->counts.needs};
        for (int t = 0; t < Review::tabCount; ++t) {
            const auto items = tab(Review::Tab(t));
            QCOMPARE(items->rowCount(), expected[t]);
            for (int row = 1; row < items->rowCount(); ++row)
                QVERIFY(items->planRow(row - 1) < items->planRow(row));
        }
    }

    void groupsAndDestinations() {
        const auto groups = model<GroupModel>();
        QCOMPARE(column(*groups, GroupModel::NameRole),
                 (QStringList{"Personal", "Pellmark", "Archive", "Work Admin", "Library · Fonts"}));
        QCOMPARE(column(*groups, GroupModel::CountRole),
                 (QStringList{"40", "32", "26", "22", "9"}));
        const auto pellmark = tab(Review::Tab::organize, QStringLiteral("Pellmark"));
        QCOMPARE(pellmark->rowCount(), 32);
        QCOMPARE(pellmark->index(0).data(ReviewModel::NameRole).toString(),
                 QStringLiteral("Pellmark product shot 1.jpg"));
        // A needs-you file goes where organised files go, never into the review folders.
        QCOMPARE(Review::destinationChoices(state().plan()),
                 (QStringList{"Archive/2021", "Library/Fonts", "Personal/Finance & Receipts",
                              "Projects/Pellmark/Docs", "Projects/Pellmark/Images", "Work Admin"}));
    }

    void editsMoveSingleRows() {
        const auto needs = tab(Review::Tab::needs);
        const auto organize = tab(Review::Tab::organize);
        const auto groups = model<GroupModel>();
        QSignalSpy changed(organize.get(), &QAbstractItemModel::dataChanged);
        QSignalSpy removed(needs.get(), &QAbstractItemModel::rowsRemoved);
        QSignalSpy inserted(organize.get(), &QAbstractItemModel::rowsInserted);
        QSignalSpy reset(organize.get(), &QAbstractItemModel::modelReset);
        state().toggle(organize->idAt(3));
        QCOMPARE(organize->index(3).data(ReviewModel::ApprovedRole).toBool(), false);
        QVERIFY(changed.count() >= 1);
        state().setDestination(needs->idAt(2), QStringLiteral("Work Admin"));
        QCOMPARE(removed.count(), 1);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(needs->rowCount(), plan->counts.needs - 1);
        QCOMPARE(organize->rowCount(), plan->counts.organize + 1);
        QCOMPARE(column(*groups, GroupModel::CountRole).value(3), QStringLiteral("23"));
        QCOMPARE(reset.count(), 0);

        // A new plan resets every list.
        state().apply(true);
        QTRY_COMPARE(state().phase(), Phase::done);
        QVERIFY(reset.count() >= 1);
        QCOMPARE(organize->rowCount(), 0);
    }

    // Largest group first; one lists 200 rows and sums up the rest; a
    // collapsed group keeps only its heading.
    void junkGroups() {
        const auto junk = model<JunkModel>();
        QCOMPARE(column(*junk, JunkModel::KindRole).count(QStringLiteral("heading")), 4);
        QCOMPARE(junk->index(0).data(JunkModel::GroupNameRole).toString(),
                 QStringLiteral("Installers"));
        const int screenshots = 1 + 5;
        QCOMPARE(junk->index(screenshots).data(JunkModel::GroupNameRole).toString(),
                 QStringLiteral("Screenshots & images"));
        QCOMPARE(junk->index(screenshots + 201).data(JunkModel::KindRole).toString(),
                 QStringLiteral("more"));
        QCOMPARE(junk->groupIds(screenshots).size(), 250);
        QCOMPARE(junk->rowCount(), 4 + 5 + 200 + 1 + 7 + 12);

        state().toggle(junk->idAt(1));
        QCOMPARE(junk->index(0).data(JunkModel::CountTextRole).toString(),
                 QStringLiteral("4 of 5 files"));
        QSignalSpy removed(junk.get(), &QAbstractItemModel::rowsRemoved);
        junk->toggleCollapsed(0);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(junk->index(1).data(JunkModel::GroupNameRole).toString(),
                 QStringLiteral("Screenshots & images"));
        junk->toggleCollapsed(0);
        QCOMPARE(junk->rowCount(), 4 + 5 + 200 + 1 + 7 + 12);
    }
};

QTEST_MAIN(TestReviewModels)
#include "test_reviewmodels.moc"
