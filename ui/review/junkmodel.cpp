#include "junkmodel.h"

#include "format.h"
#include "thumbs.h"

#include <QMetaEnum>

#include <algorithm>

void JunkModel::toggleCollapsed(int row) {
    if (row < 0 || row >= rows_.size()) return;
    const QString& name = groups_[rows_[row].group].junk.name;
    if (!collapsed_.remove(name)) collapsed_.insert(name);
    refresh();
}

QList<qint64> JunkModel::groupIds(int row) const {
    QList<qint64> ids;
    if (row < 0 || row >= rows_.size()) return ids;
    const QList<PlanItem>& items = plan();
    for (int at : groups_[rows_[row].group].junk.rows)
        ids.append(items[at].id);
    return ids;
}

qint64 JunkModel::idAt(int row) const {
    if (row < 0 || row >= rows_.size() || rows_[row].kind != RowKind::item) return -1;
    return plan()[rows_[row].planRow].id;
}

int JunkModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

namespace {

// A reused delegate may read a role of the row kind it showed before; it
// gets an empty value of the right type rather than nothing.
QVariant none(int role) {
    if (role < Qt::UserRole) return {};
    switch (role) {
    case JunkModel::AnyApprovedRole:
    case JunkModel::CollapsedRole:
    case JunkModel::ApprovedRole:
        return false;
    case JunkModel::ItemIdRole:
        return qint64(-1);
    case JunkModel::IconRole:
        return QUrl();
    case JunkModel::GroupIdsRole:
        return QVariant::fromValue(QList<qint64>());
    }
    return QString();
}

} // namespace

QVariant JunkModel::headingData(const Group& group, int role) const {
    const QList<PlanItem>& items = plan();
    switch (role) {
    case Qt::DisplayRole:
    case GroupNameRole:
        return group.junk.name;
    case ReasonRole:
        return items[group.junk.rows.first()].reason;
    case SizeTextRole:
        return Format::fileSize(group.approvedSize);
    case CountTextRole:
        return tr("%1 of %Ln file(s)", nullptr, int(group.junk.rows.size()))
            .arg(Format::count(group.approved));
    case AnyApprovedRole:
        return group.approved > 0;
    case CollapsedRole:
        return collapsed_.contains(group.junk.name);
    case MoreTextRole:
        return tr("+ %Ln more like these. Use Keep all to keep the whole group.", nullptr,
                  int(group.junk.rows.size() - Review::junkRowLimit));
    }
    return none(role);
}

QVariant JunkModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row& row = rows_[index.row()];
    if (role == KindRole)
        return QString::fromLatin1(QMetaEnum::fromType<RowKind>().valueToKey(int(row.kind)));
    if (role == GroupIdsRole) return QVariant::fromValue(groupIds(index.row()));
    if (row.kind != RowKind::item) return headingData(groups_[row.group], role);
    const PlanItem& item = plan()[row.planRow];
    switch (role) {
    case Qt::DisplayRole:
    case FileNameRole:
        return Review::fileName(item);
    case GroupNameRole:
        return groups_[row.group].junk.name;
    case ItemIdRole:
        return item.id;
    case SizeTextRole:
        return Format::fileSize(item.size);
    case IconRole:
        return Thumbs::iconUrl(item);
    case ApprovedRole:
        return item.approved;
    }
    return none(role);
}

QHash<int, QByteArray> JunkModel::roleNames() const {
    return {
        {KindRole, "rowKind"},        {GroupNameRole, "groupName"},
        {ReasonRole, "reason"},       {SizeTextRole, "sizeText"},
        {CountTextRole, "countText"}, {AnyApprovedRole, "anyApproved"},
        {CollapsedRole, "collapsed"}, {GroupIdsRole, "groupIds"},
        {ItemIdRole, "itemId"},       {FileNameRole, "fileName"},
        {IconRole, "icon"},           {ApprovedRole, "approved"},
        {MoreTextRole, "moreText"},
    };
}

QList<JunkModel::Row> JunkModel::layout() const {
    QList<Row> rows;
    for (int g = 0; g < groups_.size(); ++g) {
        const Review::JunkGroup& junk = groups_[g].junk;
        rows.append({RowKind::heading, g, junk.rows.first()});
        if (collapsed_.contains(junk.name)) continue;
        const qsizetype shown = std::min<qsizetype>(junk.rows.size(), Review::junkRowLimit);
        for (qsizetype i = 0; i < shown; ++i)
            rows.append({RowKind::item, g, junk.rows[i]});
        if (junk.rows.size() > Review::junkRowLimit)
            rows.append({RowKind::more, g, junk.rows.first()});
    }
    return rows;
}

void JunkModel::countApprovals() {
    const QList<PlanItem>& items = plan();
    for (Group& group : groups_) {
        group.approved = 0;
        group.approvedSize = 0;
        for (int at : group.junk.rows)
            if (items[at].approved) {
                ++group.approved;
                group.approvedSize += items[at].size;
            }
    }
}

// Headings sum up their group, so every row may read differently.
void JunkModel::refreshApprovals(const QList<int>& rows) {
    Q_UNUSED(rows);
    countApprovals();
    if (!rows_.isEmpty())
        emit dataChanged(index(0), index(int(rows_.size()) - 1),
                         {SizeTextRole, CountTextRole, AnyApprovedRole, ApprovedRole});
}

// Edits of items that are not junk, and were not, leave the list as it is.
void JunkModel::refreshItems(const QList<int>& rows) {
    const auto junk = [this](int planRow) {
        return Review::inTab(plan()[planRow], Review::Tab::junk) ||
               std::any_of(groups_.begin(), groups_.end(),
                           [planRow](const Group& g) { return g.junk.rows.contains(planRow); });
    };
    if (rows.size() > stepLimit || std::any_of(rows.begin(), rows.end(), junk)) refresh();
}

void JunkModel::refresh() {
    const qsizetype before = rows_.size();
    groups_.clear();
    for (Review::JunkGroup& junk : Review::junkGroups(plan()))
        groups_.append({std::move(junk)});
    countApprovals();
    QList<Row> rows = layout();
    if (rows == rows_) {
        if (!rows_.isEmpty()) emit dataChanged(index(0), index(int(rows_.size()) - 1));
        return;
    }
    // Opening or closing a group is one block of rows; anything else is a
    // new layout.
    qsizetype head = 0;
    while (head < rows.size() && head < rows_.size() && rows[head] == rows_[head])
        ++head;
    qsizetype tail = 0;
    while (tail < rows.size() - head && tail < rows_.size() - head &&
           rows[rows.size() - 1 - tail] == rows_[rows_.size() - 1 - tail])
        ++tail;
    if (head + tail == rows_.size()) {
        beginInsertRows({}, int(head), int(rows.size() - tail - 1));
        rows_ = std::move(rows);
        endInsertRows();
    } else if (head + tail == rows.size()) {
        beginRemoveRows({}, int(head), int(rows_.size() - tail - 1));
        rows_ = std::move(rows);
        endRemoveRows();
    } else {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }
    if (rows_.size() != before) emit countChanged();
}
