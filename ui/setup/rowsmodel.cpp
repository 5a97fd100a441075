#include "rowsmodel.h"

#include <algorithm>

QVariant RowsModel::data(const QModelIndex& index, int role) const {
    const int column = role - Qt::UserRole;
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || column < 0 || column >= roles_.size())
        return {};
    return rows_.at(index.row()).value(column);
}

QHash<int, QByteArray> RowsModel::roleNames() const {
    QHash<int, QByteArray> names;
    for (int i = 0; i < roles_.size(); ++i)
        names.insert(Qt::UserRole + i, roles_.at(i));
    return names;
}

// Rows change in place and come and go as rows, never by a reset: a view
// reset while its delegates are still being made keeps pointers to the
// ones it drops.
void RowsModel::setRows(const QList<QVariantList>& rows) {
    const int shared = int(std::min(rows.size(), rows_.size()));
    for (int row = 0; row < shared; ++row)
        if (rows_.at(row) != rows.at(row)) {
            rows_[row] = rows.at(row);
            emit dataChanged(index(row), index(row));
        }
    if (rows_.size() > shared) {
        beginRemoveRows({}, shared, int(rows_.size()) - 1);
        rows_.resize(shared);
        endRemoveRows();
    }
    if (rows.size() > shared) {
        beginInsertRows({}, shared, int(rows.size()) - 1);
        rows_.append(rows.mid(shared));
        endInsertRows();
    }
}
