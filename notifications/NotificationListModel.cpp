#include "notifications/NotificationListModel.h"

#include "notifications/NotificationRoles.h"

#include <QDateTime>
#include <QSet>

#include <algorithm>

namespace {

// The roles a change can touch, as bits, so that two changes compare cheaply.
enum RoleBit
{
    DisplayBit = 1 << 0,
    DateTimeBit = 1 << 1,
    ModuleBit = 1 << 2,
    TypeBit = 1 << 3,
    HeaderBit = 1 << 4,
    MessageBit = 1 << 5
};

QVector<int> rolesOf(int bits)
{
    static const int roles[] = {Qt::DisplayRole, DateTimeRole, ModuleRole, TypeRole, HeaderRole, MessageRole};
    QVector<int> result;
    for (int i = 0; i < 6; ++i) {
        if (bits & (1 << i)) {
            result.append(roles[i]);
        }
    }
    return result;
}

// The whole header and message, which the cell cuts to its size. Rich text, so that the
// tooltip wraps a long message instead of spanning the screen.
QString eventToolTip(const NotificationInfo& info)
{
    return QStringLiteral("<b>%1</b><br>%2")
        .arg(info.header.toHtmlEscaped(),
             info.message.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")));
}

} // namespace

NotificationListModel::NotificationListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int NotificationListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows.size());
}

int NotificationListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant NotificationListModel::timeDisplay(const QString& dateTime)
{
    const QDateTime time = QDateTime::fromString(dateTime, Qt::ISODate);
    return time.isValid() ? QVariant(time) : QVariant(dateTime);
}

QVariant NotificationListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return QVariant();
    }
    const Row& row = rows[size_t(index.row())];
    const NotificationInfo& info = row.info;
    if (role == Qt::EditRole) {
        role = Qt::DisplayRole;
    }
    switch (index.column()) {
    case TimeColumn:
        switch (role) {
        case Qt::DisplayRole:
            return row.time;
        case DateTimeRole:
            return info.dateTime;
        case ModuleRole:
            return int(info.notificationModule);
        }
        break;
    case ModuleColumn:
        switch (role) {
        case Qt::DisplayRole:
            return notificationModuleName(info.notificationModule);
        case Qt::TextAlignmentRole:
            return int(Qt::AlignHCenter | Qt::AlignVCenter);
        case ModuleRole:
            return int(info.notificationModule);
        case Qt::ToolTipRole:
            return notificationModuleName(info.notificationModule);
        }
        break;
    case EventColumn:
        switch (role) {
        case Qt::DisplayRole:
        case HeaderRole:
            return info.header;
        case IdRole:
            return info.id;
        case DateTimeRole:
            return info.dateTime;
        case ModuleRole:
            return int(info.notificationModule);
        case MessageRole:
            return info.message;
        case TypeRole:
            return int(info.notificationType);
        case Qt::ToolTipRole:
            return eventToolTip(info);
        }
        break;
    }
    return QVariant();
}

QMap<int, QVariant> NotificationListModel::itemData(const QModelIndex& index) const
{
    QMap<int, QVariant> roles;
    for (int role : {int(Qt::DisplayRole), int(Qt::TextAlignmentRole), int(IdRole), int(DateTimeRole),
                     int(ModuleRole), int(TypeRole), int(HeaderRole), int(MessageRole)}) {
        const QVariant value = data(index, role);
        if (value.isValid()) {
            roles.insert(role, value);
        }
    }
    return roles;
}

QVariant NotificationListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        switch (section) {
        case TimeColumn:
            return QStringLiteral("Время");
        case ModuleColumn:
            return QStringLiteral("Модуль");
        case EventColumn:
            return QStringLiteral("Событие");
        }
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags NotificationListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void NotificationListModel::append(const QList<NotificationInfo>& records)
{
    std::vector<Row> fresh;
    fresh.reserve(size_t(records.size()));
    QSet<int> seen;
    for (const NotificationInfo& info : records) {
        if (!rowById.contains(info.id) && !seen.contains(info.id)) {
            seen.insert(info.id);
            fresh.push_back(Row{info, timeDisplay(info.dateTime)});
        }
    }
    if (fresh.empty()) {
        return;
    }
    const int first = rowCount();
    beginInsertRows(QModelIndex(), first, first + int(fresh.size()) - 1);
    for (Row& row : fresh) {
        rowById.insert(row.info.id, rowCount());
        rows.push_back(std::move(row));
    }
    endInsertRows();
}

bool NotificationListModel::Change::mayMoveRow() const
{
    return roleBits & (DisplayBit | ModuleBit);
}

NotificationListModel::Change NotificationListModel::changeBetween(const NotificationInfo& held,
                                                                   const NotificationInfo& received)
{
    int bits = 0;
    int first = ColumnCount;
    int last = -1;
    const auto touch = [&](int firstColumn, int lastColumn, int roleBits) {
        first = std::min(first, firstColumn);
        last = std::max(last, lastColumn);
        bits |= roleBits;
    };
    if (held.dateTime != received.dateTime) {
        touch(TimeColumn, TimeColumn, DisplayBit | DateTimeBit);
        touch(EventColumn, EventColumn, DateTimeBit);
    }
    if (held.notificationModule != received.notificationModule) {
        touch(TimeColumn, EventColumn, DisplayBit | ModuleBit);
    }
    if (held.header != received.header) {
        touch(EventColumn, EventColumn, DisplayBit | HeaderBit);
    }
    if (held.message != received.message) {
        touch(EventColumn, EventColumn, MessageBit);
    }
    // Every cell of the row is painted in the colours of its type.
    if (held.notificationType != received.notificationType) {
        touch(TimeColumn, EventColumn, TypeBit);
    }
    Change change;
    change.firstColumn = first;
    change.lastColumn = last;
    change.roleBits = bits;
    return change;
}

void NotificationListModel::replace(const QList<NotificationInfo>& records)
{
    QVector<QPair<int, Change>> batched;
    for (const NotificationInfo& info : records) {
        const int row = rowOf(info.id);
        if (row < 0) {
            continue;
        }
        Row& held = rows[size_t(row)];
        const Change change = changeBetween(held.info, info);
        if (held.info.dateTime != info.dateTime) {
            held.time = timeDisplay(info.dateTime);
        }
        held.info = info;
        if (change.isEmpty()) {
            continue;
        }
        // The proxy places a moved row by comparing it with the others, which must all show
        // what they held when it last heard of them: such a row is announced at once.
        if (change.mayMoveRow()) {
            emitChanged(row, row, change);
        } else {
            batched.append({row, change});
        }
    }
    std::sort(batched.begin(), batched.end(),
              [](const QPair<int, Change>& a, const QPair<int, Change>& b) { return a.first < b.first; });
    for (int i = 0; i < batched.size();) {
        int end = i + 1;
        while (end < batched.size() && batched.at(end).first == batched.at(end - 1).first + 1 &&
               batched.at(end).second == batched.at(i).second) {
            ++end;
        }
        emitChanged(batched.at(i).first, batched.at(end - 1).first, batched.at(i).second);
        i = end;
    }
}

void NotificationListModel::emitChanged(int firstRow, int lastRow, const Change& change)
{
    emit dataChanged(index(firstRow, change.firstColumn), index(lastRow, change.lastColumn),
                     rolesOf(change.roleBits));
}

void NotificationListModel::remove(const QList<int>& ids)
{
    QVector<int> gone;
    gone.reserve(ids.size());
    for (int id : ids) {
        const int row = rowOf(id);
        if (row >= 0) {
            gone.append(row);
        }
    }
    if (gone.isEmpty()) {
        return;
    }
    std::sort(gone.begin(), gone.end());
    gone.erase(std::unique(gone.begin(), gone.end()), gone.end());
    QVector<QPair<int, int>> runs; // first and last row, from the last run back
    for (int end = gone.size(); end > 0;) {
        int start = end - 1;
        while (start > 0 && gone.at(start - 1) == gone.at(start) - 1) {
            --start;
        }
        runs.append({gone.at(start), gone.at(end - 1)});
        end = start;
    }
    if (runs.size() > maxRemovalRuns) {
        removeScattered(gone);
        return;
    }
    // The last run first, so that no removal shifts a run still to come.
    for (const QPair<int, int>& run : qAsConst(runs)) {
        beginRemoveRows(QModelIndex(), run.first, run.second);
        rows.erase(rows.begin() + run.first, rows.begin() + run.second + 1);
        endRemoveRows();
    }
    reindex();
}

void NotificationListModel::removeScattered(const QVector<int>& gone)
{
    // The proxy and the view answer each removal by walking all rows: rows strewn among others
    // go in one layout change instead, which they answer with one walk.
    emit layoutAboutToBeChanged();
    std::vector<int> newRow(rows.size(), -1);
    std::vector<Row> kept;
    kept.reserve(rows.size() - size_t(gone.size()));
    int next = 0;
    for (int row = 0; row < rowCount(); ++row) {
        if (next < gone.size() && gone.at(next) == row) {
            ++next;
            continue;
        }
        newRow[size_t(row)] = int(kept.size());
        kept.push_back(std::move(rows[size_t(row)]));
    }
    rows.swap(kept);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        const int row = newRow[size_t(index.row())];
        after.append(row < 0 ? QModelIndex() : createIndex(row, index.column()));
    }
    changePersistentIndexList(before, after);
    reindex();
    emit layoutChanged();
}

void NotificationListModel::reindex()
{
    rowById.clear();
    rowById.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row) {
        rowById.insert(record(row).id, row);
    }
}
