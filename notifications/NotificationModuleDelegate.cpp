#include "notifications/NotificationModuleDelegate.h"

#include "notifications/NotificationRoles.h"

#include <QPainter>

NotificationModuleDelegate::NotificationModuleDelegate(QObject* parent)
    : NotificationBaseDelegate(parent)
{
}

void NotificationModuleDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const
{
    painter->save();
    const NotificationType type = paintBackground(painter, option, index);
    paintEmphasisedText(painter, option, type, notificationModuleName(index.data(ModuleRole).toInt()));
    painter->restore();
}
