#pragma once

#include "notifications/NotificationInfo.h"

#include <QSet>
#include <QSortFilterProxyModel>

class NotificationListModel;

// What the notification table shows of its rows: those of the visible modules, sorted. Rows
// that arrive or change are placed and filtered as they come, and a filter change maps all
// rows anew in one step, so neither walks the rows through the view one by one.
class NotificationFilterProxy : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit NotificationFilterProxy(QObject* parent);

    void setSourceModel(QAbstractItemModel* model) override;
    void setVisibleModules(const QSet<NotificationModule>& modules);
    const QSet<NotificationModule>& visibleModules() const { return modules; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    // The order of the default comparison of display values, read from the rows' records
    // instead of through a QVariant for every comparison.
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    QSet<NotificationModule> modules;
    const NotificationListModel* rows = nullptr;
};
