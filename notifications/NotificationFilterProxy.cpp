#include "notifications/NotificationFilterProxy.h"

#include "notifications/NotificationListModel.h"
#include "notifications/NotificationRoles.h"

#include <QDateTime>

NotificationFilterProxy::NotificationFilterProxy(QObject* parent)
    : QSortFilterProxyModel(parent)
    , modules(defaultModuleFilter())
{
}

void NotificationFilterProxy::setSourceModel(QAbstractItemModel* model)
{
    rows = qobject_cast<const NotificationListModel*>(model);
    QSortFilterProxyModel::setSourceModel(model);
}

void NotificationFilterProxy::setVisibleModules(const QSet<NotificationModule>& visible)
{
    if (visible == modules) {
        return;
    }
    modules = visible;
    // Filtering anew would add and remove every run of rows between two of another module one
    // signal at a time; one new mapping and one layout change cost far less.
    invalidate();
}

bool NotificationFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (rows) {
        return modules.contains(rows->record(sourceRow).notificationModule);
    }
    const QModelIndex module =
        sourceModel()->index(sourceRow, NotificationListModel::ModuleColumn, sourceParent);
    return !module.isValid() || modules.contains(NotificationModule(module.data(ModuleRole).toInt()));
}

bool NotificationFilterProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const bool plainOrder = sortRole() == Qt::DisplayRole && sortCaseSensitivity() == Qt::CaseSensitive &&
                            !isSortLocaleAware() && left.column() == right.column();
    if (rows && plainOrder && left.model() == rows && right.model() == rows) {
        switch (left.column()) {
        case NotificationListModel::TimeColumn: {
            const QVariant& l = rows->timeAt(left.row());
            const QVariant& r = rows->timeAt(right.row());
            if (l.userType() == QMetaType::QDateTime && r.userType() == QMetaType::QDateTime) {
                return *static_cast<const QDateTime*>(l.constData()) <
                       *static_cast<const QDateTime*>(r.constData());
            }
            break; // a stamp shown as text compares as the default does
        }
        case NotificationListModel::ModuleColumn:
            return notificationModuleName(rows->record(left.row()).notificationModule)
                       .compare(notificationModuleName(rows->record(right.row()).notificationModule)) < 0;
        case NotificationListModel::EventColumn:
            return rows->record(left.row()).header.compare(rows->record(right.row()).header) < 0;
        }
    }
    return QSortFilterProxyModel::lessThan(left, right);
}
