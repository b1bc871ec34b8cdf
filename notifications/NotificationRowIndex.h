#pragma once

#include <QHash>
#include <QObject>

class QStandardItemModel;

// Finds the row of a notification id in the table's model without reading every row. The map
// is rebuilt on first use after the rows were removed, moved or re-sorted; rows appended at
// the end are added to it as they arrive. Disabled, it reads the rows one by one: the
// reference that the tests and the benchmark hold it against.
class NotificationRowIndex : public QObject
{
    Q_OBJECT

public:
    NotificationRowIndex(QStandardItemModel* model, int idColumn, int idRole, QObject* parent);

    // The first row whose id item carries `id`, or -1.
    int rowOf(int id) const;

    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled; }

private:
    int scan(int id) const;
    void rebuild() const;
    void invalidate();
    void addAppendedRows(int first, int last);

    QStandardItemModel* const model;
    const int idColumn;
    const int idRole;
    bool enabled = true;
    mutable bool valid = false;
    mutable QHash<int, int> rows;
};
