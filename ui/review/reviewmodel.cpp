#include "reviewmodel.h"

#include "format.h"
#include "thumbs.h"

#include <algorithm>

namespace {

qsizetype differences(const QList<int>& a, const QList<int>& b) {
    qsizetype i = 0, j = 0, found = 0;
    while (i < a.size() || j < b.size()) {
        if (j >= b.size() || (i < a.size() && a[i] < b[j]))
            ++i, ++found;
        else if (i >= a.size() || b[j] < a[i])
            ++j, ++found;
        else
            ++i, ++j;
        if (found > PlanListModel::stepLimit) break;
    }
    return found;
}

} // namespace

void ReviewModel::setTab(Review::Tab tab) {
    if (tab_ == tab) return;
    tab_ = tab;
    reset(Review::rows(plan(), tab_, group_));
    emit tabChanged();
}

void ReviewModel::setGroup(const QString& group) {
    if (group_ == group) return;
    group_ = group;
    reset(Review::rows(plan(), tab_, group_));
    emit groupChanged();
}

qint64 ReviewModel::idAt(int row) const {
    const int at = planRow(row);
    return at < 0 ? -1 : plan()[at].id;
}

int ReviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant ReviewModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const PlanItem& item = plan()[rows_[index.row()]];
    switch (role) {
    case Qt::DisplayRole:
    case NameRole:
        return Review::shownName(item);
    case ItemIdRole:
        return item.id;
    case FileNameRole:
        return Review::fileName(item);
    case NewNameRole:
        return item.newName.value_or(QString());
    case ReasonRole:
        return item.reason;
    case PathRole:
        return item.src.toLocalFile();
    case ThumbnailRole:
        return Thumbs::mayHaveThumbnail(item.kind) ? Thumbs::thumbnailUrl(item.src) : QUrl();
    case IconRole:
        return Thumbs::iconUrl(item);
    case ApprovedRole:
        return item.approved;
    case RenameApprovedRole:
        return item.renameApproved;
    case SizeTextRole:
        return Format::fileSize(item.size);
    case DestinationTextRole:
        return item.approved ? tr("Needs You folder") : tr("Leave where it is");
    }
    return {};
}

QHash<int, QByteArray> ReviewModel::roleNames() const {
    return {
        {ItemIdRole, "itemId"},       {NameRole, "name"},
        {FileNameRole, "fileName"},   {NewNameRole, "newName"},
        {ReasonRole, "reason"},       {PathRole, "path"},
        {ThumbnailRole, "thumbnail"}, {IconRole, "icon"},
        {ApprovedRole, "approved"},   {RenameApprovedRole, "renameApproved"},
        {SizeTextRole, "sizeText"},   {DestinationTextRole, "destinationText"},
    };
}

void ReviewModel::refresh() {
    QList<int> next = Review::rows(plan(), tab_, group_);
    // Edits keep every item at its place in the plan; anything else is a
    // new plan.
    if (plan().size() != planSize_ || differences(rows_, next) > stepLimit)
        reset(std::move(next));
    else
        update(next);
}

void ReviewModel::refreshApprovals(const QList<int>& rows) {
    int first = int(rows_.size()), last = -1;
    for (int planRow : rows) {
        const auto at = std::lower_bound(rows_.cbegin(), rows_.cend(), planRow);
        if (at == rows_.cend() || *at != planRow) continue;
        const int row = int(at - rows_.cbegin());
        first = std::min(first, row);
        last = std::max(last, row);
    }
    if (last >= 0)
        emit dataChanged(index(first), index(last),
                         {ApprovedRole, RenameApprovedRole, DestinationTextRole});
}

// An edit of a few items moves only those in or out of the list, and redraws
// them; the rest of the list is left as it is.
void ReviewModel::refreshItems(const QList<int>& rows) {
    if (rows.size() > stepLimit) {
        refresh();
        return;
    }
    const qsizetype before = rows_.size();
    for (int planRow : rows) {
        const auto at = std::lower_bound(rows_.cbegin(), rows_.cend(), planRow);
        const int row = int(at - rows_.cbegin());
        const bool present = at != rows_.cend() && *at == planRow;
        const bool listed = Review::listed(plan()[planRow], tab_, group_);
        if (listed && present) {
            emit dataChanged(index(row), index(row));
        } else if (listed) {
            beginInsertRows({}, row, row);
            rows_.insert(row, planRow);
            endInsertRows();
        } else if (present) {
            beginRemoveRows({}, row, row);
            rows_.removeAt(row);
            endRemoveRows();
        }
    }
    if (rows_.size() != before) emit countChanged();
}

void ReviewModel::reset(QList<int> rows) {
    const qsizetype before = rows_.size();
    beginResetModel();
    rows_ = std::move(rows);
    planSize_ = plan().size();
    endResetModel();
    if (rows_.size() != before) emit countChanged();
}

void ReviewModel::update(const QList<int>& next) {
    const qsizetype before = rows_.size();
    qsizetype at = 0, j = 0;
    while (at < rows_.size() || j < next.size()) {
        if (j >= next.size() || (at < rows_.size() && rows_[at] < next[j])) {
            beginRemoveRows({}, int(at), int(at));
            rows_.removeAt(at);
            endRemoveRows();
        } else if (at >= rows_.size() || next[j] < rows_[at]) {
            beginInsertRows({}, int(at), int(at));
            rows_.insert(at, next[j]);
            endInsertRows();
            ++at, ++j;
        } else {
            ++at, ++j;
        }
    }
    if (!rows_.isEmpty()) emit dataChanged(index(0), index(int(rows_.size()) - 1));
    if (rows_.size() != before) emit countChanged();
}
