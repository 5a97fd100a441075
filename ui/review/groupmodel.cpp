#include "groupmodel.h"

#include "reviewlists.h"

int GroupModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(groups_.size());
}

QVariant GroupModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const GroupCount& group = groups_[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case NameRole:
        return group.name;
    case CountRole:
        return group.count;
    }
    return {};
}

QHash<int, QByteArray> GroupModel::roleNames() const {
    return {{NameRole, "name"}, {CountRole, "count"}};
}

void GroupModel::refresh() {
    GroupCounts next = Review::groups(plan());
    const bool sameNames =
        std::equal(next.begin(), next.end(), groups_.begin(), groups_.end(),
                   [](const GroupCount& a, const GroupCount& b) { return a.name == b.name; });
    if (sameNames) {
        for (int row = 0; row < groups_.size(); ++row)
            if (groups_[row].count != next[row].count) {
                groups_[row].count = next[row].count;
                emit dataChanged(index(row), index(row), {CountRole});
            }
        return;
    }
    const qsizetype before = groups_.size();
    beginResetModel();
    groups_ = std::move(next);
    endResetModel();
    if (groups_.size() != before) emit countChanged();
}
