#pragma once

#include "notifications/NotificationBaseDelegate.h"

// The "Модуль" column: the display name of the row's module.
class NotificationModuleDelegate : public NotificationBaseDelegate
{
    Q_OBJECT

public:
    explicit NotificationModuleDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
