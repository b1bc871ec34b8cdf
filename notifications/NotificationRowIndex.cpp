#include "notifications/NotificationRowIndex.h"

#include <QStandardItemModel>

NotificationRowIndex::NotificationRowIndex(QStandardItemModel* itemModel, int column, int role,
                                           QObject* parent)
    : QObject(parent)
    , model(itemModel)
    , idColumn(column)
    , idRole(role)
{
    connect(itemModel, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex& parent, int first, int last) {
                if (!parent.isValid()) {
                    addAppendedRows(first, last);
                }
            });
    connect(itemModel, &QAbstractItemModel::rowsRemoved, this, &NotificationRowIndex::invalidate);
    connect(itemModel, &QAbstractItemModel::rowsMoved, this, &NotificationRowIndex::invalidate);
    connect(itemModel, &QAbstractItemModel::columnsInserted, this, &NotificationRowIndex::invalidate);
    connect(itemModel, &QAbstractItemModel::columnsRemoved, this, &NotificationRowIndex::invalidate);
    connect(itemModel, &QAbstractItemModel::columnsMoved, this, &NotificationRowIndex::invalidate);
    connect(itemModel, &QAbstractItemModel::layoutChanged, this, &NotificationRowIndex::invalidate);
    connect(itemModel, &QAbstractItemModel::modelReset, this, &NotificationRowIndex::invalidate);
    connect(itemModel, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles) {
                const bool idColumnTouched = topLeft.column() <= idColumn && idColumn <= bottomRight.column();
                if (idColumnTouched && (roles.isEmpty() || roles.contains(idRole))) {
                    invalidate();
                }
            });
}

void NotificationRowIndex::setEnabled(bool enable)
{
    enabled = enable;
    invalidate();
}

int NotificationRowIndex::rowOf(int id) const
{
    if (!enabled) {
        return scan(id);
    }
    if (!valid) {
        rebuild();
    }
    return rows.value(id, -1);
}

int NotificationRowIndex::scan(int id) const
{
    const int count = model->rowCount();
    for (int row = 0; row < count; ++row) {
        const QStandardItem* item = model->item(row, idColumn);
        if (item && item->data(idRole).toInt() == id) {
            return row;
        }
    }
    return -1;
}

void NotificationRowIndex::rebuild() const
{
    rows.clear();
    const int count = model->rowCount();
    rows.reserve(count);
    for (int row = 0; row < count; ++row) {
        const QStandardItem* item = model->item(row, idColumn);
        // The scan stops at the first match, so an id seen twice keeps its first row.
        if (item && !rows.contains(item->data(idRole).toInt())) {
            rows.insert(item->data(idRole).toInt(), row);
        }
    }
    valid = true;
}

void NotificationRowIndex::invalidate()
{
    valid = false;
    rows.clear();
}

void NotificationRowIndex::addAppendedRows(int first, int last)
{
    if (!valid) {
        return;
    }
    if (last != model->rowCount() - 1) {
        invalidate();
        return;
    }
    for (int row = first; row <= last; ++row) {
        const QStandardItem* item = model->item(row, idColumn);
        if (item && !rows.contains(item->data(idRole).toInt())) {
            rows.insert(item->data(idRole).toInt(), row);
        }
    }
}
