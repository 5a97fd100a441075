#include "reviewlists.h"
#include "testitems.h"

#include <QTest>

namespace {

TestPlanItem item(qint64 id, const QString& category,
                  const QString& dest = QStringLiteral("Personal")) {
    return TestPlanItem(QStringLiteral("/home/a/Downloads/file-%1.pdf").arg(id), dest, category)
        .id(id)
        .size(1);
}

} // namespace

// How the review window splits one plan into tabs, groups and junk folders.
class TestReviewLists : public QObject {
    Q_OBJECT
private slots:
    void tabMembership_data() {
        QTest::addColumn<QString>("category");
        QTest::addColumn<bool>("newName");
        QTest::addColumn<QList<Review::Tab>>("tabs");
        using T = Review::Tab;
        QTest::newRow("project") << "project:Pellmark" << false << QList<T>{T::organize};
        QTest::newRow("project renamed")
            << "project:Pellmark" << true << QList<T>{T::organize, T::rename};
        QTest::newRow("user choice") << "user" << false << QList<T>{T::organize};
        QTest::newRow("junk") << "junk" << false << QList<T>{T::junk};
        QTest::newRow("duplicate") << "duplicate" << false << QList<T>{T::junk};
        QTest::newRow("needs-you") << "needs-you" << false << QList<T>{T::needs};
        QTest::newRow("unknown word") << "receipts" << false << QList<T>{T::organize};
    }
    void tabMembership() {
        QFETCH(QString, category);
        QFETCH(bool, newName);
        QFETCH(QList<Review::Tab>, tabs);
        PlanItem p = item(1, category);
        if (newName) p.newName = QStringLiteral("Clear name.pdf");
        for (int t = 0; t < Review::tabCount; ++t)
            QCOMPARE(Review::inTab(p, Review::Tab(t)), tabs.contains(Review::Tab(t)));
    }

    void titles() {
        QCOMPARE(Review::title(Review::Tab::organize), QStringLiteral("Organize"));
        QCOMPARE(Review::title(Review::Tab::rename), QStringLiteral("Rename"));
        QCOMPARE(Review::title(Review::Tab::junk), QStringLiteral("Junk"));
        QCOMPARE(Review::title(Review::Tab::needs), QStringLiteral("Needs You"));
    }

    void oneOfEachCountsOneEverywhere() {
        PlanItem project =
            item(1, QStringLiteral("project:Pellmark"), QStringLiteral("Projects/Pellmark/Docs"));
        project.newName = QStringLiteral("Pellmark brief.pdf");
        const QList<PlanItem> plan{project, item(2, QStringLiteral("junk")),
                                   item(3, QStringLiteral("needs-you"))};
        for (int t = 0; t < Review::tabCount; ++t)
            QCOMPARE(Review::count(plan, Review::Tab(t)), 1);
        QCOMPARE(Review::count({}, Review::Tab::organize), 0);
    }

    void rowsKeepPlanOrderAndFilterByGroup() {
        const QList<PlanItem> plan{
            item(1, QStringLiteral("personal"), QStringLiteral("Personal/Finance & Receipts")),
            item(2, QStringLiteral("junk")),
            item(3, QStringLiteral("library"), QStringLiteral("Library/Fonts")),
            item(4, QStringLiteral("personal"), QStringLiteral("Personal")),
        };
        QCOMPARE(Review::rows(plan, Review::Tab::organize), (QList<int>{0, 2, 3}));
        QCOMPARE(Review::rows(plan, Review::Tab::organize, QStringLiteral("Personal")),
                 (QList<int>{0, 3}));
        QCOMPARE(Review::rows(plan, Review::Tab::organize, QStringLiteral("Library · Fonts")),
                 (QList<int>{2}));
        QCOMPARE(Review::rows(plan, Review::Tab::organize, QStringLiteral("Gone")), QList<int>{});
        // A group only narrows Organize.
        QCOMPARE(Review::rows(plan, Review::Tab::junk, QStringLiteral("Personal")), QList<int>{1});
    }

    void groupsLargestFirst() {
        QList<PlanItem> plan;
        for (int i = 0; i < 3; ++i)
            plan.append(item(i, QStringLiteral("admin"), QStringLiteral("Work Admin")));
        for (int i = 3; i < 8; ++i)
            plan.append(item(i, QStringLiteral("project:Pellmark"),
                             QStringLiteral("Projects/Pellmark/Images")));
        plan.append(item(8, QStringLiteral("library"), QStringLiteral("Library/Fonts")));
        plan.append(item(9, QStringLiteral("junk"),
                         QStringLiteral("Tovrin Review/To Delete - Review First/Installers")));
        plan.append(item(10, QStringLiteral("user"), QString()));
        const GroupCounts groups = Review::groups(plan);
        QCOMPARE(groups.size(), 4);
        QCOMPARE(groups[0], (GroupCount{QStringLiteral("Pellmark"), 5}));
        QCOMPARE(groups[1], (GroupCount{QStringLiteral("Work Admin"), 3}));
        // Equal counts in either order.
        const QStringList ones{groups[2].name, groups[3].name};
        QVERIFY(ones.contains(QStringLiteral("Library · Fonts")));
        QVERIFY(ones.contains(QStringLiteral("Other")));
    }

    void junkGroupName_data() {
        QTest::addColumn<QString>("dest");
        QTest::addColumn<QString>("name");
        QTest::newRow("sub folder") << "Tovrin Review/To Delete - Review First/Screenshots & images"
                                    << "Screenshots & images";
        QTest::newRow("duplicates") << "Tovrin Review/Duplicates - Review First"
                                    << "Duplicates - Review First";
        QTest::newRow("no slash") << "Junk"
                                  << "Junk";
        QTest::newRow("trailing slash") << "Tovrin Review/"
                                        << "";
    }
    void junkGroupName() {
        QFETCH(QString, dest);
        QFETCH(QString, name);
        QCOMPARE(Review::junkGroupName(dest), name);
    }

    void junkGroupsBySizeInPlanOrder() {
        const QString junk = QStringLiteral("Tovrin Review/To Delete - Review First/");
        const QList<PlanItem> plan{
            item(1, QStringLiteral("junk"), junk + QStringLiteral("Screenshots & images")).size(10),
            item(2, QStringLiteral("duplicate"),
                 QStringLiteral("Tovrin Review/Duplicates - Review First"))
                .size(500),
            item(3, QStringLiteral("personal"), QStringLiteral("Personal")).size(9'999),
            item(4, QStringLiteral("junk"), junk + QStringLiteral("Installers")).size(300),
            item(5, QStringLiteral("junk"), junk + QStringLiteral("Screenshots & images")).size(20),
            item(6, QStringLiteral("junk"), junk + QStringLiteral("Installers")).size(300),
        };
        const QList<Review::JunkGroup> groups = Review::junkGroups(plan);
        QCOMPARE(groups.size(), 3);
        QCOMPARE(groups[0], (Review::JunkGroup{QStringLiteral("Installers"), {3, 5}, 600}));
        QCOMPARE(groups[1],
                 (Review::JunkGroup{QStringLiteral("Duplicates - Review First"), {1}, 500}));
        QCOMPARE(groups[2],
                 (Review::JunkGroup{QStringLiteral("Screenshots & images"), {0, 4}, 30}));
    }

    void destinationChoicesSortedOnce() {
        const QList<PlanItem> plan{
            item(1, QStringLiteral("personal"), QStringLiteral("Personal/Health")),
            item(2, QStringLiteral("admin"), QStringLiteral("Work Admin")),
            item(3, QStringLiteral("personal"), QStringLiteral("Personal/Health")),
            item(4, QStringLiteral("junk"),
                 QStringLiteral("Tovrin Review/To Delete - Review First/Installers")),
            item(5, QStringLiteral("needs-you"), QStringLiteral("Tovrin Review/Needs You")),
            item(6, QStringLiteral("archive"), QStringLiteral("Archive/2021")),
        };
        QCOMPARE(Review::destinationChoices(plan),
                 (QStringList{QStringLiteral("Archive/2021"), QStringLiteral("Personal/Health"),
                              QStringLiteral("Work Admin")}));
    }

    void approvedCountOverTheWholePlan() {
        QList<PlanItem> plan{item(1, QStringLiteral("junk")), item(2, QStringLiteral("needs-you")),
                             item(3, QStringLiteral("personal"))};
        plan[1].approved = false;
        QCOMPARE(Review::approvedCount(plan), 2);
        QCOMPARE(Review::approvedCount({}), 0);
    }

    void shownName() {
        PlanItem p = item(7, QStringLiteral("personal"));
        QCOMPARE(Review::shownName(p), QStringLiteral("file-7.pdf"));
        p.newName = QStringLiteral("Receipt.pdf");
        QCOMPARE(Review::shownName(p), QStringLiteral("Receipt.pdf"));
        QCOMPARE(Review::fileName(p), QStringLiteral("file-7.pdf"));
    }
};

QTEST_APPLESS_MAIN(TestReviewLists)
#include "test_reviewlists.moc"
