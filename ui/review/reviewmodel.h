#pragma once

#include "planlistmodel.h"
#include "reviewlists.h"

// The items of one tab (and, on Organize, of one destination group), as rows
// into the plan. Edits that keep the plan's length move single rows in and
// out, so a view keeps its place while the user works down a long list.
class ReviewModel : public PlanListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Review::Tab tab READ tab WRITE setTab NOTIFY tabChanged)
    Q_PROPERTY(QString group READ group WRITE setGroup NOTIFY groupChanged)

public:
    enum Role {
        ItemIdRole = Qt::UserRole + 1,
        NameRole,
        FileNameRole,
        NewNameRole,
        ReasonRole,
        PathRole,
        ThumbnailRole,
        IconRole,
        ApprovedRole,
        RenameApprovedRole,
        SizeTextRole,
        DestinationTextRole,
    };

    using PlanListModel::PlanListModel;

    Review::Tab tab() const { return tab_; }
    void setTab(Review::Tab tab);
    QString group() const { return group_; }
    void setGroup(const QString& group);

    // The plan row behind a list row, and the item id there (-1 when none).
    int planRow(int row) const { return rows_.value(row, -1); }
    Q_INVOKABLE qint64 idAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void tabChanged();
    void groupChanged();

protected:
    void refresh() override;
    void refreshApprovals(const QList<int>& rows) override;
    void refreshItems(const QList<int>& rows) override;

private:
    void reset(QList<int> rows);
    void update(const QList<int>& next);

    Review::Tab tab_ = Review::Tab::organize;
    QString group_;
    QList<int> rows_;
    qsizetype planSize_ = 0;
};
