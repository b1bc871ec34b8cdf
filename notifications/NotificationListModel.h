#pragma once

#include "notifications/NotificationInfo.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QVector>

#include <vector>

// The rows of the notification table, one per record in the order the records arrived. The
// view sees them through NotificationFilterProxy, which sorts and filters. Every cell answers
// the roles of the table's items from its row's record. Changes reach the views in batches,
// one signal per run of adjacent rows, and only for the cells and roles that changed.
class NotificationListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        TimeColumn = 0,
        ModuleColumn,
        EventColumn,
        ColumnCount
    };

    explicit NotificationListModel(QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QMap<int, QVariant> itemData(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The row of the notification `id`, or -1.
    int rowOf(int id) const { return rowById.value(id, -1); }
    const NotificationInfo& record(int row) const { return rows[size_t(row)].info; }
    // The display value of the row's "Время" cell, as data() gives it.
    const QVariant& timeAt(int row) const { return rows[size_t(row)].time; }

    // New rows at the end, in one insertion; ids already held are skipped.
    void append(const QList<NotificationInfo>& records);
    // The records replace those of the same id; ids not held are skipped.
    void replace(const QList<NotificationInfo>& records);
    // Ids without a row are skipped.
    void remove(const QList<int>& ids);

    // What a row shows in the "Время" column: the parsed time when the text is ISO 8601.
    static QVariant timeDisplay(const QString& dateTime);

private:
    struct Row
    {
        NotificationInfo info;
        QVariant time; // timeDisplay(info.dateTime), parsed once
    };
    struct Change
    {
        int firstColumn = ColumnCount;
        int lastColumn = -1;
        int roleBits = 0;

        bool isEmpty() const { return lastColumn < 0; }
        // A changed display value or module may move the row or hide it.
        bool mayMoveRow() const;
        bool operator==(const Change& other) const
        {
            return firstColumn == other.firstColumn && lastColumn == other.lastColumn &&
                   roleBits == other.roleBits;
        }
    };

    // More runs of adjacent rows than this are removed in one layout change.
    static constexpr int maxRemovalRuns = 16;

    static Change changeBetween(const NotificationInfo& held, const NotificationInfo& received);
    void removeScattered(const QVector<int>& sortedRows);
    void emitChanged(int firstRow, int lastRow, const Change& change);
    void reindex();

    std::vector<Row> rows;
    QHash<int, int> rowById;
};
