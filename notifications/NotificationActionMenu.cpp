#include "notifications/NotificationActionMenu.h"

#include "notifications/NotificationMenuStyle.h"

namespace {

QAction* createAction(QMenu* menu, const QString& text, const QString& toolTip)
{
    auto* action = new QAction(text, menu);
    action->setToolTip(toolTip);
    menu->addAction(action);
    return action;
}

} // namespace

NotificationActionMenu::NotificationActionMenu(QWidget* parent)
    : QMenu(parent)
{
    setupUI();
    setupCallbacks();
}

void NotificationActionMenu::setupUI()
{
    setStyleSheet(notificationMenuStyleSheet());
    markAsReadAction = createAction(this, QStringLiteral("✓  Пометить как прочитанные"),
                                    QStringLiteral("Пометить выбранные уведомления как прочитанные"));
    markAllAsReadAction = createAction(this, QStringLiteral("✅  Прочитать все"),
                                       QStringLiteral("Пометить все уведомления как прочитанные"));
    addSeparator();
    deleteSelectedAction = createAction(this, QStringLiteral("🗑  Удалить выбранные"),
                                        QStringLiteral("Удалить выбранные уведомления навсегда"));
    deleteAllAction = createAction(this, QStringLiteral("❌  Удалить все"),
                                   QStringLiteral("Удалить все уведомления навсегда"));
}

void NotificationActionMenu::setupCallbacks()
{
    connect(markAsReadAction, &QAction::triggered, this, &NotificationActionMenu::markAsReadRequested);
    connect(markAllAsReadAction, &QAction::triggered, this, &NotificationActionMenu::markAllAsReadRequested);
    connect(deleteSelectedAction, &QAction::triggered, this,
            &NotificationActionMenu::deleteSelectedRequested);
    connect(deleteAllAction, &QAction::triggered, this, &NotificationActionMenu::deleteAllRequested);
}

void NotificationActionMenu::showMenu(const QPoint& globalPosition)
{
    exec(globalPosition);
}
