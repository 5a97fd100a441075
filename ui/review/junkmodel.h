#pragma once

#include "planlistmodel.h"
#include "reviewlists.h"

#include <QSet>

// The Junk tab as one flat list: per junk group a heading row, then at most
// 200 item rows and, past that, one line summing up the rest. A collapsed
// group shows its heading only.
class JunkModel : public PlanListModel {
    Q_OBJECT
    QML_ELEMENT

public:
    enum class RowKind { heading, item, more };
    Q_ENUM(RowKind)

    enum Role {
        KindRole = Qt::UserRole + 1,
        GroupNameRole,
        ReasonRole,
        SizeTextRole,
        CountTextRole,
        AnyApprovedRole,
        CollapsedRole,
        GroupIdsRole,
        ItemIdRole,
        FileNameRole,
        IconRole,
        ApprovedRole,
        MoreTextRole,
    };

    using PlanListModel::PlanListModel;

    Q_INVOKABLE void toggleCollapsed(int row);
    // The ids of the whole group a row belongs to, as setApproved takes them.
    Q_INVOKABLE QList<qint64> groupIds(int row) const;
    Q_INVOKABLE qint64 idAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

protected:
    void refresh() override;
    void refreshApprovals(const QList<int>& rows) override;
    void refreshItems(const QList<int>& rows) override;

private:
    struct Row {
        RowKind kind;
        int group;
        int planRow;
        bool operator==(const Row&) const = default;
    };
    struct Group {
        Review::JunkGroup junk;
        int approved = 0;
        qint64 approvedSize = 0;
    };

    void countApprovals();
    QList<Row> layout() const;
    QVariant headingData(const Group& group, int role) const;

    QList<Group> groups_;
    QList<Row> rows_;
    QSet<QString> collapsed_;
};
