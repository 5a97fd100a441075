#pragma once

#include "appstate.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqml.h>

// A list model over the plan of one AppState; derived models rebuild their
// rows whenever the plan changes, and may do less when items are edited in
// place or only approvals change.
class PlanListModel : public QAbstractListModel {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(AppState* state READ state WRITE setState NOTIFY stateChanged REQUIRED)
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    using QAbstractListModel::QAbstractListModel;

    AppState* state() const { return state_; }
    void setState(AppState* state);
    int count() const { return rowCount(); }

    // Past this many rows in, out or edited, one rebuild is cheaper than
    // following each.
    static constexpr qsizetype stepLimit = 64;

signals:
    void stateChanged();
    void countChanged();

protected:
    const QList<PlanItem>& plan() const;
    virtual void refresh() = 0;
    // `rows` are plan rows. A list that shows no approval has nothing to do.
    virtual void refreshApprovals(const QList<int>& rows) { Q_UNUSED(rows); }
    virtual void refreshItems(const QList<int>& rows) {
        Q_UNUSED(rows);
        refresh();
    }

private:
    QPointer<AppState> state_;
};
