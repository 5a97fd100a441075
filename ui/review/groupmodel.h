#pragma once

#include "planlistmodel.h"

// The sidebar's destination groups: the Organize items counted per group,
// largest first.
class GroupModel : public PlanListModel {
    Q_OBJECT
    QML_ELEMENT

public:
    enum Role { NameRole = Qt::UserRole + 1, CountRole };

    using PlanListModel::PlanListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

protected:
    void refresh() override;

private:
    GroupCounts groups_;
};
