#include "notifications/NotificationFilterMenu.h"

#include "notifications/NotificationMenuStyle.h"

#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace {

const int moduleColumn = 1;

} // namespace

NotificationFilterMenu::NotificationFilterMenu(QWidget* parent)
    : QMenu(parent)
    , visibleModules(getDefaultFilter())
{
    setupUI();
}

QSet<NotificationModule> NotificationFilterMenu::getDefaultFilter()
{
    return defaultModuleFilter();
}

void NotificationFilterMenu::setupUI()
{
    QAction* selectAll = addAction(QStringLiteral("Выбрать все"));
    selectAll->setToolTip(QStringLiteral("Выбрать все модули"));
    connect(selectAll, &QAction::triggered, this, [this] {
        setAllChecked(true);
        visibleModules = getDefaultFilter();
        emit filterChanged(visibleModules);
    });

    QAction* clearAll = addAction(QStringLiteral("Очистить все"));
    clearAll->setToolTip(QStringLiteral("Очистить все модули"));
    connect(clearAll, &QAction::triggered, this, [this] {
        setAllChecked(false);
        visibleModules.clear();
        emit filterChanged(visibleModules);
    });

    addSeparator();

    // A set has no order; the enumeration's order keeps the menu the same from run to run.
    QList<NotificationModule> modules = getDefaultFilter().values();
    std::sort(modules.begin(), modules.end());
    for (NotificationModule module : modules) {
        QAction* action = addAction(notificationModuleName(module));
        action->setCheckable(true);
        action->setChecked(true);
        moduleActions.insert(module, action);
        connect(action, &QAction::triggered, this, &NotificationFilterMenu::onModuleFilterChanged);
    }

    setStyleSheet(notificationMenuStyleSheet());
}

void NotificationFilterMenu::setAllChecked(bool checked)
{
    for (QAction* action : qAsConst(moduleActions)) {
        action->setChecked(checked);
    }
}

void NotificationFilterMenu::onModuleFilterChanged()
{
    visibleModules.clear();
    for (auto it = moduleActions.cbegin(); it != moduleActions.cend(); ++it) {
        if (it.value()->isChecked()) {
            visibleModules.insert(it.key());
        }
    }
    emit filterChanged(visibleModules);
}

void NotificationFilterMenu::setVisibleModules(const QSet<NotificationModule>& modules)
{
    visibleModules = modules;
    for (auto it = moduleActions.cbegin(); it != moduleActions.cend(); ++it) {
        it.value()->setChecked(modules.contains(it.key()));
    }
    emit filterChanged(visibleModules);
}

void NotificationFilterMenu::onHeaderClicked(int logicalIndex)
{
    if (logicalIndex != moduleColumn) {
        return;
    }
    auto* view = qobject_cast<QTableView*>(parentWidget());
    if (!view || !view->horizontalHeader()) {
        return;
    }
    QHeaderView* header = view->horizontalHeader();
    exec(header->mapToGlobal(QPoint(header->sectionViewportPosition(moduleColumn), header->height())));
}
