#pragma once

#include <QAbstractListModel>
#include <QByteArrayList>
#include <QList>
#include <QVariantList>
#include <QtQml/qqml.h>

// Rows of named values for a QML list, replaced whole; a replacement equal
// to what is shown changes nothing, so the list keeps its place.
class RowsModel : public QAbstractListModel {
    Q_OBJECT
    QML_ANONYMOUS

public:
    explicit RowsModel(QByteArrayList roles, QObject* parent = nullptr)
        : QAbstractListModel(parent), roles_(std::move(roles)) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(rows_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Each row holds one value per role, in the order the roles were named.
    void setRows(const QList<QVariantList>& rows);

private:
    QByteArrayList roles_;
    QList<QVariantList> rows_;
};
