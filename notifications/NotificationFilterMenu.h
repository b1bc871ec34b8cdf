#pragma once

#include "notifications/NotificationInfo.h"

#include <QMap>
#include <QMenu>
#include <QSet>

// The menu under the "Модуль" header: which modules' rows the table shows. The check marks and
// the set of visible modules always agree.
class NotificationFilterMenu : public QMenu
{
    Q_OBJECT

public:
    explicit NotificationFilterMenu(QWidget* parent = nullptr);

    void setVisibleModules(const QSet<NotificationModule>& modules);
    QSet<NotificationModule> getVisibleModules() const { return visibleModules; }
    static QSet<NotificationModule> getDefaultFilter();

signals:
    void filterChanged(const QSet<NotificationModule>& visibleModules);

public slots:
    void onHeaderClicked(int logicalIndex);
    void onModuleFilterChanged();

private:
    void setupUI();
    void setAllChecked(bool checked);

    QSet<NotificationModule> visibleModules;
    QMap<NotificationModule, QAction*> moduleActions;
};
