#pragma once

#include "appstate.h"
#include "records.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

// The review window's lists, computed from the plan in plan order; the
// command line lists the plan the same way. Rows are positions in the plan, so
// a list of 25,000 items never copies an item.
namespace Review {
Q_NAMESPACE

enum class Tab { organize, rename, junk, needs };
Q_ENUM_NS(Tab)

inline constexpr int tabCount = 4;
// A junk group lists at most this many rows and sums up the rest.
inline constexpr int junkRowLimit = 200;

QString title(Tab tab);
bool inTab(const PlanItem& item, Tab tab);
// Whether a tab lists an item; for organize, an empty group means every group.
bool listed(const PlanItem& item, Tab tab, const QString& group = {});
// The rows of the plan a tab lists.
QList<int> rows(const QList<PlanItem>& plan, Tab tab, const QString& group = {});
// How many items each tab lists, by Tab.
std::array<int, tabCount> counts(const QList<PlanItem>& plan);
int approvedCount(const QList<PlanItem>& plan);

// The organize items per destination group, largest first.
GroupCounts groups(const QList<PlanItem>& plan);

struct JunkGroup {
    QString name;
    QList<int> rows;
    qint64 size = 0;

    bool operator==(const JunkGroup&) const = default;
};
// The junk folder an item sits in: the text after the last "/".
QString junkGroupName(const QString& destFolder);
// The junk and duplicate items per folder, the largest total size first.
QList<JunkGroup> junkGroups(const QList<PlanItem>& plan);

// The folders a needs-you item can be sent to: those the organize items go to.
QStringList destinationChoices(const QList<PlanItem>& plan);

QString fileName(const PlanItem& item);
// The name a tile shows: the new name when there is one.
QString shownName(const PlanItem& item);

} // namespace Review
