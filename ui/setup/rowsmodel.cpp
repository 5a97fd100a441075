#include "rowsmodel.h"

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

void RowsModel::setRows(const QList<QVariantList>& rows) {
    if (rows == rows_) return;
    beginResetModel();
    rows_ = rows;
    endResetModel();
}
